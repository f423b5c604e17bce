// A 3D window's render manager: its registration with the device, its event filter and mouse handling.
#include "view3d/CTimerManager.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

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

CTimerManager::CTimerManager(View3DDevice& device) : m_pDevice3D(&device)
{
    device.Register(this);
}

CTimerManager::~CTimerManager()
{
    if (m_pDevice3D != nullptr)
        m_pDevice3D->Unregister(this);
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
    if (m_pDevice3D != nullptr) {
        m_pDevice3D->AttachWindow(window, this);
        QObject::connect(window, &QObject::destroyed, m_filter.get(), [this, window]() {
            if (m_pDevice3D != nullptr)
                m_pDevice3D->DetachWindow(window);
        });
    }
    return 0;
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
