// Drawing through OpenGL 3.3 core with per-vertex directional lighting, as the fixed-function pipeline did.
//
// Matrices are row-major for row vectors and go to GLSL unchanged: read column-major they are the
// transpose, so `M * v` in the shader is `v x M` here.
#include "platform/gl/GlDevice.h"

#include "platform/gl/DeviceModel.h"
#include "platform/gl/GlModelStore.h"
#include "platform/gl/KeptVertices.h"

#include <QImage>
#include <QOpenGLContext>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// Both sources follow the version line and the define of USE_TEXTURE that CompileProgram puts in front.
// The vertex stage's switches stay uniforms: made constants, they let the compiler arrange the lighting's
// arithmetic otherwise, and lit colours came out a unit off here and there.
const char* const VERTEX_SHADER = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec4 aColour;
layout(location = 3) in vec2 aTexCoord;
uniform mat4 uWorld;
uniform mat4 uView;
uniform mat4 uProjection;
uniform mat4 uNormal;
uniform int uLightOn[5];
uniform vec3 uLightDirection[5];
uniform vec4 uLightDiffuse[5];
uniform vec4 uLightAmbient[5];
uniform vec4 uColour;
uniform bool uLighting;
uniform bool uHasNormals;
uniform bool uUseVertexColour;
out vec4 vColour;
out vec2 vTexCoord;
void main()
{
    gl_Position = uProjection * (uView * (uWorld * vec4(aPosition, 1.0)));
    // A packed colour arrives as blue, green, red, alpha.
    vec4 material = uUseVertexColour ? aColour.zyxw : uColour;
    if (uLighting) {
        vec3 n = uHasNormals ? normalize(mat3(uNormal) * aNormal) : vec3(0.0);
        vec3 lit = vec3(0.0);
        for (int i = 0; i < 5; ++i) {
            if (uLightOn[i] == 0)
                continue;
            float d = max(dot(n, -normalize(uLightDirection[i])), 0.0);
            lit += uLightAmbient[i].rgb + uLightDiffuse[i].rgb * d;
        }
        vColour = vec4(material.rgb * lit, material.a);
    } else {
        vColour = material;
    }
    vTexCoord = aTexCoord;
}
)";

// Whether a fragment samples the texture is a constant of each of the two programs: the software
// rasteriser runs both sides of a branch on a uniform, so a texture lookup behind a switch that is off
// would still be paid for in every fragment.
const char* const FRAGMENT_SHADER = R"(
in vec4 vColour;
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColour;
void main()
{
    fragColour = USE_TEXTURE ? vColour * texture(uTexture, vTexCoord) : vColour;
}
)";

GLenum GlPrimitive(PrimitiveType type)
{
    switch (type) {
    case PrimitiveType::PointList:
        return GL_POINTS;
    case PrimitiveType::LineList:
        return GL_LINES;
    case PrimitiveType::LineStrip:
        return GL_LINE_STRIP;
    case PrimitiveType::TriangleList:
        return GL_TRIANGLES;
    case PrimitiveType::TriangleStrip:
        return GL_TRIANGLE_STRIP;
    }
    return GL_TRIANGLES;
}

} // namespace

GlDevice::GlDevice() = default;

GlDevice::~GlDevice()
{
    // GL objects need their context; delete them only where it is still current.
    if (m_ready && QOpenGLContext::currentContext())
        Release();
}

bool GlDevice::Initialise(QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        Release();
        return false;
    };
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context)
        return fail(QStringLiteral("No OpenGL context is current."));
    const QSurfaceFormat format = context->format();
    if (format.version() < qMakePair(3, 3))
        return fail(QStringLiteral("OpenGL %1.%2 is too old; 3.3 is needed.")
                        .arg(format.majorVersion())
                        .arg(format.minorVersion()));
    if (!m_gl.initializeOpenGLFunctions())
        return fail(QStringLiteral("The OpenGL 3.3 core functions cannot be resolved."));

    // Both programs are compiled from the same source; the textured one shows at once whether the
    // source compiles here. The other follows on its first draw.
    m_ready = true;
    const QString why = CompileProgram(true);
    if (!why.isEmpty())
        return fail(why);
    m_gl.glGenVertexArrays(1, &m_streamVao);
    m_gl.glGenBuffers(1, &m_streamVbo);
    ApplyStates();
    return true;
}

