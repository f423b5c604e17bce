// The 3D view's OpenGL widget: frames are drawn on request; a paint only shows the last one.
#include "view3d/C3DViewport.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>

C3DViewport::C3DViewport(Painter painter, DeviceCallback lost, DeviceCallback reset, QWidget* parent)
    : QOpenGLWidget(parent), m_painter(std::move(painter)), m_lost(std::move(lost)), m_reset(std::move(reset))
{
    // The framebuffer keeps its picture between paints: a paint presents, it does not render.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);
}

C3DViewport::~C3DViewport()
{
    if (context())
        disconnect(context(), nullptr, this, nullptr);
    if (context() && context()->isValid()) {
        makeCurrent();
        ReleaseContext();
        doneCurrent();
    }
}

QSize C3DViewport::PixelSize() const
{
    const qreal ratio = devicePixelRatioF();
    return {qRound(width() * ratio), qRound(height() * ratio)};
}

int C3DViewport::FramebufferSamples()
{
    if (!isValid())
        return -1;
    makeCurrent();
    GLint samples = -1;
    context()->functions()->glGetIntegerv(GL_SAMPLES, &samples);
    doneCurrent();
    return samples;
}

bool C3DViewport::RenderNow()
{
    if (!isValid() || !m_device.IsInitialised())
        return false;
    makeCurrent();
    context()->functions()->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    if (m_painter)
        m_painter(m_device, PixelSize());
    ++m_frames;
    m_freshBuffer = false;
    doneCurrent();
    update();
    return true;
}

void C3DViewport::initializeGL()
{
    // A context that goes (the widget moves to another window) takes the device objects with it.
    connect(
        context(), &QOpenGLContext::aboutToBeDestroyed, this,
        [this] {
            makeCurrent();
            ReleaseContext();
            doneCurrent();
        },
        Qt::DirectConnection);
    m_error.clear();
    if (!m_device.Initialise(&m_error))
        return;
    m_freshBuffer = true;
    if (m_reset)
        m_reset();
}

void C3DViewport::resizeGL(int, int)
{
    m_freshBuffer = true;
}

void C3DViewport::paintGL()
{
    // Only a new framebuffer (first show, resize) is drawn here; otherwise the last frame is shown.
    if (!m_freshBuffer || !m_device.IsInitialised())
        return;
    if (m_painter)
        m_painter(m_device, PixelSize());
    ++m_frames;
    m_freshBuffer = false;
}

void C3DViewport::ReleaseContext()
{
    if (!m_device.IsInitialised())
        return;
    if (m_lost)
        m_lost();
    m_device.Release();
}
