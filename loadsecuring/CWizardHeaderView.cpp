// The wizard's header band: a white picture the active page draws its header into.
#include "loadsecuring/CWizardHeaderView.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/LgSichgPageEvent.h"
#include "ui/ControlId.h"

#include <QCoreApplication>
#include <QPainter>

CWizardHeaderView::CWizardHeaderView(CPshLgSichgWizard* pWizard) : QWidget(pWizard), m_pWizard(pWizard)
{
    ControlId::Set(this, kId);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage CWizardHeaderView::Render() const
{
    QImage picture(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    int nDrawn = 0;
    if (QWidget* page = m_pWizard ? m_pWizard->ActivePage() : nullptr) {
        LgSichgPageEvent draw(LgSichgPageEvent::kDrawHeaderType);
        draw.SetPainter(&painter, size());
        QCoreApplication::sendEvent(page, &draw);
        nDrawn = draw.Result();
    }
    if (!nDrawn && !m_fallback.isNull())
        painter.drawImage(QPoint((width() - m_fallback.width()) / 2, (height() - m_fallback.height()) / 2),
                          m_fallback);
    return picture;
}

void CWizardHeaderView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}
