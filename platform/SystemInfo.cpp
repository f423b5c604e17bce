// What the program asks of the system: the per-user data folder, the screen's resolution, new UUIDs and
// the user's language.
#include "platform/SystemInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QUuid>

QString GetUserDataPath(const QString& file)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    QString name = file;
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return folder + name;
}

int GetScreenDpi()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    // Qt scales high-resolution screens to 96 logical DPI; the scale factor gives the screen's own back.
    return screen ? qRound(screen->logicalDotsPerInchX() * screen->devicePixelRatio()) : 0;
}

bool CreateUuidString(QString* out)
{
    if (!out)
        return false;
    const QUuid uuid = QUuid::createUuid();
    if (uuid.isNull()) {
        out->clear();
        return false;
    }
    *out = uuid.toString(QUuid::WithoutBraces);
    return true;
}

QString LanguageCodeForLocale(const QLocale& locale)
{
    switch (locale.language()) {
    case QLocale::German:
        return QStringLiteral("DE");
    case QLocale::French:
        return QStringLiteral("FR");
    case QLocale::Spanish:
        return QStringLiteral("ES");
    case QLocale::Italian:
        return QStringLiteral("IT");
    case QLocale::Portuguese:
        return QStringLiteral("PT");
    case QLocale::Russian:
        return QStringLiteral("RU");
    case QLocale::Swedish:
        return QStringLiteral("SE");
    case QLocale::Greek:
        return QStringLiteral("GR");
    case QLocale::Finnish:
        return QStringLiteral("FI");
    case QLocale::Polish:
        return QStringLiteral("PL");
    case QLocale::Turkish:
        return QStringLiteral("TR");
    case QLocale::Ukrainian:
        return QStringLiteral("UA");
    default:
        return QStringLiteral("EN");
    }
}

QString GetUserLanguageCode()
{
    return LanguageCodeForLocale(QLocale::system());
}
