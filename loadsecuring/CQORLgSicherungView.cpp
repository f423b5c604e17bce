// The load-securing view: creation, scale and zoom, the view protocol, commands and their enabling,
// the view-action rules, the wizard it owns and the start of load securing.
#include "loadsecuring/CQORLgSicherungView.h"

#include "loadsecuring/ISecuringDialogs.h"
#include "loadsecuring/LgSichgViewEvent.h"
#include "loadsecuring/LgSichgZurrpunkte.h"
#include "views/CTabbedViewView.h"
#include "views/IViewShell.h"
#include "views/ViewNotifyEvent.h"

#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CQOR.h"
#include "model/plan/tagLGINFO.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/CZurrpunkt.h"
#include "model/vehicle/CZurrschiene.h"
#include "model/vehicle/FahrzeugArt.h"
#include "platform/CCmdUI.h"
#include "ui/CRibBtnContainer.h"
#include "ui/CommandEvent.h"
#include "ui/CommandUpdateEvent.h"
#include "ui/IMessageBoxService.h"
#include "ui/ProgramRun.h"

#include <QKeyEvent>

#include <algorithm>
#include <cmath>

namespace {

// The unit is in the plan's securing (its stored flag word).
bool Gesichert(const CLadeeinheit& le)
{
    return le.m_bVorhanden != 0;
}

// Answers a CommandUpdateEvent through the CCmdUI interface.
class UpdateEventCmdUI : public CCmdUI
{
public:
    explicit UpdateEventCmdUI(CommandUpdateEvent& e) : m_e(e) { m_nID = e.Id(); }
    void Enable(bool on) override { m_e.Enable(on); }
    void SetCheck(int state) override { m_e.SetCheck(state); }
    void SetText(const QString& text) override { m_e.SetText(text); }

private:
    CommandUpdateEvent& m_e;
};

} // namespace

CQORLgSicherungView::CQORLgSicherungView(CQOR1Doc* pDoc, QWidget* parent) : CGetAnsView(pDoc, parent)
{
    // The three strips above the load area; their commands and enabling reach the view as events.
    m_pStreifenZoom = new CRibBtnContainer(true, true, true);
    if (m_pStreifenZoom->Create(kStreifenZoom, viewport(), 0, 0, 0, QStringLiteral("Zoom ( 100 % )")))
        for (int id : {kIdZoom100, kIdZoomKleiner, kIdZoomGroesser})
            m_pStreifenZoom->AddButton(id, this);
    m_pStreifenSichg = new CRibBtnContainer(true, true, true);
    if (m_pStreifenSichg->Create(kStreifenSichg, viewport(), 0, 0, 0)) {
        m_pStreifenSichg->AddButton(kIdSichern, this);
        m_pStreifenSichg->SetButtonCheckMode(kIdSichern, 1);
        m_pStreifenSichg->AddSeparator();
        for (int id : {kIdZurrpunkte, kIdZurrschienen, kIdZurrmittel})
            m_pStreifenSichg->AddButton(id, this);
    }
    m_pStreifenHilfe = new CRibBtnContainer(true, true, true);
    if (m_pStreifenHilfe->Create(kStreifenHilfe, viewport(), 0, 0, 0))
        m_pStreifenHilfe->AddButton(kIdHilfe, this);
    // The strips live on the viewport, but their buttons' enabling and check marks are the view's to give.
    for (CRibBtnContainer* pStreifen : {m_pStreifenZoom, m_pStreifenSichg, m_pStreifenHilfe})
        pStreifen->SetNotifyWindow(this);
    SetZoomIndex(1);
    LegeStreifen(QPoint(0, 0));
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
}

CQORLgSicherungView::~CQORLgSicherungView()
{
    // The wizard's window goes with the view; the frame gets its close box back.
    if (m_pWizard) {
        m_pWizard.reset();
        RahmenFreigeben(true);
    }
    ClearHitMaps();
}

