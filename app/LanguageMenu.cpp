// The language menu and the language switch.
#include "app/LanguageMenu.h"

#include "platform/MenuResource.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QSettings>

QString LanguageMenu::DisplayName(const QString& code)
{
    if (code.compare(QLatin1String("DE"), Qt::CaseInsensitive) == 0)
        return MenuResource::Caption(323);
    if (code.compare(QLatin1String("EN"), Qt::CaseInsensitive) == 0)
        return MenuResource::Caption(330);
    const QLocale locale(code.toLower());
    if (locale.language() == QLocale::C || locale.name().left(2).compare(code, Qt::CaseInsensitive) != 0)
        return code;
    QString name = locale.nativeLanguageName();
    if (name.isEmpty())
        return code;
    name[0] = name[0].toUpper();
    return name;
}

bool LanguageMenu::Initialise(QMenu* popup, const QStringList& codes)
{
    const QList<QAction*> actions = popup->actions();
    if (actions.isEmpty() || MenuResource::CommandOf(actions[0]) != kFirstCommand)
        return false;
    // Rebuilt on every opening: the items after the first are the ones made last time.
    for (int i = 1; i < actions.size(); ++i) {
        if (MenuResource::CommandOf(actions[i]) <= kFirstCommand ||
            MenuResource::CommandOf(actions[i]) > kLastCommand)
            return false;
    }
    for (int i = 1; i < actions.size(); ++i) {
        popup->removeAction(actions[i]);
        delete actions[i];
    }
    if (codes.isEmpty())
        return true;
    actions[0]->setText(DisplayName(codes[0]));
    const int count = std::min<int>(int(codes.size()), kLastCommand - kFirstCommand + 1);
    for (int i = 1; i < count; ++i)
        popup->addAction(DisplayName(codes[i]))->setData(kFirstCommand + i);
    return true;
}

LanguageMenu::SwitchResult LanguageMenu::Switch(int index, const QStringList& codes, QString& selected,
                                                const QString& running, QSettings& settings)
{
    if (index < 0 || index >= codes.size() || codes[index] == selected)
        return UNCHANGED;
    selected = codes[index];
    settings.setValue(QStringLiteral("Settings/lang"), selected);
    settings.sync();
    return selected == running ? SAVED : SAVED_NEXT_START;
}
