// The add-several popup: count and mass fields with their limits, the add button, the report on closing.
#include "catalogue/CDlgTooltipAddMultiLg.h"

#include "catalogue/IAddMultiLgOwner.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "ui/EditCommitEvent.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include <algorithm>

CDlgTooltipAddMultiLg::CDlgTooltipAddMultiLg(QWidget* ownerWidget, IAddMultiLgOwner* owner)
    : CDlgTooltip(ownerWidget, kTemplate), m_pOwner(owner), m_pOwnerWidget(ownerWidget)
{
    m_pAnzahl = qobject_cast<CEditLast*>(ControlId::Find(this, kIdAnzahl));
    m_pMasse = qobject_cast<CEditLast*>(ControlId::Find(this, kIdMasse));
    m_pKnopf = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdHinzufuegen));
    if (m_pAnzahl)
        m_pAnzahl->SetFormat(EditValue::kInt, QStringLiteral("%i"));
    if (m_pMasse) {
        m_pMasse->SetFormat(EditValue::kDouble, QStringLiteral("%.0f"));
        m_pMasse->SetAllowedChars(CEditLast::kDigits);
    }
    if (m_pKnopf)
        connect(m_pKnopf, &QAbstractButton::clicked, this, [this] { Hinzufuegen(); });
    for (CEditLast* feld : {m_pAnzahl, m_pMasse})
        if (feld)
            feld->installEventFilter(this);
}

void CDlgTooltipAddMultiLg::SetMasse(double dTonnen)
{
    m_dMasse = dTonnen;
    if (isVisible() && m_pMasse)
        m_pMasse->SetDouble(dTonnen * 1000.0);
}

void CDlgTooltipAddMultiLg::ShowAtCursor(int dx, int dy, int placement)
{
    const bool bWarSichtbar = isVisible();
    CDlgTooltip::ShowAtCursor(dx, dy, placement);
    if (m_pAnzahl)
        m_pAnzahl->SetInt(GetAnzahl());
    if (m_pMasse)
        m_pMasse->SetDouble(m_dMasse * 1000.0);
    if (!bWarSichtbar && m_pAnzahl) {
        // The panel shows without activation; it takes the keyboard so that typing goes into the count.
        activateWindow();
        raise();
        m_pAnzahl->setFocus(Qt::OtherFocusReason);
        m_pAnzahl->selectAll();
    }
}

void CDlgTooltipAddMultiLg::reject()
{
    // Esc cancels: the count typed is dropped, and the panel names itself so that its button returns.
    if (m_pAnzahl)
        m_pAnzahl->SetInt(GetAnzahl());
    CDlgTooltip::HidePopup();
}

bool CDlgTooltipAddMultiLg::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && (watched == m_pAnzahl || watched == m_pMasse)) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Return adds the copies and closes the panel.
            Hinzufuegen();
            HidePopup();
            return true;
        }
    }
    return CDlgTooltip::eventFilter(watched, e);
}

void CDlgTooltipAddMultiLg::HidePopup()
{
    if (m_pAnzahl)
        m_pAnzahl->CommitText(false);
    m_nAnzahl = m_pAnzahl ? m_pAnzahl->GetIntOr(0) : 0;
    if (m_nAnzahl == 0)
        m_nAnzahl = 1;
    if (m_pOwner && m_pOwnerWidget && m_pOwnerWidget->isVisible())
        m_pOwner->AnzahlGeaendert(m_nAnzahl);
    if (!IsPinned())
        CDlgTooltip::HidePopup();
}

void CDlgTooltipAddMultiLg::Hinzufuegen()
{
    // A click can reach the panel, which is shown without activation, while a field still has the
    // focus and its text is not taken yet.
    if (m_pAnzahl)
        m_pAnzahl->CommitText(false);
    if (m_pMasse)
        m_pMasse->CommitText(false);
    m_nAnzahl = m_pAnzahl ? m_pAnzahl->GetIntOr(0) : 0;
    const double dTonnen = (m_pMasse ? m_pMasse->GetDoubleOr(-1.0) : -1.0) / 1000.0;
    if (dTonnen < 0.0)
        return;
    m_dMasse = dTonnen;
    if (m_pOwner)
        m_pOwner->MehrereHinzufuegen(GetAnzahl(), dTonnen);
}

bool CDlgTooltipAddMultiLg::event(QEvent* e)
{
    if (e->type() == EditCommitEvent::kType) {
        auto* c = static_cast<EditCommitEvent*>(e);
        EditValue& v = c->Value();
        if (c->CtrlId() == kIdAnzahl)
            v.i = std::clamp(v.i, kAnzahlMin, kAnzahlMax);
        else if (c->CtrlId() == kIdMasse)
            v.d = std::clamp(v.d, kMasseMinKg, kMasseMaxKg);
        return true;
    }
    return CDlgTooltip::event(e);
}
