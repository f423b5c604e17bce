// Start-up and exit services of the 3D side over the model cache and the texture manager.
#include "view3d/Render3DServiceProvider.h"

#include "view3d/DirectInput.h"

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
    return ::InitDirectInput(window, flags);
}

void Render3DServiceProvider::ReleaseDirectInput()
{
    ::ReleaseDirectInput();
}
