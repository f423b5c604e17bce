// The template view's commands: axles and additional items, the chart and plan toggles, the keys, the
// context menu, the weights tool tips and the figures drawn over the picture.
#include "views/CQOR1View.h"

#include "draw2d/CDIBAuflieger.h"

#include "platform/CCmdUI.h"

#include "views/CGewichtsTip.h"
#include "views/CHinweisAnimationen.h"
#include "views/CQOR2View.h"
#include "views/CTabbedViewView.h"
#include "views/CVorlageKontextMenue.h"
#include "views/IFrameAnimation.h"
#include "views/IPlanDialogs.h"
#include "views/IViewShell.h"
#include "views/SliderValueEvent.h"
#include "views/VorlageBefehle.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/TextFormat.h"
#include "model/vehicle/CAuflieger.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/Schwenkradius.h"
#include "model/vehicle/tagZLINFO.h"
#include "platform/ResourceModule.h"
#include "ui/CDlgHelpText.h"
#include "ui/CommandEvent.h"
#include "ui/IMessageBoxService.h"
#include "ui/RegionalVersion.h"
#include "ui/SliderHint.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>
#include <QTimerEvent>
#include <QToolTip>

#include <algorithm>
#include <cmath>

using namespace VorlageBefehle;

namespace {

std::string Text(std::uint32_t id)
{
    return FormatS("$S", 1, id);
}

// Events after which the kept drawing still shows the view: paints, timers (the hint animations draw
// over it), the pointer moving without a button and the hover and tooltip events that go with it. Any
// other may change what the picture shows.
bool LaesstBildStehen(const QEvent* e)
{
    switch (e->type()) {
    case QEvent::Paint:
    case QEvent::UpdateRequest:
    case QEvent::Timer:
    case QEvent::ToolTip:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove:
    case QEvent::CursorChange:
    case QEvent::StatusTip:
        return true;
    case QEvent::MouseMove:
        return static_cast<const QMouseEvent*>(e)->buttons() == Qt::NoButton;
    default:
        return false;
    }
}

// The text of the front swing label's tooltip: with the regional version "DE", the width, the corner
// radius and the allowed kingpin distance of the document's vehicle; empty otherwise.
std::string SchwenkradiusTip(const CQOR1Doc* pDoc)
{
    const CFahrzeug* f = pDoc ? pDoc->GetFahrzeug() : nullptr;
    if (!f || !RegionalVersion::IsDE())
        return {};
    return Schwenkradius::TipText(f->GetLFBreite(), CAuflieger::GetAufliegerMass(*f));
}

} // namespace

// --- events ---------------------------------------------------------------------------------------------

bool CQOR1View::viewportEvent(QEvent* e)
{
    if (!LaesstBildStehen(e))
        m_BildSpeicher.Verwirf();
    // The hover frame belongs to the pointer: it goes when the pointer leaves the view.
    if (e->type() == QEvent::Leave && m_bFocus) {
        m_bFocus = false;
        viewport()->update();
    }
    return CGetAnsView::viewportEvent(e);
}

bool CQOR1View::event(QEvent* e)
{
    if (!LaesstBildStehen(e))
        m_BildSpeicher.Verwirf();
    if (e->type() == CommandEvent::kType) {
        // The help button of the strip, and commands sent by id.
        const auto nId = static_cast<int>(static_cast<CommandEvent*>(e)->Id());
        OnBefehl(nId);
        return true;
    }
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate ||
        e->type() == QEvent::WindowStateChange) {
        const bool result = CGetAnsView::event(e);
        AnimTimerAnpassen();
        return result;
    }
    const int nTyp = static_cast<int>(e->type());
    if (nTyp == kMsgZLMasse) {
        OnEditZLMasse();
        return true;
    }
    if (nTyp >= SliderValueEvent::kClosed && nTyp <= SliderValueEvent::kLastValue) {
        if (auto* s = dynamic_cast<SliderEvent*>(e))
            if (m_Regler.Nachricht(nTyp, s->Value()))
                return true;
    }
    if (e->type() == QEvent::ToolTip) {
        auto* h = static_cast<QHelpEvent*>(e);
        const QPoint pt = viewport()->mapFrom(this, h->pos());
        for (int nTool = 1; nTool <= 4; ++nTool) {
            // Tools 1 to 4 are the hint animations; the group loads beside them answer too.
            const auto& auflager = Erg().rcAuflager;
            const auto it = auflager.find({nTool <= 2 ? kAufAnteil : kAufAnteilAnhaenger, (nTool - 1) % 2});
            QRect rc = GetAnimRect(nTool - 1);
            if (!rc.contains(pt) && it != auflager.end())
                rc = it->second;
            if (rc.contains(pt)) {
                QToolTip::showText(h->globalPos(), GetGewichtsTipHtml(nTool), viewport(), rc);
                return true;
            }
        }
        for (const auto& [id, tool] : Erg().tools) {
            // The front swing label's text is made when it is shown.
            const std::string text =
                id == CDIBAuflieger::kToolSchwenkradius ? SchwenkradiusTip(GetDocument()) : tool.text;
            if (tool.rc.contains(pt) && !text.empty()) {
                QToolTip::showText(h->globalPos(), QString::fromStdString(text), viewport(), tool.rc);
                return true;
            }
        }
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        // Tab switches between the vehicles of a pair before focus handling sees it.
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab && HasTowingPair()) {
            keyPressEvent(k);
            return true;
        }
    }
    return CGetAnsView::event(e);
}

