// The friction page: the mat, the friction values and their limits, and the check before going on.
#include "loadsecuring/CPgLgSichgPage5.h"

#include "loadsecuring/CPgLgSichgPage4.h"
#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/securing/SicherungsEingaben.h"
#include "model/text/FormatArg.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"

#include <QAbstractButton>

#include <algorithm>
#include <cmath>

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
    SetBereiche();
    // The first standard knows neither the mat's certificate nor the limit of 0.2.
    const bool bDe = CPgLgSichgPage4::MitNorm0(GetProgramRun());
    for (int id : {kIdMatteNorm, kIdMatteZertifikat, kIdUeber02})
        if (QWidget* w = ControlId::Find(this, id))
            w->setVisible(!bDe);
    return true;
}

void CPgLgSichgPage5::SetBereiche()
{
    const double dMax = SicherungsEingaben::GroessteReibung(Norm(), Checked(kIdUeber02));
    for (int id : {kIdMitMatte, kIdOhneMatte})
        if (CEditLast* edit = Feld(id))
            edit->SetRange(0.0, dMax, QString::fromStdString(LoadResString(id == kIdMitMatte ? 463 : 464)));
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
    SetBereiche();
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
    // A refused entry has told the user what the field takes; the page stays.
    if (edit && !edit->CommitPending())
        return -2;
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
    if (nId == CPshLgSichgWizard::kIdBack && pNext)
        *pNext = kIdErklaerung;
    else
        CPgLgSichgBase2::GetNextCommandId(nId, pNext);
}

bool CPgLgSichgPage5::OnCommand(int id, int notifyCode, QObject* control)
{
    CPshLgSichgWizard* wizard = GetWizard();
    if (id == kIdUeber02)
        SetBereiche();
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
        FokusInsGeoeffneteFeld();
        return true;
    case kIdMatte:
        if (wizard && wizard->GetReach() > PageIndex())
            wizard->SetReach(PageIndex());
        FokusInsGeoeffneteFeld();
        return true;
    case kIdErklaerung:
        RefreshHint(0);
        return true;
    default:
        return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
    }
}

int CPgLgSichgPage5::BuildHintHtml(std::intptr_t nArg, QString* pHtml)
{
    CPgLgSichgBase2::BuildHintHtml(nArg, pHtml);
    const ResourceModule* pModule = ResourceModule::Current();
    const quint32 nTemplate = CPgLgSichgPage4::MitNorm0(GetProgramRun()) && Norm() != 1 ? 692 : 789;
    QString html = pModule && pHtml ? pModule->Html(nTemplate) : QString();
    if (html.isEmpty())
        return 0;
    html.replace(QStringLiteral("<!--$<body>-->"), QStringLiteral("<body>"));
    html.replace(QStringLiteral("/*$endColor*/"), QStringLiteral("#F1F5FA"));
    if (Checked(kIdErklaerung)) {
        html.replace(QStringLiteral("<!--$visibleText-->"), QStringLiteral("invisible"));
        html.replace(QStringLiteral("<!--$firstTabelle-->"), QStringLiteral("first"));
    } else {
        html.replace(QStringLiteral("<!--$firstText-->"), QStringLiteral("first"));
    }
    html.replace(QStringLiteral("<!--$visibleKasten2-->"), QStringLiteral("invisible"));
    html.replace(QStringLiteral("/*$a:pseudo*/"),
                 QStringLiteral("a:link, a:visited, a:focus { font-weight:bold; color:#0040FF; "
                                "font-size:1.0em; } a:hover { background-color:#FFDF00; } a:active { "
                                "background-color:#FFBF00; }"));
    // Markers this state does not use.
    for (const char* marker : {"<!--$visibleText-->", "<!--$firstTabelle-->", "<!--$firstText-->"})
        html.replace(QLatin1String(marker), QString());
    *pHtml = html;
    return 0;
}

void CPgLgSichgPage5::OnHintLink(int nId, QString strArg)
{
    CPshLgSichgWizard* wizard = GetWizard();
    bool bOk = false;
    if (nId == 0x8004) {
        const double dWert = strArg.trimmed().toDouble(&bOk);
        if (!bOk || !std::isfinite(dWert) || dWert < 0.0)
            return;
        // The same limits as a typed value: above 0.2 only where the standard or the allowance permits.
        const double dReibung = SicherungsEingaben::KlemmeReibung(dWert, Norm(), Checked(kIdUeber02));
        CEditLast* edit = Feld(GeltendesFeld());
        if (!edit)
            return;
        edit->SetFloat(float(dReibung));
        edit->setFocus();
        edit->selectAll();
        // The value was taken from the table: the explanation beside it is shown again.
        if (Checked(kIdErklaerung)) {
            SetChecked(kIdErklaerung, false);
            RefreshHint(0);
        }
    } else if (nId == 0x8005) {
        const int nIndex = strArg.trimmed().toInt(&bOk);
        if (!bOk || nIndex < 0 || nIndex > 1)
            return;
        SetChecked(nIndex == 0 ? kIdMatteNorm : kIdMatteZertifikat, true);
    } else {
        return;
    }
    if (wizard && wizard->GetReach() > PageIndex())
        wizard->SetReach(PageIndex());
}

void CPgLgSichgPage5::OnEditCommit(int ctrlId, EditValue& value, int)
{
    if (ctrlId != kIdMitMatte && ctrlId != kIdOhneMatte)
        return;
    value.f = float(SicherungsEingaben::KlemmeReibung(value.f, Norm(), Checked(kIdUeber02)));
}

bool CPgLgSichgPage5::FeldOffen(int id) const
{
    if (id == kIdOhneMatte)
        return !Checked(kIdMatte);
    return id == kIdMitMatte && Checked(kIdMatte) && !(Norm() == 1 && Checked(kIdMatteNorm));
}

void CPgLgSichgPage5::FokusInsGeoeffneteFeld()
{
    for (int id : {kIdMitMatte, kIdOhneMatte}) {
        CEditLast* edit = Feld(id);
        if (!edit || edit->isEnabled() || !FeldOffen(id))
            continue;
        // Opened now, not at the next idle update, so that the focus can go there.
        edit->setEnabled(true);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

void CPgLgSichgPage5::OnUpdateCommand(CommandUpdateEvent& query)
{
    const int id = int(query.Id());
    if (id == kIdOhneMatte || id == kIdMitMatte) {
        query.Enable(FeldOffen(id));
        return;
    }
    CPgLgSichgBase2::OnUpdateCommand(query);
}
