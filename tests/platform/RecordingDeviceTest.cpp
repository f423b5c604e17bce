// The recording render device: calls kept in order with the state they drew under, and replayed alike.
#include "platform/gl/RecordingDevice.h"
#include "platform/gl/DeviceModel.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

DeviceModel TriangleModel()
{
    Q3dModel mesh;
    Q3dModel::Part part;
    part.name = "body";
    part.vertices = {
        {{0, 0, 0}, {0, 0, -1}, 0, 0}, {{0, 1, 0}, {0, 0, -1}, 0, 1}, {{1, 0, 0}, {0, 0, -1}, 1, 0}};
    part.indices = {0, 1, 2};
    mesh.parts = {part, part};
    return DeviceModel("Kiste", std::move(mesh), {});
}

struct ColouredVertex
{
    float x, y, z;
    std::uint32_t colour;
};

// One frame's worth of calls of every kind.
void DrawFrame(IRenderDevice& device, const DeviceModel& model, const QImage* texture)
{
    device.SetTransform(TransformKind::View, tbMatrixCamera({0, 2, -5}, {0, 0, 0}, {0, 1, 0}));
    device.SetLight(0, {{0.99f, 0.99f, 0.99f, 1}, {0.1f, 0.1f, 0.1f, 1}, {0, 0, 0, 1}, {0, -0.3f, -1}});
    device.LightEnable(0, true);
    device.LightEnable(7, true); // no such light: ignored
    device.SetTransform(TransformKind::World, tbMatrixTranslation({1, 2, 3}));
    device.DrawModel(model, IRenderDevice::ALL_PARTS, IRenderDevice::ALL_PARTS, true, false);
    const tbColor red{0.8f, 0, 0, 1};
    device.SetTransform(TransformKind::World, tbMatrixScaling({0.5f, 0.5f, 0.5f}));
    device.DrawModel(model, 0, 0, true, true, &red);
    device.SetRenderState(RenderState::Lighting, 0);
    device.SetTexture(texture);
    const ColouredVertex strip[3] = {{0, 0, 0, 0xFFFF0000u}, {1, 0, 0, 0xFF00FF00u}, {1, 1, 0, 0xFF0000FFu}};
    device.DrawPrimitive(PrimitiveType::LineStrip, VertexLayout::PositionColour, strip, 2,
                         sizeof(ColouredVertex));
}

TEST(RecordingDeviceTest, KeepsEveryCallInOrderWithTheWorldMatrixOfEachDraw)
{
    const DeviceModel model = TriangleModel();
    const QImage texture(4, 4, QImage::Format_RGB32);
    RecordingDevice device;
    DrawFrame(device, model, &texture);

    using K = RecordingDevice::CallKind;
    std::vector<K> kinds;
    for (const RecordingDevice::Call& call : device.Calls())
        kinds.push_back(call.kind);
    EXPECT_EQ(kinds, (std::vector<K>{K::SetTransform, K::SetLight, K::LightEnable, K::SetTransform,
                                     K::DrawModel, K::SetTransform, K::DrawModel, K::SetRenderState,
                                     K::SetTexture, K::DrawPrimitive}));

    const std::vector<RecordingDevice::Call> draws = device.ModelDraws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].modelName, "Kiste");
    EXPECT_EQ(draws[0].matrix, tbMatrixTranslation({1, 2, 3}));
    EXPECT_EQ(draws[0].value, IRenderDevice::ALL_PARTS);
    EXPECT_TRUE(draws[0].on);
    EXPECT_FALSE(draws[0].blended);
    EXPECT_FALSE(draws[0].diffuse.has_value());
    EXPECT_EQ(draws[1].matrix, tbMatrixScaling({0.5f, 0.5f, 0.5f}));
    EXPECT_EQ(draws[1].lastPart, 0);
    EXPECT_TRUE(draws[1].blended);
    EXPECT_EQ(draws[1].diffuse, (tbColor{0.8f, 0, 0, 1}));

    // The vertex array is copied: three vertices of a strip of two lines.
    const RecordingDevice::Call& strip = device.Calls().back();
    EXPECT_EQ(strip.vertices.size(), 3 * sizeof(ColouredVertex));
    EXPECT_EQ(strip.texture, &texture);
    std::uint32_t colour = 0;
    std::memcpy(&colour, strip.vertices.data() + 16 + 12, 4);
    EXPECT_EQ(colour, 0xFF00FF00u);
    // A stride shorter than a vertex copies nothing (and reads nothing past the caller's array).
    const float packed[3] = {0, 0, 0};
    device.DrawPrimitive(PrimitiveType::PointList, VertexLayout::PositionColour, packed, 3, 4);
    EXPECT_TRUE(device.Calls().back().vertices.empty());

    // State reads answer what was set; defaults of a fresh device otherwise.
    EXPECT_TRUE(device.IsLightEnabled(0));
    EXPECT_FALSE(device.IsLightEnabled(1));
    EXPECT_FALSE(device.IsLightEnabled(7));
    EXPECT_EQ(device.GetRenderState(RenderState::Lighting), 0);
    EXPECT_EQ(device.GetRenderState(RenderState::ZEnable), 1);
    EXPECT_EQ(device.GetRenderState(RenderState::CullMode), static_cast<int>(CullMode::CounterClockwise));
    EXPECT_EQ(device.GetTransform(TransformKind::Projection), tbMatrixIdentity());
}

TEST(RecordingDeviceTest, AReplayMakesTheSameCalls)
{
    const DeviceModel model = TriangleModel();
    RecordingDevice first;
    DrawFrame(first, model, nullptr);
    RecordingDevice second;
    first.Replay(second);
    ASSERT_EQ(second.Calls().size(), first.Calls().size());
    for (std::size_t i = 0; i < first.Calls().size(); ++i) {
        SCOPED_TRACE(i);
        const RecordingDevice::Call& a = first.Calls()[i];
        const RecordingDevice::Call& b = second.Calls()[i];
        EXPECT_EQ(a.kind, b.kind);
        EXPECT_EQ(a.matrix, b.matrix);
        EXPECT_EQ(a.model, b.model);
        EXPECT_EQ(a.value, b.value);
        EXPECT_EQ(a.diffuse, b.diffuse);
        EXPECT_EQ(a.vertices, b.vertices);
    }
    EXPECT_EQ(IRenderDevice::VertexCount(PrimitiveType::TriangleStrip, 2), 4);
    EXPECT_EQ(IRenderDevice::VertexCount(PrimitiveType::LineList, 0), 0);
}

} // namespace