void CQOR1View::keyPressEvent(QKeyEvent* e)
{
    // Enter, '+' and '-' belong to the load dialog while it is open.
    if (QWidget* dlg = IViewShell::Of(&GetProgramRun()).GetLoadDialog()) {
        const QString t = e->text();
        int nMsg = 0;
        if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
            nMsg = kMsgLastEnter;
        else if (t == QLatin1String("+"))
            nMsg = kMsgLastPlus;
        else if (t == QLatin1String("-"))
            nMsg = kMsgLastMinus;
        if (nMsg) {
            QCoreApplication::postEvent(dlg, new QEvent(static_cast<QEvent::Type>(nMsg)));
            return;
        }
    }
    CQOR1Doc* pDoc = GetDocument();
    const int key = e->key();
    if (m_pSelZL) {
        if (key == (ResourceModule::GermanInterface() ? Qt::Key_G : Qt::Key_W)) {
            QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(kMsgZLMasse)));
            return;
        }
        if (key == Qt::Key_Delete) {
            OnDeleteZL();
            return;
        }
    } else if (m_bHitAchse && key == Qt::Key_Delete) {
        OnBefehl(kCmdAchseEntfernen);
        return;
    }
    switch (key) {
    case Qt::Key_Tab:
        if (HasTowingPair() && pDoc) {
            const bool bZug = pDoc->GetAktivIndex() == CQOR1Doc::kAktivZugfahrzeug;
            pDoc->SetAktivIndex(bZug ? CQOR1Doc::kAktivAnhaenger : CQOR1Doc::kAktivZugfahrzeug, true, true);
            ClearSelection(false);
            pDoc->RedrawViews();
        }
        return;
    case Qt::Key_PageUp:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
        return;
    case Qt::Key_PageDown:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        return;
    case Qt::Key_End:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
        return;
    case Qt::Key_Home:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
        return;
    case Qt::Key_Up:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        return;
    case Qt::Key_Down:
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        return;
    case Qt::Key_Left:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        SyncPlanScroll();
        return;
    case Qt::Key_Right:
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        SyncPlanScroll();
        return;
    default:
        CGetAnsView::keyPressEvent(e);
    }
}

void CQOR1View::SyncPlanScroll()
{
    CTabbedViewView* host = IViewShell::Of(&GetProgramRun()).GetActiveHost();
    if (!host)
        host = GetHost();
    CQOR2View* plan = host ? host->FindView<CQOR2View>() : nullptr;
    if (!plan)
        return;
    const QSize alt = plan->GetTotalSize();
    const int w = std::max(plan->viewport()->width() + Scroll().x(), GetTotalSize().width());
    plan->SetScrollSizes(QSize(w, alt.height()), QSize(static_cast<int>(m_dZoom * 1000), 0), QSize(20, 0));
    plan->horizontalScrollBar()->setValue(Scroll().x());
}

// --- commands ---------------------------------------------------------------------------------------------

