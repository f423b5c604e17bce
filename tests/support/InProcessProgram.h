// The program started in process as main() starts it, for the end-to-end runs that drive it step by
// step, and a watch that keeps an unexpected modal dialog from hanging a run.
#pragma once

#include "app/CQOR2App.h"
#include "app/FrameLoop.h"
#include "app/RunningProgram.h"
#include "tests/support/ProcessUntil.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

// Processes events (the program's frame loop runs on its timer meanwhile) until `done` holds; gives up
// after `guardMs`, a guard against hanging, not a timing check. Answers whether `done` held.
inline bool WaitFor(const std::function<bool()>& done, int guardMs = 30000)
{
    return ProcessUntil(done, guardMs);
}

// Starts the program with the start-up function main() calls, with the process's options and these
// arguments after the program's name. The steps run the event loop themselves, so the frame loop is
// started as Run() starts it before it waits in the loop. Null when start-up ended the program.
inline std::unique_ptr<RunningProgram> LaunchAsMain(const QStringList& arguments, QString* error)
{
    CQOR2App::Options options = CQOR2App::OptionsFromEnvironment();
    options.arguments = QStringList{QStringLiteral("qor")} + arguments;
    std::unique_ptr<RunningProgram> program = ::StartProgram(options, error);
    if (program)
        program->App().Loop().Start();
    return program;
}

// Ends the program as Run() does once its last window closed: the loop stops, then the exit calls.
inline void EndAsRun(std::unique_ptr<RunningProgram>& program)
{
    if (!program)
        return;
    program->App().Loop().Stop();
    program->Exit();
    program.reset();
}

// Watches for a modal dialog that no step expects: one that stays open for `guardMs` is handed to
// `keep` (to keep a picture of it), named in a failure and closed, so a step that runs into an
// unexpected question fails instead of hanging.
class StrayModalWatch : public QObject
{
public:
    StrayModalWatch(int guardMs, std::function<void(QWidget* modal)> keep)
        : m_guardMs(guardMs), m_keep(std::move(keep))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { Check(); });
        m_timer.start(250);
    }

private:
    void Check()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != m_seen) {
            m_seen = modal;
            m_since.start();
            return;
        }
        if (!modal || m_since.elapsed() < m_guardMs)
            return;
        ADD_FAILURE() << "an unexpected dialog stayed open: " << modal->metaObject()->className() << " \""
                      << modal->windowTitle().toStdString() << "\"";
        if (m_keep)
            m_keep(modal);
        m_since.start();
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    }

    int m_guardMs;
    std::function<void(QWidget*)> m_keep;
    QTimer m_timer;
    QPointer<QWidget> m_seen;
    QElapsedTimer m_since;
};
