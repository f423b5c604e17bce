// The dashed 3D line: which dashes a line gets, their colours, and the one line list drawn.
#include "draw2d/SGitter3D.h"
#include "platform/gl/RecordingDevice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

const tbColor kRed{1.0f, 0.0f, 0.0f, 1.0f};
const tbColor kBlue{0.0f, 0.0f, 1.0f, 1.0f};

TEST(Gitter3DTest, DashesAreWholeAndStopBeforeTheEnd)
{
    // Pattern 1 + gap + 3 + gap over a period of 0.6: unit 0.1.
    const struct
    {
        const char* name;
        float length;
        int segments;
        float lastEnd; // where the last dash ends along the line
    } cases[] = {
        {"one short dash", 0.15f, 1, 0.1f},
        {"short and long", 0.55f, 2, 0.5f},
        {"long dash exactly at the end dropped", 0.5f, 1, 0.1f},
        {"two periods", 1.3f, 4, 1.1f},
        {"shorter than the first dash", 0.05f, 0, 0.0f},
        {"no length", 0.0f, 0, 0.0f},
    };
    SGitter3D line;
    line.Create(50.0f, 0.6f);
    line.SetOptions(1, 1, 3);
    EXPECT_EQ(line.capacity, 83 * 4 + 4);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool filled = line.Fill({0, 0, 0}, {0, 0, -c.length}, kRed, kBlue);
        EXPECT_EQ(filled, c.segments > 0);
        ASSERT_EQ(line.used, c.segments);
        if (c.segments > 0) {
            EXPECT_NEAR(-line.vertices[static_cast<std::size_t>(2 * c.segments - 1)].z, c.lastEnd, 1e-5f);
        }
        for (int i = 0; i < line.used; ++i)
            EXPECT_LT(-line.vertices[static_cast<std::size_t>(2 * i + 1)].z, c.length);
    }
}

TEST(Gitter3DTest, ColoursRunAlongTheLine)
{
    SGitter3D line;
    line.Create(10.0f, 0.6f);
    line.SetOptions(1, 1, 3);
    ASSERT_TRUE(line.Fill({0, 0, 0}, {2, 0, 0}, kRed, kBlue));
    for (int i = 0; i < 2 * line.used; ++i) {
        const SGitter3D::Vertex& v = line.vertices[static_cast<std::size_t>(i)];
        const tbColor c = tbColor::FromARGB(v.colour);
        SCOPED_TRACE(v.x);
        EXPECT_NEAR(c.b, v.x / 2.0f, 1.0f / 255.0f + 1e-5f);
        EXPECT_NEAR(c.r, 1.0f - v.x / 2.0f, 1.0f / 255.0f + 1e-5f);
    }
    // Solid: one segment carrying the two end colours, also for a line of no length.
    line.SetOptions(0, 1, 3);
    for (const tbVector3& end : {tbVector3{2, 0, 0}, tbVector3{0, 0, 0}}) {
        ASSERT_TRUE(line.Fill({0, 0, 0}, end, kRed, kBlue));
        EXPECT_EQ(line.used, 1);
        EXPECT_EQ(line.vertices[0].colour, kRed.ToARGB());
        EXPECT_EQ(line.vertices[1].colour, kBlue.ToARGB());
        EXPECT_EQ(line.vertices[1].x, end.x);
    }
}

TEST(Gitter3DTest, NothingIsDrawnBeforeCreateOrBeyondTheMaximumLength)
{
    const struct
    {
        const char* name;
        bool create;
        float maxLength, period;
        tbVector3 end;
        bool drawn;
    } cases[] = {
        {"not created", false, 0, 0, {0.5f, 0, 0}, false},
        {"within the maximum", true, 1.0f, 0.5f, {0.9f, 0, 0}, true},
        {"longer than the maximum", true, 1.0f, 0.5f, {0, 1.1f, 0}, false},
        {"no period", true, 1.0f, 0.0f, {0.5f, 0, 0}, false},
        {"end not finite", true, 1.0f, 0.5f, {NAN, 0, 0}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SGitter3D line;
        if (c.create)
            line.Create(c.maxLength, c.period);
        RecordingDevice device;
        device.SetRenderState(RenderState::Lighting, 1);
        const int vertexColour = device.GetRenderState(RenderState::ColorVertex);
        device.Clear();
        EXPECT_EQ(line.Render(device, {0, 0, 0}, c.end, kRed, kBlue), c.drawn);
        if (!c.drawn) {
            EXPECT_TRUE(device.Calls().empty());
            continue;
        }
        // Lighting off and vertex colours on around one line list; both put back after.
        ASSERT_EQ(device.Calls().size(), 5u);
        const auto& draw = device.Calls()[2];
        EXPECT_EQ(draw.kind, RecordingDevice::CallKind::DrawPrimitive);
        EXPECT_EQ(draw.primitive, PrimitiveType::LineList);
        EXPECT_EQ(draw.stride, 16);
        EXPECT_EQ(draw.primitiveCount, line.used);
        EXPECT_EQ(device.GetRenderState(RenderState::Lighting), 1);
        EXPECT_EQ(device.GetRenderState(RenderState::ColorVertex), vertexColour);
        EXPECT_EQ(device.Calls()[1].state, RenderState::ColorVertex);
        EXPECT_EQ(device.Calls()[1].value, 1);
    }
}

} // namespace