bool CQOR1View::IsBefehlAktiv(int nId) const
{
    const CFahrzeug* f = GetEditFahrzeug();
    switch (nId) {
    case kCmdEditZL:
    case kCmdDeleteZL:
    case kCmdMoveZL:
    case kCmdZLMasse:
        return m_pSelZL != nullptr;
    case kCmdWert17:
    case kCmdResetWert17:
        // The vehicle holds no value for these.
        return false;
    case kCmdBemerkung:
        return f != nullptr;
    case kCmdNutzbareLF:
        return f && f->GetArt() != FahrzeugArt::kSattelzugmaschine;
    case kCmdWert19:
        return f && f->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine;
    case kCmdKupplungsversatz:
        return f && f->GetArt() == FahrzeugArt::kSattelzugmaschine;
    case kCmdPlanFlag:
        return f && f->GetQor() && f->GetArt() != FahrzeugArt::kSattelzugmaschine;
    case kCmdDiagramm:
    case kCmdLastDlg:
        return f != nullptr;
    case kCmdAchseEntfernen:
        return m_bHitAchse && IViewShell::Of(ProgramRunIfAny()).CanRemoveAchse();
    default:
        return false;
    }
}

bool CQOR1View::OnUpdateBefehl(int nId, CCmdUI& cmdUI)
{
    switch (nId) {
    case kCmdBemerkung:
    case kCmdKupplungsversatz:
    case kCmdWert17:
    case kCmdResetWert17:
    case kCmdZLMasse:
    case kCmdEditZL:
    case kCmdDeleteZL:
    case kCmdMoveZL:
    case kCmdPlanFlag:
    case kCmdNutzbareLF:
    case kCmdWert19:
    case kCmdLastDlg:
    case kCmdDiagramm:
    case kCmdAchseEntfernen:
        cmdUI.Enable(IsBefehlAktiv(nId));
        return true;
    default:
        return false;
    }
}

bool CQOR1View::OnBefehl(int nId)
{
    if (nId == kCmdHilfe) {
        ZeigeHilfe();
        return true;
    }
    if (nId >= 57607 && nId <= 57609) {
        m_Druck.Drucken(nId);
        return true;
    }
    if (!IsBefehlAktiv(nId))
        return false;
    switch (nId) {
    case kCmdEditZL:
        OnEditZL();
        return true;
    case kCmdDeleteZL:
        OnDeleteZL();
        return true;
    case kCmdMoveZL:
        OnMoveZL();
        return true;
    case kCmdZLMasse:
        OnEditZLMasse();
        return true;
    case kCmdKupplungsversatz:
        m_nTarget = 15;
        OpenSlider(QPoint(Label(48).center().x(), Label(48).bottom() + 1), 15, true);
        return true;
    case kCmdWert19: {
        const QRect r55 = Label(55), r10 = Label(10);
        m_nTarget = 17;
        OpenSlider(QPoint(r55.left() - 3 + r10.width() / 2, r55.bottom() + 1), 19, true);
        return true;
    }
    case kCmdPlanFlag:
        OnTogglePlanFlag();
        return true;
    case kCmdDiagramm:
        OnToggleDiagramm();
        return true;
    case kCmdLastDlg:
        IViewShell::Of(&GetProgramRun())
            .ShowLoadDialog(IViewShell::Of(&GetProgramRun()).GetLoadDialog() == nullptr);
        return true;
    case kCmdAchseEntfernen:
        IViewShell::Of(&GetProgramRun()).OnRemoveAchse();
        return true;
    case kCmdNutzbareLF:
        EditNutzbareLF(0);
        return true;
    case kCmdBemerkung:
        OnEditBemerkung();
        return true;
    default:
        return false;
    }
}

void CQOR1View::OnEditBemerkung()
{
    CFahrzeug* f = GetEditFahrzeug();
    if (!f)
        return;
    std::string text = f->m_strBemerkung;
    bool bGeaendert = false;
    if (!IPlanDialogs::Of(&GetProgramRun())
             .EditBemerkungen(this, FormatResChecked(240, {f->m_strName}), text, bGeaendert) ||
        !bGeaendert)
        return;
    const auto anfang = text.find_first_not_of(" \t\r\n");
    text = anfang == std::string::npos ? std::string()
                                       : text.substr(anfang, text.find_last_not_of(" \t\r\n") - anfang + 1);
    if (text == f->m_strBemerkung)
        return;
    f->SetBemerkung(text);
    MarkModified(f);
    viewport()->update();
}

void CQOR1View::ZeigeHilfe()
{
    CDlgHelpText dlg(this);
    dlg.SetTitle(QString::fromStdString(Text(634)));
    dlg.SetResourceId(895);
    dlg.exec();
}

