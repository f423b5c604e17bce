// The 3D view's drawing surface: frames are drawn on request into a framebuffer that keeps the last one;
// an exposed window is shown that frame, not drawn again.
#include "view3d/C3DViewport.h"

#include <QApplication>
#include <QExposeEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>

namespace {

// The native window the frames are shown on. Input passes through it to the main window, where it
// reaches the viewport widget under the mouse like any widget's input; what a window system still
// delivers here is handed on to that widget.
class SurfaceWindow : public QWindow
{
public:
    explicit SurfaceWindow(C3DViewport* owner) : m_owner(owner)
    {
        setSurfaceType(QSurface::OpenGLSurface);
        setFlags(flags() | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    }

protected:
    void exposeEvent(QExposeEvent*) override
    {
        if (isExposed())
            m_owner->OnExposed();
    }

    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(e);
            QMouseEvent copy(e->type(), m_owner->mapFromGlobal(mouse->globalPosition()),
                             mouse->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers());
            if (e->type() == QEvent::MouseButtonPress)
                GiveFocusLikeAClick();
            QApplication::sendEvent(m_owner, &copy);
            return true;
        }
        case QEvent::Wheel: {
            const auto* wheel = static_cast<QWheelEvent*>(e);
            QWheelEvent copy(m_owner->mapFromGlobal(wheel->globalPosition()), wheel->globalPosition(),
                             wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(), wheel->modifiers(),
                             wheel->phase(), wheel->inverted());
            QApplication::sendEvent(m_owner, &copy);
            return true;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(e);
            QKeyEvent copy(e->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                           static_cast<quint16>(key->count()));
            QWidget* target = QApplication::focusWidget();
            QApplication::sendEvent(target ? target : m_owner, &copy);
            return true;
        }
        default:
            return QWindow::event(e);
        }
    }

private:
    // A press takes the focus to the nearest widget that takes it on a click, as a press on a widget does.
    void GiveFocusLikeAClick()
    {
        m_owner->window()->activateWindow();
        for (QWidget* w = m_owner; w != nullptr; w = w->parentWidget())
            if ((w->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus) {
                w->setFocus(Qt::MouseFocusReason);
                return;
            }
    }

    C3DViewport* m_owner;
};

QSurfaceFormat WindowFormat(QSurfaceFormat format)
{
    // The window only shows finished frames: samples belong to the framebuffer frames are drawn into.
    format.setSamples(0);
    return format;
}

} // namespace

C3DViewport::C3DViewport(Painter painter, DeviceCallback lost, DeviceCallback reset, QWidget* parent)
    : QWidget(parent), m_painter(std::move(painter)), m_lost(std::move(lost)), m_reset(std::move(reset)),
      m_format(QSurfaceFormat::defaultFormat())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_surface = new SurfaceWindow(this);
    m_surface->setFormat(WindowFormat(m_format));
    // The container owns the window. It takes no input itself: what passes the window reaches this widget.
    m_container = QWidget::createWindowContainer(m_surface, this);
    m_container->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_container->setFocusPolicy(Qt::NoFocus);
    m_container->setGeometry(rect());
}

C3DViewport::~C3DViewport()
{
    // The device's function tables go before the context that holds them (members in that order), the
    // context before its window (a child).
    ReleaseContext();
}

void C3DViewport::setFormat(const QSurfaceFormat& format)
{
    m_format = format;
    if (m_surface->handle() == nullptr)
        m_surface->setFormat(WindowFormat(format));
}

QWindow* C3DViewport::Surface() const
{
    return m_surface;
}

bool C3DViewport::isValid() const
{
    return m_context != nullptr && m_context->isValid();
}

QSize C3DViewport::PixelSize() const
{
    const qreal ratio = devicePixelRatioF();
    return {qRound(width() * ratio), qRound(height() * ratio)};
}

bool C3DViewport::MakeCurrent()
{
    return m_context != nullptr && m_surface->handle() != nullptr && m_context->makeCurrent(m_surface);
}

bool C3DViewport::EnsureContext()
{
    if (m_context != nullptr || m_contextFailed)
        return m_context != nullptr;
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(WindowFormat(m_format));
    context->setShareContext(QOpenGLContext::globalShareContext());
    if (!context->create() || !context->makeCurrent(m_surface)) {
        m_contextFailed = true;
        m_error = QStringLiteral("no OpenGL context for the 3D view's window");
        return false;
    }
    m_context = std::move(context);
    m_error.clear();
    // A new window shows what lay under it until its first frame: white at once, before the slower
    // set-up and first frame.
    if (m_surface->isExposed()) {
        QOpenGLFunctions* gl = m_context->functions();
        gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());
        gl->glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        m_context->swapBuffers(m_surface);
        m_context->makeCurrent(m_surface);
    }
    if (!m_device.Initialise(&m_error))
        return true;
    m_freshBuffer = true;
    if (m_reset)
        m_reset();
    return true;
}

