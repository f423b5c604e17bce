// The loading-plan view: creation, scale, document updates, the paint of the plan by its painter with
// the ramp and scroll size laid out after it, the picture export and the view side of placement.
#include "views/CQOR2View.h"

#include "views/CTabbedViewView.h"
#include "views/ILoadingRamp.h"
#include "views/IPlanDialogs.h"
#include "views/IViewShell.h"
#include "views/PlanDialogWerte.h"

#include "draw2d/ViewCursors.h"
#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/SLadungVorlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/ResourceText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SchwerpunktLage.h"
#include "platform/BmpFile.h"
#include "ui/CRibBtnContainer.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <system_error>
#include <vector>

namespace {

int Trunc(double v)
{
    return static_cast<int>(v);
}

} // namespace

void CQOR2View::MakeLaderampe()
{
    m_pLaderampe = IPlanDialogs::Of(&GetProgramRun()).CreateLoadingRamp();
    if (m_pLaderampe)
        m_pLaderampe->Create(this, 100, 25, 160);
}

void CQOR2View::OnProgramRunSet()
{
    // The loading ramp is the one of the run's plan dialogs.
    MakeLaderampe();
}

CQOR2View::CQOR2View(CQOR1Doc* pDoc, QWidget* parent)
    : CGetAnsView(pDoc, parent), m_pGesten(std::make_unique<CPlanGesten>(*this))
{
    MakeLaderampe();
    // The two strips above the plan; their commands reach the view through its command handling.
    m_pBtnsAnsicht = new CRibBtnContainer(true, true, true);
    if (m_pBtnsAnsicht->Create(399, viewport(), 0, 0, 0)) {
        m_pBtnsAnsicht->AddButton(400, this);
        m_pBtnsAnsicht->SetButtonCheckMode(400, 1);
    }
    // The idle update asks the view (not the viewport the strip lives on) for the ramp button's check mark.
    m_pBtnsAnsicht->SetNotifyWindow(this);
    m_pBtnsHilfe = new CRibBtnContainer(true, true, true);
    if (m_pBtnsHilfe->Create(635, viewport(), 0, 0, 0))
        m_pBtnsHilfe->AddButton(827, this);
    LoadResourceText(m_strHtmlVorlageLg, 881, RES_TYPE_HTML);
    LoadResourceText(m_strHtmlVorlageFsm, 882, RES_TYPE_HTML);
}

CQOR2View::~CQOR2View()
{
    if (m_pAnzeigePlan && m_pAnzeigePlan->GetAnzeige() == this)
        m_pAnzeigePlan->SetAnzeige(nullptr);
    ClearPtrMap();
}

CFahrzeug* CQOR2View::GetFahrzeug() const
{
    CQOR1Doc* pDoc = GetDocument();
    return pDoc ? pDoc->GetAktivFahrzeug(pDoc->IsSattelKombination()) : nullptr;
}

CQOR* CQOR2View::GetPlan() const
{
    CFahrzeug* f = GetFahrzeug();
    return f ? f->GetQor() : nullptr;
}

tagLGINFO* CQOR2View::Gueltig(const tagLGINFO* p) const
{
    const CQOR* q = GetPlan();
    if (!p || !q)
        return nullptr;
    for (tagLGINFO* lg : q->GetLgInfos())
        if (lg == p)
            return lg;
    return nullptr;
}

// --- creation, scale, updates ----------------------------------------------------------------------

void CQOR2View::OnInitialUpdate()
{
    m_sizeLine = QSize(50, 20);
    const double z = m_massstab.dZoom;
    m_sizePage = QSize(Trunc(z * 500), Trunc(z * 250));
    SetScrollSizes(QSize(Trunc(z * 1000), Trunc(z * 500)), m_sizePage, m_sizeLine);
    for (const int nId : {kToolSchwerpunkt, kToolRandVorn, kToolRandHinten, kToolRandOben, kToolRandUnten})
        m_zeichnung.tools[nId] = SToolArea{QRect(), QString()};
    CGetAnsView::OnInitialUpdate();
}

int CQOR2View::MetresToPixels(double dMetres)
{
    return m_massstab.Pixel(dMetres);
}

double CQOR2View::PixelsToMetres(int nPixels)
{
    return m_massstab.Meter(nPixels);
}

