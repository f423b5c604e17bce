// Test main for Qt-side suites: a QApplication on the offscreen platform, with settings and data
// folders in a temporary place so no test touches the user's own.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir home;
    for (const char* var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
        const QString path = home.path() + QLatin1Char('/') + QLatin1String(var);
        QDir().mkpath(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv(var, path.toUtf8());
    }
#ifdef QOR_TEST_QPA_PLATFORM
    // A suite that needs a screen of its own names the platform with its options.
    qputenv("QT_QPA_PLATFORM", QOR_TEST_QPA_PLATFORM);
#else
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
#endif
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
