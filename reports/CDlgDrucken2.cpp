// The report dialog: the choices per vehicle and scope, their enabling, and Run, which writes the chosen
// reports into the report folder and hands the written ones to the PDF export.
#include "reports/CDlgDrucken2.h"

#include "model/base/ProgramFolders.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/SicherungsStand.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "reports/LgspsReport.h"
#include "reports/PdfExport.h"
#include "reports/PlanReport.h"
#include "reports/ReportTexts.h"
#include "ui/CDlgMsgboxHtml.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"
#include "ui/RibBtnStrip.h"

#include <QAbstractButton>
#include <QLabel>

#include <algorithm>

#include <system_error>

namespace {

using ReportTexts::Caption;
using ReportTexts::Text;

CRibBtnContainer* Concrete(IButtonStrip* strip)
{
    auto* face = dynamic_cast<RibBtnStrip*>(strip);
    return face ? face->Strip() : nullptr;
}

} // namespace

CDlgDrucken2::CDlgDrucken2(CQOR1Doc* pDoc, CFahrzeug* pVorn, CFahrzeug* pAnhaenger, QWidget* parent)
    : CDlgBase(kTemplateId, parent), m_pDoc(pDoc), m_pVorn(pVorn), m_pAnhaenger(pAnhaenger),
      m_ordner(GetReportFolder()), m_export(&PdfExport::ExportHtmlAsPdf)
{
}

std::string CDlgDrucken2::BerichtName(std::uint32_t textId, const std::string& fahrzeugName)
{
    // The text and the name are arguments of the format, so a "%" or "$S" in them stays as it is.
    return SichererName(FormatChecked("%s '%s'", {LoadResString(textId), fahrzeugName}));
}

std::string CDlgDrucken2::SichererName(std::string name)
{
    for (char& c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '_';
    if (name.empty() || name == "." || name == "..")
        name = "_" + name;
    return name;
}

int CDlgDrucken2::Einheiten(const CFahrzeug* f) const
{
    if (!f || f->GetArt() == FahrzeugArt::kSattelzugmaschine || !f->GetQor())
        return 0;
    // Only units with a verdict of a calculation have a securing report.
    const auto& einheiten = f->GetQor()->GetLadeeinheiten();
    return static_cast<int>(std::count_if(einheiten.begin(), einheiten.end(), [](const CLadeeinheit* le) {
        return le && HatSicherungsBericht(GetSicherungsStand(*le));
    }));
}

void CDlgDrucken2::SetChecked(int id, bool on)
{
    if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id)))
        b->setChecked(on);
}

bool CDlgDrucken2::IsChecked(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id));
    return b && b->isChecked();
}

void CDlgDrucken2::SetCtrlText(int id, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(ControlId::Find(this, id)))
        label->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id)))
        b->setText(text);
}

// A vehicle's name may be longer than its field: it is shortened in the middle and shown whole in the
// field's tooltip.
void CDlgDrucken2::SetNameText(int id, const QString& name)
{
    auto* label = qobject_cast<QLabel*>(ControlId::Find(this, id));
    if (!label)
        return;
    const QString shown =
        label->fontMetrics().elidedText(name, Qt::ElideMiddle, label->contentsRect().width());
    label->setText(shown);
    label->setToolTip(shown == name ? QString() : name);
}

void CDlgDrucken2::HideCtrl(int id)
{
    if (QWidget* w = ControlId::Find(this, id))
        w->hide();
}

