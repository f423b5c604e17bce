// Message 0x80C9: open both position sliders of the loading-plan view (or move them) to x and y,
// carried by value.
#pragma once

#include <QEvent>

class PositionsReglerEvent : public QEvent
{
public:
    static constexpr int kTyp = 0x80C9;

    PositionsReglerEvent(double x, double y) : QEvent(static_cast<QEvent::Type>(kTyp)), m_dX(x), m_dY(y) {}
    double X() const { return m_dX; }
    double Y() const { return m_dY; }

private:
    double m_dX;
    double m_dY;
};
