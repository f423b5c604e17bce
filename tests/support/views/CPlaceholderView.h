// A stand-in view: shows its title and its floating button strips until the real view takes its place.
#pragma once

#include "views/CGetAnsView.h"

#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

class QFrame;

class CPlaceholderView : public CGetAnsView
{
    Q_OBJECT

public:
    // Width and height of each floating strip, and the gap between strips.
    static constexpr int kStripWidth = 64;
    static constexpr int kStripHeight = 26;
    static constexpr int kStripGap = 10;

    CPlaceholderView(CQOR1Doc* pDoc, std::uint32_t nTitleId, int nStrips, QWidget* parent = nullptr);

    // The insets message places the strips: the first at (15, 10) less the insets and the scroll
    // position, each further one 10 pixels right of the previous one.
    int OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert) override;
    void OnInitialUpdate() override;

    int GetStripCount() const { return static_cast<int>(m_strips.size()); }
    QRect GetStripRect(int nStrip) const;
    // The insets the last insets message resolved to.
    QPoint GetLastInsets() const { return m_lastInsets; }

protected:
    void OnDraw(QPainter& painter) override;

private:
    void PlaceStrips(QPoint insets);

    std::uint32_t m_nTitleId;
    std::vector<QFrame*> m_strips;
    QPoint m_lastInsets;
};
