// The two linked counts: clamps, the partner field and the result.
#include "catalogue/CDlgDsr.h"

#include "ui/CEditLast.h"
#include "ui/ControlId.h"

#include <QCheckBox>

#include <algorithm>

int CDlgDsr::Klemme(int ctrlId, int nWert)
{
    return std::min(nWert, ctrlId == kIdErste ? 500 : 250);
}

int CDlgDsr::Partner(int ctrlId, std::optional<int> wert)
{
    if (!wert)
        return 0;
    return ctrlId == kIdErste ? *wert / 2 : *wert * 2;
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
    for (int id : {kIdErste, kIdZweite}) {
        if (CEditLast* feld = Feld(id)) {
            feld->SetFormat(EditValue::kInt, QStringLiteral("%i"));
            connect(feld, &QLineEdit::editingFinished, this, [this, id] { Verlassen(id); });
        }
    }
    return true;
}

void CDlgDsr::OnEditCommit(int ctrlId, EditValue& value, int reserved)
{
    if (ctrlId == kIdErste || ctrlId == kIdZweite)
        value.i = Klemme(ctrlId, value.i);
    CDlgBase::OnEditCommit(ctrlId, value, reserved);
}

void CDlgDsr::Verlassen(int ctrlId)
{
    CEditLast* feld = Feld(ctrlId);
    CEditLast* anderes = Feld(ctrlId == kIdErste ? kIdZweite : kIdErste);
    if (!feld || !anderes)
        return;
    feld->CommitText(false);
    anderes->SetInt(Partner(ctrlId, Wert(ctrlId)));
}

void CDlgDsr::OnOK()
{
    for (int id : {kIdErste, kIdZweite})
        if (CEditLast* feld = Feld(id); feld && feld->hasFocus())
            feld->CommitText(false);
    auto* keine = qobject_cast<QCheckBox*>(ControlId::Find(this, kIdKeine));
    m_nErgebnis = Ergebnis(keine && keine->isChecked(), Wert(kIdErste), Wert(kIdZweite));
    CDlgBase::OnOK();
}