QString GlDevice::CompileProgram(bool textured)
{
    Program& program = m_programs[textured ? 1 : 0];
    const QByteArray defines =
        QByteArrayLiteral("#version 330 core\n#define USE_TEXTURE ") + (textured ? "true\n" : "false\n");
    auto compile = [&](GLenum type, const char* source, GLuint& shader) {
        shader = m_gl.glCreateShader(type);
        const char* parts[2] = {defines.constData(), source};
        m_gl.glShaderSource(shader, 2, parts, nullptr);
        m_gl.glCompileShader(shader);
        GLint ok = 0;
        m_gl.glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
        if (ok)
            return QString();
        char log[1024] = {};
        m_gl.glGetShaderInfoLog(shader, sizeof log - 1, nullptr, log);
        return QStringLiteral("A shader does not compile: %1").arg(QString::fromUtf8(log));
    };
    GLuint vertex = 0, fragment = 0;
    QString why = compile(GL_VERTEX_SHADER, VERTEX_SHADER, vertex);
    if (why.isEmpty())
        why = compile(GL_FRAGMENT_SHADER, FRAGMENT_SHADER, fragment);
    GLuint id = 0;
    if (why.isEmpty()) {
        id = m_gl.glCreateProgram();
        m_gl.glAttachShader(id, vertex);
        m_gl.glAttachShader(id, fragment);
        m_gl.glLinkProgram(id);
        GLint ok = 0;
        m_gl.glGetProgramiv(id, GL_LINK_STATUS, &ok);
        if (!ok) {
            char log[1024] = {};
            m_gl.glGetProgramInfoLog(id, sizeof log - 1, nullptr, log);
            why = QStringLiteral("The shader program does not link: %1").arg(QString::fromUtf8(log));
            m_gl.glDeleteProgram(id);
            id = 0;
        }
    }
    if (vertex)
        m_gl.glDeleteShader(vertex);
    if (fragment)
        m_gl.glDeleteShader(fragment);
    program = Program{};
    program.tried = true;
    if (!why.isEmpty())
        return why;
    program.id = id;
    // A uniform a program does not use has no location (-1); setting it is then ignored.
    auto at = [&](const char* name) { return m_gl.glGetUniformLocation(id, name); };
    Uniforms& u = program.u;
    u.world = at("uWorld");
    u.view = at("uView");
    u.projection = at("uProjection");
    u.normal = at("uNormal");
    u.lightOn = at("uLightOn");
    u.lightDirection = at("uLightDirection");
    u.lightDiffuse = at("uLightDiffuse");
    u.lightAmbient = at("uLightAmbient");
    u.colour = at("uColour");
    u.lighting = at("uLighting");
    u.hasNormals = at("uHasNormals");
    u.useVertexColour = at("uUseVertexColour");
    m_gl.glUseProgram(id);
    m_gl.glUniform1i(at("uTexture"), 0);
    return QString();
}

void GlDevice::Release()
{
    if (!QOpenGLContext::currentContext()) {
        m_models.clear();
        m_textures.clear();
        m_kept.clear();
        m_programs = {};
        m_streamVao = m_streamVbo = 0;
        m_ready = false;
        return;
    }
    // The buffers belong to the share group (GlModelStore); the vertex arrays are this device's.
    for (auto& [id, entry] : m_models)
        m_gl.glDeleteVertexArrays(1, &entry.vao);
    m_models.clear();
    for (auto& [key, texture] : m_textures)
        m_gl.glDeleteTextures(1, &texture.id);
    m_textures.clear();
    for (auto& [id, kept] : m_kept) {
        m_gl.glDeleteVertexArrays(1, &kept.vao);
        m_gl.glDeleteBuffers(1, &kept.vbo);
        m_gl.glDeleteBuffers(1, &kept.ibo);
    }
    m_kept.clear();
    if (m_streamVao)
        m_gl.glDeleteVertexArrays(1, &m_streamVao);
    if (m_streamVbo)
        m_gl.glDeleteBuffers(1, &m_streamVbo);
    for (Program& program : m_programs)
        if (program.id)
            m_gl.glDeleteProgram(program.id);
    m_programs = {};
    m_streamVao = m_streamVbo = 0;
    m_ready = false;
}

void GlDevice::ApplyStates()
{
    if (!IsInitialised())
        return;
    CollectTextures();
    CollectKept();
    for (int i = 0; i < RENDER_STATE_COUNT; ++i)
        ApplyState(static_cast<RenderState>(i));
    m_gl.glDepthFunc(GL_LEQUAL);
    m_gl.glFrontFace(GL_CW);
    // Colour blends by source alpha; the target's own alpha stays as cleared, so a framebuffer read
    // back (or composited) shows the colours as blended.
    m_gl.glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
}

