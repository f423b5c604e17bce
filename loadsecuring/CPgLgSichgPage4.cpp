// The coefficients page: the standard's radios, the ten coefficient fields, their limits and the
// user's own set.
#include "loadsecuring/CPgLgSichgPage4.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "model/files/CustomNormParamsFile.h"
#include "model/securing/SicherungsEingaben.h"
#include "model/text/FormatArg.h"
#include "model/text/HtmlText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "platform/ResourceModule.h"
#include "platform/SystemInfo.h"
#include "ui/CEditLast.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IButtonStrip.h"
#include "ui/IMessageBoxService.h"
#include "ui/ResourcePictures.h"
#include "ui/RibBtnStrip.h"

#include <QPainter>
#include <QRadioButton>

CPgLgSichgPage4::CPgLgSichgPage4(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage4::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

int CPgLgSichgPage4::BuildHintHtml(std::intptr_t nArg, QString* pHtml)
{
    CPgLgSichgBase2::BuildHintHtml(nArg, pHtml);
    const ResourceModule* pModule = ResourceModule::Current();
    QString html = pModule && pHtml ? pModule->Html(kHint) : QString();
    if (html.isEmpty())
        return 0;
    // The note on typing and saving stands only while the user's own set is chosen.
    html.replace(QStringLiteral("<!--$<body>-->"), QStringLiteral("<body>"));
    html.replace(QStringLiteral("/*$endColor*/"), QStringLiteral("#C8D8ED"));
    html.replace(QStringLiteral("<!--$firstText-->"), QStringLiteral("first"));
    html.replace(QStringLiteral("<!--$visibleKasten1-->"),
                 Norm() == 2 ? QStringLiteral("first") : QStringLiteral("invisible"));
    *pHtml = html;
    return 0;
}

SNormParams& CPgLgSichgPage4::EigenerSatz()
{
    std::optional<SNormParams>& set = GetProgramRun().GetNormen().eigenerSatz;
    if (!set)
        set = SatzVon(0);
    return *set;
}

bool& CPgLgSichgPage4::EigenerSatzGeaendert()
{
    return GetProgramRun().GetNormen().bEigenerSatzGeaendert;
}

float& CPgLgSichgPage4::Norm0C5()
{
    std::optional<float>& c5 = GetProgramRun().GetNormen().fNorm0C5;
    if (!c5) {
        SNormParams s;
        SNormParams::GetStandard(0, &s);
        c5 = s.m_fKoeff[5];
    }
    return *c5;
}

QString& CPgLgSichgPage4::DateiPfad()
{
    return GetProgramRun().GetNormen().strDateiPfad;
}

QString CPgLgSichgPage4::SprachCode(const ProgramRun& run)
{
    if (!run.GetNormen().strSprachCode.isEmpty())
        return run.GetNormen().strSprachCode;
    const ResourceModule* module = ResourceModule::Current();
    return module ? module->Code() : QString();
}

bool CPgLgSichgPage4::MitNorm0(const ProgramRun& run)
{
    return ResourceModule::IsGermanCode(SprachCode(run));
}

SNormParams CPgLgSichgPage4::SatzVon(int nNorm)
{
    if (nNorm == 2)
        return EigenerSatz();
    SNormParams s;
    SNormParams::GetStandard(nNorm, &s);
    if (nNorm == 0)
        s.m_fKoeff[5] = Norm0C5();
    return s;
}

int CPgLgSichgPage4::Norm() const
{
    return GetWizard() ? GetWizard()->GetParams().m_nNorm : 1;
}

bool CPgLgSichgPage4::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    for (int i = 0; i < SNormParams::kAnzahl; ++i) {
        auto* edit = qobject_cast<CEditLast*>(ControlId::Find(this, kFelder[i]));
        if (!edit)
            continue;
        // c4 and c9 are read-only and show "n/a" while the standard has none.
        const bool bNurLesen = i == 4 || i == 9;
        edit->SetFormat(EditValue::kFloat, QStringLiteral("%.2f"),
                        bNurLesen ? std::optional<QString>(QString::fromStdString(LoadResString(559)))
                                  : std::nullopt);
        if (bNurLesen)
            edit->setReadOnly(true);
    }
    for (int i = 0; i < 3; ++i)
        if (auto* radio = qobject_cast<QRadioButton*>(ControlId::Find(this, kRadios[i])))
            radio->setText(QString::fromStdString(SNormParams::GetNormName(i)));
    // Without the first standard its radio goes and the others move up.
    if (!MitNorm0()) {
        if (QWidget* r0 = ControlId::Find(this, kRadios[0]))
            r0->hide();
        for (int id : {kRadios[1], kRadios[2]})
            if (QWidget* w = ControlId::Find(this, id))
                w->move(w->x(), w->y() - 24);
    }
    SubclassCtrl(kIdBild);
    return true;
}

