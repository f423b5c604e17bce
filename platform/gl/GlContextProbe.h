// Checks that an OpenGL 3.3 core context can be made offscreen, and asks for that format by default.
#pragma once

#include <QString>
#include <QSurfaceFormat>

class GlContextProbe
{
public:
    // 3.3 core with a 24-bit depth buffer and 8 bits of stencil.
    static QSurfaceFormat Format();
    // Makes a context of Format() on an offscreen surface and makes it current once; needs a
    // QGuiApplication. False, with the reason in `error`, when that fails or gives less than 3.3 core.
    static bool Run(QString* error = nullptr);
};
