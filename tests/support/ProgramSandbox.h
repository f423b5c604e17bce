// A program folder and user folders of a test's own, for tests that start the whole program in process
// the way main() starts it.
#pragma once

#include "app/CQOR2App.h"
#include "app/RunningProgram.h"
#include "tests/support/ProcessUntil.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <system_error>

// A temporary folder holding the program folder (the built language module and a copy of the sample
// files), the settings and the XDG data folder. Prepare() points the settings and XDG_DATA_HOME there;
// the destructor gives XDG_DATA_HOME back. Call Prepare() inside ASSERT_NO_FATAL_FAILURE.
class ProgramSandbox
{
public:
    ProgramSandbox() = default;
    ~ProgramSandbox() { RestoreDataHome(); }
    ProgramSandbox(const ProgramSandbox&) = delete;
    ProgramSandbox& operator=(const ProgramSandbox&) = delete;

    void Prepare()
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.filePath(QStringLiteral("program")) + QLatin1Char('/');
        QDir().mkpath(m_folder);
        const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/Resource_EN.rcc");
        ASSERT_TRUE(QFile::copy(built, m_folder + QStringLiteral("Resource_EN.rcc")));
        std::error_code ec;
        std::filesystem::copy(QOR_SAMPLES_DIR, (m_folder + QStringLiteral("Samples")).toStdString(),
                              std::filesystem::copy_options::recursive, ec);
        ASSERT_FALSE(ec) << ec.message();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Path(QStringLiteral("config")));
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, Path(QStringLiteral("system")));
        UseDataHome();
    }

    // Points XDG_DATA_HOME at the sandbox's data folder (again, after RestoreDataHome()).
    void UseDataHome()
    {
        if (!m_dataHomeSet) {
            m_oldDataHome = qgetenv("XDG_DATA_HOME");
            m_dataHomeSet = true;
        }
        qputenv("XDG_DATA_HOME", Path(QStringLiteral("data")).toUtf8());
    }

    // Gives XDG_DATA_HOME the value it had before Prepare().
    void RestoreDataHome()
    {
        if (m_dataHomeSet)
            qputenv("XDG_DATA_HOME", m_oldDataHome);
    }

    // The program folder, with a closing slash.
    const QString& Folder() const { return m_folder; }
    // A path inside the temporary folder.
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Settings that make the next start not a first one (something was opened before), so nothing
    // opens by itself.
    void MarkNotFirstStart() const
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Korvelandt"));
        QCoreApplication::setApplicationName(QStringLiteral("QOR"));
        QSettings().setValue(QStringLiteral("Recent File List/File1"), Path(QStringLiteral("gone.qor")));
    }

    // The options of an ordinary start on this program folder, without the splash time, on a 96 DPI
    // screen; the OpenGL probe answers OK at 50 Hz.
    CQOR2App::Options Options() const
    {
        CQOR2App::Options options;
        options.programFolder = m_folder;
        options.arguments = QStringList{QStringLiteral("qor")};
        options.splashMs = 0;
        options.probe = [](const QString&) {
            GlProbeResult result;
            result.status = GlProbeResult::Status::Ok;
            result.refreshRate = 50.0;
            return result;
        };
        options.screenDpi = [] { return 96; };
        return options;
    }

private:
    QTemporaryDir m_dir;
    QString m_folder;
    QByteArray m_oldDataHome;
    bool m_dataHomeSet = false;
};

// Starts the program with `options` as main() does and waits for the main frame's after-start message.
// Call inside ASSERT_NO_FATAL_FAILURE.
inline void StartProgramAndWait(const CQOR2App::Options& options, std::unique_ptr<RunningProgram>& program)
{
    QString error;
    program = StartProgram(options, &error);
    ASSERT_TRUE(program) << error.toStdString();
    ASSERT_TRUE(ProcessUntil([&] { return program->MainFrame()->AfterStartDone(); }));
}
