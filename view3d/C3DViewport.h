// The drawing surface of a 3D view: a native OpenGL window inside a widget, keeping its last frame.
#pragma once

#include "platform/gl/GlDevice.h"

#include <QSurfaceFormat>
#include <QWidget>

#include <functional>
#include <memory>

class QOpenGLContext;
class QOpenGLFramebufferObject;
class QWindow;

// The frames are drawn on a window of their own (in a window container), so the rest of the main window
// keeps painting through its raster backing store and nothing of the main window is made again when the
// view first shows. Mouse, wheel and keys reach this widget as they reach any widget: the native window
// lets them through to the main window (and hands on any it gets itself).
class C3DViewport : public QWidget
{
    Q_OBJECT

public:
    // Draws one frame into the bound framebuffer of the given size in device pixels.
    using Painter = std::function<void(GlDevice& device, QSize pixels)>;
    // Called with the context current: `lost` before the context goes, `reset` once a new one is made.
    using DeviceCallback = std::function<void()>;

    C3DViewport(Painter painter, DeviceCallback lost, DeviceCallback reset, QWidget* parent = nullptr);
    ~C3DViewport() override;

    // The context's format (depth, stencil and samples of the frame buffer frames are drawn into) and the
    // colour format of that buffer (0 for the default); set before the widget is first shown.
    void setFormat(const QSurfaceFormat& format);
    void setTextureFormat(unsigned format) { m_textureFormat = format; }

    // Renders a frame now and shows it; false when there is no usable context yet.
    bool RenderNow();
    bool IsReady() const { return m_device.IsInitialised(); }
    bool isValid() const;
    GlDevice& Device() { return m_device; }
    QSize PixelSize() const;
    // Samples per pixel of the framebuffer frames are drawn into; -1 without a context.
    int FramebufferSamples();
    // Frames drawn by RenderNow and into a new framebuffer.
    int FrameCount() const { return m_frames; }
    // Why the device could not be set up; empty when it could.
    const QString& DeviceError() const { return m_error; }
    // The last frame as drawn.
    QImage grabFramebuffer();
    // The native window the frames are shown on (null until the widget was first shown).
    QWindow* Surface() const;

    // Called by the native window.
    void OnExposed();

Q_SIGNALS:
    // A frame reached the window.
    void frameSwapped();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void MakeSurface();
    bool MakeCurrent();
    bool EnsureContext();
    // The framebuffer of the current pixel size; true when it is new (and holds no frame yet).
    bool EnsureBuffer();
    void DrawFrame();
    void ShowFrame();
    void ReleaseContext();

    Painter m_painter;
    DeviceCallback m_lost;
    DeviceCallback m_reset;
    QSurfaceFormat m_format;
    unsigned m_textureFormat = 0;
    QWindow* m_surface = nullptr;
    QWidget* m_container = nullptr;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_buffer;
    // The single-sampled copy of a multisampled buffer, shown and grabbed.
    std::unique_ptr<QOpenGLFramebufferObject> m_resolved;
    bool m_contextFailed = false;
    GlDevice m_device;
    QString m_error;
    bool m_freshBuffer = true;
    int m_frames = 0;
};
