// The language menu of a started program with two language modules: the modules found, the running
// language's check mark, and the switch that keeps another language for the next start.
#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/CQORRibbonBar.h"
#include "model/text/TextProvider.h"
#include "platform/MenuResource.h"
#include "platform/ResourceModule.h"
#include "tests/support/ProgramSandbox.h"
#include "ui/ScriptedMessageBoxService.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainFrameLanguageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(m_sandbox.Prepare());
        m_program = m_sandbox.Folder();
        // The German module beside the English one.
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Resource_DE.rcc"),
                                m_program + QStringLiteral("Resource_DE.rcc")));
        QCoreApplication::setOrganizationName(QStringLiteral("Korvelandt"));
        QCoreApplication::setApplicationName(QStringLiteral("QOR"));
    }
    void TearDown() override { m_sandbox.RestoreDataHome(); }

    CQOR2App::Options Options() const
    {
        CQOR2App::Options options = m_sandbox.Options();
        options.probe = [](const QString&) {
            GlProbeResult result;
            result.status = GlProbeResult::Status::Ok;
            result.refreshRate = 60.0;
            return result;
        };
        return options;
    }

    // The language sub-menu of the options popup, as it is when it opens.
    static QMenu* OpenLanguageMenu(CMainFrame* frame)
    {
        auto* options = qobject_cast<QToolButton*>(frame->Ribbon()->Control(802));
        QMenu* languages = options ? options->menu()->actions().value(0)->menu() : nullptr;
        if (languages)
            emit languages->aboutToShow();
        return languages;
    }

    ProgramSandbox m_sandbox;
    QString m_program; // the program folder
    ScriptedMessageBoxService m_boxes;
};

// Starts the program and waits until its start-up has finished.
bool Start(CQOR2App& app)
{
    if (!app.InitInstance())
        return false;
    QElapsedTimer guard;
    guard.start();
    while (!app.MainFrame()->AfterStartDone() && guard.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return true;
}

// The names of the language menu's items and which one carries the mark.
QStringList MenuNames(QMenu* languages)
{
    QStringList names;
    for (QAction* action : languages->actions())
        names << action->text() + (action->isChecked() ? QStringLiteral(" *") : QString());
    return names;
}

TEST_F(MainFrameLanguageTest, MenuListsTheModulesAndSwitchingKeepsTheChoiceForTheNextStart)
{
    CQOR2App app(Options());
    ASSERT_TRUE(app.InitInstance()) << app.StartError().toStdString();
    CMainFrame* frame = app.MainFrame();
    ASSERT_TRUE(frame && frame->Ribbon());
    QElapsedTimer guard;
    guard.start();
    while (!frame->AfterStartDone() && guard.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    m_boxes.Clear();
    ASSERT_EQ(app.Languages(), (QStringList{QStringLiteral("DE"), QStringLiteral("EN")}));

    QMenu* languages = OpenLanguageMenu(frame);
    ASSERT_TRUE(languages);
    QStringList names;
    QList<bool> checked;
    for (QAction* action : languages->actions()) {
        names << action->text();
        checked << action->isChecked();
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("German"), QStringLiteral("English")}));
    EXPECT_EQ(checked, (QList<bool>{false, true})); // the running language

    auto lang = [] { return QSettings().value(QStringLiteral("Settings/lang")).toString(); };
    ASSERT_EQ(lang(), QStringLiteral("EN"));
    struct Step
    {
        int command;
        const char* written;
        bool told;
    };
    const Step steps[] = {
        {1401, "EN", false}, // the running language: nothing happens
        {1400, "DE", true},  // German from the next start, and the user is told so
        {1400, "DE", false}, // chosen again: nothing
        {1401, "EN", false}, // back to the running language: written, no restart needed
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        m_boxes.Clear();
        EXPECT_TRUE(frame->OnCommand(step.command));
        EXPECT_EQ(lang(), QString::fromUtf8(step.written));
        ASSERT_EQ(m_boxes.Records().size(), step.told ? 1 : 0);
        if (step.told) {
            EXPECT_EQ(m_boxes.Records()[0].text,
                      QStringLiteral("The new language takes effect the next time you start the program."));
            OpenLanguageMenu(frame);
            EXPECT_TRUE(languages->actions()[0]->isChecked()); // the chosen one carries the mark
        }
    }
    app.ExitInstance();
}

TEST_F(MainFrameLanguageTest, TheNextStartRunsInTheLanguageChosen)
{
    {
        CQOR2App app(Options());
        ASSERT_TRUE(Start(app)) << app.StartError().toStdString();
        ASSERT_EQ(app.LanguageCode(), QStringLiteral("EN"));
        EXPECT_FALSE(ResourceModule::GermanInterface());
        EXPECT_TRUE(app.MainFrame()->OnCommand(1400));
        app.ExitInstance();
    }
    CQOR2App app(Options());
    ASSERT_TRUE(Start(app)) << app.StartError().toStdString();
    EXPECT_EQ(app.LanguageCode(), QStringLiteral("DE"));
    ASSERT_TRUE(ResourceModule::Current());
    EXPECT_EQ(ResourceModule::Current()->Code(), QStringLiteral("DE"));
    EXPECT_TRUE(ResourceModule::GermanInterface());
    // The frame's own texts come from the German module.
    EXPECT_EQ(QString::fromStdString(LoadResString(331)),
              QStringLiteral("Die neue Sprache gilt ab dem nächsten Programmstart."));
    QMenu* languages = OpenLanguageMenu(app.MainFrame());
    ASSERT_TRUE(languages);
    EXPECT_EQ(MenuNames(languages), (QStringList{QStringLiteral("Deutsch *"), QStringLiteral("Englisch")}));
    // Back to English: written, and the user is told in the language running now.
    m_boxes.Clear();
    EXPECT_TRUE(app.MainFrame()->OnCommand(1401));
    EXPECT_EQ(QSettings().value(QStringLiteral("Settings/lang")).toString(), QStringLiteral("EN"));
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].text, QString::fromStdString(LoadResString(331)));
    app.ExitInstance();
}

} // namespace