void GlDevice::ApplyState(RenderState state)
{
    const int value = m_state.State(state);
    switch (state) {
    case RenderState::ZEnable:
        value ? m_gl.glEnable(GL_DEPTH_TEST) : m_gl.glDisable(GL_DEPTH_TEST);
        break;
    case RenderState::ZWriteEnable:
        m_gl.glDepthMask(value ? GL_TRUE : GL_FALSE);
        break;
    case RenderState::AlphaBlendEnable:
        value ? m_gl.glEnable(GL_BLEND) : m_gl.glDisable(GL_BLEND);
        break;
    case RenderState::CullMode:
        if (value == static_cast<int>(CullMode::None)) {
            m_gl.glDisable(GL_CULL_FACE);
        } else {
            m_gl.glEnable(GL_CULL_FACE);
            m_gl.glCullFace(value == static_cast<int>(CullMode::Clockwise) ? GL_FRONT : GL_BACK);
        }
        break;
    case RenderState::FillMode:
        m_gl.glPolygonMode(GL_FRONT_AND_BACK,
                           value == static_cast<int>(FillMode::Wireframe) ? GL_LINE : GL_FILL);
        break;
    case RenderState::Lighting:
    case RenderState::ColorVertex:
        break; // read by each draw
    }
}

void GlDevice::SetTransform(TransformKind kind, const tbMatrix& m)
{
    m_state.Transform(kind) = m;
}

void GlDevice::SetLight(int index, const DeviceLight& light)
{
    if (DeviceState::ValidLight(index))
        m_state.Light(index) = light;
}

void GlDevice::LightEnable(int index, bool on)
{
    if (DeviceState::ValidLight(index))
        m_state.LightOn(index) = on;
}

bool GlDevice::IsLightEnabled(int index) const
{
    return DeviceState::ValidLight(index) && m_state.LightOn(index);
}

void GlDevice::SetRenderState(RenderState state, int value)
{
    m_state.State(state) = value;
    if (IsInitialised())
        ApplyState(state);
}

void GlDevice::SetTexture(const QImage* texture)
{
    m_state.texture = texture;
}

void GlDevice::CollectTextures()
{
    if (!IsInitialised())
        return;
    for (auto it = m_textures.begin(); it != m_textures.end();) {
        if (it->second.picture.isDetached()) {
            m_gl.glDeleteTextures(1, &it->second.id);
            it = m_textures.erase(it);
        } else {
            ++it;
        }
    }
}

GLuint GlDevice::TextureFor(const QImage& image)
{
    const auto found = m_textures.find(image.cacheKey());
    if (found != m_textures.end())
        return found->second.id;
    CollectTextures();
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888).mirrored();
    GLuint texture = 0;
    m_gl.glGenTextures(1, &texture);
    m_gl.glBindTexture(GL_TEXTURE_2D, texture);
    m_gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, rgba.width(), rgba.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                      rgba.constBits());
    m_gl.glGenerateMipmap(GL_TEXTURE_2D);
    m_gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    m_gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    m_gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    m_gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    m_textures.emplace(image.cacheKey(), Texture{texture, image});
    return texture;
}

