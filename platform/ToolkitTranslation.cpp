// Qt's own texts in the language of the interface: the translation of the Qt installation.
#include "platform/ToolkitTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator* InstallToolkitTranslation(const QString& code, QObject* owner)
{
    const QString language = code.trimmed().toLower();
    if (language.isEmpty() || language == QLatin1String("en") || !QCoreApplication::instance())
        return nullptr;
    auto* translator = new QTranslator(owner);
    if (!translator->load(QStringLiteral("qtbase_") + language,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}
