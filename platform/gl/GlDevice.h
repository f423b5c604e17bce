// The render device over OpenGL 3.3 core: one GLSL program in place of the fixed-function pipeline,
// models uploaded on their first draw (once per group of sharing contexts), textures on their first use.
// A texture lives as long as its picture: the device keeps a shallow copy of each picture it uploaded
// and deletes the texture once that copy is the last one left (checked at each ApplyStates and before
// each upload), so pictures that come and go (labels, a changed chart, resources made again) leave
// nothing behind.
#pragma once

#include "platform/gl/DeviceState.h"

#include <QImage>
#include <QOpenGLFunctions_3_3_Core>
#include <QString>

#include <cstdint>
#include <unordered_map>

class GlDevice : public IRenderDevice
{
public:
    GlDevice();
    ~GlDevice() override;
    GlDevice(const GlDevice&) = delete;
    GlDevice& operator=(const GlDevice&) = delete;

    // Compiles the program and makes the stream buffer in the current context (3.3 core or later).
    // False, with the reason in `error`, when that fails; the device then draws nothing.
    bool Initialise(QString* error = nullptr);
    // Deletes every GL object; the context that Initialise used must be current.
    void Release();
    bool IsInitialised() const { return m_program != 0; }
    // Sets the GL states to the device's: call after other code has drawn into the context. Also lets
    // the textures of pictures that no longer exist go.
    void ApplyStates();
    // Deletes the textures whose pictures no longer exist elsewhere.
    void CollectTextures();

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

    // How many models this device has drawn (each has a vertex array here) and textures it has uploaded.
    int UploadedModelCount() const { return static_cast<int>(m_models.size()); }
    int UploadedTextureCount() const { return static_cast<int>(m_textures.size()); }

private:
    void ApplyState(RenderState state);
    // The model's vertex array of this device over the buffers its share group holds.
    GLuint VertexArray(const DeviceModel& model);
    GLuint TextureFor(const QImage& image);
    // Uploads transforms, lights and the material for the next draw.
    void PrepareDraw(const tbColor& colour, bool useVertexColour, const QImage* texture, bool hasNormals);

    QOpenGLFunctions_3_3_Core m_gl;
    DeviceState m_state;
    GLuint m_program = 0;
    GLuint m_streamVao = 0, m_streamVbo = 0;
    std::unordered_map<std::uint64_t, GLuint> m_models;
    struct Texture
    {
        GLuint id = 0;
        QImage picture; // shares the owner's pixels; the last holder once the owner let it go
    };
    std::unordered_map<qint64, Texture> m_textures;
    struct Uniforms
    {
        GLint world = -1, view = -1, projection = -1, normal = -1;
        GLint lighting = -1, lightOn = -1, lightDirection = -1, lightDiffuse = -1, lightAmbient = -1;
        GLint colour = -1, useVertexColour = -1, useTexture = -1, texture = -1, hasNormals = -1;
    } m_u;
};
