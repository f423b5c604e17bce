// The 3D view without OpenGL (an empty window with its strips) and its settings dialog acting on it.
#include "model/document/CQOR1Doc.h"
#include "platform/ResourceModule.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "view3d/CDlg3DViewSettings.h"
#include "view3d/CQOR3DView.h"
#include "view3d/View3DDevice.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

class View3DSettingsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_module =
            ResourceModule::Load(QStringLiteral("EN"), QCoreApplication::applicationDirPath(), nullptr);
        ResourceModule::SetCurrent(m_module.get());
        m_view = std::make_unique<CQOR3DView>(&m_doc, m_device);
        m_view->resize(700, 500);
        m_view->OnInitialUpdate();
    }
    void TearDown() override
    {
        m_view.reset();
        ResourceModule::SetCurrent(nullptr);
    }
    QCheckBox* Box(CDlg3DViewSettings& dialog, int id)
    {
        return dialog.findChild<QCheckBox*>(QStringLiteral("id_%1").arg(id));
    }

    std::unique_ptr<ResourceModule> m_module;
    CQOR1Doc m_doc;
    View3DDevice m_device;
    std::unique_ptr<CQOR3DView> m_view;
};

TEST_F(View3DSettingsTest, WithoutOpenGLTheViewIsAnEmptyWindowWithItsStrips)
{
    EXPECT_EQ(m_view->GlWidget(), nullptr);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(m_view->Strip(i), nullptr);
        EXPECT_TRUE(m_view->Strip(i)->HasWindow());
    }
    m_view->OnViewNotify(AnsichtMeldung::kRaender, AnsichtWert::Raender(QPoint(0, 0)));
    EXPECT_EQ(m_view->Strip(0)->pos(), QPoint(15, 10));
    EXPECT_EQ(m_view->Strip(1)->pos().x(), 15 + m_view->Strip(0)->width() + 10);
    EXPECT_EQ(m_view->OnResetDevice(), 1);
    EXPECT_EQ(m_view->Present(), 1);
    m_view->Render(0.0f);
    EXPECT_EQ(m_view->RenderCount(), 0);
    const QImage picture = m_view->RenderPicture(QSize(200, 100));
    EXPECT_EQ(picture.pixel(100, 50) & 0xFFFFFF, 0xFFFFFFu);
    // Hints other than 55 and 66 leave the view clean.
    m_view->Move(0.0f);
    using H = UpdateHinweis;
    for (const H hint : {H::kLadungen, H::kNeuZeichnen, H::kLadeflaeche, H::kNeuBerechnet, H::kBearbeitet}) {
        SCOPED_TRACE(int(hint));
        m_view->Render(0.0f);
        const int before = m_view->IsDirty();
        m_view->OnUpdate(nullptr, hint);
        EXPECT_EQ(m_view->IsDirty(), hint == H::kNeuBerechnet || hint == H::kBearbeitet ? 1 : before);
    }
}

TEST_F(View3DSettingsTest, EachViewRendersOnItsOwnDeviceAndLeavesIt)
{
    View3DDevice other;
    EXPECT_EQ(m_view->Device3D(), &m_device);
    {
        CQOR3DView second(&m_doc, other);
        EXPECT_EQ(second.Device3D(), &other);
        EXPECT_EQ(m_device.Registry(), std::vector<CTimerManager*>{m_view.get()});
        EXPECT_EQ(other.Registry(), std::vector<CTimerManager*>{&second});
    }
    EXPECT_TRUE(other.Registry().empty());
    EXPECT_EQ(m_device.Registry(), std::vector<CTimerManager*>{m_view.get()});
}

