// The regional version of the settings, group "Settings", value "ver".
#include "ui/RegionalVersion.h"

#include <QSettings>

QString RegionalVersion::Current()
{
    return QSettings().value(QStringLiteral("Settings/ver")).toString().trimmed().toUpper();
}

void RegionalVersion::Set(const QString& version)
{
    QSettings().setValue(QStringLiteral("Settings/ver"), version);
}
