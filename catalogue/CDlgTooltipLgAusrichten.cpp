// The align popup: border and description lists, the distance field, the apply button.
#include "catalogue/CDlgTooltipLgAusrichten.h"

#include "model/text/TextProvider.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"
#include "views/IAusrichtenOwner.h"

#include <QAbstractButton>
#include <QComboBox>

#include <cmath>

namespace {

void Fuellen(QComboBox* box, std::initializer_list<std::uint32_t> texte)
{
    if (!box)
        return;
    box->clear();
    for (std::uint32_t id : texte)
        box->addItem(QString::fromStdString(LoadResString(id)));
}

} // namespace

CDlgTooltipLgAusrichten::CDlgTooltipLgAusrichten(QWidget* ownerWidget, IAusrichtenOwner* owner)
    : CDlgTooltip(ownerWidget, kTemplate), m_pOwner(owner)
{
    m_pSeite = qobject_cast<QComboBox*>(ControlId::Find(this, kIdSeite));
    m_pBeschreibung = qobject_cast<QComboBox*>(ControlId::Find(this, kIdBeschreibung));
    m_pAbstand = qobject_cast<CEditLast*>(ControlId::Find(this, kIdAbstand));
    m_pKnopf = qobject_cast<QAbstractButton*>(ControlId::Find(this, kIdAnwenden));
    Fuellen(m_pSeite, {108, 114, 117, 124, 125});
    Fuellen(m_pBeschreibung, {126, 832, 131, 137, 833});
    if (m_pAbstand) {
        m_pAbstand->SetFormat(EditValue::kDouble, QStringLiteral("%.0f"));
        m_pAbstand->SetAllowedChars(CEditLast::kDigits);
        m_pAbstand->SetEmptyValueDouble(-1.0);
    }
    if (m_pSeite)
        connect(m_pSeite, &QComboBox::currentIndexChanged, this, [this](int n) {
            if (!m_bSchreibt)
                SeiteGewaehlt(n);
        });
    if (m_pKnopf)
        connect(m_pKnopf, &QAbstractButton::clicked, this, [this] { Anwenden(); });
}

void CDlgTooltipLgAusrichten::SetWerte(int nEintrag, double dAbstand)
{
    m_nEintrag = nEintrag;
    m_dAbstand = dAbstand;
}

void CDlgTooltipLgAusrichten::ShowAtCursor(int dx, int dy, int placement)
{
    m_bSchreibt = true;
    if (m_pSeite)
        m_pSeite->setCurrentIndex(m_nEintrag);
    if (m_pBeschreibung)
        m_pBeschreibung->setCurrentIndex(m_nEintrag);
    m_bSchreibt = false;
    if (m_pAbstand) {
        if (m_dAbstand < 0.0)
            m_pAbstand->SetText(std::nullopt);
        else
            m_pAbstand->SetDouble(std::floor(m_dAbstand * 1000.0));
    }
    CDlgTooltip::ShowAtCursor(dx, dy, placement);
}

void CDlgTooltipLgAusrichten::SeiteGewaehlt(int nEintrag)
{
    m_nEintrag = nEintrag;
    if (m_pBeschreibung)
        m_pBeschreibung->setCurrentIndex(nEintrag);
    const int nVorschlag = (m_pOwner ? m_pOwner->AusrichtenAbstand(nEintrag) : 0) - 1;
    if (m_pAbstand) {
        if (nVorschlag < 0)
            m_pAbstand->SetText(std::nullopt);
        else
            m_pAbstand->SetDouble(nVorschlag);
        m_pAbstand->setFocus(Qt::OtherFocusReason);
        m_pAbstand->selectAll();
    }
}

void CDlgTooltipLgAusrichten::Anwenden()
{
    if (!m_pAbstand)
        return;
    m_pAbstand->CommitText(false);
    const double dMeter = m_pAbstand->GetDoubleOr(-1.0) / 1000.0;
    if (dMeter < 0.0 || !m_pOwner)
        return;
    m_pOwner->Ausrichten(m_pSeite ? m_pSeite->currentIndex() : m_nEintrag, dMeter);
}
