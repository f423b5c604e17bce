// The method page: the method, what the lashings go to, and the check before the attachment points
// are placed automatically.
#include "loadsecuring/CPgLgSichgPage11.h"

#include "loadsecuring/CPshLgSichgWizard.h"
#include "loadsecuring/ILgSicherungView.h"
#include "model/plan/CAnschlagpunkt.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/sZPPtrTupel.h"
#include "model/securing/AutoPlatzierung.h"
#include "model/text/FormatArg.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "platform/ResourceModule.h"
#include "ui/CEditLast.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ControlId.h"
#include "ui/IMessageBoxService.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <memory>

namespace {

constexpr int kZurueck = CPshLgSichgWizard::kIdBack;
constexpr int kSchliessen = CPshLgSichgWizard::kIdClose;

} // namespace

CPgLgSichgPage11::CPgLgSichgPage11(CPshLgSichgWizard* pWizard) : CPgLgSichgBase2(kTemplate, pWizard) {}

void CPgLgSichgPage11::GetHeaderBitmapId(quint32* pId)
{
    *pId = kHeaderBitmap;
}

bool CPgLgSichgPage11::OnInitDialog()
{
    CPgLgSichgBase2::OnInitDialog();
    SetPageTitle(kTitle, {});
    for (int id : {kIdLaengs, kIdQuer, kIdHoehe})
        if (auto* edit = qobject_cast<CEditLast*>(ControlId::Find(this, id)))
            edit->SetFormat(EditValue::kFloat, QStringLiteral("%.0f"));
    SubclassCtrl(kIdSchema);
    SubclassCtrl(kIdSeitenansicht);
    return true;
}

CAnschlagpunkt* CPgLgSichgPage11::Anschlagpunkt() const
{
    CLadeeinheit* pEinheit = GetLadeeinheit();
    if (!pEinheit || m_nEcke < 0 || m_nEcke > 3)
        return nullptr;
    auto& p = pEinheit->m_Anschlagpunkte[std::size_t(m_nEcke)];
    if (!p)
        p = std::make_unique<CAnschlagpunkt>(m_nEcke);
    return p.get();
}

void CPgLgSichgPage11::ZeigeVersatz()
{
    CLadeeinheit* pEinheit = GetLadeeinheit();
    CAnschlagpunkt* pPunkt = Anschlagpunkt();
    double x = 0, y = 0, l = 0, b = 0, h = 0, m = 0;
    if (pEinheit)
        pEinheit->GetAbmessungen(&x, &y, &l, &b, &h, &m);
    const double werte[3] = {pPunkt ? pPunkt->m_dVersatz1 : 0.0, pPunkt ? pPunkt->m_dVersatz2 : 0.0,
                             pPunkt ? h - pPunkt->m_dVersatz3 : 0.0};
    const int ids[3] = {kIdLaengs, kIdQuer, kIdHoehe};
    for (int i = 0; i < 3; ++i)
        if (auto* edit = qobject_cast<CEditLast*>(ControlId::Find(this, ids[i]))) {
            if (pPunkt)
                edit->SetFloat(float(werte[i] * 1000.0));
            else
                edit->SetText(std::nullopt);
        }
}

void CPgLgSichgPage11::SetEcke(int nEcke)
{
    m_nEcke = std::clamp(nEcke, 0, 3);
    if (CPshLgSichgWizard* wizard = GetWizard())
        wizard->SetEcke(m_nEcke);
    SetChecked(kIdEcke0 + m_nEcke, true);
    ZeigeVersatz();
    InvalidateCtrl(kIdSchema);
    InvalidateCtrl(kIdSeitenansicht);
    if (CLadeeinheit* pEinheit = GetLadeeinheit()) {
        // The view marks the attachment point of this corner.
        pEinheit->SetSichgModus(m_nEcke, 2);
        if (GetWizard() && GetWizard()->GetView())
            GetWizard()->GetView()->RepaintView();
    }
}

