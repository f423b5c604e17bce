// A render device that draws nothing and keeps every call in order, so a frame can be checked without GL
// and replayed onto another device.
#pragma once

#include "platform/gl/DeviceState.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class RecordingDevice : public IRenderDevice
{
public:
    enum class CallKind
    {
        SetTransform,
        SetLight,
        LightEnable,
        SetRenderState,
        SetMaterialColour,
        SetTexture,
        DrawModel,
        DrawPrimitive,
    };

    // One call with its arguments; fields that the kind does not use keep their defaults.
    struct Call
    {
        CallKind kind = CallKind::SetTransform;
        TransformKind transform = TransformKind::World;
        RenderState state = RenderState::ZEnable;
        // Light index, render-state value or first part.
        int value = 0;
        int lastPart = 0;
        bool on = false; // light enabled, or the opaque pass of a model
        bool blended = false;
        tbMatrix matrix; // SetTransform's matrix; for draws the world transform in force
        DeviceLight light;
        std::optional<tbColor> diffuse;
        const DeviceModel* model = nullptr;
        std::string modelName;
        const QImage* texture = nullptr;
        PrimitiveType primitive = PrimitiveType::TriangleList;
        VertexLayout layout = VertexLayout::PositionColour;
        int primitiveCount = 0;
        int stride = 0;
        std::vector<std::uint8_t> vertices; // a copy, so a replay needs no caller's buffer
    };

    void SetTransform(TransformKind kind, const tbMatrix& m) override;
    tbMatrix GetTransform(TransformKind kind) const override { return m_state.Transform(kind); }
    void SetLight(int index, const DeviceLight& light) override;
    void LightEnable(int index, bool on) override;
    bool IsLightEnabled(int index) const override;
    void SetRenderState(RenderState state, int value) override;
    int GetRenderState(RenderState state) const override { return m_state.State(state); }
    void SetMaterialColour(const tbColor& colour) override;
    tbColor GetMaterialColour() const override { return m_state.material; }
    void SetTexture(const QImage* texture) override;
    void DrawModel(const DeviceModel& model, int firstPart, int lastPart, bool opaque, bool blended,
                   const tbColor* diffuse = nullptr) override;
    void DrawPrimitive(PrimitiveType type, VertexLayout layout, const void* vertices, int primitiveCount,
                       int stride) override;

    const std::vector<Call>& Calls() const { return m_calls; }
    // The model draws only, in order.
    std::vector<Call> ModelDraws() const;
    void Clear() { m_calls.clear(); }
    // Makes the same calls in the same order on `device`.
    void Replay(IRenderDevice& device) const;

private:
    DeviceState m_state;
    std::vector<Call> m_calls;
};
