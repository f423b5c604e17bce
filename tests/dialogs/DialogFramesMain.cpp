// Test main for the dialog frame suite: a QApplication on the offscreen platform with one screen of
// 1024 x 768 pixels, the smallest the program is made for, and settings and data folders in a
// temporary place.
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
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QOR_TEST_DATA_DIR "/screen_1024x768.json");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
