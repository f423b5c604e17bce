// The state a render device keeps between calls: transforms, lights, render states and texture.
#pragma once

#include "platform/gl/IRenderDevice.h"

#include <array>

class DeviceState
{
public:
    DeviceState();

    tbMatrix& Transform(TransformKind kind) { return m_transforms[static_cast<std::size_t>(kind)]; }
    const tbMatrix& Transform(TransformKind kind) const
    {
        return m_transforms[static_cast<std::size_t>(kind)];
    }
    static bool ValidLight(int index) { return index >= 0 && index < IRenderDevice::LIGHT_COUNT; }
    DeviceLight& Light(int index) { return m_lights[static_cast<std::size_t>(index)]; }
    const DeviceLight& Light(int index) const { return m_lights[static_cast<std::size_t>(index)]; }
    bool& LightOn(int index) { return m_lightOn[static_cast<std::size_t>(index)]; }
    bool LightOn(int index) const { return m_lightOn[static_cast<std::size_t>(index)]; }
    int& State(RenderState state) { return m_states[static_cast<std::size_t>(state)]; }
    int State(RenderState state) const { return m_states[static_cast<std::size_t>(state)]; }

    const QImage* texture = nullptr;
    // The colour of vertex arrays without their own colours.
    tbColor material{1.0f, 1.0f, 1.0f, 1.0f};

private:
    std::array<tbMatrix, 3> m_transforms;
    std::array<DeviceLight, IRenderDevice::LIGHT_COUNT> m_lights{};
    std::array<bool, IRenderDevice::LIGHT_COUNT> m_lightOn{};
    std::array<int, RENDER_STATE_COUNT> m_states{};
};
