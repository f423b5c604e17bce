// The 3D side's services for start-up and exit: the texture manager and the model cache.
#pragma once

#include "ui/Render3DServices.h"
#include "view3d/ModelCache.h"
#include "view3d/TextureManager.h"

class Render3DServiceProvider : public IRender3DServices
{
public:
    explicit Render3DServiceProvider(const QString& programFolder);

    void InitTextureManager(int capacity) override;
    int InitModellCache() override;
    int GetModell(int number) override;
    int ReleaseModellCache() override;
    // Keyboard and mouse input come with the camera; until then nothing is set up.
    int InitDirectInput(QWidget* window, unsigned flags) override;
    void ReleaseDirectInput() override;
    int ShowD3DSettingsDialog(GlSettingsRecord* record, bool useRecord, QWidget* parent) override;
    bool TrySettings3D(const GlSettingsRecord& record) override;

    ModelCache& Cache() { return m_cache; }
    TextureManager& Textures() { return m_textures; }

private:
    TextureManager m_textures;
    ModelCache m_cache;
};
