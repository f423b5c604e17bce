// The loading-plan view's commands, keys and private messages.
#include "views/CQOR2View.h"

#include "views/CPlanToolTip.h"
#include "views/CViewDruck.h"
#include "views/IPlanDialogs.h"
#include "views/IViewShell.h"
#include "views/PlanAusrichtEvent.h"
#include "views/PlanDialogWerte.h"
#include "views/PlanMasseEvent.h"
#include "views/SliderValueEvent.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/LoadUnitTypes.h"
#include "model/plan/PlanEingabe.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/ResourceModule.h"
#include "ui/CDlgHelpText.h"
#include "ui/CDlgMsgboxHtml.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/ProgramRun.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QToolTip>

#include <cmath>
#include <iterator>
#include <vector>

namespace {

// Buttons of the delete question: yes and cancel.
constexpr int kJa = 668;
constexpr int kAbbrechen = 708;
// The message the weight key posts: the mass edit of the selection.
constexpr int kMassenTaste = 0x80F2;

// Grid cell presets (along, across) of commands 32899, 32900, 32904, 32906, 33340, 33342.
struct SRasterVorgabe
{
    int nId;
    double dX, dY;
};
constexpr SRasterVorgabe kVorgaben[] = {{32899, 0.4, 0.4}, {32900, 0.2, 0.2}, {32904, 1.0, 1.0},
                                        {32906, 0.5, 0.5}, {33340, 0.8, 1.2}, {33342, 1.2, 0.8}};

// A button's caption: the last line of its string.
QString Beschriftung(int nId)
{
    const QString s = QString::fromStdString(LoadResString(static_cast<std::uint32_t>(nId)));
    return s.section(QLatin1Char('\n'), -1);
}

} // namespace

bool CQOR2View::FrageLoeschen(const std::string& caption, const std::string& text, bool& bNichtMehr)
{
    CDlgMsgboxHtml box(this);
    box.SetIconImage(812, CDlgMsgboxHtml::kIconPng);
    box.SetShowCheckBox(true);
    const int nAntwort = box.DoModalTexts(QString::fromStdString(text), QString::fromStdString(caption), kJa,
                                          Beschriftung(kJa), kAbbrechen, Beschriftung(kAbbrechen));
    bNichtMehr = box.CheckState();
    return nAntwort == kJa;
}

void CQOR2View::MeldeLadeeinheit(const std::string& caption, const std::string& text)
{
    CDlgMsgboxHtml box(this);
    box.SetIconImage(814, CDlgMsgboxHtml::kIconPng);
    box.DoModalTexts(QString::fromStdString(text), QString::fromStdString(caption), kJa, Beschriftung(kJa));
}

