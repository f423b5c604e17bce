// The overhang form: clamps on commit, the all-zero warning on OK.
#include "catalogue/CDlgLgUeberstand.h"

#include "model/text/TextProvider.h"
#include "ui/CEditLast.h"
#include "ui/ControlId.h"

#include <algorithm>

double CDlgLgUeberstand::Klemme(int nFeld, double dMm)
{
    return std::min(dMm, nFeld == 0 ? 2000.0 : 5000.0);
}

FormAblehnung CDlgLgUeberstand::Pruefe(const std::array<double, 4>& dMm, bool bNullWarnung)
{
    const bool alleNull = std::all_of(dMm.begin(), dMm.end(), [](double d) { return d == 0.0; });
    if (bNullWarnung && alleNull)
        return FormAblehnung{kIdErstes + 3, 88, QString::fromStdString(LoadResString(87)),
                             IMessageBoxService::Icon::Warning};
    return {};
}

CDlgLgUeberstand::CDlgLgUeberstand(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

CEditLast* CDlgLgUeberstand::Feld(int nFeld) const
{
    return qobject_cast<CEditLast*>(ControlId::Find(this, kIdErstes + nFeld));
}

bool CDlgLgUeberstand::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    for (int i = 0; i < 4; ++i) {
        if (CEditLast* feld = Feld(i)) {
            feld->SetFormat(EditValue::kFloat, QStringLiteral("%.0f"));
            feld->SetAllowedChars(CEditLast::kDigits);
            feld->SetFloat(float(m_dWerte[std::size_t(i)] * 1000.0));
        }
    }
    return true;
}

void CDlgLgUeberstand::OnEditCommit(int ctrlId, EditValue& value, int reserved)
{
    const int feld = ctrlId - kIdErstes;
    if (feld >= 0 && feld < 4)
        value.f = float(Klemme(feld, value.f));
    CDlgBase::OnEditCommit(ctrlId, value, reserved);
}

void CDlgLgUeberstand::OnOK()
{
    std::array<double, 4> mm{};
    for (int i = 0; i < 4; ++i) {
        if (CEditLast* feld = Feld(i)) {
            if (feld->hasFocus())
                feld->CommitText(false);
            mm[std::size_t(i)] = Klemme(i, feld->GetFloat());
        }
    }
    const FormAblehnung ablehnung = Pruefe(mm, m_bNullWarnung);
    if (ablehnung.Abgelehnt()) {
        ablehnung.Zeige(this);
        return;
    }
    for (std::size_t i = 0; i < 4; ++i)
        m_dWerte[i] = mm[i] / 1000.0;
    CDlgBase::OnOK();
}
