// Running an external program and waiting for it with a time-out.
#include "platform/ProcessRunner.h"

#include <QProcess>
#include <QStringList>

#include <memory>
#include <mutex>
#include <set>

namespace {

// Processes left running after their time-out; each removes itself when its process has ended. The
// list is the process's own (the programs it started, whichever caller started them) and is reached
// from the callers' threads and from the finished signals, so it is one for the process with its lock
// beside it; made on first use, which C++ makes thread-safe.
struct LeftRunningList
{
    std::mutex mutex;
    std::set<QProcess*> processes;
};

LeftRunningList& LeftRunning()
{
    static LeftRunningList processes;
    return processes;
}

} // namespace

int ProcessesLeftRunning()
{
    std::lock_guard lock(LeftRunning().mutex);
    return static_cast<int>(LeftRunning().processes.size());
}

bool RunProcessAndWait(const QString& commandLine, int* exitCode, int timeoutMs)
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();

    auto process = std::make_unique<QProcess>();
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(program, arguments, QIODevice::NotOpen);
    if (!process->waitForStarted(-1))
        return false;

    if (!process->waitForFinished(timeoutMs < 0 ? 0 : timeoutMs) &&
        process->state() != QProcess::NotRunning) {
        if (exitCode)
            *exitCode = PROCESS_TIMED_OUT;
        // Destroying a QProcess kills its process. This one is left running: the object lives on and
        // removes itself once the process has ended.
        QProcess* running = process.release();
        {
            std::lock_guard lock(LeftRunning().mutex);
            LeftRunning().processes.insert(running);
        }
        QObject::connect(running, &QProcess::finished, running, [running] {
            {
                std::lock_guard lock(LeftRunning().mutex);
                LeftRunning().processes.erase(running);
            }
            running->deleteLater();
        });
        return false;
    }
    if (exitCode)
        *exitCode =
            process->exitStatus() == QProcess::NormalExit ? process->exitCode() : PROCESS_NO_EXIT_CODE;
    return true;
}