void CQOR1View::EditNutzbareLF(int nMode)
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* f = GetArbeitsFahrzeug();
    if (!pDoc || !f || f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return;
    if (!pDoc->CanLeaveViews(VerlassenGrund::kNutzflaecheBearbeiten, 0, nullptr, nullptr))
        return;
    const SNutzbareLF alt = f->m_NutzLF[0];
    IPlanDialogs::NutzbareLFValues werte;
    for (int i = 0; i < 4; ++i) {
        werte.dLaengen[i] = alt.m_dRand[i];
        werte.fWerte[i] = alt.m_fWert[i];
        werte.nWerte[i] = alt.m_nRaster[i];
    }
    if (!IPlanDialogs::Of(&GetProgramRun()).EditNutzbareLF(this, werte, nMode == 1))
        return;
    for (int i = 0; i < 4; ++i)
        if (!std::isfinite(werte.dLaengen[i]) || werte.dLaengen[i] < 0.0)
            return; // a margin the dialog should not have let through changes nothing
    SNutzbareLF neu;
    for (int i = 0; i < 4; ++i) {
        neu.m_dRand[i] = werte.dLaengen[i];
        neu.m_fWert[i] = werte.fWerte[i];
        neu.m_nRaster[i] = werte.nWerte[i];
    }
    f->SetNutzbareLF(neu);
    MarkModified(f);
    // The placed loads keep their place on the load area when the third margin moves.
    if (neu.m_dRand[2] != alt.m_dRand[2])
        if (CQOR* q = f->GetQor())
            for (tagLGINFO* p : q->GetLgInfos())
                p->m_dPosX += alt.m_dRand[2] - neu.m_dRand[2];
    pDoc->UpdateOtherViews(UpdateHinweis::kBearbeitet);
    pDoc->OnFahrzeugChanged(true);
    pDoc->NotifyViews(DokumentMeldung::kLadeflaecheGeaendert, 0);
    viewport()->update();
    // The load-securing view hears of it as a view notification, at once.
    if (CGetAnsView* pSichg = GetHost() ? GetHost()->GetView(CTabbedViewView::kLgSicherung) : nullptr)
        pSichg->PostViewNotify(false, AnsichtMeldung::kNutzflaecheBearbeitet,
                               AnsichtWert::Zahl(nMode == 1 ? 1 : 0));
}

void CQOR1View::OnToggleDiagramm()
{
    ShowDiagramm(!m_bShowDiagramm);
}

void CQOR1View::OnTogglePlanFlag()
{
    CFahrzeug* f = GetArbeitsFahrzeug();
    CQOR* q = f ? f->GetQor() : nullptr;
    if (!q)
        return;
    CPlanAnzeige anz(*q);
    anz.SetSchwerpunktZeigen(!anz.GetSchwerpunktZeigen());
    f->SetModified();
    if (CQOR1Doc* pDoc = GetDocument())
        pDoc->RedrawViews();
    viewport()->update();
}

bool CQOR1View::AddAchse()
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* f = GetEditFahrzeug();
    if (!pDoc || !f || !f->CanAddAchse() || !f->AddAchse())
        return false;
    m_bHitAchse = false;
    viewport()->update();
    pDoc->OnFahrzeugChanged(true);
    ZeigeAchsHinweis();
    Geaendert(false);
    return true;
}

void CQOR1View::ZeigeAchsHinweis()
{
    SliderHint::Show(GetProgramRun(), this);
}

void CQOR1View::AddZL()
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* f = GetEditFahrzeug();
    if (!pDoc || !f)
        return;
    IPlanDialogs::ZLValues werte;
    werte.nArt = 5;
    if (!IPlanDialogs::Of(&GetProgramRun()).EditZL(this, werte))
        return;
    if (!CanAddZL(werte.nArt)) {
        IMessageBoxService::HtmlBox box;
        box.textId = 631;
        box.captionId = 273;
        box.iconId = 816;
        box.buttons.append({668, 668});
        MessageBoxes().ShowHtml(this, box, nullptr);
        return;
    }
    tagZLINFO* p = f->AddZL(std::make_unique<tagZLINFO>());
    p->m_nTyp = werte.nArt;
    p->m_strName = werte.strName;
    p->m_dLaenge = werte.dLaengen[0];
    p->m_dBreite = werte.dLaengen[1];
    p->m_dAbstand = werte.dLaengen[2];
    p->m_dMasse = werte.dMasse;
    p->m_nWert = werte.nWert;
    p->m_nWertKopie = werte.nWert;
    p->m_dHoehe = werte.dHoehe;
    if (werte.nArt == 5) {
        p->m_dPosX = 0.0;
        p->m_dAbstand = 0.0;
        p->m_nVomEnde = 1;
        p->m_nTyp1 = 0;
    } else if (werte.nArt == 1) {
        p->m_dPosX = 0.0;
        p->m_dAbstand = 0.0;
        p->m_nVomEnde = 1;
        p->m_nTyp1 = 1;
    } else {
        p->m_dPosX = 3.5;
        p->m_nVomEnde = 0;
        p->m_nTyp1 = 0;
    }
    if (werte.nArt != 1 && werte.nArt != 5) {
        IMessageBoxService::HtmlBox box;
        box.textId = 632;
        box.captionId = 273;
        box.iconId = 814;
        box.buttons.append({668, 668});
        MessageBoxes().ShowHtml(this, box, nullptr);
    }
    MarkModified(f);
    pDoc->OnFahrzeugChanged(true);
    viewport()->update();
}