void CPgLgSichgPage11::OnEditCommit(int ctrlId, EditValue& value, int)
{
    if (ctrlId != kIdLaengs && ctrlId != kIdQuer && ctrlId != kIdHoehe)
        return;
    CLadeeinheit* pEinheit = GetLadeeinheit();
    CAnschlagpunkt* pPunkt = Anschlagpunkt();
    if (!pEinheit || !pPunkt)
        return;
    double x = 0, y = 0, l = 0, b = 0, h = 0, m = 0;
    pEinheit->GetAbmessungen(&x, &y, &l, &b, &h, &m);
    const double dGrenze = ctrlId == kIdLaengs ? l / 2.0 : ctrlId == kIdQuer ? b / 2.0 : h;
    const double d = std::clamp(double(value.f) / 1000.0, 0.0, std::max(0.0, dGrenze));
    value.f = float(d * 1000.0);
    if (ctrlId == kIdLaengs)
        pPunkt->m_dVersatz1 = d;
    else if (ctrlId == kIdQuer)
        pPunkt->m_dVersatz2 = d;
    else
        pPunkt->m_dVersatz3 = h - d;
    InvalidateCtrl(kIdSchema);
    InvalidateCtrl(kIdSeitenansicht);
}

void CPgLgSichgPage11::OnUpdateCommand(CommandUpdateEvent& query)
{
    const int id = int(query.Id());
    if ((id >= kIdEcke0 && id <= kIdEcke0 + 3) || id == kIdLaengs || id == kIdQuer || id == kIdHoehe) {
        query.Enable(m_nOption >= 0 && GetLadeeinheit() != nullptr);
        return;
    }
    if (id == kIdAutomatisch) {
        query.Enable(m_nOption >= 0);
        return;
    }
    CPgLgSichgBase2::OnUpdateCommand(query);
}

bool CPgLgSichgPage11::OnPaintCtrl(QWidget* ctrl, int id, QPainter& painter)
{
    if (id == kIdSeitenansicht) {
        ZeichneSeitenansicht(ctrl, painter);
        return true;
    }
    if (id != kIdSchema)
        return CPgLgSichgBase2::OnPaintCtrl(ctrl, id, painter);
    const QRect area = ctrl->rect();
    painter.fillRect(area, QColor(200, 216, 237));
    CLadeeinheit* pEinheit = GetLadeeinheit();
    double x = 0, y = 0, l = 0, b = 0, h = 0, m = 0;
    if (pEinheit)
        pEinheit->GetAbmessungen(&x, &y, &l, &b, &h, &m);
    if (!(l > 0.0 && b > 0.0))
        return true;
    painter.setRenderHint(QPainter::Antialiasing);
    // The unit from above as the view shows it, front to the left and the side at y = 0 (the right side)
    // at the top, centred.
    const double dMass = std::min((area.width() - 40) / l, (area.height() - 30) / b);
    const QSizeF size(l * dMass, b * dMass);
    const QRectF box(QPointF(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2),
                     size);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(QColor(214, 170, 110));
    painter.drawRect(box);
    const bool bDetail = Checked(kIdDetail);
    QPen gurt(QColor(40, 130, 60), 3);
    painter.setPen(gurt);
    if (!bDetail) {
        // Top-over lashing: straps across the unit.
        for (double f : {0.25, 0.75}) {
            const double xs = box.left() + box.width() * f;
            painter.drawLine(QPointF(xs, box.top() - 10), QPointF(xs, box.bottom() + 10));
        }
    }
    for (int nEcke = 0; nEcke < 4; ++nEcke) {
        const CAnschlagpunkt* pPunkt = pEinheit->GetAnschlagpunkt(nEcke);
        const double dx = pPunkt ? pPunkt->m_dVersatz1 : 0.0, dy = pPunkt ? pPunkt->m_dVersatz2 : 0.0;
        // Corner 0 is the front right one (smallest x and y), 1 the rear right, 2 front left, 3 rear left.
        const bool bVorn = nEcke == 0 || nEcke == 2, bRechts = nEcke == 0 || nEcke == 1;
        const QPointF ecke(bVorn ? box.left() + dx * dMass : box.right() - dx * dMass,
                           bRechts ? box.top() + dy * dMass : box.bottom() - dy * dMass);
        if (bDetail) {
            // Direct lashing: each corner lashed outward to the load area.
            painter.setPen(gurt);
            painter.drawLine(ecke, ecke + QPointF(bVorn ? -16 : 16, bRechts ? -12 : 12));
        }
        const bool bAktuell = nEcke == m_nEcke;
        painter.setPen(QPen(QColor(30, 50, 110), 1));
        painter.setBrush(bAktuell ? QColor(255, 200, 0) : QColor(255, 255, 255));
        const double r = bAktuell ? 5.0 : 3.5;
        painter.drawEllipse(ecke, r, r);
    }
    return true;
}

