// The renderer's three-circle marker drawn through the GL device lands on the projected pixels.
#include "GlFixture.h"

#include "view3d/CFahrzeug3D.h"

#include <QDir>

#include <gtest/gtest.h>

#include <numbers>

namespace {

// Whether a pixel within two of (x, y) is clearly the marker's green.
bool GreenNear(const QImage& image, QPointF at)
{
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const QPoint p(static_cast<int>(at.x()) + dx, static_cast<int>(at.y()) + dy);
            if (!image.rect().contains(p))
                continue;
            const QRgb c = image.pixel(p);
            if (qGreen(c) > 200 && qRed(c) < 60 && qBlue(c) < 60)
                return true;
        }
    return false;
}

TEST_F(GlFixture, CircleMarkerLightsTheProjectedPixelsInItsColour)
{
    CFahrzeug3D renderer(ProgramFolder(), nullptr);
    ASSERT_TRUE(renderer.InitResources());
    const QSize size(200, 200);
    const tbVector3 eye{0.0f, 0.0f, -5.0f};
    const tbVector3 centre{0.5f, 0.25f, 0.0f};
    const float radius = 1.0f;
    const QImage image = Render(size, [&](IRenderDevice& device) {
        SetScene(device, eye, {0, 0, 0}, 1.0f);
        renderer.DrawKreise(device, centre, 0xFF00FF00u, radius);
    });
    const tbMatrix viewProjection = tbMatrixCamera(eye, {0, 0, 0}, {0, 1, 0}) *
                                    tbMatrixProjection(std::numbers::pi_v<float> / 4, 1.0f, 0.1f, 200.0f);
    const auto pixel = [&](const tbVector3& p) {
        const tbVector3 ndc = tbVector3TransformCoords(p, viewProjection);
        return QPointF((ndc.x + 1.0f) / 2.0f * static_cast<float>(size.width()),
                       (1.0f - ndc.y) / 2.0f * static_cast<float>(size.height()));
    };
    // Points of the ring facing the eye, and of the two circles seen edge-on.
    const tbVector3 onCircles[] = {{radius, 0, 0},
                                   {-radius, 0, 0},
                                   {0, radius, 0},
                                   {0, -radius, 0},
                                   {0.7071f * radius, 0.7071f * radius, 0}};
    for (const tbVector3& offset : onCircles) {
        const QPointF at = pixel(centre + offset);
        EXPECT_TRUE(GreenNear(image, at)) << at.x() << "," << at.y();
    }
    // Inside the ring, off the two edge-on circles, and far outside: untouched.
    for (const tbVector3& offset : {tbVector3{0.5f * radius, 0.5f * radius, 0}, tbVector3{3.0f, 3.0f, 0}}) {
        const QPointF at = pixel(centre + offset);
        EXPECT_FALSE(GreenNear(image, at)) << at.x() << "," << at.y();
    }
    QDir().mkpath(QStringLiteral(QOR_TEST_ARTIFACT_DIR));
    image.save(QStringLiteral(QOR_TEST_ARTIFACT_DIR "/circle_marker.png"));
}

} // namespace
