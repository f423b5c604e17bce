// The borderless picture window shown at start-up; its end shows the main window.
#include "app/CWndSplashScreen.h"

#include "platform/ResourceModule.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

CWndSplashScreen::CWndSplashScreen(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CWndSplashScreen::~CWndSplashScreen() = default;

bool CWndSplashScreen::Create(quint32 bitmapId, int ms, std::function<void()> onEnd)
{
    m_ms = ms;
    const ResourceModule* module = ResourceModule::Current();
    m_picture = module ? module->Bitmap(bitmapId) : QImage();
    if (m_picture.isNull())
        return false;
    m_onEnd = std::move(onEnd);
    setFixedSize(m_picture.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + static_cast<int>((area.width() - m_picture.width()) * 0.5),
             area.top() + static_cast<int>((area.height() - m_picture.height()) * 0.5));
    }
    show();
    QTimer::singleShot(ms, this, &CWndSplashScreen::End);
    return true;
}

void CWndSplashScreen::End()
{
    if (m_ended)
        return;
    m_ended = true;
    hide();
    if (m_onEnd)
        m_onEnd();
    deleteLater();
}

void CWndSplashScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture);
}
