// The offscreen frame: framebuffer kept between frames of one size, clear, transforms, lights, read-back.
#include "view3d/OffscreenFrame.h"

#include "platform/gl/GlDevice.h"
#include "view3d/CCamera.h"

#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QtEndian>

#include <cstdint>
#include <cstring>

namespace {

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

tbColor Grey(float g)
{
    return tbColor{g, g, g, 1.0f};
}

} // namespace

OffscreenFrame::OffscreenFrame() = default;

OffscreenFrame::~OffscreenFrame() = default;

tbMatrix OffscreenFrame::Projection(QSize size, bool orthographic, float orthoWidth)
{
    // An empty frame draws nothing; aspect 1 keeps its matrices finite.
    const float aspect = size.width() > 0 && size.height() > 0
                             ? static_cast<float>(size.width()) / static_cast<float>(size.height())
                             : 1.0f;
    if (!orthographic)
        return tbMatrixProjection(FIELD_OF_VIEW, aspect, NEAR_PLANE, FAR_PLANE);
    return tbMatrixOrtho(orthoWidth, orthoWidth / aspect, ORTHO_NEAR, ORTHO_FAR);
}

void OffscreenFrame::SetLights(IRenderDevice& device)
{
    const DeviceLight lights[IRenderDevice::LIGHT_COUNT] = {
        {Grey(0.99f), Grey(0.1f), Grey(0.0f), {0.0f, -0.3f, -1.0f}},
        {Grey(0.99f), Grey(0.1f), Grey(0.0f), {0.0f, -0.4f, 1.0f}},
        {Grey(0.6f), Grey(0.1f), Grey(0.0f), {1.0f, 0.1f, 0.0f}},
        {Grey(0.6f), Grey(0.1f), Grey(0.0f), {-1.0f, 0.1f, 0.0f}},
        {Grey(0.2f), Grey(0.1f), Grey(0.3f), {0.0f, -1.0f, 0.0f}},
    };
    for (int i = 0; i < IRenderDevice::LIGHT_COUNT; ++i) {
        device.SetLight(i, lights[i]);
        device.LightEnable(i, i == 4);
    }
}

void OffscreenFrame::PrepareFrame(IRenderDevice& device, QSize size, const CCamera& camera)
{
    device.SetTransform(TransformKind::Projection,
                        Projection(size, camera.IsOrthographic(), camera.OrthoWidth()));
    device.SetTransform(TransformKind::View, camera.GetViewMatrix());
    SetLights(device);
}

QImage OffscreenFrame::Render(GlDevice& device, QSize size, const CCamera& camera, const Scene& scene,
                              QString* error)
{
    if (size.width() <= 0 || size.height() <= 0) {
        SetError(error,
                 QStringLiteral("The frame has no area (%1 x %2).").arg(size.width()).arg(size.height()));
        return {};
    }
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!context || !device.IsInitialised()) {
        SetError(error, QStringLiteral("No OpenGL context is current for the frame."));
        return {};
    }
    if (!m_fbo || m_fbo->size() != size) {
        m_fbo.reset();
        auto fbo =
            std::make_unique<QOpenGLFramebufferObject>(size, QOpenGLFramebufferObject::CombinedDepthStencil);
        if (!fbo->isValid()) {
            SetError(error, QStringLiteral("No framebuffer of %1 x %2 can be made.")
                                .arg(size.width())
                                .arg(size.height()));
            return {};
        }
        m_fbo = std::move(fbo);
    }
    if (!m_fbo->bind()) {
        SetError(error, QStringLiteral("The framebuffer cannot be bound."));
        return {};
    }
    QOpenGLExtraFunctions* gl = context->extraFunctions();
    gl->glViewport(0, 0, size.width(), size.height());
    gl->glDepthMask(GL_TRUE);
    gl->glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    gl->glClearDepthf(1.0f);
    gl->glClearStencil(0);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    device.ApplyStates();
    PrepareFrame(device, size, camera);
    if (scene)
        scene(device);
    ReadBack(*gl, size);
    QOpenGLFramebufferObject::bindDefault();
    return m_picture;
}

void OffscreenFrame::ReadBack(QOpenGLExtraFunctions& gl, QSize size)
{
    // The framebuffer's own byte order comes back as it is stored (red, green, blue, alpha), bottom row
    // first, into memory kept between frames; the picture is made from it in one pass.
    const auto width = static_cast<std::size_t>(size.width());
    const auto height = static_cast<std::size_t>(size.height());
    m_rows.resize(width * height * 4);
    gl.glPixelStorei(GL_PACK_ALIGNMENT, 4);
    gl.glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, m_rows.data());
    // A picture still held by a caller is left to it (writing would copy it first); otherwise its pixels
    // are used again.
    if (m_picture.size() != size || !m_picture.isDetached())
        m_picture = QImage(size, QImage::Format_RGB32);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* from = m_rows.data() + (height - 1 - y) * width * 4;
        auto* to = reinterpret_cast<QRgb*>(m_picture.scanLine(static_cast<int>(y)));
        // Red and blue change places; what the alphas have in common tells whether any is below 255.
        std::uint32_t alphas = 0xFF000000u;
        for (std::size_t x = 0; x < width; ++x) {
            std::uint32_t p = 0;
            std::memcpy(&p, from + x * 4, 4);
            p = qFromLittleEndian(p);
            alphas &= p;
            to[x] = (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
        }
        if (alphas == 0xFF000000u)
            continue;
        // A pixel whose alpha is below 255 (left by a draw without blending) is read as premultiplied, as
        // the framebuffer object's own picture would be.
        for (std::size_t x = 0; x < width; ++x)
            if (qAlpha(to[x]) != 255)
                to[x] = qUnpremultiply(to[x]) | 0xFF000000u;
    }
}

void OffscreenFrame::Release()
{
    m_fbo.reset();
    m_picture = QImage();
    m_rows = {};
}
