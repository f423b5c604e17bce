// The 3D device of a program run: its state and reset, the render managers with their windows, the
// input they read, the settings their OpenGL widgets are made with and the model cache they draw from.
#pragma once

#include "platform/GlProbe.h"
#include "view3d/InputCollector.h"

#include <QSize>
#include <QSurfaceFormat>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class CTimerManager;
class ModelCache;
class QWidget;

// The application owns one for the run and hands it to the 3D views it makes; tests make their own.
// Every render manager registers with the device it is made for and leaves it when destroyed.
class View3DDevice
{
public:
    // State of the device as the GL side reports it.
    enum class DeviceState
    {
        Unavailable, // no context, or 3D switched off
        Ready,
        Lost,       // the context is gone and cannot be made yet
        NeedsReset, // a new context exists; resources must be re-created
    };
    struct Device
    {
        std::function<DeviceState()> state;
        std::function<bool()> reset; // re-creates the context; false when that failed
    };
    using ResetCallback = std::function<void()>;

    View3DDevice() = default;
    ~View3DDevice();
    View3DDevice(const View3DDevice&) = delete;
    View3DDevice& operator=(const View3DDevice&) = delete;

    // The device with the calls around its reset; an empty device renders nothing.
    void SetDevice(Device device, ResetCallback beforeReset, ResetCallback afterReset);
    // Whether a device was set (without one nothing renders).
    bool HasDevice() const;
    // 0 nothing may render, 1 the device is usable, 2 it was just re-created.
    int CheckDevice();
    bool DeviceLost() const { return m_bLost; }
    // The frame step: polls the input, checks the device and steps every registered manager.
    void RenderAll(float time, int n);
    void OnLostDeviceAll();
    void OnResetDeviceAll();

    // The managers in the order they were made.
    const std::vector<CTimerManager*>& Registry() const { return m_registry; }
    // Manager attached to `window`, or null.
    CTimerManager* ManagerOf(const QWidget* window) const;

    InputCollector& Input() { return m_input; }

    // Whether views make OpenGL widgets (set at start-up once a context could be made; never on a window
    // system that makes no OpenGL context), and the back buffer size every view renders for (the screen
    // in device pixels unless set).
    void Set3DAvailable(bool available);
    bool Is3DAvailable() const { return m_bAvailable; }
    void SetVideoMode(QSize size) { m_videoMode = size; }
    QSize VideoMode() const;
    // The device settings the views' OpenGL widgets are made with: the record's depth-stencil format,
    // multisampling and colour format, and its display size as the back buffer.
    void SetDeviceRecord(const GlSettingsRecord& record);
    // The surface format and the colour format (0 for the default) a new OpenGL widget gets.
    QSurfaceFormat SurfaceFormat() const;
    unsigned TextureFormat() const;
    // The model cache the views draw from; without one (or without 3D) nothing is drawn.
    void SetModelCache(ModelCache* cache) { m_pCache = cache; }
    ModelCache* ModelCacheInUse() const { return m_pCache; }

private:
    friend class CTimerManager;

    struct Registration
    {
        CTimerManager* manager;
        unsigned long long serial;
    };

    void Register(CTimerManager* manager);
    void Unregister(CTimerManager* manager);
    void AttachWindow(const QWidget* window, CTimerManager* manager);
    void DetachWindow(const QWidget* window);
    bool StillRegistered(const Registration& registration) const;

    std::vector<CTimerManager*> m_registry;
    std::vector<Registration> m_serials;
    unsigned long long m_nextSerial = 1;
    std::map<const QWidget*, CTimerManager*> m_windows;
    Device m_device;
    ResetCallback m_beforeReset;
    ResetCallback m_afterReset;
    bool m_bLost = false;
    InputCollector m_input;
    bool m_bAvailable = false;
    QSize m_videoMode;
    std::optional<GlSettingsRecord> m_record;
    ModelCache* m_pCache = nullptr;
};