CFahrzeug* CQORLgSicherungView::GetFahrzeug() const
{
    if (m_bSnapshot && m_pSnapshotFahrzeug)
        return m_pSnapshotFahrzeug;
    CQOR1Doc* pDoc = GetDocument();
    return pDoc ? pDoc->GetAktivFahrzeug(true) : nullptr;
}

CQOR* CQORLgSicherungView::GetPlan() const
{
    CFahrzeug* f = GetFahrzeug();
    return f ? f->GetQor() : nullptr;
}

CLadeeinheit* CQORLgSicherungView::GetAktiveEinheit() const
{
    CQOR* q = GetPlan();
    return q ? q->GetAktiveLadeeinheit() : nullptr;
}

CRibBtnContainer* CQORLgSicherungView::GetStreifen(int nId) const
{
    switch (nId) {
    case kStreifenZoom:
        return m_pStreifenZoom;
    case kStreifenSichg:
        return m_pStreifenSichg;
    case kStreifenHilfe:
        return m_pStreifenHilfe;
    default:
        return nullptr;
    }
}

// --- scale and zoom --------------------------------------------------------------------------------

int CQORLgSicherungView::MetresToPixels(double dMetres)
{
    return Massstab().Pixel(dMetres);
}

double CQORLgSicherungView::PixelsToMetres(int nPixels)
{
    return Massstab().Meter(nPixels);
}

void CQORLgSicherungView::SetZoomIndex(int nIndex)
{
    m_nZoomIndex = std::clamp(nIndex, 0, static_cast<int>(kZoomStufen.size()) - 1);
    m_dZoom = kZoomStufen[static_cast<std::size_t>(m_nZoomIndex)] * kBasisZoom / 100.0;
    SetZoomTitel();
    viewport()->update();
}

void CQORLgSicherungView::SetZoomTitel()
{
    if (m_pStreifenZoom && m_pStreifenZoom->HasWindow())
        m_pStreifenZoom->SetTitle(
            QStringLiteral("Zoom ( %1 % )").arg(kZoomStufen[static_cast<std::size_t>(m_nZoomIndex)]));
}

// --- view protocol ---------------------------------------------------------------------------------

void CQORLgSicherungView::OnInitialUpdate()
{
    const int w = static_cast<int>(1000 * m_dZoom), h = static_cast<int>(500 * m_dZoom);
    SetScrollSizes(QSize(w, h), QSize(static_cast<int>(500 * m_dZoom), static_cast<int>(250 * m_dZoom)),
                   QSize(50, 20));
    CGetAnsView::OnInitialUpdate();
}

void CQORLgSicherungView::OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated)
{
    CGetAnsView::OnActivateView(bActivate, pActivated, pDeactivated);
}

int CQORLgSicherungView::OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert)
{
    if (const int n = CGetAnsView::OnViewNotify(eMeldung, wert))
        return n;
    switch (eMeldung) {
    case AnsichtMeldung::kFahrzeugGewechselt:
        ClearHitMaps();
        viewport()->update();
        return 0;
    case AnsichtMeldung::kRaender:
        LegeStreifen(ResolveInsets(wert.raender));
        return 0;
    case AnsichtMeldung::kDateiWirdGeschrieben:
        return NotifyWizard(LgSichgMeldung::kDateiWirdGeschrieben, std::intptr_t(wert.nZahl));
    case AnsichtMeldung::kDateiGeschrieben:
        return NotifyWizard(LgSichgMeldung::kDateiGeschrieben, std::intptr_t(wert.nZahl));
    case AnsichtMeldung::kNutzflaecheBearbeitet:
        return NotifyWizard(LgSichgMeldung::kNutzflaecheBearbeitet, std::intptr_t(wert.nZahl));
    }
    return 0;
}

void CQORLgSicherungView::LegeStreifen(QPoint insets)
{
    // Left to right at the top, each 10 pixels right of the previous one, scrolled with the view.
    const QPoint scroll = GetScrollPosition();
    int x = 15 - insets.x() - scroll.x();
    for (CRibBtnContainer* s : {m_pStreifenZoom, m_pStreifenSichg, m_pStreifenHilfe})
        if (s && s->HasWindow()) {
            s->SetWindowPosAndShape(x, 10 - insets.y() - scroll.y());
            x += s->width() + 10;
        }
}

