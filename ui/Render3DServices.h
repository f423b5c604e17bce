// What the application shell needs of the 3D side at start and exit: the model cache, the texture
// manager and the keyboard and mouse input. The 3D library implements it; the program installs it in
// the application's run (ProgramRun), where the shell finds it; none there while it runs without 3D.
#pragma once

#include "platform/GlProbe.h"

#include <functional>

class QWidget;

class IRender3DServices
{
public:
    // Number of 3D models in the cache.
    static constexpr int MODEL_COUNT = 54;

    virtual ~IRender3DServices() = default;

    virtual void InitTextureManager(int capacity) = 0;
    // Clears the model table and marks the cache ready; answers 0.
    virtual int InitModellCache() = 0;
    // Loads model `number` (0 .. 53) into the cache when it is not there; 0 on success, 1 when the cache
    // is not ready, the number is out of range or the model cannot be loaded.
    virtual int GetModell(int number) = 0;
    // Deletes every cached model; answers 0 on success.
    virtual int ReleaseModellCache() = 0;
    // Sets up keyboard and mouse input for `window` with the cooperative flags; answers 0 on success.
    virtual int InitDirectInput(QWidget* window, unsigned flags) = 0;
    virtual void ReleaseDirectInput() = 0;
    // The 3D settings dialog on `record`, started from it with `useRecord`: 0 after OK, 1 when there is
    // no record or no 3D driver to ask (the user was told), 2 after Cancel. Without a dialog: 1.
    virtual int ShowD3DSettingsDialog(GlSettingsRecord* record, bool useRecord, QWidget* parent);
    // Whether a 3D context can be made with the record's settings; false without a way to try.
    virtual bool TrySettings3D(const GlSettingsRecord& record);
};

// Flags of the model-loading callback.
enum ModelLoadFlags : unsigned
{
    MODEL_LOAD_PUMP_MESSAGES = 1, // process pending events after each model
    MODEL_LOAD_MODELS = 2,        // load the models (without it the callback does nothing)
};

// Input cooperative flags: not exclusive, only while the window is in the foreground.
inline constexpr unsigned INPUT_NONEXCLUSIVE_FOREGROUND = 6;

// Run once the 3D device exists: texture manager of 256 textures, the model cache with every model
// loaded, input for the main window. Answers 1; does nothing without services.
int InitTextureManager(IRender3DServices* services, QWidget* mainWindow);

// The callback that releases the model cache (at exit and when the device is lost); answers the
// cache's result, 0 without services.
int ReleaseModelsCallback(IRender3DServices* services);

// The callback that loads models 0 .. 53 in order when MODEL_LOAD_MODELS is set. With
// MODEL_LOAD_PUMP_MESSAGES, `pumpPendingEvents` runs after each model; when it answers false (the
// program is quitting) the loading ends. Answers how many models were asked for.
int LoadModelsCallback(IRender3DServices* services, unsigned flags,
                       const std::function<bool()>& pumpPendingEvents = {});
