// A view's value slider backed by the pop-up slider window of ui/.
#include "views/CWndValueSlider.h"

#include "ui/CWndSlider.h"
#include "ui/SliderEvent.h"

#include <QCoreApplication>

CWndValueSlider::CWndValueSlider(CWndSlider* pSlider) : m_pSlider(pSlider) {}

CWndValueSlider::~CWndValueSlider()
{
    // The view may already have taken the window with it (it is the window's parent).
    delete m_pSlider.data();
}

double CWndValueSlider::GetValue() const
{
    return m_pSlider ? m_pSlider->Value() : 0.0;
}

void CWndValueSlider::SetValue(double dValue)
{
    if (m_pSlider)
        m_pSlider->SetValue(dValue);
}

COLORREF CWndValueSlider::SetEditBkColor(COLORREF colour)
{
    if (!m_pSlider)
        return CLR_INVALID;
    const QColor before = m_pSlider->SetEditBkColor(QColor::fromRgb(ToQRgb(colour)));
    return before.isValid() ? FromQRgb(before.rgb()) : CLR_INVALID;
}

void CWndValueSlider::Close()
{
    if (!m_pSlider)
        return;
    CWndSlider* pSlider = m_pSlider.data();
    SliderEvent request(SliderEvent::kCloseRequestType, pSlider, 0.0, true);
    QCoreApplication::sendEvent(pSlider, &request);
    // This object may be gone now: the owner deletes its slider on the closing message.
}

void CWndValueSlider::FocusEdit()
{
    if (m_pSlider)
        m_pSlider->FocusEdit();
}

void CWndValueSlider::SetCloseOnReturn(bool bClose)
{
    if (m_pSlider)
        m_pSlider->SetCloseOnReturn(bClose);
}

const QObject* CWndValueSlider::SenderObject() const
{
    return m_pSlider.data();
}

QRect CWndValueSlider::WindowRect() const
{
    return m_pSlider ? m_pSlider->geometry() : QRect();
}

void CWndValueSlider::MoveWindow(const QRect& rc)
{
    if (!m_pSlider)
        return;
    m_pSlider->setGeometry(rc);
    m_pSlider->update();
}
