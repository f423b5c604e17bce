// Render manager of every 3D window: registry, mouse handling first, device checks and the frame step.
#pragma once

#include "model/base/tbVector3.h"
#include "model/vehicle/CFahrzeugDiagramm.h" // tbVector2

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QEvent;
class QWidget;

class CTimerManager
{
public:
    // State of the 3D device as the GL side reports it.
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

    CTimerManager();
    virtual ~CTimerManager();
    CTimerManager(const CTimerManager&) = delete;
    CTimerManager& operator=(const CTimerManager&) = delete;

    virtual int Move(float time);
    virtual void Render(float time);
    virtual int Present();
    // 0 consumes the event (the widget does not see it); any other value passes it on.
    virtual int HandleMessage(QWidget* window, QEvent* event);
    virtual int IsActive();
    virtual int Update(float time, int n);
    virtual int NeedsRender(float time, int deviceState);
    virtual void OnLostDevice();
    virtual int OnResetDevice();
    virtual QWidget* GetWindowHandle();

    void GetMousePos(int& x, int& y) const;
    int IsMouseDown() const { return m_mouseDown; }
    int MiddleLatch() const { return m_middleLatch; }
    void SetMiddleLatch(int latch) { m_middleLatch = latch; }
    const tbVector2& Angles() const { return m_angles; }
    void SetBackBufferSize(int width, int height);
    bool NeedsRenderFlag(int mask) const { return (m_renderFlags & mask) != 0; }
    void SetRenderFlag(int mask, bool on);

    // Lets this manager see the window's events before the window does; 1 when there is no window.
    // The window leaves the registry when it is destroyed.
    int AttachWindow(QWidget* window);

    static void SetD3DDevice(Device device, ResetCallback beforeReset, ResetCallback afterReset);
    // Whether a device was set (without one nothing renders).
    static bool Has3DDevice();
    // 0 nothing may render, 1 the device is usable, 2 it was just re-created.
    static int CheckDevice();
    static void RenderAll(float time, int n);
    static void OnLostDeviceAll();
    static void OnResetDeviceAll();
    static bool DeviceLost();
    static const std::vector<CTimerManager*>& Registry();
    // Manager attached to `window`, or null.
    static CTimerManager* ManagerOf(const QWidget* window);

    // Horizontal and vertical angle from the view axis of the pixel (px, py) of a client area of the
    // given size, for a 45° field of view over the shorter side of the back buffer.
    static tbVector2 PressAngles(int px, int py, int clientWidth, int clientHeight, int bufferWidth,
                                 int bufferHeight);

protected:
    int m_mouseDown = 0;
    int m_middleLatch = 0;
    int m_mouseX = -1;
    int m_mouseY = -1;
    tbVector2 m_angles;
    int m_bufferWidth = 0;
    int m_bufferHeight = 0;

private:
    int m_renderFlags = 0;
    QPointer<QWidget> m_window;
    std::unique_ptr<QObject> m_filter;
};
