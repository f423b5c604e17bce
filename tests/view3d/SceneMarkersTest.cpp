// Marker height, lateral limit, marker and label colours, permissible area: hand-worked numbers and the
// values that must leave an item out.
#include "view3d/SceneMarkers.h"

#include "platform/gl/DeviceModel.h"
#include "platform/gl/RecordingDevice.h"
#include "view3d/CFahrzeug3D.h"
#include "view3d/ModelCache.h"
#include "view3d/TextureManager.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void ExpectColour(const tbColor& got, float r, float g, float b)
{
    EXPECT_NEAR(got.r, r, 1e-5f);
    EXPECT_NEAR(got.g, g, 1e-5f);
    EXPECT_NEAR(got.b, b, 1e-5f);
}

TEST(SceneMarkersTest, MarkerLiftIsTheShareOfTheScenePayloadAndNoneWithoutOne)
{
    EXPECT_FLOAT_EQ(*SceneMarkers::MarkerLift(10.0f, 20.0f, false), 1.75f);
    EXPECT_FLOAT_EQ(*SceneMarkers::MarkerLift(10.0f, 20.0f, true), 0.75f);
    for (const float M : {0.0f, -1.0f, kNaN}) {
        SCOPED_TRACE(M);
        EXPECT_FALSE(SceneMarkers::MarkerLift(10.0f, M, false).has_value());
    }
    EXPECT_FALSE(SceneMarkers::MarkerLift(kNaN, 20.0f, false).has_value());
}

TEST(SceneMarkersTest, MarkerColourByOverloadAndLateralLimit)
{
    // W 2.48, c1 6, c2 0.1, m 10: limit (6 - 1) / 10 = 0.5.
    const struct
    {
        const char* what;
        bool overloaded;
        float distance, c1, m;
        float r, g, b;
    } table[] = {
        {"overloaded, centred", true, 0.0f, 6.0f, 10.0f, 0.8f, 0.0f, 0.0f},
        {"inside the limit", false, 0.3f, 6.0f, 10.0f, 0.0f, 0.4f, 0.0f},
        {"inside, other side", false, -0.3f, 6.0f, 10.0f, 0.0f, 0.4f, 0.0f},
        {"at the limit", false, 0.5f, 6.0f, 10.0f, 0.325f, 1.0f, 0.0f},
        {"beyond", false, 0.6f, 6.0f, 10.0f, 0.325f, 1.0f, 0.0f},
        {"light load: half the width", false, 1.2f, 6.0f, 2.0f, 0.0f, 0.4f, 0.0f},
        {"mirrored limit: nothing is inside", false, 0.0f, 0.5f, 10.0f, 0.325f, 1.0f, 0.0f},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        ExpectColour(SceneMarkers::MarkerColour(row.overloaded, row.distance, 2.48f, row.c1, 0.1f, row.m),
                     row.r, row.g, row.b);
    }
    EXPECT_FLOAT_EQ(SceneMarkers::LateralLimit(2.48f, 6.0f, 0.1f, 0.0f), 1.24f);
    EXPECT_FLOAT_EQ(SceneMarkers::LateralLimit(2.48f, 0.5f, 0.1f, 10.0f), 0.0f);
}

TEST(SceneMarkersTest, ThePermissibleAreaSpansItsRangeWidthAndHeight)
{
    // m 10 of M 20: 1.75 high; 2 × (6 - 1) / 10 = 1.0 wide (under W 2.48); range 1 .. 3 behind the load-area
    // front, which lies p1 = 1 behind O.
    const std::optional<tbMatrix> world =
        SceneMarkers::AreaWorld(10.0f, 20.0f, 2.48f, 6.0f, 0.1f, 1.0f, 3.0f, 0.0f, 1.0f, false);
    ASSERT_TRUE(world.has_value());
    const tbVector3 a = tbVector3TransformCoords({0.5f, 0.0f, 0.5f}, *world);
    const tbVector3 b = tbVector3TransformCoords({-0.5f, 1.0f, -0.5f}, *world);
    EXPECT_NEAR(a.x, 0.5f, 1e-5f);
    EXPECT_NEAR(a.y, 1.19f, 1e-5f);
    EXPECT_NEAR(a.z, -2.0f, 1e-5f);
    EXPECT_NEAR(b.x, -0.5f, 1e-5f);
    EXPECT_NEAR(b.y, 2.94f, 1e-5f);
    EXPECT_NEAR(b.z, -4.0f, 1e-5f);
    // A light load is limited by the load-area width; the van's area stands on its low floor.
    const std::optional<tbMatrix> van =
        SceneMarkers::AreaWorld(2.0f, 20.0f, 1.75f, 6.0f, 0.1f, 1.0f, 3.0f, 0.0f, 1.0f, true);
    ASSERT_TRUE(van.has_value());
    EXPECT_NEAR(van->m[0][0], 1.75f, 1e-5f);
    EXPECT_NEAR(van->m[1][1], 0.15f, 1e-5f);
    EXPECT_NEAR(van->m[3][1], 0.78f, 1e-5f);
}

