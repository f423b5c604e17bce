// The 3D device of a run: registration of the render managers, the device check and the frame step,
// and the settings the views' OpenGL widgets are made with.
#include "view3d/View3DDevice.h"

#include "platform/gl/GlContextProbe.h"
#include "view3d/CTimerManager.h"
#include "view3d/Settings3DRecord.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QScreen>

#include <algorithm>

View3DDevice::~View3DDevice()
{
    // Managers that outlive the device forget it, so their end touches nothing of it.
    for (CTimerManager* manager : m_registry)
        manager->m_pDevice3D = nullptr;
}

void View3DDevice::Register(CTimerManager* manager)
{
    m_registry.push_back(manager);
    m_serials.push_back({manager, m_nextSerial++});
}

void View3DDevice::Unregister(CTimerManager* manager)
{
    m_registry.erase(std::remove(m_registry.begin(), m_registry.end(), manager), m_registry.end());
    m_serials.erase(std::remove_if(m_serials.begin(), m_serials.end(),
                                   [manager](const Registration& r) { return r.manager == manager; }),
                    m_serials.end());
    for (auto it = m_windows.begin(); it != m_windows.end();)
        it = it->second == manager ? m_windows.erase(it) : std::next(it);
}

void View3DDevice::AttachWindow(const QWidget* window, CTimerManager* manager)
{
    m_windows[window] = manager;
}

void View3DDevice::DetachWindow(const QWidget* window)
{
    m_windows.erase(window);
}

bool View3DDevice::StillRegistered(const Registration& registration) const
{
    return std::any_of(m_serials.begin(), m_serials.end(), [&](const Registration& r) {
        return r.manager == registration.manager && r.serial == registration.serial;
    });
}

CTimerManager* View3DDevice::ManagerOf(const QWidget* window) const
{
    const auto it = m_windows.find(window);
    return it == m_windows.end() ? nullptr : it->second;
}

void View3DDevice::SetDevice(Device device, ResetCallback beforeReset, ResetCallback afterReset)
{
    m_device = std::move(device);
    m_beforeReset = std::move(beforeReset);
    m_afterReset = std::move(afterReset);
    m_bLost = false;
}

bool View3DDevice::HasDevice() const
{
    return static_cast<bool>(m_device.state);
}

int View3DDevice::CheckDevice()
{
    if (!m_device.state)
        return 0;
    switch (m_device.state()) {
    case DeviceState::Unavailable:
        return 0;
    case DeviceState::Ready:
        return 1;
    case DeviceState::Lost:
        m_bLost = true;
        return 0;
    case DeviceState::NeedsReset:
        break;
    }
    if (m_beforeReset)
        m_beforeReset();
    OnLostDeviceAll();
    if (!m_device.reset || !m_device.reset()) {
        m_bLost = true;
        return 0;
    }
    OnResetDeviceAll();
    if (m_afterReset)
        m_afterReset();
    m_bLost = false;
    return 2;
}

void View3DDevice::RenderAll(float time, int n)
{
    m_input.Poll(3);
    const int state = CheckDevice();
    if (state == 0)
        return;
    // A manager may be destroyed by another one's step: walk a copy and skip the ones that left.
    const std::vector<Registration> snapshot = m_serials;
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

void View3DDevice::OnLostDeviceAll()
{
    const std::vector<Registration> snapshot = m_serials;
    for (const Registration& entry : snapshot)
        if (StillRegistered(entry))
            entry.manager->OnLostDevice();
}

void View3DDevice::OnResetDeviceAll()
{
    const std::vector<Registration> snapshot = m_serials;
    for (const Registration& entry : snapshot)
        if (StillRegistered(entry))
            entry.manager->OnResetDevice();
}

void View3DDevice::Set3DAvailable(bool available)
{
    // A window system without OpenGL (the offscreen platform) cannot show an OpenGL widget at all, even
    // when a caller says 3D is there: the views stay empty windows then. What the window system can do
    // does not change while the process runs.
    static const bool canMakeContext = [] {
        QOpenGLContext context;
        return context.create();
    }();
    m_bAvailable = available && canMakeContext;
}

QSize View3DDevice::VideoMode() const
{
    if (m_videoMode.isValid() && !m_videoMode.isEmpty())
        return m_videoMode;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->size() * screen->devicePixelRatio();
    return {1280, 1024};
}

void View3DDevice::SetDeviceRecord(const GlSettingsRecord& record)
{
    m_record = record;
    SetVideoMode(QSize(static_cast<int>(GlSettings::Field(record, Settings3DRecord::kWidth)),
                       static_cast<int>(GlSettings::Field(record, Settings3DRecord::kHeight))));
}

QSurfaceFormat View3DDevice::SurfaceFormat() const
{
    QSurfaceFormat format = GlContextProbe::Format();
    if (!m_record)
        return format;
    const std::uint32_t depth = GlSettings::Field(*m_record, Settings3DRecord::kDepthFormat);
    format.setDepthBufferSize(depth == 80 ? 16 : (depth == 71 ? 32 : 24));
    format.setStencilBufferSize(depth == 75 ? 8 : 0);
    format.setSamples(static_cast<int>(GlSettings::Field(*m_record, Settings3DRecord::kMultiSample)));
    return format;
}

unsigned View3DDevice::TextureFormat() const
{
    if (!m_record)
        return 0;
    switch (GlSettings::Field(*m_record, Settings3DRecord::kBackBufferFormat)) {
    case 35:
        return GL_RGB10_A2;
    case 23:
        return GL_RGB565;
    case 24:
    case 25:
        return GL_RGB5_A1;
    default:
        return GL_RGBA8;
    }
}