void CQOR2View::MeldeStopp(const std::string& caption, const std::string& text)
{
    auto* box = new QMessageBox(QMessageBox::Critical, QString::fromStdString(caption),
                                QString::fromStdString(text), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

bool CQOR2View::LoeschenMitFrage(bool bShift)
{
    CQOR* q = GetPlan();
    if (!q)
        return false;
    // A form-fit item of a load unit goes only with its unit.
    if (tagLGINFO* h = GetHover(); h && h->m_nTyp >= LADUNGTYP_FSM_FIRST && h->GetLeId() != 0) {
        MeldeLadeeinheit(LoadResString(273), FormatResChecked(621, {h->GetLeId()}));
        return false;
    }
    const int nAnzahl = q->CountSelectedLgInfo(true);
    if (nAnzahl == 0 || q->HasSelectedAssignedLgInfo())
        return false;
    if (!bShift && !GetProgramRun().GetAntworten().bLoeschenNichtFragen) {
        std::string text;
        if (nAnzahl > 1) {
            const int nFsm = q->CountSelectedFsm(true);
            const int nId = nFsm == 0 ? 33 : (nFsm == nAnzahl ? 449 : 451);
            text = FormatResChecked(nId, {nAnzahl});
        } else {
            const tagLGINFO* p = q->GetFirstSelectedLgInfo();
            const std::string typ = GetLadungTypText(p->m_nTyp, 0);
            if (p->m_nTyp >= LADUNGTYP_FSM_FIRST)
                text = FormatResChecked(529, {p->m_nTyp == LADUNGTYP_FSM_USER ? p->m_strName : typ});
            else if (p->m_nNummer > 0)
                text = FormatResChecked(35, {p->m_strName, p->m_nNummer, typ});
            else
                text = FormatResChecked(34, {p->m_strName, typ});
        }
        bool bNichtMehr = false;
        const bool bJa = FrageLoeschen(LoadResString(425), text, bNichtMehr);
        GetProgramRun().GetAntworten().bLoeschenNichtFragen = bNichtMehr;
        if (!bJa)
            return false;
    }
    return LoeschenAuswahl();
}

bool CQOR2View::AusrichtenAuf(int nSeite, double dWert)
{
    CQOR* q = GetPlan();
    CFahrzeug* f = GetFahrzeug();
    if (!q || !f)
        return false;
    if (nSeite < 0 || nSeite > 3)
        return false;
    // The distance modes are numbered as the borders.
    const double dAbstand = GetAbstand(*q, *f, nSeite);
    if (dAbstand < 0.0)
        return false;
    int d[2] = {0, 0};
    if (!PlanAusrichtVersatz(nSeite, dWert, dAbstand, d))
        return false;
    return VerschiebeAuswahl(d[0], d[1], true, false);
}

int CQOR2View::AntwortAusrichten(int nSeite) const
{
    const CQOR* q = GetPlan();
    const CFahrzeug* f = GetFahrzeug();
    if (!q || !f || nSeite < 0 || nSeite > 3)
        return 0;
    return PlanAusrichtAntwort(GetAbstand(*q, *f, nSeite));
}

bool CQOR2View::SetzeMasse(double& dTonnen)
{
    tagLGINFO* p = GetAuswahl();
    if (!p)
        if (CQOR* q = GetPlan(); q && q->CountSelectedLgInfo(true) == 1)
            p = q->GetFirstSelectedLgInfo();
    if (!p)
        return false;
    if (!PlanMasseGueltig(dTonnen)) {
        dTonnen = p->m_dMasse;
        return false;
    }
    p->m_dMasse = dTonnen;
    p->m_dSPMasse = dTonnen;
    Benachrichtige();
    return true;
}

// Display toggles and grid options of the plan; false for another command.
bool CQOR2View::OnAnzeigeBefehl(CQOR& q, int nId)
{
    CPlanAnzeige anz(q);
    bool bAnzeige = true;
    switch (nId) {
    case 2000:
        anz.SetNurUmrisse(!anz.GetNurUmrisse());
        break;
    case 32875:
        anz.SetRichtungZeigen(!anz.GetRichtungZeigen());
        break;
    case 32892:
        anz.SetZulBereich(!anz.GetZulBereich());
        break;
    case 32894: {
        const bool b = !anz.GetRasterZeigen();
        anz.SetRasterZeigen(b);
        anz.SetRasterBeschriftung(b);
        break;
    }
    case 32895:
    case 32896:
    case 32897:
        anz.SetRasterZeigen(true);
        anz.SetRasterSeite(nId == 32895 ? 0 : 2);
        break;
    case 32907:
        anz.SetLadungenZeigen(!anz.GetLadungenZeigen());
        break;
    case 32908: {
        const bool b = !anz.GetRasterBeschriftung();
        anz.SetRasterBeschriftung(b);
        if (b)
            anz.SetRasterZeigen(true);
        break;
    }
    case 32872: {
        const bool b = !anz.GetSchwerpunktZeigen();
        if (b)
            RecalcSchwerpunkt();
        anz.SetSchwerpunktZeigen(b);
        // The template view shows the marker too.
        if (CQOR1Doc* pDoc = GetDocument())
            pDoc->UpdateOtherViews(UpdateHinweis::kNeuZeichnen);
        break;
    }
    default:
        bAnzeige = false;
        for (const SRasterVorgabe& v : kVorgaben)
            if (v.nId == nId) {
                anz.SetRasterX(v.dX);
                anz.SetRasterY(v.dY);
                anz.SetRasterZeigen(true);
                bAnzeige = true;
            }
    }
    return bAnzeige;
}

bool CQOR2View::OnBefehl(int nId)
{
    CQOR* q = GetPlan();
    if (q && OnAnzeigeBefehl(*q, nId)) {
        viewport()->update();
        return true;
    }
    if (nId >= kBefehlRasterSchritt && nId < kBefehlRasterSchritt + int(std::size(kRasterSchritte))) {
        SetzeRasterSchritt(kRasterSchritte[nId - kBefehlRasterSchritt]);
        return true;
    }
    switch (nId) {
    case 57607:
    case 57608:
    case 57609:
        OnDrucken(nId);
        return true;
    case 827:
        ZeigeHilfe();
        return true;
    case 400:
    case 32862:
        m_bRampenModus = !m_bRampenModus;
        m_bRampenRaumPruefen = m_bRampenModus;
        if (m_pLaderampe)
            m_pLaderampe->Show(m_bRampenModus);
        viewport()->update();
        return true;
    case 33285:
        m_bAnzeige33285 = !m_bAnzeige33285;
        viewport()->update();
        return true;
    case 32863:
    case 33311:
        LoeschenMitFrage(QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
        return true;
    case 32866:
    case 32867:
    case 32868: {
        if (!q)
            return true;
        const int nGrad = nId == 32866 ? -90 : (nId == 32867 ? 90 : 180);
        const int nAnzahl = q->CountSelectedLgInfo(true);
        if ((nAnzahl > 0 || GetAuswahl()) && !DreheAuswahl(nGrad))
            MeldeStopp(FormatS(" $S", 1, 33077u), FormatS("$S $S", 2, nAnzahl > 1 ? 39u : 38u, 300u));
        return true;
    }
    case 33010:
        EditMasse();
        return true;
    case 33279:
        KopiereAuswahl();
        return true;
    case 33281:
        Umbenennen();
        return true;
    case 33357: {
        // The popup shows the selection's distance to the front; -1 without a selection.
        const CFahrzeug* f = GetFahrzeug();
        const double d = q && f && q->CountSelectedLgInfo(true) > 0 ? GetAbstand(*q, *f, 0) : -1.0;
        IPlanDialogs::Of(&GetProgramRun()).ShowAlignPopup(this, QCursor::pos(), d);
        return true;
    }
    case 33283:
        Umnummerieren();
        return true;
    case 33310: {
        tagLGINFO* h = GetHover();
        if (!h)
            return true;
        if (h->GetLeId() != 0)
            MeldeLadeeinheit(LoadResString(273), FormatResChecked(621, {h->GetLeId()}));
        else if (EditFsm(h) == CPlanGesten::kFsmOk)
            Benachrichtige();
        return true;
    }
    case 32909:
        ShowBreitenSlider();
        return true;
    case 32952:
        EditNutzbareLF();
        return true;
    case 33265:
        EditUeberstand();
        return true;
    case 33345: {
        CFahrzeug* f = GetFahrzeug();
        int dy = 0;
        if (q && f && PlanMitteQuerVersatz(*q, *f, &dy))
            VerschiebeAuswahl(0, dy, true, false);
        return true;
    }
    default:
        return false;
    }
}

void CQOR2View::Umbenennen()
{
    CQOR* q = GetPlan();
    if (!q)
        return;
    tagLGINFO* pErste = q->GetFirstSelectedLgInfo();
    tagLGINFO* pAktuell = GetAuswahl();
    if (!pErste && !pAktuell)
        return;
    std::string name = (pErste ? pErste : pAktuell)->m_strName;
    if (!IPlanDialogs::Of(&GetProgramRun()).EditName(this, name))
        return;
    PlanDialogWerte::BenenneUm(*q, pErste, pAktuell, name);
    if (CQOR1Doc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(true);
    q->m_bModified = 1;
    if (pErste)
        ClearAktuell(true);
    q->NumberEqualNames(true);
    viewport()->update();
}

void CQOR2View::Umnummerieren()
{
    CQOR* q = GetPlan();
    const tagLGINFO* p = GetKontext();
    if (!q || !p)
        return;
    const std::string name = p->m_strName;
    int nAnzahl = 0;
    q->GetMaxNummer(name.c_str(), &nAnzahl);
    q->RenumberLgInfo(name.c_str(), nAnzahl != 1 ? 1 : 0);
    if (CQOR1Doc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(true);
    q->m_bModified = 1;
    viewport()->update();
}

void CQOR2View::keyPressEvent(QKeyEvent* e)
{
    CQOR* q = GetPlan();
    const bool bShift = e->modifiers().testFlag(Qt::ShiftModifier);
    const bool bCtrl = e->modifiers().testFlag(Qt::ControlModifier);
    // Any key closes the open sliders first.
    SchliesseRegler();
    // The weight key: G in the German module, W in the others.
    if (e->key() == (ResourceModule::GermanInterface() ? Qt::Key_G : Qt::Key_W)) {
        if (q)
            QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kMassenTaste)));
        return;
    }
    switch (e->key()) {
    case Qt::Key_Delete:
        LoeschenMitFrage(bShift);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (!q)
            return;
        tagLGINFO* p = GetAuswahl();
        if (p && bCtrl && !bShift) {
            if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)
                OnBefehl(e->key() == Qt::Key_Left ? 32866 : 32867);
            else {
                double t = PlanMasseNachTaste(p->m_dMasse, e->key() == Qt::Key_Down);
                if (SetzeMasse(t))
                    QCoreApplication::postEvent(this, new PlanMasseEvent(p, t));
            }
            return;
        }
        const int n = PlanPfeilSchritt(bShift, bCtrl);
        const int dx = e->key() == Qt::Key_Left ? -n : (e->key() == Qt::Key_Right ? n : 0);
        const int dy = e->key() == Qt::Key_Up ? -n : (e->key() == Qt::Key_Down ? n : 0);
        VerschiebeAuswahl(dx, dy, true, false);
        return;
    }
    default:
        CGetAnsView::keyPressEvent(e);
    }
}

