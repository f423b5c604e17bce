// The centre-of-gravity marker under OpenGL: its projected rim is red for an overloaded plan, green
// otherwise, and the frame's corners stay white.
#include "GlFixture.h"

#include "view3d/CCamera.h"
#include "view3d/CFahrzeug3D.h"
#include "view3d/OffscreenFrame.h"
#include "view3d/SceneMarkers.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class MarkerProbeGlTest : public GlFixture
{
protected:
    void TearDown() override
    {
        if (QOpenGLContext::currentContext() == &m_context)
            m_frame.Release();
        GlFixture::TearDown();
    }
    OffscreenFrame m_frame;
};

TEST_F(MarkerProbeGlTest, TheMarkerShowsRedWhenOverloadedAndGreenOtherwise)
{
    CCamera camera;
    camera.Set(nullptr, {0.0f, 2.6f, 1.5f}, {0.0f, 2.2f, -3.0f}, 0, 0, 0);
    const QSize size(320, 240);
    const tbVector3 at{0.0f, 2.2f, -3.0f};
    const DeviceModel& marker = Model(33);
    const tbMatrix viewProjection = camera.GetViewMatrix() * OffscreenFrame::Projection(size, false, 0);
    // A point on the rim of the unturned ring, which faces the camera.
    const tbVector3 ndc = tbVector3TransformCoords(at + tbVector3{0.255f, 0, 0}, viewProjection);
    const QPoint rim(static_cast<int>((ndc.x + 1) / 2 * 320), static_cast<int>((1 - ndc.y) / 2 * 240));
    for (const bool overloaded : {true, false}) {
        SCOPED_TRACE(overloaded);
        const tbColor colour = SceneMarkers::MarkerColour(overloaded, 0.1f, 2.48f, 6.0f, 0.1f, 10.0f);
        const QImage image = m_frame.Render(m_device, size, camera, [&](IRenderDevice& device) {
            for (int i = 0; i < 4; ++i)
                device.LightEnable(i, true);
            SceneMarkers::DrawMarker(device, marker, at, colour);
        });
        ASSERT_FALSE(image.isNull());
        // The ring is a few pixels thick: the strongest pixel around the rim point decides.
        int red = 0, green = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QRgb c = image.pixel(rim + QPoint(dx, dy));
                if (qRed(c) > 100 && qGreen(c) < 60 && qBlue(c) < 60)
                    ++red;
                if (qGreen(c) > 60 && qRed(c) < 60 && qBlue(c) < 60)
                    ++green;
            }
        EXPECT_GT(overloaded ? red : green, 0);
        EXPECT_EQ(overloaded ? green : red, 0);
        for (const QPoint corner : {QPoint(0, 0), QPoint(319, 0), QPoint(0, 239), QPoint(319, 239)})
            EXPECT_EQ(image.pixel(corner), qRgb(255, 255, 255));
        QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
        image.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/marker_%1.png")
                       .arg(overloaded ? QStringLiteral("overloaded") : QStringLiteral("fine")));
    }
}

} // namespace
