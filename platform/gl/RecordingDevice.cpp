// Keeping and replaying the calls made on a render device.
#include "platform/gl/RecordingDevice.h"

#include "platform/gl/DeviceModel.h"

void RecordingDevice::SetTransform(TransformKind kind, const tbMatrix& m)
{
    m_state.Transform(kind) = m;
    Call call;
    call.kind = CallKind::SetTransform;
    call.transform = kind;
    call.matrix = m;
    m_calls.push_back(std::move(call));
}

void RecordingDevice::SetLight(int index, const DeviceLight& light)
{
    if (!DeviceState::ValidLight(index))
        return;
    m_state.Light(index) = light;
    Call call;
    call.kind = CallKind::SetLight;
    call.value = index;
    call.light = light;
    m_calls.push_back(std::move(call));
}

void RecordingDevice::LightEnable(int index, bool on)
{
    if (!DeviceState::ValidLight(index))
        return;
    m_state.LightOn(index) = on;
    Call call;
    call.kind = CallKind::LightEnable;
    call.value = index;
    call.on = on;
    m_calls.push_back(std::move(call));
}

bool RecordingDevice::IsLightEnabled(int index) const
{
    return DeviceState::ValidLight(index) && m_state.LightOn(index);
}

void RecordingDevice::SetRenderState(RenderState state, int value)
{
    m_state.State(state) = value;
    Call call;
    call.kind = CallKind::SetRenderState;
    call.state = state;
    call.value = value;
    m_calls.push_back(std::move(call));
}

void RecordingDevice::SetMaterialColour(const tbColor& colour)
{
    m_state.material = colour;
    Call call;
    call.kind = CallKind::SetMaterialColour;
    call.diffuse = colour;
    m_calls.push_back(std::move(call));
}

void RecordingDevice::SetTexture(const QImage* texture)
{
    m_state.texture = texture;
    Call call;
    call.kind = CallKind::SetTexture;
    call.texture = texture;
    m_calls.push_back(std::move(call));
}

void RecordingDevice::DrawModel(const DeviceModel& model, int firstPart, int lastPart, bool opaque,
                                bool blended, const tbColor* diffuse)
{
    Call call;
    call.kind = CallKind::DrawModel;
    call.model = &model;
    call.modelName = model.Name();
    call.value = firstPart;
    call.lastPart = lastPart;
    call.on = opaque;
    call.blended = blended;
    call.matrix = m_state.Transform(TransformKind::World);
    if (diffuse)
        call.diffuse = *diffuse;
    m_calls.push_back(std::move(call));
}

void RecordingDevice::DrawPrimitive(PrimitiveType type, VertexLayout layout, const void* vertices,
                                    int primitiveCount, int stride)
{
    Call call;
    call.kind = CallKind::DrawPrimitive;
    call.primitive = type;
    call.layout = layout;
    call.primitiveCount = primitiveCount;
    call.stride = stride;
    call.matrix = m_state.Transform(TransformKind::World);
    call.texture = m_state.texture;
    const int count = VertexCount(type, primitiveCount);
    // A stride below the vertex size is refused as the GL device refuses it: nothing is copied.
    if (vertices && count > 0 && stride >= VertexSize(layout)) {
        const auto* bytes = static_cast<const std::uint8_t*>(vertices);
        call.vertices.assign(bytes,
                             bytes + static_cast<std::size_t>(count - 1) * static_cast<std::size_t>(stride) +
                                 static_cast<std::size_t>(VertexSize(layout)));
    }
    m_calls.push_back(std::move(call));
}

std::vector<RecordingDevice::Call> RecordingDevice::ModelDraws() const
{
    std::vector<Call> draws;
    for (const Call& call : m_calls)
        if (call.kind == CallKind::DrawModel)
            draws.push_back(call);
    return draws;
}

void RecordingDevice::Replay(IRenderDevice& device) const
{
    for (const Call& call : m_calls) {
        switch (call.kind) {
        case CallKind::SetTransform:
            device.SetTransform(call.transform, call.matrix);
            break;
        case CallKind::SetLight:
            device.SetLight(call.value, call.light);
            break;
        case CallKind::LightEnable:
            device.LightEnable(call.value, call.on);
            break;
        case CallKind::SetRenderState:
            device.SetRenderState(call.state, call.value);
            break;
        case CallKind::SetMaterialColour:
            device.SetMaterialColour(call.diffuse.value_or(tbColor{1.0f, 1.0f, 1.0f, 1.0f}));
            break;
        case CallKind::SetTexture:
            device.SetTexture(call.texture);
            break;
        case CallKind::DrawModel:
            device.DrawModel(*call.model, call.value, call.lastPart, call.on, call.blended,
                             call.diffuse ? &*call.diffuse : nullptr);
            break;
        case CallKind::DrawPrimitive:
            device.DrawPrimitive(call.primitive, call.layout,
                                 call.vertices.empty() ? nullptr : call.vertices.data(), call.primitiveCount,
                                 call.stride);
            break;
        }
    }
}
