// Running external programs: exit codes, time-outs that leave the process running, start failures.
#include "platform/ProcessRunner.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ProcessRunnerTest, ProcessesThatEndInTimeGiveTheirExitCode)
{
    struct Case
    {
        const char* command;
        int exitCode;
    };
    const Case cases[] = {
        {"sh -c \"exit 0\"", 0},
        {"sh -c \"exit 3\"", 3},
        {"sh -c \"exit ${#0}\" \"two words\"", 9},         // a quoted argument stays whole: 9 characters
        {"sh -c \"kill -KILL $$\"", PROCESS_NO_EXIT_CODE}, // killed: no exit code
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        int exitCode = 99;
        EXPECT_TRUE(RunProcessAndWait(QString::fromUtf8(c.command), &exitCode, 30000));
        EXPECT_EQ(exitCode, c.exitCode);
    }
}

TEST(ProcessRunnerTest, AProcessThatCannotStartLeavesTheExitCodeAlone)
{
    for (const char* command : {"/nonexistent/program --flag", "", "   "}) {
        SCOPED_TRACE(command);
        int exitCode = 99;
        EXPECT_FALSE(RunProcessAndWait(QString::fromUtf8(command), &exitCode, 1000));
        EXPECT_EQ(exitCode, 99);
    }
}

TEST(ProcessRunnerTest, ATimeOutLeavesTheProcessRunning)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("done"));
    int exitCode = 99;
    EXPECT_FALSE(
        RunProcessAndWait(QStringLiteral("sh -c \"sleep 0.5; touch '%1'\"").arg(marker), &exitCode, 20));
    EXPECT_EQ(exitCode, PROCESS_TIMED_OUT);
    EXPECT_EQ(ProcessesLeftRunning(), 1);
    EXPECT_FALSE(QFileInfo::exists(marker));

    // The process goes on and finishes its work; the event loop then collects it.
    QDeadlineTimer deadline(20000);
    while (ProcessesLeftRunning() > 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ProcessesLeftRunning(), 0);
    EXPECT_TRUE(QFileInfo::exists(marker));
}

} // namespace
