// Hands a file or folder to the desktop's opener and tells when that failed.
#include "platform/DesktopOpener.h"

#include "platform/mail/MailTexts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

#include <utility>

namespace {

// What xdg-open's exit codes mean, in the user's words.
QString Grund(int code)
{
    switch (code) {
    case 2:
        return MailText(1743, "The file or folder was not found.");
    case 3:
        return MailText(1744, "No program to show this kind of file is installed.");
    case 4:
        return MailText(1745, "The program for this kind of file could not open it.");
    default:
        return MailText(1746, "The desktop's opener ended with code %1.").arg(code);
    }
}

} // namespace

void DesktopOpener::Open(const QString& path, Failed failed, const QString& program)
{
    // Parented to the application: it outlives the window that asked, and goes with the program.
    new DesktopOpener(path, std::move(failed), program);
}

DesktopOpener::DesktopOpener(const QString& path, Failed failed, const QString& program)
    : QObject(QCoreApplication::instance()), m_path(path), m_program(program), m_failed(std::move(failed))
{
    if (!QFileInfo::exists(path)) {
        QTimer::singleShot(0, this, [this] { Fail(Grund(2)); });
        return;
    }
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit)
            Fail(Grund(-1));
        else if (code != 0)
            Fail(Grund(code));
        else
            deleteLater();
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Fail(MailText(1747, "%1 could not be started: %2").arg(m_program, m_process->errorString()));
    });
    m_process->start(program, {path});
}

void DesktopOpener::Fail(const QString& reason)
{
    if (m_failed) {
        const Failed failed = std::exchange(m_failed, nullptr);
        failed(reason);
    }
    deleteLater();
}
