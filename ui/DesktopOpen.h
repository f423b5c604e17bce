// Showing a file or folder with the desktop's program for it, a failure said in a message box.
#pragma once

#include <QString>

class QWidget;

// Hands `path` to the desktop's opener; when that fails (no such file, no program for its kind, the
// program could not open it) a message box over `owner` (while it lives) names the file and the reason.
void OpenOnDesktop(QWidget* owner, const QString& path, const QString& program = QStringLiteral("xdg-open"));