void CPgLgSichgPage4::OnFirstEnter(int)
{
    if (!GetWizard())
        return;
    CWizardParams& wp = GetWizard()->GetParams();
    wp.m_nNorm = MitNorm0() ? 0 : 1;
    wp.m_Norm = SatzVon(wp.m_nNorm);
}

void CPgLgSichgPage4::OnFirstActivate()
{
    if (DateiPfad().isEmpty())
        DateiPfad() = GetUserDataPath(QString::fromLatin1(CustomNormParamsFile::kDateiName));
    SNormParams set;
    const auto status = CustomNormParamsFile::Load(DateiPfad().toStdString(), &set);
    EigenerSatz() = set;
    EigenerSatzGeaendert() = false;
    if (status == CustomNormParamsFile::Status::kBeschaedigt) {
        IMessageBoxService::HtmlBox box;
        box.text = QString::fromStdString(FormatResChecked(61391, {EscapeHtml(DateiPfad().toStdString())}));
        box.captionId = 273;
        box.buttons = {{668, 668}};
        MessageBoxes().ShowHtml(this, box, nullptr);
    }
}

bool CPgLgSichgPage4::OnSetActive()
{
    const bool bOk = CPgLgSichgBase2::OnSetActive();
    const int nNorm = Norm();
    for (int i = 0; i < 3; ++i)
        if (auto* radio = qobject_cast<QRadioButton*>(ControlId::Find(this, kRadios[i])))
            radio->setChecked(i == nNorm);
    if (GetWizard())
        FelderAusSatz(GetWizard()->GetParams().m_Norm);
    return bOk;
}

bool CPgLgSichgPage4::OnKillActive()
{
    if (GetWizard())
        FelderInSatz(&GetWizard()->GetParams().m_Norm);
    if (Norm() == 2)
        FelderInSatz(&EigenerSatz());
    return CPgLgSichgBase2::OnKillActive();
}

void CPgLgSichgPage4::FelderAusSatz(const SNormParams& set)
{
    for (int i = 0; i < SNormParams::kAnzahl; ++i) {
        auto* edit = qobject_cast<CEditLast*>(ControlId::Find(this, kFelder[i]));
        if (!edit)
            continue;
        if ((i == 4 || i == 9) && set.m_fKoeff[i] == 0.0f)
            edit->SetText(std::nullopt);
        else
            edit->SetFloat(set.m_fKoeff[i]);
    }
}

void CPgLgSichgPage4::FelderInSatz(SNormParams* pSet) const
{
    for (int i = 0; i < SNormParams::kAnzahl; ++i)
        if (auto* edit = qobject_cast<CEditLast*>(ControlId::Find(this, kFelder[i])))
            pSet->m_fKoeff[i] = edit->GetFloatOr(0.0f);
}

