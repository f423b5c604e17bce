// Probing the OpenGL driver for the 3D settings: framebuffers of each format combination are tried.
#include "view3d/AdapterCaps3D.h"

#include "platform/gl/GlContextProbe.h"
#include "view3d/Settings3DRecord.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QScreen>

#include <algorithm>

namespace {

GLenum ColourInternal(std::uint32_t format)
{
    switch (format) {
    case 35:
        return GL_RGB10_A2;
    case 22:
        return GL_RGB8;
    case 21:
        return GL_RGBA8;
    case 23:
        return GL_RGB565;
    case 24:
        return GL_RGB5_A1; // no 5-5-5 colour format without alpha: the closest one
    case 25:
        return GL_RGB5_A1;
    default:
        return 0;
    }
}

// Only the depth-stencil formats with an OpenGL counterpart.
GLenum DepthInternal(std::uint32_t format)
{
    switch (format) {
    case 71:
        return GL_DEPTH_COMPONENT32F;
    case 77:
        return GL_DEPTH_COMPONENT24;
    case 75:
        return GL_DEPTH24_STENCIL8;
    case 80:
        return GL_DEPTH_COMPONENT16;
    default:
        return 0;
    }
}

bool Complete(QOpenGLExtraFunctions& gl, GLenum colour, GLenum depth, int samples)
{
    GLuint fbo = 0;
    GLuint buffers[2] = {0, 0};
    gl.glGenFramebuffers(1, &fbo);
    gl.glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    gl.glGenRenderbuffers(depth ? 2 : 1, buffers);
    gl.glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    gl.glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, colour, 16, 16);
    gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, buffers[0]);
    if (depth) {
        gl.glBindRenderbuffer(GL_RENDERBUFFER, buffers[1]);
        gl.glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, depth, 16, 16);
        const GLenum attachment =
            depth == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
        gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, buffers[1]);
    }
    GLint got = 0;
    gl.glBindRenderbuffer(GL_RENDERBUFFER, buffers[0]);
    gl.glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_SAMPLES, &got);
    const bool complete = gl.glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE &&
                          gl.glGetError() == GL_NO_ERROR && got == samples;
    gl.glBindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.glBindRenderbuffer(GL_RENDERBUFFER, 0);
    gl.glDeleteRenderbuffers(depth ? 2 : 1, buffers);
    gl.glDeleteFramebuffers(1, &fbo);
    return complete;
}

} // namespace

bool AdapterCaps3D::ColourOk(std::uint32_t colour) const
{
    return std::find(colourFormats.begin(), colourFormats.end(), colour) != colourFormats.end();
}

AdapterCaps3D AdapterCaps3D::Probe()
{
    AdapterCaps3D caps;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return caps;
    QOffscreenSurface surface;
    surface.setFormat(GlContextProbe::Format());
    surface.create();
    QOpenGLContext context;
    context.setFormat(GlContextProbe::Format());
    if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface))
        return caps;
    const QSurfaceFormat made = context.format();
    if (made.majorVersion() < 3 || (made.majorVersion() == 3 && made.minorVersion() < 3)) {
        context.doneCurrent();
        return caps;
    }
    QOpenGLExtraFunctions& gl = *context.extraFunctions();
    caps.adapter = QString::fromLatin1(reinterpret_cast<const char*>(gl.glGetString(GL_RENDERER)));
    caps.hardware = !caps.adapter.contains(QStringLiteral("llvmpipe"), Qt::CaseInsensitive) &&
                    !caps.adapter.contains(QStringLiteral("softpipe"), Qt::CaseInsensitive);
    caps.desktop = screen->size() * screen->devicePixelRatio();
    caps.refresh = qRound(screen->refreshRate());
    caps.displayFormat = screen->depth() == 16 ? 23 : 22;
    GLint maxSamples = 0;
    gl.glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    while (gl.glGetError() != GL_NO_ERROR) {
    }
    for (std::uint32_t colour : Settings3DRecord::kBackBufferFormats) {
        if (!Complete(gl, ColourInternal(colour), 0, 0))
            continue;
        caps.colourFormats.push_back(colour);
        for (std::uint32_t depth : Settings3DRecord::kDepthFormats) {
            const GLenum internal = DepthInternal(depth);
            if (internal == 0 || !Complete(gl, ColourInternal(colour), internal, 0))
                continue;
            caps.depthFormats.insert({colour, depth});
            caps.sampleCounts.insert({colour, depth, 0});
            for (int samples = 2; samples <= std::min<int>(maxSamples, Settings3DRecord::kMaxSamples);
                 ++samples)
                if (Complete(gl, ColourInternal(colour), internal, samples))
                    caps.sampleCounts.insert({colour, depth, samples});
        }
    }
    context.doneCurrent();
    caps.ok = true;
    return caps;
}
