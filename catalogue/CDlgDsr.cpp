// The rounded front corners of a new semi-trailer: clamps, the partner field and the result.
#include "catalogue/CDlgDsr.h"

#include "ui/CEditLast.h"
#include "ui/ControlId.h"

#include <QCheckBox>

#include <algorithm>

int CDlgDsr::Klemme(int ctrlId, int nWert)
{
    return std::min(nWert, ctrlId == kIdDurchmesser ? 500 : 250);
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
            connect(feld, &QLineEdit::editingFinished, this, [this, id] { Verlassen(id); });
        }
    }
    return true;
}

void CDlgDsr::OnEditCommit(int ctrlId, EditValue& value, int reserved)
{
    if (ctrlId == kIdDurchmesser || ctrlId == kIdRadius)
        value.i = Klemme(ctrlId, value.i);
    CDlgBase::OnEditCommit(ctrlId, value, reserved);
}

void CDlgDsr::Verlassen(int ctrlId)
{
    CEditLast* feld = Feld(ctrlId);
    CEditLast* anderes = Feld(ctrlId == kIdDurchmesser ? kIdRadius : kIdDurchmesser);
    if (!feld || !anderes)
        return;
    feld->CommitText(false);
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