bool GlDevice::PrepareDraw(const tbColor& colour, bool useVertexColour, const QImage* texture,
                           bool hasNormals)
{
    Program& program = m_programs[texture ? 1 : 0];
    if (!program.tried) {
        const QString why = CompileProgram(texture != nullptr);
        if (!why.isEmpty())
            qWarning("%s", qPrintable(why));
    }
    if (program.id == 0)
        return false;
    m_gl.glUseProgram(program.id);
    // Uniforms stay in the program between draws and frames: only what differs from the values it
    // holds goes up (hundreds of draws a frame share the view, the projection and the lights).
    SentUniforms& sent = program.sent;
    const Uniforms& u = program.u;
    const auto differs = [&](auto& held, const auto& now) {
        static_assert(sizeof held == sizeof now);
        if (sent.valid && std::memcmp(&held, &now, sizeof held) == 0)
            return false;
        std::memcpy(&held, &now, sizeof held);
        return true;
    };
    const tbMatrix& world = m_state.Transform(TransformKind::World);
    if (differs(sent.world, world)) {
        m_gl.glUniformMatrix4fv(u.world, 1, GL_FALSE, world.Data());
        // Normals go with the inverse transpose, so scaled models keep them perpendicular.
        m_gl.glUniformMatrix4fv(u.normal, 1, GL_FALSE, tbMatrixTranspose(tbMatrixInvert(world)).Data());
    }
    if (differs(sent.view, m_state.Transform(TransformKind::View)))
        m_gl.glUniformMatrix4fv(u.view, 1, GL_FALSE, sent.view.Data());
    if (differs(sent.projection, m_state.Transform(TransformKind::Projection)))
        m_gl.glUniformMatrix4fv(u.projection, 1, GL_FALSE, sent.projection.Data());
    SentUniforms::Lights lights{};
    for (int i = 0; i < LIGHT_COUNT; ++i) {
        const DeviceLight& light = m_state.Light(i);
        lights.on[i] = m_state.LightOn(i) ? 1 : 0;
        lights.direction[i * 3 + 0] = light.direction.x;
        lights.direction[i * 3 + 1] = light.direction.y;
        lights.direction[i * 3 + 2] = light.direction.z;
        const float d[4] = {light.diffuse.r, light.diffuse.g, light.diffuse.b, light.diffuse.a};
        const float a[4] = {light.ambient.r, light.ambient.g, light.ambient.b, light.ambient.a};
        for (int c = 0; c < 4; ++c) {
            lights.diffuse[i * 4 + c] = d[c];
            lights.ambient[i * 4 + c] = a[c];
        }
    }
    if (differs(sent.lights, lights)) {
        m_gl.glUniform1iv(u.lightOn, LIGHT_COUNT, lights.on);
        m_gl.glUniform3fv(u.lightDirection, LIGHT_COUNT, lights.direction);
        m_gl.glUniform4fv(u.lightDiffuse, LIGHT_COUNT, lights.diffuse);
        m_gl.glUniform4fv(u.lightAmbient, LIGHT_COUNT, lights.ambient);
    }
    const GLfloat rgba[4] = {colour.r, colour.g, colour.b, colour.a};
    if (differs(sent.colour, rgba))
        m_gl.glUniform4fv(u.colour, 1, rgba);
    const GLint switches[3] = {m_state.State(RenderState::Lighting) != 0, hasNormals, useVertexColour};
    if (differs(sent.switches, switches)) {
        m_gl.glUniform1i(u.lighting, switches[0]);
        m_gl.glUniform1i(u.hasNormals, switches[1]);
        m_gl.glUniform1i(u.useVertexColour, switches[2]);
    }
    sent.valid = true;
    if (texture) {
        m_gl.glActiveTexture(GL_TEXTURE0);
        m_gl.glBindTexture(GL_TEXTURE_2D, TextureFor(*texture));
    }
    return true;
}

const GlDevice::ModelEntry& GlDevice::VertexArray(const DeviceModel& model)
{
    const auto found = m_models.find(model.Id());
    if (found != m_models.end())
        return found->second;
    ModelEntry entry;
    for (const Q3dModel::Part& part : model.Mesh().parts)
        for (const Q3dModel::Vertex& v : part.vertices) {
            const tbVector3& p = v.position;
            if (entry.empty) {
                entry.lower = entry.upper = p;
                entry.empty = false;
            }
            entry.lower = {std::min(entry.lower.x, p.x), std::min(entry.lower.y, p.y),
                           std::min(entry.lower.z, p.z)};
            entry.upper = {std::max(entry.upper.x, p.x), std::max(entry.upper.y, p.y),
                           std::max(entry.upper.z, p.z)};
        }
    const GlModelStore::Buffers& buffers = GlModelStore::Get(m_gl, model);
    GLuint vao = 0;
    m_gl.glGenVertexArrays(1, &vao);
    m_gl.glBindVertexArray(vao);
    m_gl.glBindBuffer(GL_ARRAY_BUFFER, buffers.vbo);
    m_gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.ibo);
    m_gl.glEnableVertexAttribArray(0);
    m_gl.glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 32, reinterpret_cast<const void*>(0));
    m_gl.glEnableVertexAttribArray(1);
    m_gl.glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 32, reinterpret_cast<const void*>(12));
    m_gl.glDisableVertexAttribArray(2);
    m_gl.glEnableVertexAttribArray(3);
    m_gl.glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, 32, reinterpret_cast<const void*>(24));
    m_gl.glBindVertexArray(0);
    entry.vao = vao;
    return m_models.emplace(model.Id(), entry).first->second;
}