std::optional<LgSichgAktion> CQORLgSicherungView::VetoAktion(VerlassenGrund eGrund)
{
    using A = LgSichgAktion;
    using G = VerlassenGrund;
    switch (eGrund) {
    case G::kFahrzeugWechseln:
        return A::kFahrzeugWechseln;
    case G::kTabWechseln:
        return A::kTabWechseln;
    case G::kDokumentOeffnen:
        return A::kDokumentOeffnen;
    case G::kNeuesDokument:
        return A::kNeuesDokument;
    case G::kFensterSchliessen:
        return A::kFensterSchliessen;
    case G::kAbkoppeln:
        return A::kAbkoppeln;
    case G::kNutzflaecheBearbeiten:
        return A::kNutzflaecheBearbeiten;
    case G::kProgrammBeenden:
        return A::kProgrammBeenden;
    }
    return std::nullopt;
}

bool CQORLgSicherungView::QueryVeto(VerlassenGrund eGrund, int nValue, QString* pMessage)
{
    const std::optional<LgSichgAktion> eAktion = VetoAktion(eGrund);
    if (!eAktion)
        return false;
    int nOut = -1;
    return !QueryAction(*eAktion, std::intptr_t(nValue), &nOut, pMessage, true, nullptr);
}

bool CQORLgSicherungView::CanLeave(VerlassenGrund eGrund, int nArg, std::string* pMessage)
{
    QString text;
    if (!QueryVeto(eGrund, nArg, &text))
        return false;
    if (pMessage)
        *pMessage += text.toStdString();
    return true;
}

int CQORLgSicherungView::OnFrameNotify(DokumentMeldung eMeldung, int nValue)
{
    switch (eMeldung) {
    case DokumentMeldung::kFahrzeugGewechselt:
        return NotifyWizard(LgSichgMeldung::kFahrzeugGewechselt, std::intptr_t(nValue));
    case DokumentMeldung::kTabGewechselt:
        return NotifyWizard(LgSichgMeldung::kTabGewechselt, std::intptr_t(nValue));
    case DokumentMeldung::kAnsichtAktiviert:
        return NotifyWizard(LgSichgMeldung::kAnsichtAktiviert, std::intptr_t(nValue));
    case DokumentMeldung::kLadeflaecheGeaendert:
        return NotifyWizard(LgSichgMeldung::kLadeflaecheGeaendert, std::intptr_t(nValue));
    case DokumentMeldung::kAbgekoppelt:
        ClearHitMaps();
        if (nValue == FahrzeugArt::kAuflieger && m_pWizard) {
            m_pWizard.reset();
            WizardGeschlossen();
        }
        return 0;
    }
    return 0;
}

bool CQORLgSicherungView::OnUpdateFrameCmdUI(int nCommand, CCmdUI* pCmdUI)
{
    // Only a wizard on the screen holds the frame's commands: a hidden one could not be ended.
    return m_pWizard && m_bWizardGezeigt && m_pWizard->OnUpdateFrameCmdUI(nCommand, pCmdUI);
}

// --- commands ------------------------------------------------------------------------------------

