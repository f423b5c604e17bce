// The deferred view notification: posted to a view, delivered to its OnViewNotify.
#pragma once

#include "views/AnsichtMeldung.h"

#include <QEvent>

class ViewNotifyEvent : public QEvent
{
public:
    static constexpr int kMessage = 0x83B6;

    ViewNotifyEvent(AnsichtMeldung eMeldung, const AnsichtWert& wert)
        : QEvent(static_cast<QEvent::Type>(kMessage)), m_eMeldung(eMeldung), m_wert(wert)
    {
    }
    AnsichtMeldung Meldung() const { return m_eMeldung; }
    const AnsichtWert& Wert() const { return m_wert; }

private:
    AnsichtMeldung m_eMeldung;
    AnsichtWert m_wert;
};
