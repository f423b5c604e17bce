// A stand-in view: shows its title and its floating button strips until the real view takes its place.
#include "tests/support/views/CPlaceholderView.h"

#include "draw2d/FontTable.h"
#include "model/text/TextProvider.h"

#include <QFrame>
#include <QPainter>

CPlaceholderView::CPlaceholderView(CQOR1Doc* pDoc, std::uint32_t nTitleId, int nStrips, QWidget* parent)
    : CGetAnsView(pDoc, parent), m_nTitleId(nTitleId)
{
    for (int i = 0; i < nStrips; ++i) {
        auto* strip = new QFrame(viewport());
        strip->setStyleSheet(QStringLiteral(
            "QFrame { background: rgb(221, 232, 245); border: 1px solid rgb(140, 165, 200); }"));
        strip->resize(kStripWidth, kStripHeight);
        m_strips.push_back(strip);
    }
    PlaceStrips(QPoint());
}

int CPlaceholderView::OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert)
{
    if (eMeldung == AnsichtMeldung::kRaender) {
        m_lastInsets = ResolveInsets(wert.raender);
        PlaceStrips(m_lastInsets);
        return 0;
    }
    return CGetAnsView::OnViewNotify(eMeldung, wert);
}

void CPlaceholderView::OnInitialUpdate()
{
    CGetAnsView::OnInitialUpdate();
    SetScrollSizes(QSize(0, 0));
}

QRect CPlaceholderView::GetStripRect(int nStrip) const
{
    if (nStrip < 0 || nStrip >= GetStripCount())
        return QRect();
    return m_strips[static_cast<std::size_t>(nStrip)]->geometry();
}

void CPlaceholderView::OnDraw(QPainter& painter)
{
    const QRect area(GetScrollPosition(), viewport()->size());
    painter.setPen(QColor(190, 190, 190));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setFont(FontTable::MakeFont("Segoe UI", -18));
    painter.setPen(QColor(120, 120, 120));
    painter.drawText(area, Qt::AlignCenter, QString::fromStdString(LoadResString(m_nTitleId)));
}

void CPlaceholderView::PlaceStrips(QPoint insets)
{
    const QPoint scroll = GetScrollPosition();
    int x = 15 - insets.x() - scroll.x();
    const int y = 10 - insets.y() - scroll.y();
    for (QFrame* strip : m_strips) {
        strip->move(x, y);
        x = strip->geometry().right() + 1 + kStripGap;
    }
}