bool CQORLgSicherungView::OnBefehl(int nId)
{
    switch (nId) {
    case kIdZoom100:
        SetZoomIndex(1);
        return true;
    case kIdZoomGroesser:
        if (m_nZoomIndex < static_cast<int>(kZoomStufen.size()) - 1)
            SetZoomIndex(m_nZoomIndex + 1);
        return true;
    case kIdZoomKleiner:
        if (m_nZoomIndex > 0)
            SetZoomIndex(m_nZoomIndex - 1);
        return true;
    case kIdSichern:
        StarteLgSicherung();
        return true;
    case kIdHilfe:
        ISecuringDialogs::Of(&GetProgramRun()).ShowHelp(this, kHilfeThema);
        return true;
    case kIdErgebnis:
        ShowWizard(true, false, 3);
        return true;
    case kIdEinheitAufloesen:
        LoescheAktiveEinheit();
        return true;
    case kIdMaengel:
        ShowMaengel(nullptr);
        return true;
    case kIdZurrpunkte:
        EditZurrpunkte(true);
        return true;
    case kIdZurrpunktBearbeiten:
        if (m_pAuswahlPunkt)
            EditZurrpunkte(true);
        return true;
    case kIdZurrschienen:
        EditZurrschienen();
        return true;
    case kIdZurrmittel:
        EditZurrmittel();
        return true;
    case kIdNeuerZurrpunkt:
        NeuerZurrpunktHier();
        return true;
    case kIdZurrpunktLoeschen:
        LoescheAuswahlPunkt();
        return true;
    case kIdAlleZurrpunkteLoeschen:
        LoescheAllePunkte();
        return true;
    default:
        return false;
    }
}

bool CQORLgSicherungView::OnUpdateBefehl(int nId, CCmdUI* pCmdUI)
{
    switch (nId) {
    case kIdZoom100:
        pCmdUI->Enable(std::abs(m_dZoom - kBasisZoom) > 1e-9);
        return true;
    case kIdZoomGroesser:
        pCmdUI->Enable(m_nZoomIndex < static_cast<int>(kZoomStufen.size()) - 1);
        return true;
    case kIdZoomKleiner:
        pCmdUI->Enable(m_nZoomIndex > 0);
        return true;
    case kIdHilfe:
        pCmdUI->Enable(true);
        return true;
    case kIdSichern:
    case kIdEinheitBilden:
    case kIdNeuBeginnen:
    case kIdZurrpunkte:
    case kIdZurrschienen:
    case kIdZurrmittel:
    case kIdNeuerZurrpunkt:
    case kIdZurrpunktBearbeiten:
    case kIdZurrpunktLoeschen:
    case kIdAlleZurrpunkteLoeschen:
    case kIdErgebnis:
    case kIdEinheitAufloesen:
    case kIdMaengel:
        break;
    default:
        return false;
    }
    // The base answers first: no plan, nothing to do.
    if (UpdateCmdUIHasPlan(pCmdUI))
        return true;
    CQOR* q = GetPlan();
    CFahrzeug* f = GetFahrzeug();
    const ISecuringDialogs& dlg = ISecuringDialogs::Of(&GetProgramRun());
    switch (nId) {
    case kIdSichern:
        pCmdUI->SetCheck(m_pWizard ? 1 : 0);
        break;
    case kIdEinheitBilden:
        pCmdUI->Enable(q && q->CountMarkedLgInfo() != 0);
        break;
    case kIdNeuBeginnen:
    case kIdErgebnis:
    case kIdEinheitAufloesen:
        pCmdUI->Enable(q && q->GetAktiveLadeeinheit() != nullptr);
        break;
    case kIdMaengel: {
        CLadeeinheit* le = q ? q->GetAktiveLadeeinheit() : nullptr;
        pCmdUI->Enable(le && le->CountMaengel(1) > 0);
        break;
    }
    case kIdZurrpunktLoeschen: {
        int nOut = -1;
        pCmdUI->Enable(m_pAuswahlPunkt && QueryAction(LgSichgAktion::kZurrpunktLoeschen, m_pAuswahlPunkt,
                                                      &nOut, nullptr, true, nullptr));
        break;
    }
    case kIdAlleZurrpunkteLoeschen: {
        int nOut = -1;
        pCmdUI->Enable(f && !f->GetZurrpunktListe().empty() &&
                       QueryAction(LgSichgAktion::kAlleZurrpunkteLoeschen, std::intptr_t(0), &nOut, nullptr,
                                   true, nullptr));
        break;
    }
    case kIdZurrpunktBearbeiten:
        pCmdUI->Enable(m_pAuswahlPunkt && dlg.HasEditor(nId));
        break;
    default:
        pCmdUI->Enable(dlg.HasEditor(nId));
        break;
    }
    return true;
}

// --- view actions --------------------------------------------------------------------------------

