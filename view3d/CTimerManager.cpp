// Registry of the 3D windows, their event filter, the device check and the frame step.
#include "view3d/CTimerManager.h"

#include "view3d/InputState.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace {

struct Registration
{
    CTimerManager* manager;
    unsigned long long serial;
};

std::vector<CTimerManager*> g_registry;
std::vector<Registration> g_serials;
unsigned long long g_nextSerial = 1;
std::map<const QWidget*, CTimerManager*> g_windows;
CTimerManager::Device g_device;
CTimerManager::ResetCallback g_beforeReset;
CTimerManager::ResetCallback g_afterReset;
bool g_deviceLost = false;

bool StillRegistered(const Registration& registration)
{
    return std::any_of(g_serials.begin(), g_serials.end(), [&](const Registration& r) {
        return r.manager == registration.manager && r.serial == registration.serial;
    });
}

void Unregister(const QWidget* window)
{
    g_windows.erase(window);
}

class ManagerFilter : public QObject
{
public:
    explicit ManagerFilter(CTimerManager* manager) : m_manager(manager) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window != nullptr && m_manager->HandleMessage(window, event) == 0)
            return true;
        return QObject::eventFilter(watched, event);
    }

private:
    CTimerManager* m_manager;
};

} // namespace

CTimerManager::CTimerManager()
{
    g_registry.push_back(this);
    g_serials.push_back({this, g_nextSerial++});
}

CTimerManager::~CTimerManager()
{
    g_registry.erase(std::remove(g_registry.begin(), g_registry.end(), this), g_registry.end());
    g_serials.erase(std::remove_if(g_serials.begin(), g_serials.end(),
                                   [this](const Registration& r) { return r.manager == this; }),
                    g_serials.end());
    for (auto it = g_windows.begin(); it != g_windows.end();)
        it = it->second == this ? g_windows.erase(it) : std::next(it);
    if (m_window != nullptr && m_filter != nullptr)
        m_window->removeEventFilter(m_filter.get());
}

int CTimerManager::Move(float /*time*/)
{
    return 0;
}

void CTimerManager::Render(float /*time*/) {}

int CTimerManager::Present()
{
    return 0;
}

int CTimerManager::HandleMessage(QWidget* window, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool press = event->type() == QEvent::MouseButtonPress;
        if (mouse->button() == Qt::LeftButton && press) {
            m_mouseDown = 1;
            const QPoint pos = mouse->position().toPoint();
            m_angles = PressAngles(pos.x(), pos.y(), window->width(), window->height(), m_bufferWidth,
                                   m_bufferHeight);
            window->grabMouse();
        } else if (mouse->button() == Qt::LeftButton) {
            m_mouseDown = 0;
            m_mouseX = -1;
            m_mouseY = -1;
            window->releaseMouse();
        } else if (mouse->button() == Qt::MiddleButton && !press) {
            m_middleLatch = 0;
        }
    }
    return 2;
}

int CTimerManager::IsActive()
{
    return 1;
}

int CTimerManager::Update(float /*time*/, int /*n*/)
{
    return 1;
}

int CTimerManager::NeedsRender(float /*time*/, int /*deviceState*/)
{
    return 1;
}

void CTimerManager::OnLostDevice() {}

int CTimerManager::OnResetDevice()
{
    return 0;
}

QWidget* CTimerManager::GetWindowHandle()
{
    return m_window;
}

void CTimerManager::GetMousePos(int& x, int& y) const
{
    x = m_mouseX;
    y = m_mouseY;
}

void CTimerManager::SetBackBufferSize(int width, int height)
{
    m_bufferWidth = width;
    m_bufferHeight = height;
}

void CTimerManager::SetRenderFlag(int mask, bool on)
{
    m_renderFlags = on ? (m_renderFlags | mask) : (m_renderFlags & ~mask);
}

int CTimerManager::AttachWindow(QWidget* window)
{
    if (window == nullptr)
        return 1;
    if (m_window != nullptr && m_filter != nullptr)
        m_window->removeEventFilter(m_filter.get());
    m_filter = std::make_unique<ManagerFilter>(this);
    m_window = window;
    window->installEventFilter(m_filter.get());
    g_windows[window] = this;
    QObject::connect(window, &QObject::destroyed, m_filter.get(), [window]() { Unregister(window); });
    return 0;
}

bool CTimerManager::Has3DDevice()
{
    return static_cast<bool>(g_device.state);
}

void CTimerManager::SetD3DDevice(Device device, ResetCallback beforeReset, ResetCallback afterReset)
{
    g_device = std::move(device);
    g_beforeReset = std::move(beforeReset);
    g_afterReset = std::move(afterReset);
    g_deviceLost = false;
}

int CTimerManager::CheckDevice()
{
    if (!g_device.state)
        return 0;
    switch (g_device.state()) {
    case DeviceState::Unavailable:
        return 0;
    case DeviceState::Ready:
        return 1;
    case DeviceState::Lost:
        g_deviceLost = true;
        return 0;
    case DeviceState::NeedsReset:
        break;
    }
    if (g_beforeReset)
        g_beforeReset();
    OnLostDeviceAll();
    if (!g_device.reset || !g_device.reset()) {
        g_deviceLost = true;
        return 0;
    }
    OnResetDeviceAll();
    if (g_afterReset)
        g_afterReset();
    g_deviceLost = false;
    return 2;
}

void CTimerManager::RenderAll(float time, int n)
{
    PollDirectInput(3);
    const int state = CheckDevice();
    if (state == 0)
        return;
    // A manager may be destroyed by another one's step: walk a copy and skip the ones that left.
    const std::vector<Registration> snapshot = g_serials;
    for (const Registration& entry : snapshot) {
        if (!StillRegistered(entry) || entry.manager->IsActive() == 0)
            continue;
        if (!StillRegistered(entry) || entry.manager->Update(time, n) == 0)
            continue;
        if (!StillRegistered(entry) || entry.manager->Move(time) > 0)
            continue;
        if (!StillRegistered(entry) || entry.manager->NeedsRender(time, state) == 0)
            continue;
        if (StillRegistered(entry))
            entry.manager->Render(time);
    }
}

void CTimerManager::OnLostDeviceAll()
{
    const std::vector<Registration> snapshot = g_serials;
    for (const Registration& entry : snapshot)
        if (StillRegistered(entry))
            entry.manager->OnLostDevice();
}

void CTimerManager::OnResetDeviceAll()
{
    const std::vector<Registration> snapshot = g_serials;
    for (const Registration& entry : snapshot)
        if (StillRegistered(entry))
            entry.manager->OnResetDevice();
}

bool CTimerManager::DeviceLost()
{
    return g_deviceLost;
}

const std::vector<CTimerManager*>& CTimerManager::Registry()
{
    return g_registry;
}

CTimerManager* CTimerManager::ManagerOf(const QWidget* window)
{
    const auto it = g_windows.find(window);
    return it == g_windows.end() ? nullptr : it->second;
}

tbVector2 CTimerManager::PressAngles(int px, int py, int clientWidth, int clientHeight, int bufferWidth,
                                     int bufferHeight)
{
    const float half = static_cast<float>(std::min(bufferWidth, bufferHeight)) / 2.0f;
    if (half <= 0.0f)
        return {};
    const float x = static_cast<float>(px - clientWidth / 2);
    const float y = static_cast<float>(clientHeight / 2 - py);
    const float t = std::tan(std::numbers::pi_v<float> / 8.0f);
    return {std::atan(t * x / half), std::atan(t * y / half)};
}
