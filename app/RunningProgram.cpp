// The whole program as main() runs it: start-up, main loop and exit in one place.
#include "app/RunningProgram.h"

#include "app/CMainFrame.h"
#include "app/FrameLoop.h"
#include "view3d/Render3DServiceProvider.h"

#include <QApplication>

RunningProgram::~RunningProgram()
{
    Exit();
    // The application's run, and the 3D services installed in it, go with the application.
    m_app.reset();
    if (m_services3D)
        m_services3D->SetInput(nullptr);
}

CMainFrame* RunningProgram::MainFrame() const
{
    return m_app ? m_app->MainFrame() : nullptr;
}

int RunningProgram::Run()
{
    m_exitCode = m_app->Run();
    Exit();
    return m_exitCode;
}

int RunningProgram::Exit()
{
    if (m_exited)
        return m_exitCode;
    m_exited = true;
    if (m_app)
        m_app->ExitInstance();
    return m_exitCode;
}

void PrepareApplicationAttributes()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

std::unique_ptr<RunningProgram> StartProgram(CQOR2App::Options options, QString* error)
{
    std::unique_ptr<RunningProgram> program(new RunningProgram);
    const QString folder =
        options.programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : options.programFolder;
    // The model cache and textures of the 3D side; they outlive the application object.
    program->m_services3D = std::make_unique<Render3DServiceProvider>(folder);
    program->m_app = std::make_unique<CQOR2App>(std::move(options));
    CQOR2App& app = *program->m_app;
    app.GetProgramRun().Install<IRender3DServices>(program->m_services3D.get());
    // The run's 3D device draws from the services' model cache and takes its input through them.
    View3DDevice& device = app.Device3D();
    device.SetModelCache(&program->m_services3D->Cache());
    program->m_services3D->SetInput(&device.Input());
    // The 3D frame step runs whenever a 3D window is registered.
    app.Loop().SetRenderStep([&device]() { return !device.Registry().empty(); },
                             [&device](double seconds) { device.RenderAll(static_cast<float>(seconds), 0); });
    if (!app.InitInstance()) {
        if (error)
            *error = app.StartError();
        program->Exit();
        return nullptr;
    }
    return program;
}

int RunProgram(int argc, char* argv[])
{
    PrepareApplicationAttributes();
    QApplication qt(argc, argv);
    std::unique_ptr<RunningProgram> program = StartProgram(CQOR2App::OptionsFromEnvironment());
    if (!program)
        return 1;
    return program->Run();
}