bool CQORLgSicherungView::QueryAction(LgSichgAktion eAktion, const LgSichgWert& wert, int* pOut,
                                      QString* pMessage, bool bDefault, int* pExtra)
{
    if (pOut)
        *pOut = -1;
    if (pMessage)
        pMessage->clear();
    // A value the action does not take is refused; nobody is asked.
    if (!LgSichgWertPasst(eAktion, wert))
        return false;
    const std::intptr_t nValue = LgSichgZahl(wert);
    CQOR* q = GetPlan();
    auto einheit = [&]() -> CLadeeinheit* {
        return q ? q->FindLadeeinheit(static_cast<int>(nValue)) : nullptr;
    };
    // The wizard's answer: nonzero refuses.
    auto wizard = [&](bool bOhne) {
        if (!m_pWizard)
            return bOhne;
        int nOut = -1;
        const int r = m_pWizard->QueryViewAction(eAktion, wert, pMessage, bDefault ? 0 : 1, &nOut);
        if (pOut)
            *pOut = nOut;
        return r == 0;
    };
    using A = LgSichgAktion;
    switch (eAktion) {
    case A::kSchienenAendern:
        if (q)
            for (const CLadeeinheit* le : q->GetLadeeinheiten())
                if (Gesichert(*le) && UsesZurrschiene(*le))
                    return false;
        return wizard(true);
    case A::kZurrpunktBearbeiten:
    case A::kZurrpunktLoeschen:
    case A::kAlleZurrpunkteLoeschen:
        if (IsZurrpunktInUse(wert, nullptr, -1))
            return false;
        return wizard(bDefault);
    case A::kZurrungZaehler: {
        CLadeeinheit* le = einheit();
        if (!le || !Gesichert(*le))
            return true;
        return (pExtra ? *pExtra : 0) < le->GetZurrParameter(nullptr, nullptr, nullptr);
    }
    case A::kEinheitPunkteZeigen:
    case A::kZurrungenZeigen: {
        if (m_pWizard)
            return wizard(bDefault);
        CLadeeinheit* le = einheit();
        return le && Gesichert(*le) &&
               le->m_Wizard.m_nVerfahren == (eAktion == A::kEinheitPunkteZeigen ? 1 : 0);
    }
    case A::kEinheitMenue:
        if (m_pWizard)
            return false;
        return q && nValue != 0 && q->m_nAktiveLadeeinheit == static_cast<int>(nValue);
    case A::kEinheitKennzeichen:
    case A::kGesichertKennzeichen: {
        CLadeeinheit* le = einheit();
        if (!le || !Gesichert(*le))
            return false;
        if (q->m_nAktiveLadeeinheit != le->GetId())
            return true;
        return !(m_pWizard && m_pWizard->GetStartMode() == 2);
    }
    case A::kEinheitBearbeitbar:
    case A::kEinheitAnklickbar:
        return !m_pWizard;
    case A::kVerlassenGrund12:
        return wizard(true);
    default:
        return wizard(bDefault);
    }
}

bool CQORLgSicherungView::UsesZurrschiene(const CLadeeinheit& le) const
{
    if (m_pWizard && m_pWizard->GetStartMode() != 0)
        return true;
    CFahrzeug* f = GetFahrzeug();
    return f && LgSichgZurrpunkte::NutztZurrschiene(*f, le);
}

bool CQORLgSicherungView::IsZurrpunktInUse(const LgSichgWert& wert, CLadeeinheit* pEinheit, int nMethode)
{
    // While the wizard works on a secured unit everything counts as in use.
    if (m_pWizard && m_pWizard->GetStartMode() != 0)
        return true;
    CFahrzeug* f = GetFahrzeug();
    CQOR* q = GetPlan();
    if (!f || !q || f->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine)
        return false;
    // Without a unit: the secured units with their own method; with one: that unit with the method given.
    return LgSichgZurrpunkte::IstInBenutzung(*f, *q, LgSichgZeiger<CZurrpunkt*>(wert), pEinheit, nMethode);
}

