// The mass form: clamped on commit, refused empty on OK.
#include "catalogue/CDlgEditGewicht.h"

#include "ui/CEditLast.h"
#include "ui/ControlId.h"

#include <algorithm>

double CDlgEditGewicht::Klemme(double dKg, double dUntergrenze, double dObergrenze)
{
    return std::clamp(dKg, dUntergrenze * 1000.0, std::max(dUntergrenze, dObergrenze) * 1000.0);
}

FormAblehnung CDlgEditGewicht::Pruefe(bool bLeer)
{
    if (bLeer)
        return FormAblehnung{kIdMasse, 263, FormAblehnung::MitAusruf(253), IMessageBoxService::Icon::Error};
    return {};
}

CDlgEditGewicht::CDlgEditGewicht(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

CEditLast* CDlgEditGewicht::Feld() const
{
    return qobject_cast<CEditLast*>(ControlId::Find(this, kIdMasse));
}

bool CDlgEditGewicht::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    if (CEditLast* feld = Feld()) {
        feld->SetFormat(EditValue::kDouble, QStringLiteral("%.0f"));
        feld->SetAllowedChars(CEditLast::kDigits);
        feld->SetEmptyValueDouble(0.0);
        feld->SetDouble(m_dMasse * 1000.0);
        feld->setFocus();
        feld->selectAll();
    }
    return true;
}

void CDlgEditGewicht::OnEditCommit(int ctrlId, EditValue& value, int reserved)
{
    if (ctrlId == kIdMasse)
        value.d = Klemme(value.d, m_dUntergrenze, m_dObergrenze);
    CDlgBase::OnEditCommit(ctrlId, value, reserved);
}

void CDlgEditGewicht::OnOK()
{
    CEditLast* feld = Feld();
    if (feld && feld->hasFocus())
        feld->CommitText(false);
    const FormAblehnung ablehnung = Pruefe(!feld || feld->IsEmpty());
    if (ablehnung.Abgelehnt()) {
        ablehnung.Zeige(this);
        return;
    }
    m_dMasse = feld->GetDouble() / 1000.0;
    CDlgBase::OnOK();
}
