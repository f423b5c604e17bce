// The chart's translucent payload surface and its panel drawn into a framebuffer on the sample truck.
#include "GlFrameFixture.h"

#include "draw2d/CFahrzeugDiagramm3D.h"
#include "draw2d/CFahrzeugDiagrammBild.h"
#include "model/document/CQOR1Doc.h"
#include "model/files/FahrzeugImpExp.h"
#include "model/vehicle/CFahrzeug.h"
#include "platform/ResourceModule.h"
#include "view3d/CCamera.h"
#include "view3d/OffscreenFrame.h"

#include <QCoreApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

using Diagramm3DGlTest = GlFrameFixture;

TEST_F(Diagramm3DGlTest, TheSurfaceAndThePanelShowOverTheLoadArea)
{
    CQOR1Doc doc;
    const std::filesystem::path samples = QOR_SAMPLES_DIR;
    auto truck = LoadFahrzeugFromFile(samples / "Vehicles" / "LKW.qor", 0, nullptr, nullptr, false, nullptr);
    ASSERT_TRUE(truck);
    doc.SetFahrzeug(truck.release());
    doc.OnDocumentOpened();
    CFahrzeug& v = *doc.GetFahrzeug();
    CFahrzeugDiagramm3D chart;
    ASSERT_TRUE(chart.BuildMesh(v, static_cast<float>(v.GetMaxNutzlast(true)), false));
    CFahrzeugDiagrammBild picture;
    v.m_Diagramm.m_bNeuZeichnen = 1;
    ASSERT_EQ(picture.Draw(v), 1);

    CCamera camera;
    camera.Set(nullptr, {-9.0f, 8.0f, 3.0f}, {-1.5f, 1.0f, -4.0f}, 0, 0, 0);
    camera.SetDistance(14.0f);
    camera.Update(0.0f, nullptr, {}, true);
    const QSize size(800, 500);
    bool drawn = false;
    const QImage image = m_frame.Render(m_device, size, camera, [&](IRenderDevice& device) {
        device.SetTransform(TransformKind::World, tbMatrixIdentity());
        drawn = chart.Render3D(device) &&
                chart.RenderPanel(device, {0, 0, 0}, picture.GetImage(), v.GetLFBreite());
    });
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(drawn);
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    image.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/chart_surface_panel.png"));

    const tbMatrix vp = camera.GetViewMatrix() * OffscreenFrame::Projection(size, false, 0);
    auto pixel = [&](const tbVector3& p) {
        const tbVector3 ndc = tbVector3TransformCoords(p, vp);
        return QPoint(static_cast<int>((ndc.x + 1) / 2 * size.width()),
                      static_cast<int>((1 - ndc.y) / 2 * size.height()));
    };
    // The surface tints the white behind it; the panel's middle carries the chart's picture.
    const QRgb surface = image.pixel(pixel({0.0f, 0.3f, -v.GetAchse1Position() - 2.0f}));
    EXPECT_NE(surface & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_GT(qGreen(surface), qBlue(surface));
    const float width = std::max(2.5f, v.GetLFBreite());
    const QPoint panel = pixel({-0.5f - width / 2 - 3.5f + 1.75f, 0.01f, -2.1f});
    ASSERT_TRUE(image.rect().contains(panel));
    int marked = 0;
    for (int dy = -20; dy <= 20; ++dy)
        for (int dx = -20; dx <= 20; ++dx)
            marked += (image.pixel(panel + QPoint(dx, dy)) & 0xFFFFFF) != 0xFFFFFFu;
    EXPECT_GT(marked, 0);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
}

// The panel reads as the chart does for someone standing behind the vehicle: the chart's top towards the
// front, its left towards the vehicle's left; an unchanged chart keeps its texture.
TEST_F(Diagramm3DGlTest, ThePanelShowsTheChartTheRightWayRound)
{
    // Quarters of a 290 x 352 picture: red top-left, green top-right, blue bottom-left, black bottom-right.
    QImage quarters(290, 352, QImage::Format_RGB32);
    quarters.fill(Qt::black);
    for (int y = 0; y < 352; ++y)
        for (int x = 0; x < 290; ++x)
            if (y < 176)
                quarters.setPixel(x, y, x < 145 ? qRgb(255, 0, 0) : qRgb(0, 255, 0));
            else if (x < 145)
                quarters.setPixel(x, y, qRgb(0, 0, 255));
    CFahrzeugDiagramm3D chart;
    CCamera camera;
    camera.Set(nullptr, {-5.0f, 9.0f, 2.0f}, {-5.0f, 0.0f, -2.0f}, 0, 0, 0);
    camera.Update(0.0f, nullptr, {}, true);
    const QSize size(600, 600);
    const QImage image = m_frame.Render(m_device, size, camera, [&](IRenderDevice& device) {
        device.SetTransform(TransformKind::World, tbMatrixIdentity());
        EXPECT_TRUE(chart.RenderPanel(device, {0, 0, 0}, quarters, 2.5f));
    });
    ASSERT_FALSE(image.isNull());
    image.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/chart_panel_orientation.png"));
    const tbMatrix vp = camera.GetViewMatrix() * OffscreenFrame::Projection(size, false, 0);
    auto at = [&](float across, float along) {
        // The panel: x from -0.5 - 1.25 - 3.5 to -0.5 - 1.25, z from 0 back by 3.5 x 352 / 290.
        const float x0 = -0.5f - 1.25f - 3.5f, depth = 3.5f * 352.0f / 290.0f;
        const tbVector3 ndc = tbVector3TransformCoords({x0 + across * 3.5f, 0.01f, -along * depth}, vp);
        return image.pixel(static_cast<int>((ndc.x + 1) / 2 * size.width()),
                           static_cast<int>((1 - ndc.y) / 2 * size.height())) &
               0xFFFFFF;
    };
    EXPECT_EQ(at(0.25f, 0.25f), 0xFF0000u);
    EXPECT_EQ(at(0.75f, 0.25f), 0x00FF00u);
    EXPECT_EQ(at(0.25f, 0.75f), 0x0000FFu);
    EXPECT_EQ(at(0.75f, 0.75f), 0x000000u);
}

} // namespace
