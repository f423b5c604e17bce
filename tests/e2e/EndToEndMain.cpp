// Test main of the end-to-end run: the per-user folders (home, XDG data, configuration and cache) in a
// temporary place before anything reads them, Mesa's software driver pinned in memory, the Qt
// application as the program makes it, then the steps.
#include "app/RunningProgram.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Mesa unloads its driver when the last context goes, before the leak check runs; keeping it loaded
    // keeps its allocations matched by the suppressions.
    for (const char* driver :
         {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so", "swrast_dri.so"})
        if (dlopen(driver, RTLD_NOW | RTLD_NODELETE))
            break;
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    for (const char* sub : {"config", "data", "cache", "state"})
        QDir(home.path()).mkpath(QString::fromLatin1(sub));
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toUtf8());
    qputenv("XDG_STATE_HOME", (home.path() + QStringLiteral("/state")).toUtf8());
    // The machine-wide settings of the program must not come from this machine either.
    qputenv("XDG_CONFIG_DIRS", (home.path() + QStringLiteral("/config-system")).toUtf8());
    qputenv("QOR_E2E_HOME", home.path().toUtf8());
    // As the program's main() makes it.
    PrepareApplicationAttributes();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