bool GlDevice::OutsideView(const ModelEntry& entry) const
{
    if (entry.empty)
        return true;
    const tbMatrix m = m_state.Transform(TransformKind::World) * m_state.Transform(TransformKind::View) *
                       m_state.Transform(TransformKind::Projection);
    // The clip volume is -w <= x, y, z <= w. Each of its six planes is linear in the corners' clip
    // coordinates: when all eight corners lie beyond one plane, so does every point inside the box.
    int beyond[6] = {};
    for (int corner = 0; corner < 8; ++corner) {
        const float x = corner & 1 ? entry.upper.x : entry.lower.x;
        const float y = corner & 2 ? entry.upper.y : entry.lower.y;
        const float z = corner & 4 ? entry.upper.z : entry.lower.z;
        float clip[4];
        for (int j = 0; j < 4; ++j)
            clip[j] = x * m.m[0][j] + y * m.m[1][j] + z * m.m[2][j] + m.m[3][j];
        for (int axis = 0; axis < 3; ++axis) {
            beyond[axis * 2] += clip[axis] < -clip[3] ? 1 : 0;
            beyond[axis * 2 + 1] += clip[axis] > clip[3] ? 1 : 0;
        }
    }
    return std::any_of(std::begin(beyond), std::end(beyond), [](int n) { return n == 8; });
}

void GlDevice::DrawModel(const DeviceModel& model, int firstPart, int lastPart, bool opaque, bool blended,
                         const tbColor* diffuse)
{
    if (!IsInitialised() || model.PartCount() == 0)
        return;
    int first = firstPart < 0 ? 0 : firstPart;
    int last = lastPart < 0 ? model.PartCount() - 1 : std::min(lastPart, model.PartCount() - 1);
    if (first > last)
        return;
    const ModelEntry& entry = VertexArray(model);
    if (OutsideView(entry))
        return;
    const GLuint vao = entry.vao;
    const GlModelStore::Buffers& buffers = GlModelStore::Get(m_gl, model);
    const int zWrite = m_state.State(RenderState::ZWriteEnable);
    const int blend = m_state.State(RenderState::AlphaBlendEnable);
    for (Q3dModel::Pass pass : {Q3dModel::Pass::Opaque, Q3dModel::Pass::Blended}) {
        const bool isBlended = pass == Q3dModel::Pass::Blended;
        if (isBlended ? !blended : !opaque)
            continue;
        m_gl.glDepthMask(isBlended ? GL_FALSE : GL_TRUE);
        isBlended ? m_gl.glEnable(GL_BLEND) : m_gl.glDisable(GL_BLEND);
        for (int i = first; i <= last; ++i) {
            const Q3dModel::Part& part = model.Mesh().parts[static_cast<std::size_t>(i)];
            if (part.pass != pass || part.indices.empty())
                continue;
            if (!PrepareDraw(diffuse ? *diffuse : part.colour, false, model.Texture(i), true))
                continue;
            m_gl.glBindVertexArray(vao);
            m_gl.glDrawElementsBaseVertex(
                GL_TRIANGLES, static_cast<GLsizei>(part.indices.size()), GL_UNSIGNED_INT,
                reinterpret_cast<const void*>(
                    static_cast<std::size_t>(buffers.firstIndex[static_cast<std::size_t>(i)]) *
                    sizeof(std::uint32_t)),
                buffers.baseVertex[static_cast<std::size_t>(i)]);
        }
    }
    m_gl.glDepthMask(zWrite ? GL_TRUE : GL_FALSE);
    blend ? m_gl.glEnable(GL_BLEND) : m_gl.glDisable(GL_BLEND);
    m_gl.glBindVertexArray(0);
}

void GlDevice::SetMaterialColour(const tbColor& colour)
{
    m_state.material = colour;
}

void GlDevice::DrawPrimitive(PrimitiveType type, VertexLayout layout, const void* vertices,
                             int primitiveCount, int stride)
{
    const int count = VertexCount(type, primitiveCount);
    if (!IsInitialised() || !vertices || count <= 0 || stride < VertexSize(layout))
        return;
    m_gl.glBindVertexArray(m_streamVao);
    m_gl.glBindBuffer(GL_ARRAY_BUFFER, m_streamVbo);
    const std::size_t bytes = static_cast<std::size_t>(count - 1) * static_cast<std::size_t>(stride) +
                              static_cast<std::size_t>(VertexSize(layout));
    m_gl.glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), vertices, GL_STREAM_DRAW);
    SetVertexAttributes(layout, stride);
    const bool hasNormals = layout == VertexLayout::PositionNormalTexture;
    const bool hasColour = !hasNormals;
    const bool hasTexture = layout != VertexLayout::PositionColour;
    const bool useVertexColour = hasColour && m_state.State(RenderState::ColorVertex) != 0;
    if (!PrepareDraw(m_state.material, useVertexColour, hasTexture ? m_state.texture : nullptr, hasNormals))
        return;
    m_gl.glBindVertexArray(m_streamVao);
    m_gl.glDrawArrays(GlPrimitive(type), 0, count);
    m_gl.glBindVertexArray(0);
}

