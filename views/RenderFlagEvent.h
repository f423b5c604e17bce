// Message 0x8136: a 3D view tells its child window that it was activated or deactivated.
#pragma once

#include "views/CGetAnsView.h"

#include <QEvent>
#include <QPointer>

class RenderFlagEvent : public QEvent
{
public:
    static constexpr int kMessage = 0x8136;

    RenderFlagEvent(bool bAktiv, CGetAnsView* pView)
        : QEvent(static_cast<QEvent::Type>(kMessage)), m_bAktiv(bAktiv), m_pView(pView)
    {
    }
    bool IsAktiv() const { return m_bAktiv; }
    // The view, or null when it is gone by the time the message is handled.
    CGetAnsView* View() const { return m_pView.data(); }

private:
    bool m_bAktiv;
    QPointer<CGetAnsView> m_pView;
};
