// The friction page: the mat, the friction values and their limits, and the check before going on.
#include "loadsecuring/CPgLgSichgPage5.h"

#include "loadsecuring/CPgLgSichgPage4.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/securing/SicherungsEingaben.h"
#include "model/text/FormatArg.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "ui/CEditLast.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"

#include <QAbstractButton>

#include <algorithm>

CPgLgSichgPage5::CPgLgSichgPage5(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage5::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

CEditLast* CPgLgSichgPage5::Feld(int id) const
{
    return qobject_cast<CEditLast*>(ControlId::Find(this, id));
}

bool CPgLgSichgPage5::Checked(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id));
    return b && b->isChecked();
}

void CPgLgSichgPage5::SetChecked(int id, bool on)
{
    if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id)))
        b->setChecked(on);
}

int CPgLgSichgPage5::Norm() const
{
    return GetWizard() ? GetWizard()->GetParams().m_nNorm : 1;
}

int CPgLgSichgPage5::GeltendesFeld() const
{
    return Checked(kIdMatte) ? kIdMitMatte : kIdOhneMatte;
}

bool CPgLgSichgPage5::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    for (int id : {kIdMitMatte, kIdOhneMatte})
        if (CEditLast* edit = Feld(id)) {
            edit->SetFormat(EditValue::kFloat, QStringLiteral("%.2f"));
            edit->SetEmptyValueFloat(-1.0f);
        }
    // The first standard knows neither the mat's certificate nor the limit of 0.2.
    const bool bDe = CPgLgSichgPage4::MitNorm0();
    for (int id : {kIdMatteNorm, kIdMatteZertifikat, kIdUeber02})
        if (QWidget* w = ControlId::Find(this, id))
            w->setVisible(!bDe);
    return true;
}

void CPgLgSichgPage5::OnFirstEnter(int)
{
    if (!GetWizard())
        return;
    CWizardParams& wp = GetWizard()->GetParams();
    wp.m_bAntirutschmatte = 0;
    wp.m_fReibungMitMatte = 0.6f;
    wp.m_nMatteQualifier = 0;
    wp.m_fReibungOhneMatte = -1.0f;
    wp.m_bReibungUeber02 = 1;
}

bool CPgLgSichgPage5::OnSetActive()
{
    const bool bOk = CPgLgSichgBase2::OnSetActive();
    if (!GetWizard())
        return bOk;
    const CWizardParams& wp = GetWizard()->GetParams();
    SetChecked(kIdMatte, wp.m_bAntirutschmatte != 0);
    SetChecked(kIdUeber02, wp.m_bReibungUeber02 != 0);
    SetChecked(wp.m_nMatteQualifier == 0 ? kIdMatteNorm : kIdMatteZertifikat, true);
    if (CEditLast* edit = Feld(kIdMitMatte))
        edit->SetFloat(wp.m_fReibungMitMatte);
    if (CEditLast* edit = Feld(kIdOhneMatte)) {
        if (wp.m_fReibungOhneMatte < 0.0f)
            edit->SetText(std::nullopt);
        else
            edit->SetFloat(wp.m_fReibungOhneMatte);
    }
    return bOk;
}

bool CPgLgSichgPage5::OnKillActive()
{
    if (GetWizard()) {
        CWizardParams& wp = GetWizard()->GetParams();
        wp.m_bAntirutschmatte = Checked(kIdMatte) ? 1 : 0;
        wp.m_bReibungUeber02 = Checked(kIdUeber02) ? 1 : 0;
        wp.m_nMatteQualifier = Checked(kIdMatteZertifikat) ? 1 : 0;
        if (CEditLast* edit = Feld(kIdMitMatte))
            wp.m_fReibungMitMatte = edit->GetFloatOr(-1.0f);
        if (CEditLast* edit = Feld(kIdOhneMatte))
            wp.m_fReibungOhneMatte = edit->GetFloatOr(-1.0f);
    }
    return CPgLgSichgBase2::OnKillActive();
}

int CPgLgSichgPage5::Validate(int nTarget)
{
    if (nTarget <= PageIndex())
        return -1;
    CEditLast* edit = Feld(GeltendesFeld());
    const float f = edit ? edit->GetFloatOr(-1.0f) : -1.0f;
    if (!(f >= 0.0f)) {
        IMessageBoxService::HtmlBox box;
        const quint32 nText = GeltendesFeld() == kIdMitMatte ? 463 : 464;
        box.text = QString::fromStdString(FormatResChecked(455, {LoadResString(nText)}));
        box.captionId = 273;
        box.buttons = {{668, 668}};
        MessageBoxes().ShowHtml(this, box, nullptr);
        if (edit) {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
        return -2;
    }
    OnKillActive();
    // A jump beyond the next page goes no further than the wizard has been.
    if (nTarget != PageIndex() + 1 && GetWizard())
        return std::min(nTarget, std::max(PageIndex() + 1, GetWizard()->GetReach()));
    return -1;
}

void CPgLgSichgPage5::GetNextCommandId(int nId, int* pNext)
{
    if (nId == 12323 && pNext)
        *pNext = kIdErklaerung;
    else
        CPgLgSichgBase2::GetNextCommandId(nId, pNext);
}

bool CPgLgSichgPage5::OnCommand(int id, int notifyCode, QObject* control)
{
    CPshLgSichgWizard* wizard = GetWizard();
    switch (id) {
    case kIdUeber02:
        if (Norm() == 1 && !Checked(kIdUeber02)) {
            for (int feld : {kIdMitMatte, kIdOhneMatte})
                if (CEditLast* edit = Feld(feld); edit && edit->GetFloatOr(-1.0f) > 0.2f)
                    edit->SetFloat(0.2f);
            if (wizard)
                wizard->SetReach(PageIndex());
            return true;
        }
        [[fallthrough]];
    case kIdMatteNorm:
    case kIdMatteZertifikat:
        if (Norm() == 1 && Checked(kIdMatteNorm))
            if (CEditLast* edit = Feld(kIdMitMatte))
                edit->SetFloat(0.6f);
        return true;
    case kIdMatte:
        if (wizard && wizard->GetReach() > PageIndex())
            wizard->SetReach(PageIndex());
        return true;
    case kIdErklaerung:
        RefreshHint(0);
        return true;
    default:
        return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
    }
}

void CPgLgSichgPage5::OnEditCommit(int ctrlId, EditValue& value, int)
{
    if (ctrlId != kIdMitMatte && ctrlId != kIdOhneMatte)
        return;
    value.f = float(SicherungsEingaben::KlemmeReibung(value.f, Norm(), Checked(kIdUeber02)));
}

void CPgLgSichgPage5::OnUpdateCommand(CommandUpdateEvent& query)
{
    const int id = int(query.Id());
    if (id == kIdOhneMatte) {
        query.Enable(!Checked(kIdMatte));
        return;
    }
    if (id == kIdMitMatte) {
        query.Enable(Checked(kIdMatte) && !(Norm() == 1 && Checked(kIdMatteNorm)));
        return;
    }
    CPgLgSichgBase2::OnUpdateCommand(query);
}
