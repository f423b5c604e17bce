// Entry point of the load-planning program: the application object does the rest.
#include "app/CQOR2App.h"
#include "app/FrameLoop.h"
#include "view3d/CQOR3DView.h"
#include "view3d/CTimerManager.h"
#include "view3d/Render3DServiceProvider.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // All 3D views share one copy of each model's buffers.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qt(argc, argv);
    // The model cache and textures of the 3D side; it outlives the application object.
    Render3DServiceProvider services3D(QCoreApplication::applicationDirPath());
    SetCurrent3DServices(&services3D);
    CQOR3DView::SetModelCache(&services3D.Cache());
    CQOR2App app(CQOR2App::OptionsFromEnvironment());
    // The 3D frame step runs whenever a 3D window is registered.
    app.Loop().SetRenderStep(
        []() { return !CTimerManager::Registry().empty(); },
        [](double seconds) { CTimerManager::RenderAll(static_cast<float>(seconds), 1); });
    if (!app.InitInstance())
        return 1;
    return app.Run();
}