bool CQOR2View::event(QEvent* e)
{
    if (e->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(e)->key() != Qt::Key_Tab)
        return CGetAnsView::event(e);
    SchliesseRegler();
    CQOR1Doc* pDoc = GetDocument();
    const CFahrzeug* pAnh = pDoc ? pDoc->GetAnhaenger() : nullptr;
    if (pAnh && pAnh->GetArt() != FahrzeugArt::kAuflieger) {
        // Index 0 shows the trailer as index 1 does, so both switch to the towing vehicle.
        const bool bZug = pDoc->GetAktivIndex() == CQOR1Doc::kAktivZugfahrzeug;
        pDoc->SetAktivIndex(bZug ? CQOR1Doc::kAktivAnhaenger : CQOR1Doc::kAktivZugfahrzeug, true, true);
        SetHover(nullptr);
        viewport()->update();
    }
    return true;
}

void CQOR2View::ZeigeHilfe()
{
    CDlgHelpText dlg(this);
    dlg.SetTitle(QString::fromStdString(FormatS("$S", 1, 634u)));
    dlg.SetResourceId(897);
    dlg.exec();
}

QPoint CQOR2View::GetAuswahlMittelpunkt() const
{
    const CQOR* q = GetPlan();
    if (!q)
        return QPoint(-1, -1);
    QRect rc;
    for (const auto& [p, gui] : GetGuiLg())
        if (p->m_bSelected)
            rc = rc.united(gui.rc);
    if (rc.isNull())
        if (tagLGINFO* p = GetAuswahl())
            if (const auto it = GetGuiLg().find(p); it != GetGuiLg().end())
                rc = it->second.rc;
    return rc.isNull() ? QPoint(-1, -1) : rc.center();
}

