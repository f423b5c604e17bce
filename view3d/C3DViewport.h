// The drawing surface of a 3D view: an OpenGL widget on the shared context that keeps its last frame.
#pragma once

#include "platform/gl/GlDevice.h"

#include <QOpenGLWidget>

#include <functional>

class C3DViewport : public QOpenGLWidget
{
    Q_OBJECT

public:
    // Draws one frame into the bound framebuffer of the given size in device pixels.
    using Painter = std::function<void(GlDevice& device, QSize pixels)>;
    // Called with the context current: `lost` before the context goes, `reset` once a new one is made.
    using DeviceCallback = std::function<void()>;

    C3DViewport(Painter painter, DeviceCallback lost, DeviceCallback reset, QWidget* parent = nullptr);
    ~C3DViewport() override;

    // Renders a frame into the widget's framebuffer now and asks for it to be shown; false when the widget
    // has no usable context yet.
    bool RenderNow();
    bool IsReady() const { return m_device.IsInitialised(); }
    GlDevice& Device() { return m_device; }
    QSize PixelSize() const;
    // Samples per pixel of the framebuffer frames are drawn into; -1 without a context.
    int FramebufferSamples();
    // Frames drawn by RenderNow and by paintGL into a new framebuffer.
    int FrameCount() const { return m_frames; }
    // Why the device could not be set up; empty when it could.
    const QString& DeviceError() const { return m_error; }

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    void ReleaseContext();

    Painter m_painter;
    DeviceCallback m_lost;
    DeviceCallback m_reset;
    GlDevice m_device;
    QString m_error;
    bool m_freshBuffer = true;
    int m_frames = 0;
};
