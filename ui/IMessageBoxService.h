// The one way the program shows a message box, so tests can script the answers.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

class QWidget;

class IMessageBoxService
{
public:
    enum class Icon
    {
        Information,
        Warning,
        Error,
        Question,
    };
    enum class Buttons
    {
        Ok,
        YesNo,
    };
    // Answers, numbered as the program's command ids for them.
    static constexpr int kOk = 1;
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;

    // A box of the program's HTML message box: body and caption by string id, a picture, buttons as
    // (command id, caption string id) pairs and an optional check box.
    struct HtmlBox
    {
        int textId = 0;
        int captionId = 0;
        int iconId = 0;
        int iconKind = 1;
        QList<QPair<int, int>> buttons;
        bool checkBox = false;
        // Body and caption as texts, used in place of the ids when not empty.
        QString text;
        QString caption;
    };

    virtual ~IMessageBoxService() = default;

    // A plain box; answers kOk, kYes or kNo.
    virtual int Show(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                     Buttons buttons) = 0;
    // The HTML box; answers the id of the button that closed it, `checked` tells the check box.
    virtual int ShowHtml(QWidget* parent, const HtmlBox& box, bool* checked) = 0;
};

// The service in use: the Qt one unless another was set.
IMessageBoxService& MessageBoxes();
// Sets the service (null puts back the Qt one); answers the one set before.
IMessageBoxService* SetMessageBoxes(IMessageBoxService* service);