TEST(SceneMarkersTest, AnAreaThatCannotBeWorkedOutIsLeftOut)
{
    const struct
    {
        const char* what;
        float m, M, c1, start, end;
    } table[] = {
        {"empty plan", 0.0f, 20.0f, 6.0f, 1.0f, 3.0f},
        {"no scene payload", 10.0f, 0.0f, 6.0f, 1.0f, 3.0f},
        {"mirrored width", 10.0f, 20.0f, 0.5f, 1.0f, 3.0f},
        {"zero width", 10.0f, 20.0f, 1.0f, 1.0f, 3.0f},
        {"empty range", 10.0f, 20.0f, 6.0f, 2.0f, 2.0f},
        {"reversed range", 10.0f, 20.0f, 6.0f, 3.0f, 1.0f},
        {"NaN mass", kNaN, 20.0f, 6.0f, 1.0f, 3.0f},
        {"NaN range", 10.0f, 20.0f, 6.0f, kNaN, 3.0f},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        EXPECT_FALSE(
            SceneMarkers::AreaWorld(row.m, row.M, 2.48f, row.c1, 0.1f, row.start, row.end, 0.0f, 1.0f, false)
                .has_value());
    }
}

TEST(SceneMarkersTest, LabelTurnsFromGreenToRedBetween95And100Percent)
{
    const struct
    {
        float load;
        float r, g, b;
    } table[] = {
        {9.4f, 0.0f, 0.4f, 0.0f},      // 94 %
        {9.625f, 0.1625f, 0.7f, 0.0f}, // 96.25 %: halfway to yellow-green
        {9.75f, 0.325f, 1.0f, 0.0f},   // 97.5 %
        {10.0f, 0.8f, 0.0f, 0.0f},     // 100 %
        {12.0f, 0.8f, 0.0f, 0.0f},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.load);
        const std::optional<tbColor> colour = SceneMarkers::LabelColour(row.load, 10.0f);
        ASSERT_TRUE(colour.has_value());
        ExpectColour(*colour, row.r, row.g, row.b);
    }
    for (const float permissible : {0.0f, -5.0f, kNaN}) {
        SCOPED_TRACE(permissible);
        EXPECT_FALSE(SceneMarkers::LabelColour(9.0f, permissible).has_value());
    }
}

} // namespace

namespace {

TEST(SceneMarkersTest, TheMarkerIsTwoCrossedRingsAndTheDiscInItsColour)
{
    TextureManager textures;
    textures.Init(256);
    ModelCache cache(QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath(), textures);
    cache.InitModellCache();
    const DeviceModel* marker = nullptr;
    ASSERT_EQ(cache.GetModell(33, &marker), 0);
    RecordingDevice device;
    const tbVector3 at{0.2f, 2.0f, -4.0f};
    SceneMarkers::DrawMarker(device, *marker, at, CFahrzeug3D::LABEL_COLOUR_2);
    const std::vector<RecordingDevice::Call> draws = device.ModelDraws();
    ASSERT_EQ(draws.size(), 3u);
    const int parts[][2] = {{0, 0}, {0, 0}, {1, 1}};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(draws[i].value, parts[i][0]);
        EXPECT_EQ(draws[i].lastPart, parts[i][1]);
        ASSERT_TRUE(draws[i].diffuse.has_value());
        ExpectColour(*draws[i].diffuse, 0.8f, 0.0f, 0.0f);
    }
    // The first ring, turned, stands along the vehicle: its rim point (0.5, 0, 0) lies 0.25 ahead or behind.
    const tbVector3 rim = tbVector3TransformCoords({0.5f, 0, 0}, draws[0].matrix) - at;
    EXPECT_NEAR(rim.x, 0.0f, 1e-5f);
    EXPECT_NEAR(std::fabs(rim.z), 0.25f, 1e-5f);
    // The second stands across it, a little larger.
    const tbVector3 rim2 = tbVector3TransformCoords({0.5f, 0, 0}, draws[1].matrix) - at;
    EXPECT_NEAR(rim2.x, 0.255f, 1e-5f);
    EXPECT_NEAR(rim2.z, 0.0f, 1e-5f);
}

} // namespace
