// One frame of the 3D scene drawn into an offscreen framebuffer of any size and read back as a picture.
#pragma once

#include "model/base/tbMatrix.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CCamera;
class GlDevice;
class IRenderDevice;
class QOpenGLExtraFunctions;
class QOpenGLFramebufferObject;

class OffscreenFrame
{
public:
    // Draws the scene; transforms of view and projection and the lights are already set.
    using Scene = std::function<void(IRenderDevice&)>;

    static constexpr float FIELD_OF_VIEW = 0.785398163f; // a quarter turn halved: pi / 4
    static constexpr float NEAR_PLANE = 0.1f;
    static constexpr float FAR_PLANE = 200.0f;
    static constexpr float ORTHO_NEAR = 1.0f;
    static constexpr float ORTHO_FAR = 100.0f;

    OffscreenFrame();
    ~OffscreenFrame();
    OffscreenFrame(const OffscreenFrame&) = delete;
    OffscreenFrame& operator=(const OffscreenFrame&) = delete;

    // Perspective of the frame, or the orthographic view `orthoWidth` wide, for a frame of `size`.
    static tbMatrix Projection(QSize size, bool orthographic, float orthoWidth);
    // The five directional lights of the view; only light 4 is switched on, the scene switches the others.
    static void SetLights(IRenderDevice& device);
    // Projection, the camera's view matrix and the lights.
    static void PrepareFrame(IRenderDevice& device, QSize size, const CCamera& camera);

    // Clears a framebuffer of `size` to white (depth 1), prepares the frame, runs `scene` on `device` and
    // reads the pixels back (RGB32). The picture of a frame the caller no longer holds is used again for
    // the next one. Needs the context that `device` was initialised in to be current.
    // A null picture, with the reason in `error`, when the size is empty or no framebuffer can be made.
    QImage Render(GlDevice& device, QSize size, const CCamera& camera, const Scene& scene,
                  QString* error = nullptr);
    // Deletes the framebuffer kept between frames; the context it was made in must be current.
    void Release();

private:
    // Reads the bound framebuffer of `size` into m_picture, top row first.
    void ReadBack(QOpenGLExtraFunctions& gl, QSize size);

    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
    std::vector<std::uint8_t> m_rows;
    QImage m_picture;
};
