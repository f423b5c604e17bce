// The offscreen OpenGL 3.3 core context check.
#include "platform/gl/GlContextProbe.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>

QSurfaceFormat GlContextProbe::Format()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    return format;
}

bool GlContextProbe::Run(QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QOpenGLContext context;
    context.setFormat(Format());
    if (!context.create())
        return fail(QStringLiteral("No OpenGL context can be created."));
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid())
        return fail(QStringLiteral("No offscreen surface can be created for OpenGL."));
    if (!context.makeCurrent(&surface))
        return fail(QStringLiteral("The OpenGL context cannot be made current."));
    const QSurfaceFormat got = context.format();
    context.doneCurrent();
    if (got.version() < qMakePair(3, 3) || got.profile() != QSurfaceFormat::CoreProfile)
        return fail(QStringLiteral("OpenGL %1.%2 core is not available; 3.3 core is needed.")
                        .arg(got.majorVersion())
                        .arg(got.minorVersion()));
    return true;
}