void CQOR2View::OnUpdate(CGetAnsView* /*pSender*/, UpdateHinweis eHinweis)
{
    CQOR1Doc* pDoc = GetDocument();
    if (!pDoc)
        return;
    CFahrzeug* f = pDoc->GetAktivFahrzeug(false);
    if (f && f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return;
    if (!GetPlan()) {
        viewport()->update();
        return;
    }
    switch (eHinweis) {
    case UpdateHinweis::kLadungen:
        ClearPtrMap();
        RecalcSchwerpunkt();
        break;
    case UpdateHinweis::kNeuBerechnet:
        m_nNutzbarerBereich = GetFahrzeug()->CalcNutzbarerBereich();
        break;
    case UpdateHinweis::kBearbeitet:
        m_nNutzbarerBereich = GetFahrzeug()->CalcNutzbarerBereich();
        if (m_pLaderampe && m_pLaderampe->CalcExtent(-1, -1))
            m_pLaderampe->Reposition(-1);
        viewport()->update();
        break;
    default:
        viewport()->update();
        break;
    }
}

int CQOR2View::OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert)
{
    if (eMeldung == AnsichtMeldung::kFahrzeugGewechselt) {
        if (m_pLaderampe)
            m_pLaderampe->ResetIndices();
        return CGetAnsView::OnViewNotify(eMeldung, wert);
    }
    if (const int n = CGetAnsView::OnViewNotify(eMeldung, wert))
        return n;
    if (eMeldung == AnsichtMeldung::kRaender) {
        const QPoint insets = ResolveInsets(wert.raender);
        m_insetsStreifen = insets;
        PlatziereStreifen();
        if (m_pLaderampe)
            m_pLaderampe->SetOffsets(insets.x(), insets.y());
    }
    return 0;
}

void CQOR2View::OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated)
{
    CGetAnsView::OnActivateView(bActivate, pActivated, pDeactivated);
    if (bActivate && pActivated == this) {
        IViewShell::Of(&GetProgramRun()).SetCurrentView(this);
        if (CTabbedViewView* host = GetHost())
            host->m_pLastPlanView = this;
    }
    viewport()->update();
}

bool CQOR2View::GibAnzeigeFrei(CFahrzeug* pFahrzeug)
{
    // Only the pointer is compared: the vehicle may be half destroyed when its plan goes.
    if (!pFahrzeug || pFahrzeug != m_pAnzeigeFahrzeug)
        return false;
    m_pAnzeigeFahrzeug = nullptr;
    // The plan goes away: nothing of it may be pointed at any more.
    ClearPtrMap();
    m_pGuiHover = nullptr;
    m_pLgGedrueckt = nullptr;
    return true;
}

void CQOR2View::PlanGeht(const CQOR* pPlan)
{
    if (pPlan == m_pAnzeigePlan)
        m_pAnzeigePlan = nullptr;
}

// The screen records that follow are of pV's plan: the view registers with that plan, which tells it
// when it goes.
void CQOR2View::MeldeAnzeige(CFahrzeug* pV)
{
    m_pAnzeigeFahrzeug = pV;
    CQOR* pPlan = pV->GetQor();
    if (pPlan == m_pAnzeigePlan)
        return;
    if (m_pAnzeigePlan && m_pAnzeigePlan->GetAnzeige() == this)
        m_pAnzeigePlan->SetAnzeige(nullptr);
    m_pAnzeigePlan = pPlan;
    if (pPlan)
        pPlan->SetAnzeige(this);
}

void CQOR2View::RecalcSchwerpunkt(bool bFahrzeugGeaendert)
{
    CFahrzeug* f = GetFahrzeug();
    CQOR* q = GetPlan();
    if (!f || !q)
        return;
    q->UpdateSchwerpunkt();
    m_nNutzbarerBereich = f->CalcNutzbarerBereich();
    viewport()->update(m_treffer.rcSchwerpunkt);
    if (CQOR1Doc* pDoc = GetDocument()) {
        if (bFahrzeugGeaendert)
            pDoc->OnFahrzeugChanged(true);
        else
            pDoc->OnLadungChanged(true);
    }
    viewport()->update();
}