bool CDlgDrucken2::OnInitDialog()
{
    CDlgBase::OnInitDialog();
    const bool bSattel = m_pVorn && m_pVorn->GetArt() == FahrzeugArt::kSattelzugmaschine;
    SetNameText(kIdNameVorn, QString::fromStdString(m_pVorn ? m_pVorn->m_strName : std::string()));
    SetChecked(kIdA1, true);
    if (!bSattel && Einheiten(m_pVorn) > 0)
        SetChecked(kIdC1, true);

    if (m_pAnhaenger) {
        SetChecked(kIdA2, true);
        if (Einheiten(m_pAnhaenger) > 0)
            SetChecked(kIdC2, true);
        SetNameText(kIdNameAnhaenger, QString::fromStdString(m_pAnhaenger->m_strName));
    } else {
        SetCtrlText(kIdGruppeVorn, QString::fromStdString(FormatS("$S:", 1, 267u)));
        for (int id : {kIdGruppeAnhaenger, kIdA2, kIdB2, kIdC2, kIdLgs2, kIdNameAnhaenger})
            HideCtrl(id);
        QList<QWidget*> unten;
        if (QWidget* w = ControlId::Find(this, kIdVorschau))
            unten.append(w);
        if (IButtonStrip* strip = FindRibBtnContainer(kIdRun))
            unten.append(strip->Window());
        for (QWidget* w : unten)
            w->move(w->x(), w->y() - kOhneAnhaengerVersatz);
        resize(width(), height() - kOhneAnhaengerVersatz);
    }

    // Export mode, the only one.
    setWindowTitle(Caption(145));
    HideCtrl(kIdVorschau);
    if (CRibBtnContainer* strip = Concrete(FindRibBtnContainer(kIdInfo)))
        strip->ShowButton(kIdInfo, false);
    if (QWidget* beide = ControlId::Find(this, kIdBeide))
        beide->show();

    const int nVorn = Einheiten(m_pVorn);
    SetCtrlText(kIdLgs1,
                QString::fromStdString(bSattel ? FormatS("$S [$S]", 2, 185u, 559u)
                                               : FormatChecked("%s [%i]", {LoadResString(185), nVorn})));
    SetChecked(kIdLgs1, !bSattel && nVorn > 0);
    if (m_pAnhaenger) {
        const int nHinten = Einheiten(m_pAnhaenger);
        SetCtrlText(kIdLgs2, QString::fromStdString(FormatChecked("%s [%i]", {LoadResString(185), nHinten})));
        SetChecked(kIdLgs2, nHinten > 0);
    }
    SetChecked(kIdPlan, true);
    KickIdle();
    return true;
}

void CDlgDrucken2::OnRibBtnAdded(IButtonStrip* strip, int buttonId)
{
    CDlgBase::OnRibBtnAdded(strip, buttonId);
    CRibBtnContainer* concrete = Concrete(strip);
    if (!concrete)
        return;
    if (buttonId == kIdRun) {
        concrete->SetDefaultButton(kIdRun, this);
        concrete->SetButtonResource(kIdRun, 892);
        concrete->SetButtonText(kIdRun, Caption(113));
        concrete->SetButtonValue(kIdRun, 892);
    } else if (buttonId == kIdInfo) {
        concrete->SetButtonIcon(kIdInfo, 722);
    }
}

int CDlgDrucken2::GetUmfang() const
{
    if (IsChecked(kIdBeide))
        return kBeide;
    return IsChecked(kIdSicherung) ? kSicherungsBericht : kPlanBericht;
}

PlanReportAuswahl CDlgDrucken2::GetPlanAuswahl() const
{
    PlanReportAuswahl a;
    a.bA1 = IsChecked(kIdA1);
    a.bB1 = IsChecked(kIdB1);
    a.bC1 = IsChecked(kIdC1);
    if (m_pAnhaenger) {
        a.bA2 = IsChecked(kIdA2);
        a.bB2 = IsChecked(kIdB2);
        a.bC2 = IsChecked(kIdC2);
    }
    return a;
}

bool CDlgDrucken2::WillPlanBericht() const
{
    return GetUmfang() != kSicherungsBericht && GetPlanAuswahl().Irgendeine();
}

bool CDlgDrucken2::WillSicherungsBericht() const
{
    return GetUmfang() != kPlanBericht && (IsChecked(kIdLgs1) || (m_pAnhaenger && IsChecked(kIdLgs2)));
}

bool CDlgDrucken2::IsRunEnabled() const
{
    return WillPlanBericht() || WillSicherungsBericht();
}

