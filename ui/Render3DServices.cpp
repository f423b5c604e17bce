// What the application shell needs of the 3D side at start and exit.
#include "ui/Render3DServices.h"

int IRender3DServices::ShowD3DSettingsDialog(GlSettingsRecord*, bool, QWidget*)
{
    return 1;
}

bool IRender3DServices::TrySettings3D(const GlSettingsRecord&)
{
    return false;
}

int InitTextureManager(IRender3DServices* services, QWidget* mainWindow)
{
    if (!services)
        return 1;
    services->InitTextureManager(256);
    services->InitModellCache();
    LoadModelsCallback(services, MODEL_LOAD_MODELS);
    services->InitDirectInput(mainWindow, INPUT_NONEXCLUSIVE_FOREGROUND);
    return 1;
}

int ReleaseModelsCallback(IRender3DServices* services)
{
    return services ? services->ReleaseModellCache() : 0;
}

int LoadModelsCallback(IRender3DServices* services, unsigned flags,
                       const std::function<bool()>& pumpPendingEvents)
{
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