void CQOR2View::Benachrichtige(bool bFahrzeugGeaendert)
{
    viewport()->update();
    CQOR1Doc* pDoc = GetDocument();
    if (pDoc)
        pDoc->SetModifiedFlag(true);
    if (CQOR* q = GetPlan())
        q->m_bModified = 1;
    if (pDoc)
        pDoc->UpdateFrameTitle();
    // The load-changed flag: the curve the recalculation builds is the vehicle's, so its chart need not be
    // rebuilt for a change of loads.
    if (CFahrzeug* f = GetFahrzeug())
        f->SetLadungBewegt();
    RecalcSchwerpunkt(bFahrzeugGeaendert);
    m_nPlatzStatus = CPlanPlatzierung::kFrei;
    ++m_nBenachrichtigungen;
}

void CQOR2View::MeldeInfo(const std::string& caption, const std::string& text)
{
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromStdString(caption),
                                QString::fromStdString(text), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

// --- placement, view side ----------------------------------------------------------------------------

void CQOR2View::FillFestRects()
{
    // Setting the plan empties every list; the other list of the same operation must stay.
    if (m_platz.GetPlan() != GetPlan())
        m_platz.SetPlan(GetPlan());
    m_platz.m_pAuswahl = GetAuswahl();
    m_platz.FillFestRects();
}

void CQOR2View::FillZiehRects()
{
    // Setting the plan empties every list; the other list of the same operation must stay.
    if (m_platz.GetPlan() != GetPlan())
        m_platz.SetPlan(GetPlan());
    m_platz.m_pAuswahl = GetAuswahl();
    m_platz.FillZiehRects();
}

bool CQOR2View::VerschiebeAuswahl(int dx, int dy, bool bMitFsm, bool bNurVorhandene)
{
    CQOR* q = GetPlan();
    if (!q)
        return false;
    m_platz.SetPlan(q);
    m_platz.m_pAuswahl = GetAuswahl();
    m_platz.m_bGruppenModus = false;
    const bool bBewegt = m_platz.VerschiebeAuswahl(dx, dy, bMitFsm, bNurVorhandene);
    m_nPlatzStatus = m_platz.m_nPlatzStatus;
    if (bBewegt)
        Benachrichtige();
    // A plan exists: the call counts as done whatever the outcome.
    return true;
}

bool CQOR2View::DreheAuswahl(int nGrad)
{
    CQOR* q = GetPlan();
    if (!q)
        return false;
    m_platz.SetPlan(q);
    m_platz.m_pAuswahl = GetAuswahl();
    const bool bGedreht = m_platz.DreheAuswahl(nGrad);
    m_platz.m_bGruppenModus = false;
    m_nPlatzStatus = m_platz.m_nPlatzStatus;
    if (!bGedreht)
        return false;
    Benachrichtige();
    return true;
}

int CQOR2View::AddMultipleLadungen(const SLadungVorlage& item, int n, double dMasse, int nRotation)
{
    CQOR* q = GetPlan();
    if (!q || n <= 0)
        return 0;
    m_platz.SetPlan(q);
    m_platz.m_bAutoPlatzieren = true;
    const int nPlatziert = m_platz.AddMultipleLadungen(item, n, dMasse, nRotation);
    m_platz.m_bAutoPlatzieren = false;
    if (nPlatziert > 0) {
        m_pGuiAuswahl = nullptr;
        Benachrichtige();
    }
    if (nPlatziert < n)
        MeldeInfo(LoadResString(26), FormatResChecked(25, {nPlatziert, n}));
    return nPlatziert;
}

void CQOR2View::LoescheLadungen()
{
    CQOR* q = GetPlan();
    if (!q)
        return;
    std::vector<tagLGINFO*> weg;
    for (tagLGINFO* p : q->GetLgInfos())
        if (p->m_bSelected)
            weg.push_back(p);
    if (weg.empty()) {
        if (tagLGINFO* p = GetAuswahl())
            weg.push_back(p);
    }
    if (weg.empty())
        return;
    for (tagLGINFO* p : weg) {
        // Every reference to the load goes with it: hover, current, context, pressed, the plan's current.
        for (tagLGINFO** pp : {&m_pGuiHover, &m_pGuiAuswahl, &m_pGuiKontext, &m_pLgGedrueckt})
            if (*pp == p)
                *pp = nullptr;
        if (m_platz.m_pAuswahl == p)
            m_platz.m_pAuswahl = nullptr;
        if (q->m_pAktuell == p)
            q->m_pAktuell = nullptr;
        q->RemoveLgInfo(p);
    }
    m_platz.m_ZiehRects.clear();
    m_platz.m_FestRects.clear();
    m_platz.m_GruppenRects.clear();
    m_platz.m_GruppenStartRects.clear();
    q->NumberEqualNames(true);
}

bool CQOR2View::LoeschenAuswahl()
{
    CQOR* q = GetPlan();
    if (!q || q->CountSelectedLgInfo(true) == 0 || q->HasSelectedAssignedLgInfo())
        return false;
    LoescheLadungen();
    Benachrichtige();
    return true;
}

void CQOR2View::ClearAktuell(bool bAuswahlLoeschen)
{
    m_pGuiAuswahl = nullptr;
    viewport()->update();
    CQOR* q = GetPlan();
    if (!q)
        return;
    q->m_pAktuell = nullptr;
    if (bAuswahlLoeschen)
        for (tagLGINFO* p : q->GetLgInfos())
            p->m_bSelected = 0;
}

void CQOR2View::SetAktuellFromHover()
{
    tagLGINFO* p = GetHover();
    m_pGuiAuswahl = p;
    if (CQOR* q = GetPlan())
        q->m_pAktuell = p;
    viewport()->update();
}

bool CQOR2View::IsVerschiebbar(bool bAktuell) const
{
    CQOR* q = GetPlan();
    if (!q)
        return false;
    if (!bAktuell)
        return !q->HasSelectedAssignedLgInfo();
    // A load unit carries no state that holds its members in place, so the current load may move.
    return true;
}

void CQOR2View::InvalidateNachbarn(bool /*b3DNeu*/, bool bKurveNeu)
{
    CFahrzeug* f = GetFahrzeug();
    if (bKurveNeu && f)
        f->SetDiagrammVeraltet(true);
    // The neighbours are the other panes of the splitter tab: the template view and the 3D view.
    CTabbedViewView* host = GetHost();
    if (!host || !host->IsSplitterTabSelected())
        return;
    for (int nRow = 0; nRow < 2; ++nRow)
        if (CGetAnsView* v = host->GetPaneView(nRow); v && v != this)
            v->viewport()->update();
}

const PlanAufzeichnung::Ladungen& CQOR2View::GetGuiLg() const
{
    // Without records the document is not asked (it may be gone with the plan).
    return m_aufzeichnung.Fuer(m_aufzeichnung.IstLeer() ? nullptr : GetPlan());
}

void CQOR2View::ClearPtrMap()
{
    m_aufzeichnung.Verwirf();
    m_pGuiAuswahl = nullptr;
    m_pGuiKontext = nullptr;
    auto& tools = m_zeichnung.tools;
    for (auto it = tools.begin(); it != tools.end();)
        it = it->first >= kToolErsteLadung && it->first < kToolErsteLadung + 10000 ? tools.erase(it)
                                                                                   : std::next(it);
}

// --- export --------------------------------------------------------------------------------------

QImage CQOR2View::RenderExport()
{
    CFahrzeug* f = GetFahrzeug();
    if (!f || f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return QImage();
    // The export draws at zoom 1 on a scale of its own; the view's stays as the screen left it.
    CPlanPainter::SErgebnis erg;
    m_painter.ZeichneExport(Eingabe(*f, true), erg);
    if (!erg.exportBild.isNull())
        m_letzterExport = erg.exportMasse;
    return erg.exportBild;
}

bool CQOR2View::ExportBild(int nAuswahl)
{
    const std::filesystem::path& folder = GetProgramFolders().pictures;
    return !folder.empty() && ExportBild(nAuswahl, folder);
}

bool CQOR2View::ExportBild(int nAuswahl, const std::filesystem::path& folder)
{
    const std::filesystem::path datei = folder / (nAuswahl == 1 ? "BP_SUP.bmp" : "BP_INF.bmp");
    // A report must not pick up an old picture when this one fails.
    std::error_code ec;
    std::filesystem::remove(datei, ec);
    if (ec)
        return false;
    const QImage bild = RenderExport();
    if (bild.isNull())
        return false;
    return WriteDIBSectionToBmp(QString::fromStdString(datei.string()), bild);
}

// --- drawing -------------------------------------------------------------------------------------

void CQOR2View::OnDraw(QPainter& painter)
{
    Zeichnen(painter);
}

void CQOR2View::DrawOverlay(QPainter& painter)
{
    if (m_bPositionsLinien) {
        painter.save();
        painter.translate(-GetScrollPosition());
        CPlanPainter::ZeichnePositionsLinien(painter, m_massstab, m_dLinienX, m_dLinienY);
        painter.restore();
    }
    m_pGesten->Zeichne(painter);
}

int CQOR2View::GetSchwerpunktBild() const
{
    CFahrzeug* f = GetFahrzeug();
    return CPlanPainter::SchwerpunktBild(f ? BeurteileSchwerpunkt(*f) : SchwerpunktLage::kAusserhalb);
}

CPlanPainter::SEingabe CQOR2View::Eingabe(CFahrzeug& v, bool bExport)
{
    CPlanPainter::SEingabe ein;
    CQOR1Doc* pDoc = GetDocument();
    ein.pFahrzeug = &v;
    ein.pPlan = v.GetQor();
    ein.pVorn = pDoc ? pDoc->GetAktivFahrzeug(false) : &v;
    ein.pErstes = pDoc ? pDoc->GetFirstFahrzeug() : nullptr;
    ein.bAnhaenger = pDoc && pDoc->GetAnhaenger();
    if (const CQOR* q = v.GetQor()) {
        ein.eSchwerpunkt = BeurteileSchwerpunkt(v);
        ein.fQuerAbstand = QuerAbstand(v, static_cast<float>(q->GetMasse()));
    }
    ein.bExport = bExport;
    ein.nExportBreite = m_nExportBreite;
    ein.nExportHoehe = m_nExportHoehe;
    ein.scroll = GetScrollPosition();
    ein.fenster = viewport()->size();
    ein.rand = ResolveInsets();
    ein.nPlanUrsprungX = GetPlanOriginX();
    ein.nStreifenHoehe = m_pBtnsAnsicht && m_pBtnsAnsicht->HasWindow() ? m_pBtnsAnsicht->height() : -1;
    ein.massstab = m_massstab;
    if (bExport)
        ein.massstab.dZoom = 1.0;
    ein.nMaxPixelProMeter = m_nMaxPixelProMeter;
    ein.bFensterAnpassung = m_bFensterAnpassung;
    ein.bRampenModus = m_bRampenModus && m_pLaderampe;
    if (ein.bRampenModus) {
        ein.dRampenHoehe = m_pLaderampe->GetHoeheMeter();
        ein.nRampenLeiste = m_pLaderampe->GetLeistenHoehe();
    }
    ein.bRampe = IsLaderampeSichtbar();
    ein.pHover = GetHover();
    ein.pAuswahl = GetAuswahl();
    ein.dAuswahlY = ein.pAuswahl ? GetAuswahlY() : 0.0;
    ein.bGestenAktiv = m_pGesten->IsAktiv();
    ein.bTasteUnten = m_bTasteUnten;
    ein.bZiehen = m_bZiehen;
    ein.bGruppenModus = m_bGruppenModus;
    ein.bLgAuswahlZiehen = m_bLgAuswahlZiehen;
    ein.bLgZiehen = m_bLgZiehen;
    ein.nEinheitBits = m_nEinheitBits;
    ein.bGummiband = m_bGummiband;
    ein.bGummibandRahmen = m_bGummibandRahmen;
    ein.rcGummiband = m_rcGummiband;
    ein.bBeschriftung = m_bAnzeige33285;
    ein.nNutzbarerBereich = m_nNutzbarerBereich;
    return ein;
}

void CQOR2View::Zeichnen(QPainter& painter)
{
    CFahrzeug* pV = GetFahrzeug();
    // Records of another vehicle's loads are of no use.
    if (m_pAnzeigeFahrzeug && pV != m_pAnzeigeFahrzeug) {
        ClearPtrMap();
        m_pAnzeigeFahrzeug = nullptr;
    }
    if (!pV)
        return;
    MeldeAnzeige(pV);
    if (pV->GetArt() != FahrzeugArt::kSattelzugmaschine)
        ZeigeLaderampe();
    m_painter.Zeichne(painter, Eingabe(*pV, false), m_zeichnung);
    m_massstab = m_zeichnung.massstab;
    if (m_zeichnung.bLadungenVerworfen)
        m_aufzeichnung.Verwirf();
    if (const CQOR* q = pV->GetQor())
        m_aufzeichnung.Uebernimm(*q, m_zeichnung.ladungen);
    if (m_zeichnung.bRandGeaendert) {
        const QPoint rand = m_zeichnung.rand;
        PostViewNotify(false, AnsichtMeldung::kRaender, AnsichtWert::Raender(rand));
    }
    if (m_zeichnung.bLadungenVerworfen) {
        m_pGuiAuswahl = nullptr;
        m_pGuiKontext = nullptr;
    }
    if (!m_zeichnung.bPlan)
        return;
    m_pGesten->m_rcZoomGriff = m_zeichnung.rcZoomGriff;
    m_pGesten->m_rcBreitenGriff = m_zeichnung.rcBreitenGriff;
    SetzeRampeUndScrollGroesse();
    FordereRampenRaum();
    m_treffer = m_zeichnung.treffer;
    // Open position fields follow their load once this paint is done.
    if (GetReglerX() || GetRegler())
        QMetaObject::invokeMethod(this, &CQOR2View::FolgeRegler, Qt::QueuedConnection);
}

void CQOR2View::ZeigeLaderampe()
{
    if (!m_pLaderampe || m_bRampenModus == m_pLaderampe->IsVisible())
        return;
    m_pLaderampe->Show(m_bRampenModus);
    // Laid out again under the load area once the paint has worked out the scale.
    m_dRampenMassstab = 0.0;
}

// A view without a ramp (or whose ramp cannot show) draws as without ramp mode.
bool CQOR2View::IsLaderampeSichtbar() const
{
    return m_bRampenModus && m_pLaderampe && m_pLaderampe->IsVisible();
}

void CQOR2View::showEvent(QShowEvent* e)
{
    CGetAnsView::showEvent(e);
    m_bRampenRaumPruefen = true;
}

void CQOR2View::FordereRampenRaum()
{
    if (!m_bRampenRaumPruefen || !m_zeichnung.bRampe)
        return;
    m_bRampenRaumPruefen = false;
    const int nFehlt = m_zeichnung.nRampenMindestHoehe - viewport()->height();
    CTabbedViewView* pHost = GetHost();
    if (nFehlt <= 0 || !pHost || !IsInVisibleSplitterPane())
        return;
    // Not from inside the paint: the pane is resized once it is done.
    QMetaObject::invokeMethod(
        pHost,
        [pHost, self = QPointer<CQOR2View>(this), nFehlt] {
            if (self)
                pHost->GrowRow(self, nFehlt);
        },
        Qt::QueuedConnection);
}

void CQOR2View::SetzeRampeUndScrollGroesse()
{
    const CPlanPainter::SErgebnis& z = m_zeichnung;
    // The ramp is laid out again for another origin and for another scale: a zoom changes its length
    // and the place under the load area where it belongs.
    if (z.bRampe && (m_pLaderampe->GetPlanOrigin() != z.ladeflaeche || m_dRampenMassstab != z.dMassstab)) {
        m_pLaderampe->CalcExtent(z.ladeflaeche.x(), z.ladeflaeche.y());
        m_dRampenMassstab = z.dMassstab;
    }
    if (z.bRampe && m_pLaderampe->IsRepositionPending())
        m_pLaderampe->Reposition(z.nRampeOben);
    const int cx = std::max(z.bRampe ? m_pLaderampe->GetExtentX() + 10 : 0, z.planGroesse.width());
    int cy = z.planGroesse.height();
    // In ramp mode the band of tiles covers the bottom of the window: the ramp scrolls clear of it.
    if (z.bRampe)
        cy += m_pLaderampe->GetWindowRect().height() - 29 + m_pLaderampe->GetLeistenHoehe();
    const QSize total(cx, cy);
    if (total != m_sizeScrollGesamt || GetTotalSize() != total) {
        m_sizeScrollGesamt = total;
        if (m_sizePage.isEmpty())
            m_sizePage = QSize(Trunc(m_massstab.dZoom * 500), Trunc(m_massstab.dZoom * 250));
        if (m_sizeLine.isEmpty())
            m_sizeLine = QSize(50, 20);
        SetScrollSizes(total, m_sizePage, m_sizeLine);
    }
}

// --- mouse ---------------------------------------------------------------------------------------

void CQOR2View::mousePressEvent(QMouseEvent* e)
{
    const bool bStrg = e->modifiers() & Qt::ControlModifier;
    if (e->button() == Qt::LeftButton)
        m_pGesten->Druecken(e->position().toPoint(), bStrg, e->modifiers() & Qt::ShiftModifier);
    else if (e->button() == Qt::RightButton)
        m_pGesten->RechtsDruecken(e->position().toPoint(), bStrg);
    SetzeCursor();
}

void CQOR2View::mouseMoveEvent(QMouseEvent* e)
{
    m_pGesten->Bewegen(e->position().toPoint(), e->modifiers() & Qt::ControlModifier);
    SetzeCursor();
}

void CQOR2View::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        m_pGesten->Loslassen(e->position().toPoint(), e->modifiers() & Qt::ControlModifier);
    SetzeCursor();
}

void CQOR2View::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    if (const int nId = m_pGesten->Doppelklick(e->position().toPoint()))
        emit BefehlAngefordert(nId);
}

