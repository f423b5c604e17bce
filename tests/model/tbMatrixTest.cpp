// Transform matrices, camera and projections against values worked out by hand.
#include "model/base/tbMatrix.h"
#include "model/base/tbColor.h"
#include "model/base/tbPlane.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr float PI = std::numbers::pi_v<float>;

void ExpectNear(const tbVector3& actual, const tbVector3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectNear(const tbMatrix& actual, const tbMatrix& expected, float tolerance = 1e-5f)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(actual(i, j), expected(i, j), tolerance) << "row " << i << ", column " << j;
}

struct PointCase
{
    const char* what;
    tbMatrix m;
    tbVector3 in, out;
};

void RunPointCases(std::initializer_list<PointCase> cases)
{
    for (const PointCase& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectNear(tbVector3TransformCoords(c.in, c.m), c.out);
    }
}

TEST(tbMatrixTest, RotationsTurnClockwiseLookingTowardsTheOriginAndComposeLeftToRight)
{
    const float q = PI / 2;
    RunPointCases({
        {"z turns x to y", tbMatrixRotationZ(q), {1, 0, 0}, {0, 1, 0}},
        {"x turns y to z", tbMatrixRotationX(q), {0, 1, 0}, {0, 0, 1}},
        {"y turns z to x", tbMatrixRotationY(q), {0, 0, 1}, {1, 0, 0}},
        {"y turns x to -z", tbMatrixRotationY(q), {1, 0, 0}, {0, 0, -1}},
        {"axis z as rotation z", tbMatrixRotationAxis({0, 0, 2}, q), {1, 2, 3}, {-2, 1, 3}},
        {"a third turn about the diagonal cycles the axes",
         tbMatrixRotationAxis({1, 1, 1}, 2 * PI / 3),
         {1, 0, 0},
         {0, 1, 0}},
        {"x then y then z", tbMatrixRotation({q, q, 0}), {0, 1, 0}, {1, 0, 0}},
        // The scene's placement order: scaled first, then turned, then moved.
        {"scale, turn, move",
         tbMatrixScaling({2, 1, 1}) * tbMatrixRotationY(q) * tbMatrixTranslation({0, 0, 5}),
         {1, 0, 0},
         {0, 0, 3}},
        {"translation in the fourth row", tbMatrixTranslation({1, -2, 3}), {1, 1, 1}, {2, -1, 4}},
    });
    ExpectNear(tbMatrixRotation({0.3f, -1.1f, 2.0f}),
               tbMatrixRotationX(0.3f) * tbMatrixRotationY(-1.1f) * tbMatrixRotationZ(2.0f));
    ExpectNear(tbVector3TransformNormal({1, 0, 0}, tbMatrixRotationZ(q) * tbMatrixTranslation({5, 5, 5})),
               {0, 1, 0});
}

TEST(tbMatrixTest, CameraLooksAlongPlusZWithUpAsPlusY)
{
    // From x = 3 towards the origin: the view's z runs along -x, its x along +z of the world.
    const tbMatrix side = tbMatrixCamera({3, 0, 0}, {0, 0, 0}, {0, 1, 0});
    // From above and behind, looking down at 45 degrees.
    const tbMatrix above = tbMatrixCamera({0, 4, -4}, {0, 0, 0}, {0, 1, 0});
    const float h = std::sqrt(0.5f);
    RunPointCases({
        {"side: target ahead", side, {0, 0, 0}, {0, 0, 3}},
        {"side: world +z is view right", side, {0, 0, 1}, {1, 0, 3}},
        {"side: up stays up", side, {3, 2, 0}, {0, 2, 0}},
        {"above: target ahead", above, {0, 0, 0}, {0, 0, 8 * h}},
        {"above: ground ahead rises", above, {0, 0, 1}, {0, h, 8 * h + h}},
        {"above: world x is view x", above, {1, 0, 0}, {1, 0, 8 * h}},
    });
    // The view matrix is a rigid motion: its upper 3 x 3 part is orthonormal.
    ExpectNear(above * tbMatrixInvert(above), tbMatrixIdentity());
}