void CQORLgSicherungView::ClearLoadMarks()
{
    for (const auto& [pLg, rc] : m_regionen.ladungen)
        if (IstImPlan(pLg))
            const_cast<tagLGINFO*>(pLg)->m_nState &= ~tagLGINFO::kStateMarked;
    viewport()->update();
}

void CQORLgSicherungView::RepaintView()
{
    viewport()->repaint();
}

QRect CQORLgSicherungView::GetClientRectOnScreen() const
{
    return QRect(viewport()->mapToGlobal(QPoint(0, 0)), viewport()->size());
}

QRect CQORLgSicherungView::GetLadeflaecheOnScreen()
{
    if (m_regionen.rcLadeflaeche.isEmpty())
        return {};
    return m_regionen.rcLadeflaeche.translated(viewport()->mapToGlobal(QPoint(0, 0)) - GetScrollPosition());
}

QRect CQORLgSicherungView::GetEinheitOnScreen()
{
    CQOR* q = GetPlan();
    CLadeeinheit* le = q ? q->GetAktiveLadeeinheit() : nullptr;
    if (!le || m_regionen.rcLadeflaeche.isEmpty())
        return {};
    return EinheitRechteck(*le).translated(viewport()->mapToGlobal(QPoint(0, 0)) - GetScrollPosition());
}

void CQORLgSicherungView::SetWizardVersatz(const QPoint& versatz)
{
    if (versatz == m_ptWizardVersatz)
        return;
    m_ptWizardVersatz = versatz;
    viewport()->update();
}

// --- the wizard ----------------------------------------------------------------------------------

int CQORLgSicherungView::NotifyWizard(LgSichgMeldung eMeldung, const LgSichgWert& wert)
{
    return m_pWizard ? m_pWizard->OnViewNotify(eMeldung, wert) : 0;
}

int CQORLgSicherungView::ShowWizard(bool bZeigen, bool bNurFragen, int nModus)
{
    if (!bZeigen) {
        m_bWizardGezeigt = false;
        if (m_pWizard && m_pWizard->Window())
            m_pWizard->Window()->hide();
        RahmenFreigeben(true);
        return 0;
    }
    if (bNurFragen)
        return m_pWizard ? -1 : 1;
    if (!m_pWizard) {
        m_pWizard = ISecuringWizard::CurrentFactory()(*this, nModus);
        if (!m_pWizard)
            return 0;
    }
    m_bWizardGezeigt = true;
    // The frame first, so that the wizard shows above it and takes the focus.
    RahmenFreigeben(false);
    if (QWidget* w = m_pWizard->Window()) {
        w->show();
        w->raise();
        w->activateWindow();
    }
    return 1;
}

void CQORLgSicherungView::RahmenFreigeben(bool bFrei)
{
    IViewShell::Of(&GetProgramRun()).EnableFrameCloseBox(bFrei);
    IViewShell::Of(&GetProgramRun()).EnableFrameControl(802, bFrei);
}

void CQORLgSicherungView::WizardGeschlossen()
{
    m_bWizardGezeigt = false;
    m_ptWizardVersatz = QPoint(0, 0);
    viewport()->update();
    RahmenFreigeben(true);
}

