// The render device over OpenGL 3.3 core: two GLSL programs (with and without a texture) in place of the
// fixed-function pipeline, models uploaded on their first draw (once per group of sharing contexts),
// textures on their first use.
// A texture lives as long as its picture: the device keeps a shallow copy of each picture it uploaded
// and deletes the texture once that copy is the last one left (checked at each ApplyStates and before
// each upload), so pictures that come and go (labels, a changed chart, resources made again) leave
// nothing behind.
#pragma once

#include "platform/gl/DeviceState.h"

#include <QImage>
#include <QOpenGLFunctions_3_3_Core>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
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
    bool IsInitialised() const { return m_ready; }
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
    // Uploads the kept vertices on their first draw and draws from those buffers until the kept object
    // is gone (its buffers go at the next ApplyStates or upload).
    void DrawKept(PrimitiveType type, const KeptVertices& kept, int firstIndex, int primitiveCount) override;

    // How many models this device has drawn (each has a vertex array here) and textures it has uploaded.
    // A model whose every vertex lies outside the view is not drawn (nothing of it would show).
    int UploadedModelCount() const { return static_cast<int>(m_models.size()); }
    int UploadedTextureCount() const { return static_cast<int>(m_textures.size()); }
    // How many kept vertex sets this device holds buffers of.
    int KeptBufferCount() const { return static_cast<int>(m_kept.size()); }

private:
    // A model's vertex array and the box around all its vertices (empty for a model without any).
    struct ModelEntry
    {
        GLuint vao = 0;
        tbVector3 lower, upper;
        bool empty = true;
    };
    void ApplyState(RenderState state);
    // The model's vertex array of this device over the buffers its share group holds.
    const ModelEntry& VertexArray(const DeviceModel& model);
    // True when nothing inside `entry`'s box can reach the framebuffer with the current transforms.
    bool OutsideView(const ModelEntry& entry) const;
    GLuint TextureFor(const QImage& image);
    // Points the bound vertex array's attributes at the bound buffer's vertices of `layout`.
    void SetVertexAttributes(VertexLayout layout, int stride);
    // Deletes the buffers of kept vertices that no longer exist.
    void CollectKept();
    // Binds the program with or without a texture and uploads transforms, lights and the material for
    // the next draw; false when that program cannot be had (the draw is then left out).
    bool PrepareDraw(const tbColor& colour, bool useVertexColour, const QImage* texture, bool hasNormals);
    // Compiles and links the program with or without a texture into its slot; the reason when that
    // fails (the slot then stays empty and is not tried again).
    QString CompileProgram(bool textured);

    QOpenGLFunctions_3_3_Core m_gl;
    DeviceState m_state;
    bool m_ready = false;
    GLuint m_streamVao = 0, m_streamVbo = 0;
    std::unordered_map<std::uint64_t, ModelEntry> m_models;
    struct Texture
    {
        GLuint id = 0;
        QImage picture; // shares the owner's pixels; the last holder once the owner let it go
    };
    std::unordered_map<qint64, Texture> m_textures;
    struct KeptBuffers
    {
        GLuint vao = 0, vbo = 0, ibo = 0;
        std::weak_ptr<const void> owner;
        bool valid = false; // every index names a vertex
    };
    std::unordered_map<std::uint64_t, KeptBuffers> m_kept;
    struct Uniforms
    {
        GLint world = -1, view = -1, projection = -1, normal = -1;
        GLint lightOn = -1, lightDirection = -1, lightDiffuse = -1, lightAmbient = -1;
        GLint colour = -1, lighting = -1, hasNormals = -1, useVertexColour = -1;
    };
    // The uniform values a program holds.
    struct SentUniforms
    {
        bool valid = false;
        tbMatrix world, view, projection;
        struct Lights
        {
            GLint on[LIGHT_COUNT];
            GLfloat direction[LIGHT_COUNT * 3], diffuse[LIGHT_COUNT * 4], ambient[LIGHT_COUNT * 4];
        } lights{};
        GLfloat colour[4] = {};
        GLint switches[3] = {};
    };
    struct Program
    {
        GLuint id = 0;
        bool tried = false;
        Uniforms u;
        SentUniforms sent;
    };
    // Without and with a texture.
    std::array<Program, 2> m_programs{};
};