void CQOR2View::PlatziereStreifen()
{
    // The strips side by side at the top left, 10 pixels apart, scrolled with the plan: they keep to
    // the band above the drawing and never float over it.
    const QPoint scroll = GetScrollPosition();
    int x = 15 - m_insetsStreifen.x() - scroll.x();
    for (CRibBtnContainer* strip : {m_pBtnsAnsicht, m_pBtnsHilfe})
        if (strip && strip->HasWindow()) {
            strip->SetWindowPosAndShape(x, 10 - m_insetsStreifen.y() - scroll.y());
            x += strip->width() + 10;
        }
}

void CQOR2View::scrollContentsBy(int dx, int dy)
{
    CGetAnsView::scrollContentsBy(dx, dy);
    PlatziereStreifen();
    if (m_pLaderampe && m_pLaderampe->IsVisible())
        m_pLaderampe->Reposition(-1);
}

void CQOR2View::SetzeCursor()
{
    const int nId = m_pGesten->GetCursorId();
    if (nId == 0)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(ViewCursors::Load(nId));
}

bool CQOR2View::DragLadungFromRampe(const SLadungVorlage& item, QPoint pt, int nRotation, double dMasse,
                                    QPoint griff)
{
    const bool bGestartet = m_pGesten->DragLadungFromRampe(item, pt, nRotation, dMasse, griff);
    SetzeCursor();
    return bGestartet;
}

