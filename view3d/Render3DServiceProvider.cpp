// Start-up and exit services of the 3D side over the model cache and the texture manager.
#include "view3d/Render3DServiceProvider.h"

#include "platform/gl/GlContextProbe.h"
#include "view3d/CDlgSettings3D.h"
#include "view3d/InputCollector.h"
#include "view3d/Settings3DRecord.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>

Render3DServiceProvider::Render3DServiceProvider(const QString& programFolder)
    : m_cache(programFolder, m_textures)
{
}

void Render3DServiceProvider::InitTextureManager(int capacity)
{
    m_textures.Init(capacity);
}

int Render3DServiceProvider::InitModellCache()
{
    return m_cache.InitModellCache();
}

int Render3DServiceProvider::GetModell(int number)
{
    const DeviceModel* model = nullptr;
    return m_cache.GetModell(number, &model);
}

int Render3DServiceProvider::ReleaseModellCache()
{
    return m_cache.ReleaseModellCache();
}

int Render3DServiceProvider::InitDirectInput(QWidget* window, unsigned flags)
{
    return m_pInput != nullptr ? m_pInput->Init(window, flags) : 1;
}

void Render3DServiceProvider::ReleaseDirectInput()
{
    if (m_pInput != nullptr)
        m_pInput->Release();
}

int Render3DServiceProvider::ShowD3DSettingsDialog(GlSettingsRecord* record, bool useRecord, QWidget* parent)
{
    return ::ShowD3DSettingsDialog(record, useRecord, parent);
}

bool Render3DServiceProvider::TrySettings3D(const GlSettingsRecord& record)
{
    if (!Settings3DRecord::Check(record))
        return false;
    QSurfaceFormat format = GlContextProbe::Format();
    const std::uint32_t depth = GlSettings::Field(record, Settings3DRecord::kDepthFormat);
    format.setDepthBufferSize(depth == 80 ? 16 : 24);
    format.setStencilBufferSize(depth == 75 ? 8 : 0);
    format.setSamples(static_cast<int>(GlSettings::Field(record, Settings3DRecord::kMultiSample)));
    QOffscreenSurface surface;
    surface.setFormat(format);
    surface.create();
    QOpenGLContext context;
    context.setFormat(format);
    if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface))
        return false;
    context.doneCurrent();
    return true;
}