void CPgLgSichgPage11::ZeichneSeitenansicht(QWidget* ctrl, QPainter& painter)
{
    const QRect area = ctrl->rect();
    painter.fillRect(area, QColor(200, 216, 237));
    CLadeeinheit* pEinheit = GetLadeeinheit();
    double x = 0, y = 0, l = 0, b = 0, h = 0, m = 0;
    if (pEinheit)
        pEinheit->GetAbmessungen(&x, &y, &l, &b, &h, &m);
    if (!(l > 0.0 && h > 0.0))
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    // The unit from the side, its front to the left, standing on the load area's floor.
    const double dBoden = area.bottom() - 12.0;
    const double dMass = std::min((area.width() - 24) / l, (dBoden - 10) / h);
    const QRectF box(QPointF(area.center().x() - l * dMass / 2, dBoden - h * dMass),
                     QSizeF(l * dMass, h * dMass));
    painter.setPen(QPen(QColor(90, 90, 90), 2));
    painter.drawLine(QPointF(area.left() + 2, dBoden + 1), QPointF(area.right() - 2, dBoden + 1));
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(QColor(214, 170, 110));
    painter.drawRect(box);
    const CAnschlagpunkt* pPunkt = pEinheit->GetAnschlagpunkt(m_nEcke);
    const double dLaengs = pPunkt ? pPunkt->m_dVersatz1 : 0.0;
    const double dHoehe = pPunkt ? std::clamp(h - pPunkt->m_dVersatz3, 0.0, h) : h;
    const bool bVorn = m_nEcke == 0 || m_nEcke == 1;
    const QPointF punkt(bVorn ? box.left() + dLaengs * dMass : box.right() - dLaengs * dMass,
                        dBoden - dHoehe * dMass);
    // The lashing from the attachment point down and outward to the floor.
    painter.setPen(QPen(QColor(40, 130, 60), 2.5));
    painter.drawLine(punkt, QPointF(bVorn ? box.left() - 10 : box.right() + 10, dBoden));
    // The height above the unit's base as a dimension line.
    const double dMassX = bVorn ? box.right() + 6 : box.left() - 6;
    painter.setPen(QPen(QColor(30, 50, 110), 1, Qt::DashLine));
    painter.drawLine(punkt, QPointF(dMassX, punkt.y()));
    painter.setPen(QPen(QColor(30, 50, 110), 1.5));
    painter.drawLine(QPointF(dMassX, dBoden), QPointF(dMassX, punkt.y()));
    painter.drawLine(QPointF(dMassX - 3, punkt.y()), QPointF(dMassX + 3, punkt.y()));
    painter.setBrush(QColor(255, 200, 0));
    painter.setPen(QPen(QColor(30, 50, 110), 1));
    painter.drawEllipse(punkt, 5.0, 5.0);
}

bool CPgLgSichgPage11::Checked(int id) const
{
    auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id));
    return b && b->isChecked();
}

void CPgLgSichgPage11::SetChecked(int id, bool on)
{
    if (auto* b = qobject_cast<QAbstractButton*>(ControlId::Find(this, id)))
        b->setChecked(on);
}

bool CPgLgSichgPage11::HatPunkte() const
{
    CFahrzeug* pFahrzeug = GetFahrzeug();
    return pFahrzeug && !pFahrzeug->GetZurrpunktListe().empty();
}

bool CPgLgSichgPage11::HatSchienen() const
{
    CFahrzeug* pFahrzeug = GetFahrzeug();
    return pFahrzeug && !pFahrzeug->m_Zurrschienen.empty();
}

void CPgLgSichgPage11::Meldung(int nText, int nCaption)
{
    IMessageBoxService::HtmlBox box;
    box.textId = nText;
    box.captionId = nCaption;
    box.buttons = {{668, 668}};
    MessageBoxes().ShowHtml(this, box, nullptr);
}