void CPgLgSichgPage4::WechsleNorm(int nNorm)
{
    if (nNorm < 0 || nNorm > 2 || (nNorm == 0 && !MitNorm0()) || !GetWizard())
        return;
    CWizardParams& wp = GetWizard()->GetParams();
    if (wp.m_nNorm == 2 && nNorm != 2)
        FelderInSatz(&EigenerSatz());
    wp.m_nNorm = nNorm;
    wp.m_Norm = SatzVon(nNorm);
    FelderAusSatz(wp.m_Norm);
    for (int i = 0; i < 3; ++i)
        if (auto* radio = qobject_cast<QRadioButton*>(ControlId::Find(this, kRadios[i])))
            radio->setChecked(i == nNorm);
    InvalidateCtrl(kIdBild);
    if (GetWizard()->GetReach() > PageIndex())
        GetWizard()->SetReach(PageIndex());
    RefreshHint(0);
}

bool CPgLgSichgPage4::SpeichereEigenenSatz()
{
    if (Norm() == 2)
        FelderInSatz(&EigenerSatz());
    if (DateiPfad().isEmpty())
        DateiPfad() = GetUserDataPath(QString::fromLatin1(CustomNormParamsFile::kDateiName));
    std::string error;
    if (!CustomNormParamsFile::Save(DateiPfad().toStdString(), EigenerSatz(), &error)) {
        // The set stays modified and the old file stays as it was.
        IMessageBoxService::HtmlBox box;
        box.text = QString::fromStdString(
            FormatResChecked(61392, {EscapeHtml(DateiPfad().toStdString()), EscapeHtml(error)}));
        box.captionId = 273;
        box.iconId = 814;
        box.buttons = {{668, 668}};
        MessageBoxes().ShowHtml(this, box, nullptr);
        return false;
    }
    EigenerSatzGeaendert() = false;
    return true;
}

bool CPgLgSichgPage4::OnCommand(int id, int notifyCode, QObject* control)
{
    for (int i = 0; i < 3; ++i)
        if (id == kRadios[i]) {
            WechsleNorm(i);
            return true;
        }
    if (id == kIdSave) {
        SpeichereEigenenSatz();
        return true;
    }
    return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
}

void CPgLgSichgPage4::OnEditCommit(int ctrlId, EditValue& value, int)
{
    const int nNorm = Norm();
    for (int i = 0; i < SNormParams::kAnzahl; ++i) {
        if (kFelder[i] != ctrlId)
            continue;
        value.f = float(SicherungsEingaben::KlemmeKoeffizient(i, value.f, nNorm));
        if (GetWizard())
            GetWizard()->GetParams().m_Norm.m_fKoeff[i] = value.f;
        if (i == 5 && nNorm == 0)
            Norm0C5() = value.f;
        if (nNorm == 2) {
            EigenerSatz().m_fKoeff[i] = value.f;
            EigenerSatzGeaendert() = true;
        }
    }
}

void CPgLgSichgPage4::OnUpdateCommand(CommandUpdateEvent& query)
{
    const int id = int(query.Id());
    for (int i = 0; i < SNormParams::kAnzahl; ++i)
        if (kFelder[i] == id && i != 4 && i != 9) {
            query.Enable(Norm() == 2);
            return;
        }
    if (id == kIdSave) {
        query.Enable(Norm() == 2 && EigenerSatzGeaendert());
        return;
    }
    CPgLgSichgBase2::OnUpdateCommand(query);
}

bool CPgLgSichgPage4::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id != kIdBild)
        return CPgLgSichgBase2::OnPaintCtrl(ctrl, id, painter);
    painter.fillRect(ctrl->rect(), QColor(200, 216, 237));
    if (Norm() == 1) {
        const QImage bild = LoadCxImageFromResource(772, PICTURE_FORMAT_BITMAP);
        if (!bild.isNull())
            painter.drawImage(
                QPoint((ctrl->width() - bild.width()) / 2, (ctrl->height() - bild.height()) / 2), bild);
    }
    return true;
}

void CPgLgSichgPage4::OnRibBtnAdded(IButtonStrip* strip, int buttonId)
{
    CPgLgSichgBase2::OnRibBtnAdded(strip, buttonId);
    if (auto* own = dynamic_cast<RibBtnStrip*>(strip); own && own->Strip())
        own->Strip()->SetButtonText(quint32(buttonId), QString());
}
