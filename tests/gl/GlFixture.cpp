// The OpenGL test fixture: context, device, framebuffer and the scene's lights.
#include "GlFixture.h"

#include "platform/gl/GlContextProbe.h"

#include <QDir>
#include <QFileInfo>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>

#include <cmath>
#include <numbers>

void GlFixture::SetUp()
{
    const bool required = qgetenv("CI") == "true";
    QString why;
    m_context.setFormat(GlContextProbe::Format());
    if (!m_context.create())
        why = QStringLiteral("no OpenGL context can be created");
    if (why.isEmpty()) {
        m_surface.setFormat(m_context.format());
        m_surface.create();
        if (!m_context.makeCurrent(&m_surface))
            why = QStringLiteral("the OpenGL context cannot be made current");
    }
    if (!why.isEmpty()) {
        if (required)
            FAIL() << why.toStdString();
        GTEST_SKIP() << why.toStdString();
    }
    QString error;
    ASSERT_TRUE(m_device.Initialise(&error)) << error.toStdString();
    m_textures.Init(256);
    m_cache.InitModellCache();
}

QString GlFixture::ProgramFolder()
{
    return QFileInfo(QStringLiteral(QOR_MODELS_DIR)).absolutePath();
}

void GlFixture::TearDown()
{
    if (QOpenGLContext::currentContext() == &m_context) {
        m_device.Release();
        m_context.doneCurrent();
    }
}

const DeviceModel& GlFixture::Model(int index)
{
    const DeviceModel* model = nullptr;
    if (m_cache.GetModell(index, &model) != 0)
        throw std::runtime_error(m_cache.LastError().toStdString());
    return *model;
}

QImage GlFixture::Render(QSize size, const std::function<void(IRenderDevice&)>& frame, IRenderDevice* device)
{
    QOpenGLFramebufferObject fbo(size, QOpenGLFramebufferObject::Depth);
    fbo.bind();
    QOpenGLExtraFunctions* gl = QOpenGLContext::currentContext()->extraFunctions();
    gl->glViewport(0, 0, size.width(), size.height());
    gl->glDepthMask(GL_TRUE);
    gl->glClearColor(1, 1, 1, 1);
    gl->glClearDepthf(1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (auto* gl33 = dynamic_cast<GlDevice*>(device ? device : &m_device))
        gl33->ApplyStates();
    frame(device ? *device : m_device);
    gl->glFinish();
    QImage image = fbo.toImage();
    fbo.release();
    return image.convertToFormat(QImage::Format_RGB32);
}

void GlFixture::SetViewport(int x, int y, int width, int height)
{
    QOpenGLContext::currentContext()->functions()->glViewport(x, y, width, height);
}

void GlFixture::SetScene(IRenderDevice& device, const tbVector3& eye, const tbVector3& target, float aspect)
{
    device.SetTransform(TransformKind::View, tbMatrixCamera(eye, target, {0, 1, 0}));
    device.SetTransform(TransformKind::Projection,
                        tbMatrixProjection(std::numbers::pi_v<float> / 4, aspect, 0.1f, 200.0f));
    const auto grey = [](float g) { return tbColor{g, g, g, 1}; };
    const DeviceLight lights[5] = {
        {grey(0.99f), grey(0.1f), grey(0), {0, -0.3f, -1}}, {grey(0.99f), grey(0.1f), grey(0), {0, -0.4f, 1}},
        {grey(0.6f), grey(0.1f), grey(0), {1, 0.1f, 0}},    {grey(0.6f), grey(0.1f), grey(0), {-1, 0.1f, 0}},
        {grey(0.2f), grey(0.1f), grey(0.3f), {0, -1, 0}},
    };
    for (int i = 0; i < 5; ++i) {
        device.SetLight(i, lights[i]);
        device.LightEnable(i, true);
    }
}
