// Texture states of the renderer's two texture effects.
#include "view3d/TextureEffect.h"

#include "platform/gl/IRenderDevice.h"

void TextureEffect::Begin(IRenderDevice& device)
{
    m_savedZEnable = device.GetRenderState(RenderState::ZEnable);
    m_savedZWrite = device.GetRenderState(RenderState::ZWriteEnable);
    m_savedBlend = device.GetRenderState(RenderState::AlphaBlendEnable);
    device.SetTexture(m_texture);
    device.SetRenderState(RenderState::ZEnable, 1);
    device.SetRenderState(RenderState::ZWriteEnable, m_blended ? 0 : 1);
    device.SetRenderState(RenderState::AlphaBlendEnable, m_blended ? 1 : 0);
}

void TextureEffect::End(IRenderDevice& device)
{
    device.SetTexture(nullptr);
    device.SetRenderState(RenderState::ZEnable, m_savedZEnable);
    device.SetRenderState(RenderState::ZWriteEnable, m_savedZWrite);
    device.SetRenderState(RenderState::AlphaBlendEnable, m_savedBlend);
}