bool CQOR2View::RampenZiehenStart(const SLadungVorlage& item, QPoint pt, int nRotation, double dMasse,
                                  QPoint griff)
{
    return DragLadungFromRampe(item, pt, nRotation, dMasse, griff);
}

void CQOR2View::RampenZiehen(QPoint pt)
{
    m_pGesten->Bewegen(pt, false);
    SetzeCursor();
}

void CQOR2View::RampenLoslassen(QPoint pt)
{
    m_pGesten->Loslassen(pt, false);
    SetzeCursor();
}

void CQOR2View::RampenZurueck(QPoint pt)
{
    m_pGesten->RampeZurueck(pt);
    SetzeCursor();
}

int CQOR2View::RampenMehrere(const SLadungVorlage& item, int n, double dMasse, int nRotation)
{
    return AddMultipleLadungen(item, n, dMasse, nRotation);
}

void CQOR2View::RampenFsmUmriss(const QRect* pUmriss, const QRect* pPlatz)
{
    m_pGesten->SetFsmUmriss(pUmriss, pPlatz);
}

void CQOR2View::RampenAbgelegt(const tagLGINFO& /*lg*/)
{
    // The change steps recompute the centre of gravity too.
    Benachrichtige();
}

int CQOR2View::EditFsm(tagLGINFO* pLg)
{
    if (!pLg)
        return CPlanGesten::kFsmAbbruch;
    IPlanDialogs::FsmValues werte = PlanDialogWerte::FsmWerte(*pLg, GetFahrzeug(), GetPlan());
    if (pLg->GetDimX() > 0.0 && pLg->GetDimY() > 0.0) {
        // The load's box as drawn, at least a pixel each way.
        QRect rc = m_massstab.Rechteck(pLg->m_dPosX, pLg->m_dPosY, pLg->GetDimX(), pLg->GetDimY());
        rc.setSize(rc.size().expandedTo(QSize(1, 1)));
        werte.rcAnker = QRect(viewport()->mapToGlobal(rc.topLeft() - GetScrollPosition()), rc.size());
    }
    if (!IPlanDialogs::Of(&GetProgramRun()).EditFsm(this, werte))
        return CPlanGesten::kFsmAbbruch;
    PlanDialogWerte::UebernimmFsm(*pLg, werte);
    return CPlanGesten::kFsmOk;
}