int CPgLgSichgPage11::BuildHintHtml(std::intptr_t nArg, QString* pHtml)
{
    CPgLgSichgBase2::BuildHintHtml(nArg, pHtml);
    const ResourceModule* pModule = ResourceModule::Current();
    QString html = pModule && pHtml ? pModule->Html(762) : QString();
    if (html.isEmpty())
        return 0;
    const bool bDetail = Checked(kIdDetail);
    // The lashings' target is named by the caption of its box on this page.
    auto* ziel =
        qobject_cast<QAbstractButton*>(ControlId::Find(this, m_nOption == 1 ? kIdSchienen : kIdPunkte));
    const QString strZiel = m_nOption >= 0 && ziel ? ziel->text() : QStringLiteral("-");
    html.replace(QStringLiteral("/*$endColor*/"), QStringLiteral("#CAD9EF"));
    html.replace(QStringLiteral("<!--$visibleEinfach-->"), bDetail ? QStringLiteral("invisible") : QString());
    html.replace(QStringLiteral("<!--$visibleDetail-->"), bDetail ? QString() : QStringLiteral("invisible"));
    html.replace(QStringLiteral("<!--$ziel-->"), strZiel.toHtmlEscaped());
    *pHtml = html;
    return 0;
}

void CPgLgSichgPage11::OnFirstEnter(int)
{
    m_nOption = HatPunkte() ? 0 : HatSchienen() ? 1 : -1;
    if (CPshLgSichgWizard* wizard = GetWizard())
        wizard->GetParams().m_nQuerQuelle = m_nOption;
}

void CPgLgSichgPage11::OnFirstActivate()
{
    m_nEcke = 0;
    if (CPshLgSichgWizard* wizard = GetWizard())
        wizard->SetEcke(0);
    SetChecked(kIdAutomatisch, true);
}

bool CPgLgSichgPage11::OnSetActive()
{
    const bool bOk = CPgLgSichgBase2::OnSetActive();
    if (CPshLgSichgWizard* wizard = GetWizard()) {
        const CWizardParams& wp = wizard->GetParams();
        m_nOption = wp.m_nQuerQuelle < 0 ? -1 : wp.m_nQuerQuelle == 0 ? 0 : 1;
        SetChecked(wp.m_nVerfahren == 1 ? kIdDetail : kIdEinfach, true);
        wizard->SetMethodPageChoice(wp.m_nVerfahren, m_nOption);
    }
    SetChecked(kIdPunkte, m_nOption == 0 && HatPunkte());
    SetChecked(kIdSchienen, m_nOption == 1 && HatSchienen());
    // The corner is the wizard's, shared with the lashing-points page; the unit's sub-index is kept
    // in the wizard before this page marks the attachment point.
    if (CPshLgSichgWizard* wizard = GetWizard()) {
        m_nEcke = wizard->GetEcke();
        if (CLadeeinheit* pEinheit = GetLadeeinheit()) {
            int nSub = 0;
            pEinheit->GetSichgModus(&nSub);
            if (nSub != 2) // 2 is this page's own mark, left from an earlier visit
                wizard->SetEckeSub(nSub);
        }
    }
    SetEcke(m_nEcke);
    return bOk;
}

bool CPgLgSichgPage11::OnKillActive()
{
    if (CPshLgSichgWizard* wizard = GetWizard()) {
        CWizardParams& wp = wizard->GetParams();
        wp.m_nVerfahren = Checked(kIdDetail) ? 1 : 0;
        wp.m_nQuerQuelle = m_nOption;
        wizard->SetMethodPageChoice(wp.m_nVerfahren, m_nOption);
    }
    return CPgLgSichgBase2::OnKillActive();
}

void CPgLgSichgPage11::GetNextCommandId(int nId, int* pNext)
{
    if (nId == CPshLgSichgWizard::kIdBack && pNext)
        *pNext = kIdHoehe;
    else
        CPgLgSichgBase2::GetNextCommandId(nId, pNext);
}