void GlDevice::SetVertexAttributes(VertexLayout layout, int stride)
{
    auto offset = [](std::size_t at) { return reinterpret_cast<const void*>(at); };
    m_gl.glEnableVertexAttribArray(0);
    m_gl.glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, offset(0));
    const bool hasNormals = layout == VertexLayout::PositionNormalTexture;
    const bool hasColour = !hasNormals;
    const bool hasTexture = layout != VertexLayout::PositionColour;
    if (hasNormals) {
        m_gl.glEnableVertexAttribArray(1);
        m_gl.glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, offset(12));
    } else {
        m_gl.glDisableVertexAttribArray(1);
    }
    if (hasColour) {
        m_gl.glEnableVertexAttribArray(2);
        m_gl.glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, offset(12));
    } else {
        m_gl.glDisableVertexAttribArray(2);
    }
    if (hasTexture) {
        m_gl.glEnableVertexAttribArray(3);
        m_gl.glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, stride, offset(hasNormals ? 24 : 16));
    } else {
        m_gl.glDisableVertexAttribArray(3);
    }
}

void GlDevice::CollectKept()
{
    if (!IsInitialised())
        return;
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        if (it->second.owner.expired()) {
            m_gl.glDeleteVertexArrays(1, &it->second.vao);
            m_gl.glDeleteBuffers(1, &it->second.vbo);
            m_gl.glDeleteBuffers(1, &it->second.ibo);
            it = m_kept.erase(it);
        } else {
            ++it;
        }
    }
}

void GlDevice::DrawKept(PrimitiveType type, const KeptVertices& kept, int firstIndex, int primitiveCount)
{
    const int count = VertexCount(type, primitiveCount);
    if (!IsInitialised() || count <= 0 || firstIndex < 0 ||
        static_cast<std::size_t>(firstIndex) + static_cast<std::size_t>(count) > kept.Indices().size())
        return;
    auto found = m_kept.find(kept.Id());
    if (found == m_kept.end()) {
        CollectKept();
        KeptBuffers buffers;
        buffers.owner = kept.Lifetime();
        const auto vertexCount = static_cast<std::uint32_t>(kept.VertexCount());
        buffers.valid = std::all_of(kept.Indices().begin(), kept.Indices().end(),
                                    [vertexCount](std::uint32_t i) { return i < vertexCount; });
        m_gl.glGenVertexArrays(1, &buffers.vao);
        m_gl.glGenBuffers(1, &buffers.vbo);
        m_gl.glGenBuffers(1, &buffers.ibo);
        m_gl.glBindVertexArray(buffers.vao);
        m_gl.glBindBuffer(GL_ARRAY_BUFFER, buffers.vbo);
        m_gl.glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(kept.Vertices().size()),
                          kept.Vertices().data(), GL_STATIC_DRAW);
        m_gl.glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers.ibo);
        m_gl.glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                          static_cast<GLsizeiptr>(kept.Indices().size() * sizeof(std::uint32_t)),
                          kept.Indices().data(), GL_STATIC_DRAW);
        SetVertexAttributes(kept.Layout(), kept.Stride());
        m_gl.glBindVertexArray(0);
        found = m_kept.emplace(kept.Id(), buffers).first;
    }
    if (!found->second.valid)
        return;
    const VertexLayout layout = kept.Layout();
    const bool hasNormals = layout == VertexLayout::PositionNormalTexture;
    const bool hasColour = !hasNormals;
    const bool hasTexture = layout != VertexLayout::PositionColour;
    const bool useVertexColour = hasColour && m_state.State(RenderState::ColorVertex) != 0;
    if (!PrepareDraw(m_state.material, useVertexColour, hasTexture ? m_state.texture : nullptr, hasNormals))
        return;
    m_gl.glBindVertexArray(found->second.vao);
    m_gl.glDrawElements(
        GlPrimitive(type), count, GL_UNSIGNED_INT,
        reinterpret_cast<const void*>(static_cast<std::size_t>(firstIndex) * sizeof(std::uint32_t)));
    m_gl.glBindVertexArray(0);
}
