// The hint a German user interface shows after a slider closed, with its document.
#pragma once

#include <QString>

#include <functional>

class ProgramRun;
class QWidget;

// The template view marks the hint as pending in its program run when it applies certain slider
// values; the closing slider then shows it on a German interface. After an axle was added, removed or
// dragged the view shows it when the regional version of the settings is "DE", whatever the language.
// Either way it comes until the user ticks its check box, which holds for the run.
// Its second button opens the regulations document of the program folder; a missing document gives
// a message. The box, the document opener and the language are replaceable for tests.
class SliderHint
{
public:
    static constexpr int kTextId = 104;
    static constexpr int kTitleId = 273;
    static constexpr int kOpenButtonId = 803;
    static constexpr int kOpenCaptionId = 568;
    static constexpr int kMissingDocumentId = 4190;

    struct Services
    {
        // The language code of the user interface ("DE", "EN", ...).
        std::function<QString()> languageCode;
        // Shows the box; answers the button that closed it and sets *checked to its check box.
        std::function<int(bool* checked)> showBox;
        // Opens a document with the desktop's viewer; false when it could not be opened.
        std::function<bool(const QString& path, QWidget* owner)> openDocument;
        // Tells the user something went wrong.
        std::function<void(const QString& text, QWidget* owner)> showMessage;
    };

    // The document the second button opens: the program folder's "Samples/StVZO34.pdf".
    static QString DocumentPath();

    // Runs after a slider of the run closed: clears the pending mark and, when it was set, shows the
    // box as Show does. `owner` is the slider's former parent (may be null).
    static void AfterSliderClosed(ProgramRun& run, QWidget* owner);

    // Shows the box with the regional version "DE" while it has not been ticked off in the run; the
    // template view calls it after an axle was added, removed or dragged.
    static void Show(ProgramRun& run, QWidget* owner);

private:
    static void ShowBox(ProgramRun& run, QWidget* owner);

public:
    // Replaces the services (members left empty keep the real ones); answers the ones used before.
    static Services SetServices(Services services);
};
