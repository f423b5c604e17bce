// The message a plan view posts itself to show the mass slider of a load: the load by identity and the
// mass by value, so a load deleted before it arrives is simply not found.
#pragma once

#include <QEvent>

struct tagLGINFO;

class PlanMasseEvent : public QEvent
{
public:
    static constexpr int kTyp = 0x7D0;

    PlanMasseEvent(const tagLGINFO* pLg, double dTonnen)
        : QEvent(static_cast<QEvent::Type>(kTyp)), m_pLg(pLg), m_dTonnen(dTonnen)
    {
    }
    // Only compared with the loads of the plan, never followed before that.
    const tagLGINFO* Ladung() const { return m_pLg; }
    double Tonnen() const { return m_dTonnen; }

private:
    const tagLGINFO* m_pLg;
    double m_dTonnen;
};