void CQOR2View::KopiereAuswahl()
{
    const QPoint mitte = GetAuswahlMittelpunkt();
    if (mitte.x() < 0 || !m_pGesten->KopierenStarten(mitte))
        return;
    QToolTip::hideText();
    // The drag follows the mouse without a button held.
    viewport()->setMouseTracking(true);
    const QPoint ziel = mitte + QPoint(11, 11);
    QCursor::setPos(viewport()->mapToGlobal(ziel));
    SetzeCursor();
    QCoreApplication::postEvent(viewport(), new QMouseEvent(QEvent::MouseMove, QPointF(ziel),
                                                            viewport()->mapToGlobal(QPointF(ziel)),
                                                            Qt::NoButton, Qt::NoButton, Qt::NoModifier));
}

bool CQOR2View::OnPreparePrinting(QPrinter& printer)
{
    const CQOR1Doc* pDoc = GetDocument();
    if (pDoc && (pDoc->m_nDruckFlags & 1) != 0)
        return true;
    return CViewDruck::DoPreparePrinting(this, printer, 1, 1);
}

bool CQOR2View::PrintPlan(QPrinter& printer)
{
    // The whole scrolled area from its top-left corner, the scroll position kept.
    const int x = horizontalScrollBar()->value(), y = verticalScrollBar()->value();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    const QImage bild = RenderPicture(GetTotalSize());
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
    return CViewDruck::PrintImage(printer, bild);
}

bool CQOR2View::PrintToPdf(const QString& path)
{
    return CViewDruck::DruckeInPdf(path, [this](QPrinter& p) { return PrintPlan(p); });
}

void CQOR2View::OnDrucken(int nId)
{
    CViewDruck::Drucke(
        this, nId, [this](QPrinter& p) { return PrintPlan(p); },
        [this](QPrinter& p) { return OnPreparePrinting(p); });
}

