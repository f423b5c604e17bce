// Render manager of a 3D window: the frame step's calls, mouse handling first, the window's back buffer.
#pragma once

#include "model/base/tbVector3.h"
#include "model/vehicle/CFahrzeugDiagramm.h" // tbVector2
#include "view3d/View3DDevice.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QEvent;
class QWidget;

class CTimerManager
{
public:
    // Registers with `device`, whose frame step then steps this manager until it is destroyed.
    explicit CTimerManager(View3DDevice& device);
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
    // The window leaves the device's list when it is destroyed.
    int AttachWindow(QWidget* window);

    // The device this manager is registered with; null once the device is gone.
    View3DDevice* Device3D() const { return m_pDevice3D; }

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
    friend class View3DDevice;

    View3DDevice* m_pDevice3D;
    int m_renderFlags = 0;
    QPointer<QWidget> m_window;
    std::unique_ptr<QObject> m_filter;
};