TEST(tbMatrixTest, ProjectionsPutNearAtMinusOneAndFarAtPlusOne)
{
    // Perspective: 90 degrees vertically, twice as wide as high, near 1, far 11.
    const tbMatrix persp = tbMatrixProjection(PI / 2, 2.0f, 1.0f, 11.0f);
    // Orthographic: 4 wide, 2 high, near 1, far 3.
    const tbMatrix ortho = tbMatrixOrtho(4.0f, 2.0f, 1.0f, 3.0f);
    RunPointCases({
        {"perspective near plane", persp, {0, 0, 1}, {0, 0, -1}},
        {"perspective far plane", persp, {0, 0, 11}, {0, 0, 1}},
        {"perspective corner of the near plane", persp, {2, 1, 1}, {1, 1, -1}},
        // x: 0.5 * 2 / 2, y: 1 / 2, z: (1.2 * 2 - 2.2) / 2.
        {"perspective divides by depth", persp, {2, 1, 2}, {0.5f, 0.5f, 0.1f}},
        {"orthographic near corner", ortho, {2, 1, 1}, {1, 1, -1}},
        {"orthographic far plane", ortho, {-1, 0, 3}, {-0.5f, 0, 1}},
        {"orthographic middle", ortho, {0, -0.5f, 2}, {0, -0.5f, 0}},
    });
    // The perspective's w is the view depth.
    EXPECT_FLOAT_EQ(persp(2, 3), 1.0f);
    EXPECT_FLOAT_EQ(persp(3, 3), 0.0f);
}

TEST(tbMatrixTest, InverseUndoesATransformAndASingularMatrixGivesTheIdentity)
{
    const tbMatrix m = tbMatrixScaling({2, 3, 0.5f}) * tbMatrixRotationAxis({1, 2, 3}, 0.7f) *
                       tbMatrixTranslation({4, -5, 6});
    ExpectNear(m * tbMatrixInvert(m), tbMatrixIdentity());
    ExpectNear(tbVector3TransformCoords(tbVector3TransformCoords({1, 2, 3}, m), tbMatrixInvert(m)),
               {1, 2, 3});
    EXPECT_EQ(tbMatrixInvert(tbMatrixScaling({1, 0, 1})), tbMatrixIdentity());
    EXPECT_EQ(tbMatrixTranspose(tbMatrixTranslation({1, 2, 3}))(2, 3), 3.0f);
}

TEST(tbMatrixTest, VectorHelpers)
{
    EXPECT_EQ(tbVector3Cross({1, 0, 0}, {0, 1, 0}), (tbVector3{0, 0, 1}));
    EXPECT_FLOAT_EQ(tbVector3Length({3, 4, 12}), 13.0f);
    EXPECT_EQ(tbVector3Normalize({0, 0, 0}), (tbVector3{0, 0, 0}));
    ExpectNear(tbVector3Normalize({0, -3, 4}), {0, -0.6f, 0.8f});
}

TEST(tbColorTest, ConvertsTo32BitsWithClampingAndBack)
{
    struct Case
    {
        tbColor c;
        std::uint32_t argb;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {{1, 0.5f, 0, 1}, 0xFFFF8000u},
        {{0, 0.4f, 0, 1}, 0xFF006600u},
        {{2, -1, nan, 0.5f}, 0x80FF0000u},
        {{0, 0, 0, 0}, 0x00000000u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argb);
        EXPECT_EQ(c.c.ToARGB(), c.argb);
    }
    EXPECT_EQ(tbColor::FromARGB(0x80FF0033u).ToARGB(), 0x80FF0033u);
    EXPECT_FLOAT_EQ(tbColor::FromARGB(0xFF000000u).a, 1.0f);
}

TEST(tbPlaneTest, NormalFacesTheViewerOfAClockwiseTriangle)
{
    // Seen from -z (the camera's side): up, then right is clockwise.
    const tbPlane p = tbPlane::FromPoints({0, 0, 2}, {0, 1, 2}, {1, 0, 2});
    ExpectNear(p.n, {0, 0, -1});
    EXPECT_FLOAT_EQ(p.DotCoords({5, 5, 0}), 2.0f);
    EXPECT_FLOAT_EQ(p.DotCoords({5, 5, 2}), 0.0f);
}

} // namespace