void CQOR2View::SetzeRasterSchritt(int nSchritt)
{
    CFahrzeug* f = GetFahrzeug();
    CQOR* q = GetPlan();
    if (!f || !q)
        return;
    f->SetRasterSchritt(nSchritt);
    q->m_nRasterSchritt = nSchritt;
    m_nNutzbarerBereich = f->CalcNutzbarerBereich();
    if (CQOR1Doc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(true);
    f->SetModified();
    f->GetDiagramm().BuildCurve(0.0f);
    viewport()->update();
    // The template view shows the curve too while the frame's view mode is on.
    if (IViewShell::Of(&GetProgramRun()).IsActiveViewModeSet())
        InvalidateNachbarn(true, false);
}

void CQOR2View::EditNutzbareLF()
{
    CFahrzeug* f = GetFahrzeug();
    if (!f || f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return;
    IPlanDialogs::NutzbareLFValues werte = PlanDialogWerte::NutzbareLF(*f);
    if (!IPlanDialogs::Of(&GetProgramRun()).EditNutzbareLF(this, werte, false) ||
        !PlanDialogWerte::UebernimmNutzbareLF(*f, werte))
        return;
    f->SetModified();
    Benachrichtige(true);
    InvalidateNachbarn(true, false);
    InvalidateVorlage();
}

void CQOR2View::EditUeberstand()
{
    CFahrzeug* f = GetFahrzeug();
    if (!f || f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return;
    double werte[4];
    for (int i = 0; i < 4; ++i)
        werte[i] = f->m_Ueberstand.m_dWert[i];
    int nFlag = f->HasUeberstand() ? 1 : 0;
    if (!IPlanDialogs::Of(&GetProgramRun()).EditUeberstand(this, werte, nFlag) ||
        !PlanDialogWerte::UebernimmUeberstand(*f, GetPlan(), werte, nFlag))
        return;
    f->SetModified();
    if (CQOR1Doc* pDoc = GetDocument()) {
        pDoc->SetModifiedFlag(true);
        pDoc->OnFahrzeugChanged(true);
        pDoc->UpdateFrameTitle();
    }
    viewport()->update();
}

void CQOR2View::customEvent(QEvent* e)
{
    if (e->type() == CommandEvent::kType) {
        // The buttons of the strips above the plan.
        OnBefehl(static_cast<int>(static_cast<CommandEvent*>(e)->Id()));
        return;
    }
    if (e->type() == CommandUpdateEvent::EventType()) {
        // The ramp button shows the ramp mode, however it was switched (button or context menu).
        auto* u = static_cast<CommandUpdateEvent*>(e);
        if (u->Id() == 400)
            u->SetCheck(m_bRampenModus ? 1 : 0);
        return;
    }
    if (auto* a = dynamic_cast<PlanAusrichtEvent*>(e)) {
        AusrichtenAuf(a->Seite(), a->Wert());
        return;
    }
    if (!ReglerEreignis(e))
        CGetAnsView::customEvent(e);
}

std::string CQOR2View::ToolTipHtml(const tagLGINFO* pLg) const
{
    tagLGINFO* p = Gueltig(pLg);
    if (!p)
        return std::string();
    const std::string& vorlage = p->m_nTyp < LADUNGTYP_FSM_FIRST ? m_strHtmlVorlageLg : m_strHtmlVorlageFsm;
    return CPlanToolTip::Html(vorlage, *p, GetFahrzeug());
}

bool CQOR2View::viewportEvent(QEvent* e)
{
    if (e->type() != QEvent::ToolTip)
        return CGetAnsView::viewportEvent(e);
    const auto* h = static_cast<QHelpEvent*>(e);
    // No tip while a gesture runs.
    if (m_bTasteUnten || m_bZiehen)
        return true;
    for (const auto& [pLg, gui] : GetGuiLg())
        if (gui.rc.contains(h->pos()) && !m_treffer.rcSchwerpunkt.contains(h->pos())) {
            const std::string html = ToolTipHtml(pLg);
            if (!html.empty()) {
                QToolTip::showText(h->globalPos(), QString::fromStdString(html), viewport(), gui.rc);
                return true;
            }
        }
    for (const auto& [nId, tool] : m_zeichnung.tools)
        if (tool.rc.contains(h->pos()) && !tool.text.isEmpty()) {
            QToolTip::showText(h->globalPos(), tool.text, viewport(), tool.rc);
            return true;
        }
    QToolTip::hideText();
    return true;
}
