// The main window with its ribbon and status bar: what it shows without a document, the recent files,
// the frame's own commands, and its picture.
#include "AppTestModule.h"

#include "app/CMainFrame.h"
#include "app/CQOR2App.h"
#include "app/CQOR2StatusBar.h"
#include "app/CQORRibbonBar.h"
#include "app/CQORRibbonSystemPopupBar.h"
#include "platform/MenuResource.h"
#include "platform/SystemInfo.h"
#include "ui/CWndSlider.h"
#include "ui/ControlId.h"
#include "ui/ScriptedMessageBoxService.h"
#include "view3d/View3DDevice.h"
#include "views/CWndSliderFactory.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainFrameBarsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().clear();
        m_app = std::make_unique<CQOR2App>(CQOR2App::Options());
    }
    void Build()
    {
        ASSERT_TRUE(m_frame.CreateStatusBar());
        ASSERT_TRUE(m_frame.LoadRibbonIcons());
        ASSERT_TRUE(m_frame.CreateRibbon());
        m_frame.resize(1200, 800);
    }

    AppTestModule m_module;
    ScriptedMessageBoxService m_boxes;
    std::unique_ptr<CQOR2App> m_app;
    ProgramRun m_run;
    View3DDevice m_device3D;
    CMainFrame m_frame{m_run, m_device3D};
};

TEST_F(MainFrameBarsTest, TheViewsGetRealSlidersFromTheFrame)
{
    ASSERT_TRUE(dynamic_cast<CWndSliderFactory*>(&ISliderFactory::Of(&m_run)));
    QWidget view;
    std::unique_ptr<IValueSlider> slider =
        ISliderFactory::Of(&m_run).Create(16, 1.5, 0.0, 40.0, QPoint(30, 30), &view, true);
    ASSERT_TRUE(slider);
    const QList<CWndSlider*> windows = view.findChildren<CWndSlider*>();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_EQ(windows.front()->Kind(), 16);
    EXPECT_DOUBLE_EQ(slider->GetValue(), 1.5);
    slider.reset();
    EXPECT_TRUE(view.findChildren<CWndSlider*>().isEmpty());
}

TEST_F(MainFrameBarsTest, WithoutADocumentOnlyCommandsWithHandlersAreEnabled)
{
    Build();
    ASSERT_TRUE(m_frame.Ribbon());
    EXPECT_EQ(m_frame.menuWidget(), m_frame.Ribbon());
    EXPECT_EQ(m_frame.statusBar(), m_frame.StatusBar());
    m_frame.UpdateCommandUI();
    for (const RibbonBar::ControlRef& control : m_frame.Ribbon()->Controls()) {
        SCOPED_TRACE(control.spec.id);
        const bool expected = control.spec.id == 633 || control.spec.id == 802;
        EXPECT_EQ(control.widget->isEnabled(), expected);
        if (control.spec.id != 802 && control.widget->isEnabled()) {
            // Only a command with a handler is ever enabled; the document commands need a document
            // or their dialog.
            EXPECT_TRUE(m_frame.Commands().HasHandler(unsigned(control.spec.id)));
        }
    }
    // Exit and the page setup work without a document; the recent files' heading is no command.
    for (QAction* action : m_frame.Ribbon()->SystemPopup()->actions()) {
        const int id = MenuResource::CommandOf(action);
        if (id > 0) {
            EXPECT_EQ(action->isEnabled(), id == 0xE141 || id == 0xE106) << id;
        }
    }
    // No 3D services: the 3D settings are disabled; the configuration file can always be deleted.
    QMenu* options = qobject_cast<QToolButton*>(m_frame.Ribbon()->Control(802))->menu();
    emit options->aboutToShow();
    for (QAction* action : options->actions()) {
        const int id = MenuResource::CommandOf(action);
        if (id > 0) {
            EXPECT_EQ(action->isEnabled(), id != 33269) << id;
        }
    }
    for (int pane : {CQOR2StatusBar::kMassPane, CQOR2StatusBar::kLoadPane})
        EXPECT_TRUE(m_frame.StatusBar()->Pane(pane)->text().isEmpty());
}

TEST_F(MainFrameBarsTest, SystemPopupListsTheRecentFilesNewestFirst)
{
    m_app->AddToRecentFileList(QStringLiteral("/data/vehicles/Truck 7.5 t.qor"));
    m_app->AddToRecentFileList(QStringLiteral("/data/combinations/Tractor with reefer.kmb"));
    Build();
    CQORRibbonSystemPopupBar* popup = m_frame.Ribbon()->SystemPopup();
    emit popup->aboutToShow();
    QStringList shown;
    bool afterHeading = false;
    for (QAction* action : popup->actions()) {
        const int id = MenuResource::CommandOf(action);
        if (id == 33271) {
            afterHeading = true;
            EXPECT_EQ(action->text(), QStringLiteral("Recent files"));
            continue;
        }
        if (id >= 0xE110 && id < 0xE120) {
            EXPECT_TRUE(afterHeading);
            shown << action->text();
        }
    }
    EXPECT_EQ(shown, (QStringList{QStringLiteral("&1  Tractor with reefer.kmb"),
                                  QStringLiteral("&2  Truck 7.5 t.qor")}));
    popup->adjustSize();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    popup->grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/main_system_popup.png"));
    EXPECT_GE(popup->actionGeometry(popup->actions().value(0)).height(), 32); // room for 32 x 32 icons
    // Opening the popup again does not repeat them.
    emit popup->aboutToShow();
    int count = 0;
    for (QAction* action : popup->actions())
        count +=
            MenuResource::CommandOf(action) >= 0xE110 && MenuResource::CommandOf(action) < 0xE120 ? 1 : 0;
    EXPECT_EQ(count, 2);
}

TEST_F(MainFrameBarsTest, DeletingThe3DSettingsRemovesTheFileAndSaysSo)
{
    Build();
    const QString path = GetUserDataPath(QStringLiteral("Direct3D.tbc"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(72, '\1'));
    }
    EXPECT_TRUE(m_frame.OnCommand(33338));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(m_boxes.Records().size(), 1);
    EXPECT_EQ(m_boxes.Records()[0].caption, QStringLiteral("3D settings"));
    EXPECT_EQ(m_boxes.Records()[0].text,
              QStringLiteral("The 3D settings apply the next time you start the program."));
    // Without the file there is nothing to say.
    EXPECT_TRUE(m_frame.OnCommand(33338));
    EXPECT_EQ(m_boxes.Records().size(), 1);
    // Without its dialog, Open does nothing.
    EXPECT_TRUE(m_frame.OnCommand(33101));
    EXPECT_EQ(m_boxes.Records().size(), 1);
}

TEST_F(MainFrameBarsTest, PictureOfTheMainWindow)
{
    Build();
    m_frame.show();
    m_frame.UpdateCommandUI();
    const QImage picture = m_frame.grab().toImage();
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    picture.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/main_window.png"));
    // The ribbon's light blue at the top, the status bar's at the bottom.
    const QColor top = picture.pixelColor(600, m_frame.Ribbon()->height() - 6);
    EXPECT_GT(top.blue(), top.red() + 15);
    const QColor bottom = picture.pixelColor(5, picture.height() - 4);
    EXPECT_GT(bottom.blue(), bottom.red() + 15);
    EXPECT_EQ(m_frame.Ribbon()->geometry().top(), 0);
    EXPECT_GE(m_frame.StatusBar()->geometry().bottom(), picture.height() - 2);
}

} // namespace
