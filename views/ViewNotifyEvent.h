// The deferred view notification: posted to a view, delivered to its OnViewNotify.
#pragma once

#include <QEvent>

class ViewNotifyEvent : public QEvent
{
public:
    static constexpr int kMessage = 0x83B6;

    ViewNotifyEvent(int nCode, int nValue)
        : QEvent(static_cast<QEvent::Type>(kMessage)), m_nCode(nCode), m_nValue(nValue)
    {
    }
    int Code() const { return m_nCode; }
    int Value() const { return m_nValue; }

private:
    int m_nCode;
    int m_nValue;
};
