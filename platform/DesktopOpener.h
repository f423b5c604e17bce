// Hands a file or folder to the desktop's opener (xdg-open), which shows it in the program the desktop
// chooses for it, and tells when that failed.
#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QProcess;

class DesktopOpener : public QObject
{
    Q_OBJECT

public:
    // Called once when the hand-over failed, with the reason in the user's words.
    using Failed = std::function<void(const QString& reason)>;

    // Starts `program` (found on the PATH) with `path`. A missing file, a program that cannot be started
    // or one that ends with a code other than 0 (no program for the kind of file, none that could open
    // it) calls `failed`, never from inside this call. The opener may run as long as the program it
    // starts; its object goes when it ends.
    static void Open(const QString& path, Failed failed, const QString& program = QStringLiteral("xdg-open"));

private:
    DesktopOpener(const QString& path, Failed failed, const QString& program);
    void Fail(const QString& reason);

    QString m_path;
    QString m_program;
    Failed m_failed;
    QProcess* m_process = nullptr;
};
