// The offscreen frame's transforms and lights, checked on the recording device.
#include "view3d/OffscreenFrame.h"

#include "platform/gl/RecordingDevice.h"
#include "view3d/CCamera.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Clip-space point of a view-space point.
tbVector3 Project(const tbMatrix& projection, const tbVector3& p)
{
    return tbVector3TransformCoords(p, projection);
}

TEST(OffscreenFrameTest, PerspectiveTakesTheFrameAspectAndMapsNearAndFar)
{
    // 400 x 200: the vertical half-angle is pi/8, so a point at depth 10 and height 10 tan(pi/8) = 4.1421
    // lands on the top edge, and x twice that on the right edge.
    const tbMatrix p = OffscreenFrame::Projection(QSize(400, 200), false, 25.0f);
    const tbVector3 corner = Project(p, {8.28427f, 4.14214f, 10.0f});
    EXPECT_NEAR(corner.x, 1.0f, 1e-4f);
    EXPECT_NEAR(corner.y, 1.0f, 1e-4f);
    EXPECT_NEAR(Project(p, {0, 0, 0.1f}).z, -1.0f, 1e-4f);
    EXPECT_NEAR(Project(p, {0, 0, 200.0f}).z, 1.0f, 1e-3f);
}

TEST(OffscreenFrameTest, OrthographicIsTheCameraWidthWideAndHeightByAspect)
{
    // Width 20 over 400 x 200: 10 high; depth 1 .. 100.
    const tbMatrix p = OffscreenFrame::Projection(QSize(400, 200), true, 20.0f);
    const tbVector3 corner = Project(p, {10.0f, 5.0f, 50.0f});
    EXPECT_NEAR(corner.x, 1.0f, 1e-5f);
    EXPECT_NEAR(corner.y, 1.0f, 1e-5f);
    // No foreshortening: the same point twice as far projects to the same place.
    EXPECT_NEAR(Project(p, {10.0f, 5.0f, 90.0f}).x, 1.0f, 1e-5f);
    EXPECT_NEAR(Project(p, {0, 0, 1.0f}).z, -1.0f, 1e-5f);
    EXPECT_NEAR(Project(p, {0, 0, 100.0f}).z, 1.0f, 1e-5f);
}

TEST(OffscreenFrameTest, AFrameWithoutHeightGivesFiniteMatrices)
{
    for (const QSize size : {QSize(0, 0), QSize(300, 0), QSize(0, 300)}) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        for (const bool ortho : {false, true}) {
            const tbMatrix p = OffscreenFrame::Projection(size, ortho, 25.0f);
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c)
                    EXPECT_TRUE(std::isfinite(p.m[r][c])) << r << "," << c;
        }
    }
}

TEST(OffscreenFrameTest, PrepareSetsCameraProjectionAndTheLightTableWithOnlyLightFourOn)
{
    CCamera camera;
    camera.Set(nullptr, {3.0f, 4.0f, -12.0f}, {0.0f, 1.0f, -2.0f}, 0, 0, 0);
    RecordingDevice device;
    for (int i = 0; i < IRenderDevice::LIGHT_COUNT; ++i)
        device.LightEnable(i, true);
    OffscreenFrame::PrepareFrame(device, QSize(640, 480), camera);

    const tbMatrix view = device.GetTransform(TransformKind::View);
    const tbMatrix expectedView = camera.GetViewMatrix();
    const tbMatrix projection = device.GetTransform(TransformKind::Projection);
    const tbMatrix expectedProjection = OffscreenFrame::Projection(QSize(640, 480), false, 0);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_FLOAT_EQ(view.m[r][c], expectedView.m[r][c]);
            EXPECT_FLOAT_EQ(projection.m[r][c], expectedProjection.m[r][c]);
        }

    struct Expected
    {
        float diffuse, ambient;
        tbVector3 direction;
    };
    const Expected table[] = {
        {0.99f, 0.0f, {0, -0.3f, -1}}, {0.99f, 0.0f, {0, -0.4f, 1}}, {0.6f, 0.0f, {1, 0.1f, 0}},
        {0.6f, 0.0f, {-1, 0.1f, 0}},   {0.2f, 0.3f, {0, -1, 0}},
    };
    std::vector<DeviceLight> set(IRenderDevice::LIGHT_COUNT);
    for (const RecordingDevice::Call& call : device.Calls())
        if (call.kind == RecordingDevice::CallKind::SetLight)
            set[static_cast<size_t>(call.value)] = call.light;
    for (int i = 0; i < IRenderDevice::LIGHT_COUNT; ++i) {
        SCOPED_TRACE(i);
        const DeviceLight& light = set[static_cast<size_t>(i)];
        EXPECT_FLOAT_EQ(light.diffuse.r, table[i].diffuse);
        EXPECT_FLOAT_EQ(light.diffuse.b, table[i].diffuse);
        EXPECT_FLOAT_EQ(light.specular.g, 0.1f);
        EXPECT_FLOAT_EQ(light.ambient.g, table[i].ambient);
        EXPECT_FLOAT_EQ(light.direction.x, table[i].direction.x);
        EXPECT_FLOAT_EQ(light.direction.y, table[i].direction.y);
        EXPECT_FLOAT_EQ(light.direction.z, table[i].direction.z);
        EXPECT_EQ(device.IsLightEnabled(i), i == 4);
    }
}

TEST(OffscreenFrameTest, OrthographicCameraGivesTheOrthographicProjection)
{
    CCamera camera;
    camera.Set(nullptr, {0.0f, 5.0f, -10.0f}, {0.0f, 0.0f, 0.0f}, 0, 0, 0);
    camera.SetOrthographic(true);
    RecordingDevice device;
    OffscreenFrame::PrepareFrame(device, QSize(300, 100), camera);
    const tbMatrix projection = device.GetTransform(TransformKind::Projection);
    // Orthographic: no w from depth.
    EXPECT_FLOAT_EQ(projection.m[2][3], 0.0f);
    EXPECT_FLOAT_EQ(projection.m[0][0], 2.0f / camera.OrthoWidth());
    EXPECT_FLOAT_EQ(projection.m[1][1], 2.0f * 3.0f / camera.OrthoWidth());
}

} // namespace
