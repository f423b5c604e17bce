// The whole program as main() runs it: what start-up builds, the main loop and what exit releases.
#pragma once

#include "app/CQOR2App.h"

#include <QString>

#include <memory>

class CMainFrame;
class Render3DServiceProvider;

// One running program inside an existing QApplication. main() makes it with StartProgram and runs
// its loop; tests make it the same way and drive the main frame in process.
class RunningProgram
{
public:
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    CQOR2App& App() { return *m_app; }
    CMainFrame* MainFrame() const;
    Render3DServiceProvider& Services3D() { return *m_services3D; }

    // The main loop until the last window closes, then Exit(); answers the program's exit code.
    int Run();
    // The exit calls: the model cache and the input released, the lock given back, and (only in the
    // process that held the lock) the pictures no file refers to deleted. Safe to call more than once;
    // the destructor calls it.
    int Exit();

private:
    friend std::unique_ptr<RunningProgram> StartProgram(CQOR2App::Options options, QString* error);
    RunningProgram() = default;

    std::unique_ptr<Render3DServiceProvider> m_services3D;
    std::unique_ptr<CQOR2App> m_app;
    bool m_exited = false;
    int m_exitCode = 0;
};

// What has to be set before the QApplication is made (all 3D views share one copy of each model's
// buffers).
void PrepareApplicationAttributes();

// Builds the whole program in the running QApplication: the 3D services and the model cache, the
// application object with its start-up (language, main frame, folders, every service the windows use,
// the OpenGL probe and the model preload) and the main loop's 3D frame step. Null when start-up ended
// the program; `error` then holds the reason (already shown to the user or written to stderr).
std::unique_ptr<RunningProgram> StartProgram(CQOR2App::Options options, QString* error = nullptr);

// main(): attributes, the QApplication, StartProgram with the options of the process, the loop.
int RunProgram(int argc, char* argv[]);