bool C3DViewport::EnsureBuffer()
{
    const QSize pixels = PixelSize();
    if (m_buffer != nullptr && m_buffer->size() == pixels)
        return false;
    m_buffer.reset();
    m_resolved.reset();
    if (pixels.isEmpty())
        return false;
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    format.setSamples(std::max(m_format.samples(), 0));
    format.setInternalTextureFormat(m_textureFormat != 0 ? m_textureFormat : GL_RGBA8);
    m_buffer = std::make_unique<QOpenGLFramebufferObject>(pixels, format);
    if (m_buffer->format().samples() > 0) {
        QOpenGLFramebufferObjectFormat plain;
        plain.setInternalTextureFormat(format.internalTextureFormat());
        m_resolved = std::make_unique<QOpenGLFramebufferObject>(pixels, plain);
    }
    m_freshBuffer = true;
    return true;
}

void C3DViewport::DrawFrame()
{
    if (m_buffer == nullptr || !m_device.IsInitialised())
        return;
    m_buffer->bind();
    if (m_painter)
        m_painter(m_device, m_buffer->size());
    ++m_frames;
    m_freshBuffer = false;
    // The copy that is shown and grabbed.
    if (m_resolved != nullptr)
        QOpenGLFramebufferObject::blitFramebuffer(m_resolved.get(), m_buffer.get());
}

void C3DViewport::ShowFrame()
{
    QOpenGLFramebufferObject* frame = m_resolved != nullptr ? m_resolved.get() : m_buffer.get();
    if (frame == nullptr || !m_surface->isExposed())
        return;
    QOpenGLExtraFunctions* gl = m_context->extraFunctions();
    const QSize size = frame->size();
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, frame->handle());
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_context->defaultFramebufferObject());
    gl->glBlitFramebuffer(0, 0, size.width(), size.height(), 0, 0, size.width(), size.height(),
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, m_context->defaultFramebufferObject());
    m_context->swapBuffers(m_surface);
    Q_EMIT frameSwapped();
}

bool C3DViewport::RenderNow()
{
    if (!m_device.IsInitialised() || !MakeCurrent())
        return false;
    EnsureBuffer();
    DrawFrame();
    ShowFrame();
    return m_buffer != nullptr;
}

void C3DViewport::OnExposed()
{
    if (!EnsureContext() || !MakeCurrent())
        return;
    // Only a new framebuffer (first show, resize) is drawn here; otherwise the last frame is shown.
    if (EnsureBuffer() || m_freshBuffer)
        DrawFrame();
    ShowFrame();
}

int C3DViewport::FramebufferSamples()
{
    if (m_buffer == nullptr || !MakeCurrent())
        return -1;
    m_buffer->bind();
    GLint samples = -1;
    m_context->functions()->glGetIntegerv(GL_SAMPLES, &samples);
    return samples;
}

QImage C3DViewport::grabFramebuffer()
{
    if (!MakeCurrent())
        return {};
    if (EnsureBuffer() || m_freshBuffer)
        DrawFrame();
    QOpenGLFramebufferObject* frame = m_resolved != nullptr ? m_resolved.get() : m_buffer.get();
    return frame != nullptr ? frame->toImage() : QImage();
}

void C3DViewport::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    m_container->setGeometry(rect());
}

void C3DViewport::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    m_container->setGeometry(rect());
}

void C3DViewport::paintEvent(QPaintEvent*)
{
    // Under the window; seen only for the moment before the window first shows a frame.
    QPainter(this).fillRect(rect(), Qt::white);
}

void C3DViewport::ReleaseContext()
{
    if (m_context == nullptr)
        return;
    // The window may be gone already: a surface of its own keeps the context usable for the clean-up.
    QOffscreenSurface spare;
    if (!MakeCurrent()) {
        spare.setFormat(m_context->format());
        spare.create();
        if (!m_context->makeCurrent(&spare))
            return;
    }
    if (m_device.IsInitialised()) {
        if (m_lost)
            m_lost();
        m_device.Release();
    }
    m_buffer.reset();
    m_resolved.reset();
    m_context->doneCurrent();
}
