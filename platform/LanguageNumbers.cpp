// Numbers in the interface language's format for the Qt side.
#include "platform/LanguageNumbers.h"

#include "platform/ResourceModule.h"

QLocale LanguageLocale(const QString& code)
{
    const QLocale locale(code.toLower());
    return locale.language() == QLocale::C ? QLocale(QLocale::English) : locale;
}

QLocale LanguageLocale()
{
    const ResourceModule* module = ResourceModule::Current();
    return module ? LanguageLocale(module->Code()) : QLocale(QLocale::English);
}

QString NumberText(double value, int decimals)
{
    return QString::fromStdString(FormatNumber(value, decimals));
}

NumberReading ReadNumberText(const QString& text)
{
    return ReadNumber(text.toStdString());
}