bool CDlgDrucken2::IsCtrlEnabled(int id) const
{
    const int umfang = GetUmfang();
    const bool bPlan = umfang != kSicherungsBericht;
    const bool bSicherung = umfang != kPlanBericht;
    const bool bSattel = m_pVorn && m_pVorn->GetArt() == FahrzeugArt::kSattelzugmaschine;
    switch (id) {
    case kIdRun:
        return IsRunEnabled();
    case kIdA1:
        return bPlan;
    case kIdB1:
    case kIdC1:
        return !bSattel && bPlan;
    case kIdLgs1:
        return Einheiten(m_pVorn) > 0 && bSicherung;
    case kIdA2:
    case kIdB2:
    case kIdC2:
        return m_pAnhaenger && bPlan;
    case kIdLgs2:
        return Einheiten(m_pAnhaenger) > 0 && bSicherung;
    default:
        return true;
    }
}

void CDlgDrucken2::OnUpdateCommand(CommandUpdateEvent& query)
{
    switch (query.Id()) {
    case kIdRun:
    case kIdA1:
    case kIdB1:
    case kIdC1:
    case kIdLgs1:
    case kIdA2:
    case kIdB2:
    case kIdC2:
    case kIdLgs2:
        query.Enable(IsCtrlEnabled(int(query.Id())));
        return;
    default:
        CDlgBase::OnUpdateCommand(query);
    }
}

bool CDlgDrucken2::OnCommand(int id, int notifyCode, QObject* control)
{
    if (notifyCode == 0) {
        switch (id) {
        case kIdRun:
            Run();
            return true;
        case kIdInfo:
            Info();
            return true;
        case kIdPlan:
        case kIdSicherung:
        case kIdBeide:
            // The scope changes what is enabled at once.
            KickIdle();
            return true;
        default:
            break;
        }
    }
    const bool handled = CDlgBase::OnCommand(id, notifyCode, control);
    KickIdle();
    return handled;
}

void CDlgDrucken2::Info()
{
    CDlgMsgboxHtml box(this);
    box.SetIconImage(814, CDlgMsgboxHtml::kIconPng);
    box.DoModalIds(214, 273, kIdOk, kIdOk);
}

void CDlgDrucken2::Run()
{
    if (!IsRunEnabled())
        return;
    const bool bPlan = WillPlanBericht();
    const bool bSicherung = WillSicherungsBericht();
    m_planPfad.clear();
    m_sicherungsPfad.clear();
    std::error_code ec;
    std::filesystem::create_directories(m_ordner, ec);
    const std::string vornName = m_pVorn ? m_pVorn->m_strName : std::string();

    QStringList fehler;
    if (bPlan) {
        const std::string name = BerichtName(213, vornName);
        if (!PlanReport::CreatePlanReport(m_pDoc, name, m_pVorn, m_pAnhaenger, GetPlanAuswahl(), m_ordner,
                                          &m_planPfad))
            m_planPfad.clear();
        if (m_planPfad.empty())
            fehler.append(QString::fromStdString(FormatResChecked(1383, {name})));
    }
    if (bSicherung) {
        const std::string name = BerichtName(258, vornName);
        if (!LgspsReport::BuildLgspsReport(m_pDoc, name, IsChecked(kIdLgs1),
                                           m_pAnhaenger && IsChecked(kIdLgs2), true, 3, 800,
                                           &m_sicherungsPfad, m_ordner, m_skizze))
            m_sicherungsPfad.clear();
        if (m_sicherungsPfad.empty())
            fehler.append(QString::fromStdString(FormatResChecked(1383, {name})));
    }

    QStringList html;
    for (const std::string* pfad : {&m_planPfad, &m_sicherungsPfad})
        if (!pfad->empty())
            html.append(QString::fromStdString(*pfad));
    if (!fehler.isEmpty()) {
        if (html.isEmpty())
            fehler.append(Text(1385));
        MessageBoxes().Show(this, Text(273), fehler.join(QLatin1Char('\n')),
                            html.isEmpty() ? IMessageBoxService::Icon::Error
                                           : IMessageBoxService::Icon::Warning,
                            IMessageBoxService::Buttons::Ok);
    }
    if (!html.isEmpty() && m_export)
        m_export(m_pDoc, html, QString::fromStdString(m_ordner.string()), this);
    done(kIdRun);
}
