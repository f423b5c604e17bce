// Test main for the OpenGL suites: a QApplication on a real window system (run under xvfb-run),
// with Mesa's software driver pinned in memory first.
#include "platform/gl/GlContextProbe.h"

#include <QApplication>
#include <QSurfaceFormat>

#include <gtest/gtest.h>

#include <dlfcn.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Mesa unloads its driver when the last context goes, before the leak check runs; the driver's
    // allocations then have no library to match the suppressions against. Keeping it loaded keeps
    // them matched.
    for (const char* driver :
         {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so", "swrast_dri.so"})
        if (dlopen(driver, RTLD_NOW | RTLD_NODELETE))
            break;
    QSurfaceFormat::setDefaultFormat(GlContextProbe::Format());
    // The 3D views share one copy of each model's buffers, as in the program.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
