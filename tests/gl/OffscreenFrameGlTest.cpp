// The offscreen frame under OpenGL: any size, white background, the camera's projection, depth cleared.
#include "GlFixture.h"

#include "view3d/CCamera.h"
#include "view3d/OffscreenFrame.h"

#include <QDir>

#include <cstdint>

#include <gtest/gtest.h>

namespace {

bool IsWhite(QRgb c)
{
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}

// Pixel of a world point in a frame of `size` with the frame's own transforms.
QPoint PixelOf(const tbVector3& p, QSize size, const CCamera& camera)
{
    const tbMatrix viewProjection =
        camera.GetViewMatrix() *
        OffscreenFrame::Projection(size, camera.IsOrthographic(), camera.OrthoWidth());
    const tbVector3 ndc = tbVector3TransformCoords(p, viewProjection);
    return QPoint(static_cast<int>((ndc.x + 1.0f) / 2.0f * static_cast<float>(size.width())),
                  static_cast<int>((1.0f - ndc.y) / 2.0f * static_cast<float>(size.height())));
}

class OffscreenFrameGlTest : public GlFixture
{
protected:
    // The crate, a unit box standing on y = 0, moved to `at`.
    OffscreenFrame::Scene Crate(const tbVector3& at)
    {
        const DeviceModel& crate = Model(37);
        return [&crate, at](IRenderDevice& device) {
            device.SetTransform(TransformKind::World, tbMatrixTranslation(at));
            device.DrawModel(crate, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, true);
        };
    }
    void TearDown() override
    {
        if (QOpenGLContext::currentContext() == &m_context)
            m_frame.Release();
        GlFixture::TearDown();
    }
    OffscreenFrame m_frame;
};

TEST_F(OffscreenFrameGlTest, FramesOfAnySizeAreWhiteAroundTheDrawnModel)
{
    CCamera camera;
    camera.Set(nullptr, {1.5f, 2.5f, -5.0f}, {0.0f, 0.5f, 0.0f}, 0, 0, 0);
    const QSize sizes[] = {{320, 200}, {123, 457}, {640, 480}, {320, 200}};
    for (const bool orthographic : {false, true}) {
        camera.SetOrthographic(orthographic);
        for (const QSize size : sizes) {
            SCOPED_TRACE(testing::Message()
                         << size.width() << " x " << size.height() << " ortho " << orthographic);
            QString error;
            const QImage image = m_frame.Render(m_device, size, camera, Crate({0, 0, 0}), &error);
            ASSERT_FALSE(image.isNull()) << error.toStdString();
            EXPECT_EQ(image.size(), size);
            for (const QPoint corner :
                 {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
                  QPoint(size.width() - 1, size.height() - 1)})
                EXPECT_TRUE(IsWhite(image.pixel(corner))) << corner.x() << "," << corner.y();
            const QPoint centre = PixelOf({0.0f, 0.5f, 0.0f}, size, camera);
            ASSERT_TRUE(image.rect().contains(centre));
            EXPECT_FALSE(IsWhite(image.pixel(centre))) << centre.x() << "," << centre.y();
            if (size == QSize(640, 480)) {
                QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
                image.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/offscreen_frame_%1.png")
                               .arg(orthographic ? QStringLiteral("ortho") : QStringLiteral("perspective")));
            }
        }
    }
}

TEST_F(OffscreenFrameGlTest, EachFrameStartsWithAClearedDepthBuffer)
{
    // A crate near the eye, then in the next frame of the same size one behind where it stood: depth left
    // from the first frame would hide the second.
    CCamera camera;
    camera.Set(nullptr, {0.0f, 0.5f, -6.0f}, {0.0f, 0.5f, 0.0f}, 0, 0, 0);
    const QSize size(200, 200);
    ASSERT_FALSE(m_frame.Render(m_device, size, camera, Crate({0, 0, -3.0f})).isNull());
    const QImage second = m_frame.Render(m_device, size, camera, Crate({0, 0, 2.0f}));
    ASSERT_FALSE(second.isNull());
    const QPoint centre = PixelOf({0.0f, 0.5f, 2.0f}, size, camera);
    EXPECT_FALSE(IsWhite(second.pixel(centre)));
    // The first crate is gone: just outside the far crate's outline but inside the near one's.
    EXPECT_TRUE(
        IsWhite(second.pixel(PixelOf({0.0f, 0.5f, -3.0f}, size, camera) + QPoint(size.width() / 5, 0))));
}

// An unlit triangle in one colour given in clip coordinates: the upper left half of the frame, or the
// lower right half.
OffscreenFrame::Scene Triangle(std::uint32_t colour, bool upper)
{
    return [colour, upper](IRenderDevice& device) {
        struct V
        {
            float x, y, z;
            std::uint32_t colour;
        };
        const float s = upper ? 1.0f : -1.0f;
        const V triangle[3] = {{-s, -s, 0, colour}, {-s, s, 0, colour}, {s, s, 0, colour}};
        device.SetTransform(TransformKind::View, tbMatrixIdentity());
        device.SetTransform(TransformKind::Projection, tbMatrixIdentity());
        device.SetRenderState(RenderState::Lighting, 0);
        device.SetRenderState(RenderState::CullMode, static_cast<int>(CullMode::None));
        device.DrawPrimitive(PrimitiveType::TriangleList, VertexLayout::PositionColour, triangle, 1,
                             sizeof(V));
    };
}

TEST_F(OffscreenFrameGlTest, APictureKeepsItsTopAndColoursAndStaysAsItIsWhileHeld)
{
    CCamera camera;
    const QSize size(64, 48);
    const QImage red = m_frame.Render(m_device, size, camera, Triangle(0xFFFF0000u, true));
    ASSERT_FALSE(red.isNull());
    EXPECT_EQ(red.format(), QImage::Format_RGB32);
    EXPECT_EQ(red.pixel(4, 8), qRgb(255, 0, 0));
    EXPECT_TRUE(IsWhite(red.pixel(60, 40)));
    const QImage copy = red.copy();
    // The next frame, drawn while the first picture is still held, leaves that picture alone.
    QImage blue = m_frame.Render(m_device, size, camera, Triangle(0xFF0000FFu, false));
    EXPECT_TRUE(red == copy);
    EXPECT_EQ(blue.pixel(60, 40), qRgb(0, 0, 255));
    EXPECT_TRUE(IsWhite(blue.pixel(4, 8)));
    // A frame drawn after its picture was let go shows nothing of the one before.
    blue = QImage();
    EXPECT_TRUE(m_frame.Render(m_device, size, camera, Triangle(0xFFFF0000u, true)) == copy);
}

TEST_F(OffscreenFrameGlTest, AnEmptySizeGivesNoPictureAndSaysWhy)
{
    CCamera camera;
    for (const QSize size : {QSize(0, 0), QSize(0, 100), QSize(100, -1)}) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        QString error;
        bool drawn = false;
        const QImage image = m_frame.Render(
            m_device, size, camera, [&](IRenderDevice&) { drawn = true; }, &error);
        EXPECT_TRUE(image.isNull());
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(drawn);
    }
    // A good frame still follows.
    EXPECT_FALSE(m_frame.Render(m_device, QSize(16, 16), camera, {}).isNull());
}

} // namespace
