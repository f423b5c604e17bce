// Path tests the catalogue dialogs share: inside a folder by whole components, relative display.
#include "catalogue/FolderPaths.h"

#include <QDir>

namespace FolderPaths {

QString WithoutSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QString WithSlash(const QString& path)
{
    const QString plain = WithoutSlash(path);
    return plain.endsWith(QLatin1Char('/')) ? plain : plain + QLatin1Char('/');
}

bool IsInside(const QString& path, const QString& base)
{
    if (path.isEmpty() || base.isEmpty())
        return false;
    const QString p = QDir::cleanPath(path);
    const QString b = QDir::cleanPath(base);
    if (b == QLatin1String("/"))
        return p.startsWith(QLatin1Char('/'));
    return p == b || p.startsWith(b + QLatin1Char('/'));
}

QString Relative(const QString& path, const QString& base)
{
    if (!IsInside(path, base))
        return path;
    const QString p = QDir::cleanPath(path);
    const QString b = QDir::cleanPath(base);
    return p.mid(b.size()).mid(p.size() > b.size() ? 1 : 0);
}

} // namespace FolderPaths
