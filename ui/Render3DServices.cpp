// What the application shell needs of the 3D side at start and exit.
#include "ui/Render3DServices.h"

#include <atomic>

namespace {
std::atomic<IRender3DServices*> g_services{nullptr};
}

int IRender3DServices::ShowD3DSettingsDialog(GlSettingsRecord*, bool, QWidget*)
{
    return 1;
}

bool IRender3DServices::TrySettings3D(const GlSettingsRecord&)
{
    return false;
}

IRender3DServices* Current3DServices()
{
    return g_services.load();
}

void SetCurrent3DServices(IRender3DServices* services)
{
    g_services.store(services);
}

int InitTextureManager(QWidget* mainWindow)
{
    IRender3DServices* services = Current3DServices();
    if (!services)
        return 1;
    services->InitTextureManager(256);
    services->InitModellCache();
    LoadModelsCallback(MODEL_LOAD_MODELS);
    services->InitDirectInput(mainWindow, INPUT_NONEXCLUSIVE_FOREGROUND);
    return 1;
}

int ReleaseModelsCallback()
{
    IRender3DServices* services = Current3DServices();
    return services ? services->ReleaseModellCache() : 0;
}

int LoadModelsCallback(unsigned flags, const std::function<bool()>& pumpPendingEvents)
{
    IRender3DServices* services = Current3DServices();
    if (!services || !(flags & MODEL_LOAD_MODELS))
        return 0;
    int asked = 0;
    for (int number = 0; number < IRender3DServices::MODEL_COUNT; ++number) {
        services->GetModell(number);
        ++asked;
        if ((flags & MODEL_LOAD_PUMP_MESSAGES) && pumpPendingEvents && !pumpPendingEvents())
            break;
    }
    return asked;
}
