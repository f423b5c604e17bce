// The rounded front corners of a new semi-trailer: ranges, the partner field and the result.
#include "catalogue/CDlgDsr.h"

#include "ui/CEditLast.h"
#include "ui/ControlId.h"

#include <QCheckBox>

int CDlgDsr::Hoechstwert(int ctrlId)
{
    return ctrlId == kIdDurchmesser ? 500 : 250;
}

int CDlgDsr::Partner(int ctrlId, std::optional<int> wert)
{
    if (!wert)
        return 0;
    return ctrlId == kIdDurchmesser ? *wert / 2 : *wert * 2;
}

int CDlgDsr::Ergebnis(bool bKeine, std::optional<int> erste, std::optional<int> zweite)
{
    if (bKeine)
        return 0;
    if (erste)
        return *erste;
    return zweite ? *zweite * 2 : 0;
}

CDlgDsr::CDlgDsr(QWidget* parent) : CDlgBase(kTemplateId, parent) {}

CEditLast* CDlgDsr::Feld(int id) const
{
    return qobject_cast<CEditLast*>(ControlId::Find(this, id));
}

std::optional<int> CDlgDsr::Wert(int ctrlId) const
{
    CEditLast* feld = Feld(ctrlId);
    if (!feld || feld->text().trimmed().isEmpty())
        return std::nullopt;
    return feld->GetInt();
}

bool CDlgDsr::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    for (int id : {kIdDurchmesser, kIdRadius}) {
        if (CEditLast* feld = Feld(id)) {
            feld->SetFormat(EditValue::kInt, QStringLiteral("%i"));
            feld->SetRange(0, Hoechstwert(id));
            connect(feld, &QLineEdit::editingFinished, this, [this, id] { Verlassen(id); });
        }
    }
    return true;
}

void CDlgDsr::Verlassen(int ctrlId)
{
    CEditLast* feld = Feld(ctrlId);
    CEditLast* anderes = Feld(ctrlId == kIdDurchmesser ? kIdRadius : kIdDurchmesser);
    // A refused entry changes nothing else: the other field keeps its value until this one is taken.
    if (!feld || !anderes || !feld->CommitText(false))
        return;
    anderes->SetInt(Partner(ctrlId, Wert(ctrlId)));
}

void CDlgDsr::OnOK()
{
    for (int id : {kIdDurchmesser, kIdRadius})
        if (CEditLast* feld = Feld(id); feld && feld->hasFocus())
            feld->CommitText(false);
    auto* keine = qobject_cast<QCheckBox*>(ControlId::Find(this, kIdKeine));
    m_nErgebnis = Ergebnis(keine && keine->isChecked(), Wert(kIdDurchmesser), Wert(kIdRadius));
    CDlgBase::OnOK();
}