void CQOR1View::OnEditZL()
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* f = GetEditFahrzeug();
    tagZLINFO* p = m_pSelZL;
    if (!pDoc || !f || !p || !f->HasZL(p))
        return;
    IPlanDialogs::AddZLValues werte;
    werte.dPosition = f->GetZLPosition(p);
    werte.nFlag1 = p->m_nVomEnde;
    werte.nFlag2 = p->m_nTyp1;
    werte.strName = p->m_strName;
    if (!IPlanDialogs::Of(&GetProgramRun()).EditAddZL(this, werte))
        return;
    p->m_nVomEnde = werte.nFlag1;
    p->m_nTyp1 = werte.nFlag2;
    Geaendert(false);
    pDoc->OnFahrzeugChanged(true);
    viewport()->update();
}

void CQOR1View::OnDeleteZL()
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* f = GetEditFahrzeug();
    tagZLINFO* p = m_pSelZL;
    if (!pDoc || !f || !p || !f->HasZL(p))
        return;
    const int nAntwort =
        MessageBoxes().Show(this, QString::fromStdString(Text(239)), QString::fromStdString(Text(238)),
                            IMessageBoxService::Icon::Question, IMessageBoxService::Buttons::YesNo);
    if (nAntwort != IMessageBoxService::kYes)
        return;
    m_Regler.VergissZL(p);
    if (m_pHoverZL == p)
        m_pHoverZL = nullptr;
    f->RemoveZL(p);
    m_pSelZL = nullptr;
    m_rcSelZL = QRect();
    Geaendert(false);
    pDoc->OnFahrzeugChanged(false);
    ResetDIBFahrzeug(); // its item records pointed at the deleted item
    viewport()->update();
    pDoc->UpdateOtherViews(UpdateHinweis::kBearbeitet);
}

void CQOR1View::OnMoveZL()
{
    if (!m_pSelZL)
        return;
    m_Regler.SetEditZL(m_pSelZL, m_rcSelZL);
    m_nTarget = 0;
    if (OpenSlider(QPoint(m_rcSelZL.center().x(), Label(5).bottom() + 1), 11, true))
        DrawPositionMarker(m_Regler.GetEditZL());
}

void CQOR1View::OnEditZLMasse()
{
    if (!m_pSelZL)
        return;
    m_Regler.SetEditZL(m_pSelZL, m_rcSelZL);
    const float cx =
        (static_cast<float>(m_rcSelZL.left()) + static_cast<float>(m_rcSelZL.right() + 1)) / 2.0f - 1;
    const float cy =
        (static_cast<float>(m_rcSelZL.top()) + static_cast<float>(m_rcSelZL.bottom() + 1)) / 2.0f + 8;
    OpenSlider(QPoint(static_cast<int>(cx), static_cast<int>(cy)), 18, true);
}

// --- context menu ---------------------------------------------------------------------------------------

QMenu* CQOR1View::KontextMenu(const QPoint& pt)
{
    CVorlageKontextMenue::SLage lage;
    lage.pFahrzeug = GetEditFahrzeug();
    lage.nTreffer = m_nHitKind;
    lage.pSelZL = m_pSelZL && m_rcSelZL.contains(pt) ? m_pSelZL : nullptr;
    lage.bLastDialog = IViewShell::Of(&GetProgramRun()).GetLoadDialog() != nullptr;
    lage.bDiagramm = m_bShowDiagramm;
    return CVorlageKontextMenue::Baue(
        lage, [this](int nId) { return IsBefehlAktiv(nId); }, this);
}

void CQOR1View::contextMenuEvent(QContextMenuEvent* e)
{
    ZeigeKontextMenu(KontextMenu(viewport()->mapFrom(this, e->pos())), e->globalPos(),
                     [this](int nId) { OnBefehl(nId); });
}

