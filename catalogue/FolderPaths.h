// Path tests the catalogue dialogs share: inside a folder by whole components, relative display.
#pragma once

#include <QString>

namespace FolderPaths {

// `path` without trailing slashes (the root "/" stays).
QString WithoutSlash(QString path);
// `path` with one trailing slash.
QString WithSlash(const QString& path);
// Whether `path` is `base` or lies below it, compared on whole path components.
bool IsInside(const QString& path, const QString& base);
// `path` relative to `base` (empty for the base itself); `path` itself when it is not inside.
QString Relative(const QString& path, const QString& base);

} // namespace FolderPaths
