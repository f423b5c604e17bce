// The 3D side's services for start-up and exit: the texture manager and the model cache.
#pragma once

#include "ui/Render3DServices.h"
#include "view3d/ModelCache.h"
#include "view3d/TextureManager.h"

class InputCollector;

class Render3DServiceProvider : public IRender3DServices
{
public:
    explicit Render3DServiceProvider(const QString& programFolder);

    void InitTextureManager(int capacity) override;
    int InitModellCache() override;
    int GetModell(int number) override;
    int ReleaseModellCache() override;
    // The keyboard and mouse input of the 3D device the provider serves (SetInput); without one
    // nothing is set up and InitDirectInput answers 1.
    int InitDirectInput(QWidget* window, unsigned flags) override;
    void ReleaseDirectInput() override;
    int ShowD3DSettingsDialog(GlSettingsRecord* record, bool useRecord, QWidget* parent) override;
    bool TrySettings3D(const GlSettingsRecord& record) override;

    void SetInput(InputCollector* input) { m_pInput = input; }

    ModelCache& Cache() { return m_cache; }
    TextureManager& Textures() { return m_textures; }

private:
    TextureManager m_textures;
    ModelCache m_cache;
    InputCollector* m_pInput = nullptr;
};