TEST_F(View3DSettingsTest, TheScreenshotFrameStaysWithinItsBound)
{
    const struct
    {
        QSize client;
        QRect frame;
    } cases[] = {
        {{700, 500}, {46 + 26, 1, 646, 498}},
        {{400, 300}, {46, 1, 398, 298}},
        {{1000, 900}, {46 + 176, 56, 646, 788}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.client.width());
        m_view->viewport()->resize(c.client);
        EXPECT_EQ(m_view->FrameRect(), c.frame);
        const QRect shot = CQOR3DView::ScreenshotRect(c.client, QSize(1280, 1024));
        EXPECT_LE(shot.width(), 648);
        EXPECT_LE(shot.height(), 790);
        EXPECT_EQ(shot.center().x(), (c.client.width() - 1) / 2);
    }
}

TEST_F(View3DSettingsTest, EachBoxActsOnTheViewAtOnce)
{
    CDlg3DViewSettings dialog;
    dialog.m_nCheck = m_view->GetSettings();
    dialog.m_pView = m_view.get();
    dialog.InitDialog();
    for (const CDlg3DViewSettings::Box& box : CDlg3DViewSettings::kBoxes) {
        SCOPED_TRACE(box.id);
        QCheckBox* check = Box(dialog, box.id);
        ASSERT_NE(check, nullptr);
        const bool was = check->isChecked();
        m_view->Render(0.0f);
        check->click();
        const int now = was ? 0 : 1;
        const int switched = box.flag >= 0 ? m_view->Renderer().Flags()[box.flag] : m_view->GetShowFrame();
        EXPECT_EQ(switched, now);
        EXPECT_EQ(m_view->IsDirty(), 1);
    }
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/view3d"));
    EXPECT_TRUE(dialog.grab().save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/view3d/dialog_view_settings.png")));
    // The view's settings in exchange order follow the boxes.
    const std::array<int, CQOR3DView::kSettingCount> settings = m_view->GetSettings();
    for (std::size_t i = 0; i < settings.size(); ++i)
        EXPECT_EQ(settings[i], Box(dialog, CDlg3DViewSettings::kBoxes[i].id)->isChecked() ? 1 : 0);
}

TEST_F(View3DSettingsTest, OrthographicOnAndOffRestoresTheCameraDistance)
{
    m_view->Camera().SetDistance(12.5f);
    CDlg3DViewSettings dialog;
    dialog.m_nCheck = m_view->GetSettings();
    dialog.m_pView = m_view.get();
    dialog.InitDialog();
    QCheckBox* ortho = Box(dialog, 1160);
    ortho->click();
    EXPECT_TRUE(m_view->Camera().IsOrthographic());
    EXPECT_FLOAT_EQ(m_view->Camera().Distance(), 50.0f);
    ortho->click();
    EXPECT_FALSE(m_view->Camera().IsOrthographic());
    EXPECT_NEAR(m_view->Camera().Distance(), 12.5f, 1e-4f);
}

TEST_F(View3DSettingsTest, CancelKeepsTheClickedSwitchesAndOkHandsTheValuesBack)
{
    const struct
    {
        bool withView;
        bool ok;
    } cases[] = {{true, false}, {true, true}, {false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.withView * 10 + c.ok);
        const SAnsicht3DFlags before = m_view->Renderer().Flags();
        CDlg3DViewSettings dialog;
        dialog.m_nCheck = m_view->GetSettings();
        dialog.m_pView = c.withView ? m_view.get() : nullptr;
        dialog.InitDialog();
        // Loading yard (switch 3) off.
        QTimer::singleShot(0, &dialog, [&] {
            Box(dialog, 1154)->click();
            CommandEvent end(c.ok ? CDlgBase::kIdOk : CDlgBase::kIdCancel);
            QCoreApplication::sendEvent(&dialog, &end);
        });
        EXPECT_EQ(dialog.exec(), c.ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(m_view->Renderer().Flags()[3], c.withView ? 0 : before[3]);
        if (c.ok) {
            EXPECT_EQ(dialog.m_nCheck[1], 0);
        }
        // Only the box changed without a view; everything else as it was.
        for (int i = 0; i < SAnsicht3DFlags::COUNT; ++i) {
            if (i != 3) {
                EXPECT_EQ(m_view->Renderer().Flags()[i], before[i]);
            }
        }
        m_view->Renderer().Flags()[3] = 1;
    }
}

} // namespace