bool CQORLgSicherungView::event(QEvent* e)
{
    const QEvent::Type t = e->type();
    if (t == CommandEvent::kType) {
        OnBefehl(static_cast<int>(static_cast<CommandEvent*>(e)->Id()));
        return true;
    }
    if (t == CommandUpdateEvent::EventType()) {
        auto* u = static_cast<CommandUpdateEvent*>(e);
        UpdateEventCmdUI ui(*u);
        OnUpdateBefehl(static_cast<int>(u->Id()), &ui);
        return true;
    }
    if (t == LgSichgViewEvent::kClosedType) {
        // The wizard closed itself and destroys its own window.
        if (m_pWizard)
            m_pWizard->Release();
        m_pWizard.reset();
        WizardGeschlossen();
        return true;
    }
    if (t == LgSichgViewEvent::kHiddenType) {
        // Out of sight the wizard holds nothing of the frame; "Secure loads" shows it again.
        m_bWizardGezeigt = false;
        RahmenFreigeben(true);
        return true;
    }
    if (t == LgSichgViewEvent::kPageNoticeType) {
        auto* n = static_cast<LgSichgViewEvent*>(e);
        switch (static_cast<LgSichgSeitenHinweis>(n->WParam())) {
        case LgSichgSeitenHinweis::kQuerQuelleGewaehlt:
            if (n->LParam() == 1) {
                m_hover.pPunkt = nullptr;
                m_pAuswahlPunkt = nullptr;
            }
            [[fallthrough]];
        case LgSichgSeitenHinweis::kWahlGeaendert:
        case LgSichgSeitenHinweis::kSeiteAktiviert:
            viewport()->repaint();
            n->SetResult(0);
            break;
        default:
            n->SetResult(-1);
            break;
        }
        return true;
    }
    if (t == QEvent::Type(0x80BE)) {
        if (auto* n = dynamic_cast<LgSichgViewEvent*>(e))
            NotifyWizard(LgSichgMeldung(static_cast<int>(n->WParam())), n->LParam());
        return true;
    }
    if (t == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Tab) {
        WechsleFahrzeug();
        return true;
    }
    return CGetAnsView::event(e);
}

// --- start of load securing ----------------------------------------------------------------------

int CQORLgSicherungView::FrageBox(int nText, int nTitel, std::initializer_list<std::pair<int, int>> knoepfe,
                                  bool bCheck, bool* pCheck, int nIcon)
{
    IMessageBoxService::HtmlBox box;
    box.textId = nText;
    box.captionId = nTitel;
    box.checkBox = bCheck;
    if (nIcon) {
        box.iconId = nIcon;
        box.iconKind = 1;
    }
    for (const auto& [id, caption] : knoepfe)
        box.buttons.append({id, caption});
    bool bChecked = false;
    const int r = MessageBoxes().ShowHtml(this, box, &bChecked);
    if (pCheck)
        *pCheck = bChecked;
    return r;
}

void CQORLgSicherungView::Meldung(int nText)
{
    FrageBox(nText, 273, {{668, 668}});
}

