// The align popup's request to its plan view: move the selection so that its distance to a border
// becomes a value (metres), carried by value.
#pragma once

#include <QEvent>

class PlanAusrichtEvent : public QEvent
{
public:
    static constexpr int kTyp = 0x803D;

    // nSeite: 0 front, 1 side A, 2 rear, 3 side B.
    PlanAusrichtEvent(int nSeite, double dWert)
        : QEvent(static_cast<QEvent::Type>(kTyp)), m_nSeite(nSeite), m_dWert(dWert)
    {
    }
    int Seite() const { return m_nSeite; }
    double Wert() const { return m_dWert; }

private:
    int m_nSeite;
    double m_dWert;
};