// --- weights tool tips ------------------------------------------------------------------------------------

std::string CQOR1View::GetGewichtsTip(int nTool, std::string* pTitel) const
{
    return CGewichtsTip::Text(GetDocument(), nTool, pTitel);
}

QString CQOR1View::GetGewichtsTipHtml(int nTool) const
{
    return CGewichtsTip::Html(GetDocument(), nTool);
}

// --- hint animations ------------------------------------------------------------------------------------

IFrameAnimation* CQOR1View::GetAnim(int i) const
{
    return m_pHinweise->Get(i);
}

QRect CQOR1View::GetAnimRect(int i) const
{
    return m_pHinweise->GetRect(i);
}

bool CQOR1View::AnimSchritt()
{
    if (!m_pHinweise->Schritt())
        return false;
    for (int i = 0; i < CHinweisAnimationen::kAnzahl; ++i)
        if (const QRect rc = m_pHinweise->GetRect(i); !rc.isEmpty()) {
            viewport()->update(rc);
            m_bAnimUpdate = true;
        }
    return true;
}

void CQOR1View::AnimTimerAnpassen()
{
    // The animations step only while the view can be seen in the active window: an inactive or minimised
    // window costs no repaints.
    const QWidget* w = window();
    const bool laufen = isVisible() && w->isActiveWindow() && !w->isMinimized();
    if (laufen && !m_nAnimTimer)
        m_nAnimTimer = startTimer(CHinweisAnimationen::kIntervall);
    else if (!laufen && m_nAnimTimer) {
        killTimer(m_nAnimTimer);
        m_nAnimTimer = 0;
    }
}

void CQOR1View::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == m_nAnimTimer) {
        AnimTimerAnpassen();
        if (m_nAnimTimer)
            AnimSchritt();
        return;
    }
    CGetAnsView::timerEvent(e);
}

void CQOR1View::paintEvent(QPaintEvent* e)
{
    const bool nurAnimation = m_bAnimUpdate && NurAnimationen(e->region());
    m_bAnimUpdate = false;
    if (!nurAnimation) {
        CGetAnsView::paintEvent(e);
        return;
    }
    // The rest of the picture stands in the window as painted: only the frames change. They cover their
    // places whole, as in the full picture.
    QPainter painter(viewport());
    painter.translate(-Scroll());
    m_pHinweise->DrawFrames(painter);
}

bool CQOR1View::NurAnimationen(const QRegion& region) const
{
    // Nothing of the overlay may lie there, and every part of the region must be an animation's place.
    if (m_bFocus || m_nPickX >= 0 || m_bMarker)
        return false;
    QRegion orte;
    for (int i = 0; i < CHinweisAnimationen::kAnzahl; ++i)
        orte += m_pHinweise->GetRect(i);
    return !orte.isEmpty() && (region - orte).isEmpty();
}

void CQOR1View::showEvent(QShowEvent* e)
{
    CGetAnsView::showEvent(e);
    AnimTimerAnpassen();
}

void CQOR1View::hideEvent(QHideEvent* e)
{
    if (m_nAnimTimer) {
        killTimer(m_nAnimTimer);
        m_nAnimTimer = 0;
    }
    CGetAnsView::hideEvent(e);
}

// --- figures over the picture -----------------------------------------------------------------------------

void CQOR1View::DrawPositionMarker(const tagZLINFO* pZL)
{
    if (pZL) {
        if (!m_pMarkerZL)
            m_pMarkerZL = std::make_unique<tagZLINFO>();
        *m_pMarkerZL = *pZL;
        m_bMarker = true;
    } else {
        m_bMarker = false;
    }
    viewport()->update();
}

void CQOR1View::DrawOverlay(QPainter& painter)
{
    SVorlageUeberlagerung u;
    u.bFocus = m_bFocus;
    u.rcFocus = m_rcFocus;
    u.bPick = m_nPickX >= 0 && IViewShell::Of(&GetProgramRun()).GetLoadDialog();
    u.nPickX = m_nPickX - Scroll().x();
    u.rcLF = AktivLFClient();
    u.pFahrzeug = GetArbeitsFahrzeug();
    u.pMarkerZL = m_bMarker ? m_pMarkerZL.get() : nullptr;
    u.rcEditZL = m_Regler.GetEditZL() ? m_Regler.GetEditZLRect() : QRect();
    u.dPixProMeter = m_Maler.GetKoordSys().m_nPixProMeter * m_dZoom;
    CVorlagePainter::ZeichneUeberlagerung(painter, u);
}