void CPgLgSichgPage11::OptionGeklickt(int id)
{
    CPshLgSichgWizard* wizard = GetWizard();
    const bool bPunkte = id == kIdPunkte;
    if (Checked(id) && !(bPunkte ? HatPunkte() : HatSchienen())) {
        // The answer the user wants kept for the program run (0: ask).
        ProgramRun::Antworten& antworten = GetAntworten();
        int& nBehalten = bPunkte ? antworten.nAntwortPunkte : antworten.nAntwortSchienen;
        int nAntwort = nBehalten;
        if (nAntwort == 0) {
            IMessageBoxService::HtmlBox box;
            box.textId = bPunkte ? 540 : 541;
            box.captionId = 273;
            box.buttons = {{kZurueck, 708}, {kSchliessen, bPunkte ? 690 : 691}};
            box.checkBox = true;
            bool bNichtMehr = false;
            nAntwort = MessageBoxes().ShowHtml(this, box, &bNichtMehr);
            if (bNichtMehr)
                nBehalten = nAntwort;
        }
        if (nAntwort == kSchliessen && wizard) {
            // The user adds the equipment in the view: the wizard closes and the view opens its editor.
            ILgSicherungView* pView = wizard->GetView();
            QPointer<QWidget> window = pView ? pView->GetViewWindow() : nullptr;
            wizard->CloseWizard(kSchliessen);
            if (window)
                QCoreApplication::postEvent(window, new CommandEvent(397));
            return;
        }
        SetChecked(id, false);
    }
    const int nAlt = m_nOption;
    const int nAndere = bPunkte ? kIdSchienen : kIdPunkte;
    if (Checked(id)) {
        m_nOption = bPunkte ? 0 : 1;
        SetChecked(nAndere, false);
    } else {
        m_nOption = Checked(nAndere) ? (bPunkte ? 1 : 0) : -1;
    }
    if (!wizard)
        return;
    wizard->SetMethodPageChoice(Checked(kIdDetail) ? 1 : 0, m_nOption);
    if (nAlt == 1 && m_nOption == 0) {
        wizard->SetReach(PageIndex());
        if (ILgSicherungView* pView = wizard->GetView())
            pView->RepaintView();
    }
}

bool CPgLgSichgPage11::OnCommand(int id, int notifyCode, QObject* control)
{
    switch (id) {
    case kIdEinfach:
    case kIdDetail:
        if (CPshLgSichgWizard* wizard = GetWizard()) {
            const int nMethode = Checked(kIdDetail) ? 1 : 0;
            wizard->SetReach(PageIndex());
            wizard->SetMethodPageChoice(nMethode, m_nOption);
            NotifyView(false, LgSichgSeitenHinweis::kWahlGeaendert, nMethode);
        }
        InvalidateCtrl(kIdSchema);
        InvalidateCtrl(kIdSeitenansicht);
        RefreshHint(0);
        return true;
    case kIdPunkte:
    case kIdSchienen:
        OptionGeklickt(id);
        if (IsActivePage())
            RefreshHint(0);
        return true;
    case kIdEcke0:
    case kIdEcke0 + 1:
    case kIdEcke0 + 2:
    case kIdEcke0 + 3:
        if (Checked(id))
            SetEcke(id - kIdEcke0);
        return true;
    default:
        return CPgLgSichgBase2::OnCommand(id, notifyCode, control);
    }
}

int CPgLgSichgPage11::Validate(int nTarget)
{
    if (nTarget <= PageIndex())
        return CPgLgSichgBase2::Validate(nTarget);
    if (m_nOption < 0) {
        Meldung(501, 263);
        return -2;
    }
    if (!Checked(kIdAutomatisch))
        return CPgLgSichgBase2::Validate(nTarget);
    CLadeeinheit* pEinheit = GetLadeeinheit();
    CFahrzeug* pFahrzeug = GetFahrzeug();
    if (!pEinheit || !pFahrzeug)
        return CPgLgSichgBase2::Validate(nTarget);
    double x = 0.0, y = 0.0, l = 0.0, b = 0.0;
    pEinheit->GetRechteck(&x, &y, &l, &b);
    pFahrzeug->AddRandabstand(&x, &y);
    const AutoPlatzierung::Bereich bereich{x, y, x + l, y + b};
    std::vector<double> schienen;
    for (const CZurrschiene* s : pFahrzeug->GetZurrschienen())
        if (s && (s->m_nSeite == 0 || s->m_nSeite == 2))
            schienen.push_back(s->GetSeitenAbstand(pFahrzeug->GetLFBreite()));
    std::vector<AutoPlatzierung::Punkt> punkte;
    for (CZurrpunkt* p : pFahrzeug->GetZurrpunktListe())
        if (p)
            punkte.emplace_back(p->GetPosX(), p->GetPosY());
    std::vector<AutoPlatzierung::Punkt> paare;
    CZurrpunkt* p = nullptr;
    int nEcke = 0;
    for (bool bMehr = pEinheit->GetFirstZurrpunkt(&p, &nEcke, nullptr); bMehr;
         bMehr = pEinheit->GetNextZurrpunkt(&p, &nEcke, nullptr))
        if (p)
            paare.emplace_back(p->GetPosX(), p->GetPosY());
    const int nText = AutoPlatzierung::Pruefe(bereich, m_nOption, schienen, punkte, paare);
    if (nText != 0) {
        Meldung(nText, nText == 884 ? 187 : 273);
        return -2;
    }
    return kNachAutomatik;
}
