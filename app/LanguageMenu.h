// The language menu: one item per language module found (commands 1400 and up), and the switch that
// keeps the chosen language for the next start.
#pragma once

#include <QString>
#include <QStringList>

class QMenu;
class QSettings;

class LanguageMenu
{
public:
    static constexpr int kFirstCommand = 1400;
    static constexpr int kLastCommand = 1431;

    enum SwitchResult
    {
        UNCHANGED,       // the language chosen is the one selected already
        SAVED,           // written; it is the language the program runs in
        SAVED_NEXT_START // written; it takes effect at the next start
    };

    // The name of a language code in the menu: "DE" and "EN" by their strings, any other code by the
    // language's own name, the code itself when the language is unknown.
    static QString DisplayName(const QString& code);

    // A popup whose only item is command 1400 gets one item per code: 1400 for the first, 1401, ...
    // for the others (at most 32). False when the popup is not the language menu.
    static bool Initialise(QMenu* popup, const QStringList& codes);

    // Command 1400 + `index`: the code becomes the selected one and is written to "Settings"/"lang".
    static SwitchResult Switch(int index, const QStringList& codes, QString& selected, const QString& running,
                               QSettings& settings);
};