void CQORLgSicherungView::StarteLgSicherung()
{
    if (m_pWizard) {
        if (!m_bWizardGezeigt)
            ShowWizard(true, false, 0);
        return;
    }
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* f = GetFahrzeug();
    CQOR* q = GetPlan();
    if (!pDoc || !f || !q || f->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine)
        return;
    ISecuringDialogs& dlg = ISecuringDialogs::Of(&GetProgramRun());
    // 1. A unit is active: go on with it, dissolve it or see its defects.
    if (CLadeeinheit* le = q->GetAktiveLadeeinheit()) {
        const int r = le->CountMaengel(1) != 0
                          ? FrageBox(695, 273, {{879, 874}, {821, 883}, {880, 877}, {705, 705}})
                          : FrageBox(695, 273, {{879, 874}, {821, 883}, {705, 705}});
        if (r == 879)
            ShowWizard(true, false, 3);
        else if (r == 821)
            LoescheAktiveEinheit();
        else if (r == 880)
            ShowMaengel(le);
        return;
    }
    // 2. How load securing works, unless the user asked not to see it again.
    ProgramRun::Antworten& antworten = GetProgramRun().GetAntworten();
    if (!antworten.bSicherungsHinweisAus && !(IViewShell::Of(&GetProgramRun()).GetFrameFlags() & 1)) {
        bool bNicht = false;
        const int r = FrageBox(533, 273, {{668, 668}, {708, 708}}, true, &bNicht);
        antworten.bSicherungsHinweisAus = bNicht;
        if (r != 668)
            return;
    }
    // 3. Nothing on the plan.
    if (q->GetLgInfos().empty()) {
        if (FrageBox(534, 273, {{791, 791}, {705, 705}}) == 791)
            if (CTabbedViewView* host = GetHost())
                host->SelectTab(kTabPlan);
        return;
    }
    // 4. No lashing points and no rails: the editors may add them, the question comes again.
    while (f->GetZurrpunktListe().empty() && f->m_Zurrschienen.empty()) {
        int r = 0;
        if (dlg.HasEditor(397) && dlg.HasEditor(748))
            r = FrageBox(535, 273, {{397, 537}, {748, 536}, {770, 538}, {705, 705}});
        else
            r = FrageBox(535, 273, {{770, 538}, {705, 705}});
        if (r == 397 || r == 748) {
            if (r == 397)
                EditZurrpunkte(false);
            else
                EditZurrschienen();
            continue;
        }
        if (r == 770)
            break;
        return;
    }
    // 5. No lashing devices of its own.
    while (f->m_ZurrmittelBenutzt.empty() && !antworten.bZurrmittelHinweisAus) {
        bool bNicht = false;
        const int r = dlg.HasEditor(398)
                          ? FrageBox(688, 273, {{398, 689}, {770, 538}, {705, 705}}, true, &bNicht, 814)
                          : FrageBox(688, 273, {{770, 538}, {705, 705}}, true, &bNicht, 814);
        antworten.bZurrmittelHinweisAus = bNicht;
        if (r == 398) {
            EditZurrmittel();
            continue;
        }
        if (r == 770)
            break;
        return;
    }
    // 6. The plan's only unit holds every load: it becomes active.
    if (q->GetLadeeinheiten().size() == 1 && q->CountFreeLgInfo(false) == 0) {
        q->m_nAktiveLadeeinheit = q->GetLadeeinheiten().front()->GetId();
        viewport()->repaint();
        ShowWizard(true, false, 2);
        return;
    }
    // 7. A single load of no unit gets a unit of its own; otherwise the wizard helps choose.
    tagLGINFO* pEinzeln = nullptr;
    int nFrei = 0;
    for (tagLGINFO* p : q->GetLgInfos())
        if (p->m_nTyp < tagLGINFO::kFsmTyp && p->GetLeId() == 0) {
            ++nFrei;
            pEinzeln = p;
        }
    if (nFrei == 1) {
        if (BildeEinheit(pEinzeln))
            ShowWizard(true, false, 1);
        return;
    }
    ShowWizard(true, false, 0);
}

CLadeeinheit* CQORLgSicherungView::BildeEinheit(tagLGINFO* pLg)
{
    CQOR* q = GetPlan();
    if (!q || !pLg)
        return nullptr;
    // Every id 1..63 taken: a unit 0 would belong to nobody, so none is formed.
    const int nId = q->GetFreeLadeeinheitId();
    if (nId <= 0) {
        Meldung(4121);
        return nullptr;
    }
    CLadeeinheit* le = q->InsertLadeeinheit(std::make_unique<CLadeeinheit>(nId),
                                            static_cast<int>(q->GetLadeeinheiten().size()));
    le->AddLadung(pLg->m_strName.c_str(), pLg->m_nNummer, pLg);
    pLg->m_bSelected = 0;
    pLg->SetLeId(nId);
    le->m_bVorhanden = 1;
    q->m_nAktiveLadeeinheit = nId;
    le->CalcAbmessungen();
    if (CQOR1Doc* pDoc = GetDocument())
        pDoc->RedrawViews();
    viewport()->update();
    return le;
}

void CQORLgSicherungView::LoescheAktiveEinheit()
{
    CQOR* q = GetPlan();
    CLadeeinheit* le = q ? q->GetAktiveLadeeinheit() : nullptr;
    if (!le)
        return;
    if (FrageBox(355, 425, {{708, 708}, {668, 579}}) != 668)
        return;
    q->ReleaseFsm(le->GetId());
    le->SetLgFlagBits(0);
    m_regionen.einheiten.erase(le);
    if (m_hover.pEinheit == le)
        m_hover = SHover();
    q->m_Ladeeinheiten.remove_if([le](const auto& p) { return p.get() == le; });
    q->m_nAktiveLadeeinheit = 0;
    if (CQOR1Doc* pDoc = GetDocument())
        pDoc->RedrawViews();
    viewport()->update();
    MarkModified(nullptr);
}
