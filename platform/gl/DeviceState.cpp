// The defaults of a fresh render device: identity transforms, lights off, depth test and write on,
// lighting on, no blending, counter-clockwise faces culled, solid fill, vertex colours used.
#include "platform/gl/DeviceState.h"

DeviceState::DeviceState()
{
    m_transforms.fill(tbMatrixIdentity());
    State(RenderState::ZEnable) = 1;
    State(RenderState::ZWriteEnable) = 1;
    State(RenderState::Lighting) = 1;
    State(RenderState::AlphaBlendEnable) = 0;
    State(RenderState::CullMode) = static_cast<int>(CullMode::CounterClockwise);
    State(RenderState::FillMode) = static_cast<int>(FillMode::Solid);
    State(RenderState::ColorVertex) = 1;
}
