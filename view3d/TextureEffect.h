// Render states and a texture applied around a draw and restored afterwards.
#pragma once

class IRenderDevice;
class QImage;

class TextureEffect
{
public:
    // Blended: depth not written, texture × colour, source-alpha blending. Opaque: depth written, the
    // vertex alpha kept.
    TextureEffect(bool blended, const QImage* texture) : m_blended(blended), m_texture(texture) {}

    bool Blended() const { return m_blended; }
    const QImage* Texture() const { return m_texture; }
    void SetTexture(const QImage* texture) { m_texture = texture; }

    void Begin(IRenderDevice& device);
    void End(IRenderDevice& device);

private:
    bool m_blended;
    const QImage* m_texture;
    int m_savedZEnable = 1;
    int m_savedZWrite = 1;
    int m_savedBlend = 0;
};
