// The loading-plan view: creation, scale, document updates, the plan drawing in layers, the placed
// loads, the plan overlays, the picture export and the view side of placement.
#include "views/CQOR2View.h"

#include "draw2d/SicherungsMarke.h"
#include "model/plan/SicherungsStand.h"
#include "views/CTabbedViewView.h"
#include "views/ILoadingRamp.h"
#include "views/IPlanDialogs.h"
#include "views/IViewShell.h"

#include "draw2d/FontTable.h"
#include "draw2d/RasterOp.h"
#include "draw2d/ViewCursors.h"
#include "model/base/ProgramFolders.h"
#include "model/document/CQOR1Doc.h"
#include "model/plan/CLadeeinheit.h"
#include "model/plan/CPlanAnzeige.h"
#include "model/plan/FsmAnlage.h"
#include "model/plan/SLadungVorlage.h"
#include "model/plan/tagLGINFO.h"
#include "model/text/ResourceText.h"
#include "model/text/TextFormat.h"
#include "model/text/TextProvider.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SYs2X.h"
#include "platform/BmpFile.h"
#include "ui/CRibBtnContainer.h"
#include "ui/ResourcePictures.h"

#include <QFontMetrics>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <set>
#include <system_error>
#include <vector>

namespace {

// The mark in the corners of a load unit with defects.
constexpr std::uint32_t kBildMangel = 1410;

// The vehicle of the previous drawing, shared by every plan view while the program runs.
const CFahrzeug* s_pLetztesFahrzeug = nullptr;

// Every live plan view, so that a plan being destroyed reaches the view that shows it.
std::set<CQOR2View*>& Views()
{
    static std::set<CQOR2View*> views;
    return views;
}

// Hands a plan's release to every plan view.
class AnzeigeVerteiler : public IQorAnzeige
{
public:
    bool GibAnzeigeFrei(CFahrzeug* pFahrzeug) override
    {
        bool bFrei = false;
        for (CQOR2View* v : Views())
            bFrei = v->GibAnzeigeFrei(pFahrzeug) || bFrei;
        return bFrei;
    }
};

AnzeigeVerteiler s_verteiler;

int Trunc(double v)
{
    return static_cast<int>(v);
}

QString Text(std::uint32_t id)
{
    return QString::fromStdString(LoadResString(id));
}

// Extents of a load along and across the vehicle by its rotation; -1.0 for an unknown rotation.
double AusdehnungX(const tagLGINFO& lg)
{
    switch (lg.m_nDrehung) {
    case 0:
    case 180:
        return lg.m_dLaenge;
    case 90:
    case 270:
        return lg.m_dBreite;
    default:
        return -1.0;
    }
}

double AusdehnungY(const tagLGINFO& lg)
{
    switch (lg.m_nDrehung) {
    case 0:
    case 180:
        return lg.m_dBreite;
    case 90:
    case 270:
        return lg.m_dLaenge;
    default:
        return -1.0;
    }
}

// A rectangle given by its corners, the right and bottom edges exclusive as in the drawing formulas.
QRect Ecken(int l, int t, int r, int b)
{
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

// A rectangle outline along the edges (l, t) .. (r - 1, b - 1).
void Rahmen(QPainter& p, const QRect& rc)
{
    p.drawRect(rc.adjusted(0, 0, -1, -1));
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
    m_fontKlein = FontTable::MakeFont("Arial", 10, 400);
    m_fontTitel = FontTable::MakeFont("Segoe UI", 18, 600);
    m_fontNormal = FontTable::MakeFont("Segoe UI", 14, 400);
    m_fontMittel = FontTable::MakeFont("Segoe UI", 15, 400);
    m_fontLabel = FontTable::MakeFont("Arial", 14, 400);
    m_fontSenkrecht = FontTable::MakeFont("Arial", 12, 400);
    m_fontSchmal = FontTable::MakeFont("Arial Narrow", 14, 400);
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
    LadeBilder();
    Views().insert(this);
    CQOR::s_pAnzeige = &s_verteiler;
}

CQOR2View::~CQOR2View()
{
    Views().erase(this);
    if (Views().empty() && CQOR::s_pAnzeige == &s_verteiler)
        CQOR::s_pAnzeige = nullptr;
    ClearPtrMap();
}

void CQOR2View::LadeBilder()
{
    const std::uint32_t marker[3] = {260, 268, 267};
    for (int i = 0; i < 3; ++i)
        m_bmSchwerpunkt[i].LoadBitmap(marker[i]);
    m_bmLgSchwerpunkt.LoadBitmap(266);
    m_bmFahrerhaus.LoadBitmap(459);
    m_bmFahrerhausLang.LoadBitmap(461);
    m_bmDeichselStarr.LoadBitmap(466);
    m_bmDeichsel.LoadBitmap(468);
    m_musterLadeflaeche = LoadCxImageFromResource(kMusterLadeflaeche, PICTURE_FORMAT_BITMAP);
    m_musterEinheit = LoadCxImageFromResource(kMusterEinheit, PICTURE_FORMAT_BITMAP);
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

bool CQOR2View::IsImPlan(const tagLGINFO* p) const
{
    CQOR* q = GetPlan();
    if (!p || !q)
        return false;
    const auto l = q->GetLgInfos();
    return std::find(l.begin(), l.end(), p) != l.end();
}

tagLGINFO* CQOR2View::Gueltig(tagLGINFO* p) const
{
    return IsImPlan(p) ? p : nullptr;
}

// --- creation, scale, updates ----------------------------------------------------------------------

void CQOR2View::OnInitialUpdate()
{
    m_sizeLine = QSize(50, 20);
    m_sizePage = QSize(Trunc(m_dZoom * 500), Trunc(m_dZoom * 250));
    SetScrollSizes(QSize(Trunc(m_dZoom * 1000), Trunc(m_dZoom * 500)), m_sizePage, m_sizeLine);
    SetTool(kToolSchwerpunkt, QRect(), QString());
    SetTool(kToolRandVorn, QRect(), QString());
    SetTool(kToolRandHinten, QRect(), QString());
    SetTool(kToolRandOben, QRect(), QString());
    SetTool(kToolRandUnten, QRect(), QString());
    CGetAnsView::OnInitialUpdate();
}

int CQOR2View::MetresToPixels(double dMetres)
{
    return static_cast<int>(std::floor(dMetres * m_dZoom * m_nPixelProMeterX + m_dRundung));
}

double CQOR2View::PixelsToMetres(int nPixels)
{
    return nPixels / m_dZoom / m_nPixelProMeterX;
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

int CQOR2View::OnViewNotify(int nCode, int nValue)
{
    if (nCode == kNotifyVehicleSwitched) {
        if (m_pLaderampe)
            m_pLaderampe->ResetIndices();
        return CGetAnsView::OnViewNotify(nCode, nValue);
    }
    if (const int n = CGetAnsView::OnViewNotify(nCode, nValue))
        return n;
    if (nCode == kNotifyInsets) {
        // With a 0xFFFF word the insets are derived for that word and the other word counts 0.
        const int lo = nValue & 0xFFFF, hi = (nValue >> 16) & 0xFFFF;
        QPoint insets(lo, hi);
        if (lo == 0xFFFF || hi == 0xFFFF) {
            const QPoint d = ResolveInsets(0xFFFF | (0xFFFF << 16));
            insets = QPoint(lo == 0xFFFF ? d.x() : 0, hi == 0xFFFF ? d.y() : 0);
        }
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
    CFahrzeug::s_nLaderampeBewegt = 1;
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

void CQOR2View::SetTool(int nId, const QRect& rc, const QString& text)
{
    m_tools[nId] = SToolArea{rc, text};
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
        m_mapGuiLg.erase(p);
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

void CQOR2View::ClearPtrMap()
{
    m_mapGuiLg.clear();
    m_pGuiAuswahl = nullptr;
    m_pGuiKontext = nullptr;
    for (auto it = m_tools.begin(); it != m_tools.end();)
        it = it->first >= kToolErsteLadung && it->first < kToolErsteLadung + 10000 ? m_tools.erase(it)
                                                                                   : std::next(it);
}

// --- export --------------------------------------------------------------------------------------

QImage CQOR2View::RenderExport()
{
    CFahrzeug* f = GetFahrzeug();
    if (!f || f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return QImage();
    const double dZoom = m_dZoom;
    m_bBildExport = true;
    m_dZoom = 1.0;
    QImage bild;
    {
        // The drawing sizes the picture itself; the painter is opened on it there.
        QImage leer(1, 1, QImage::Format_RGB32);
        QPainter p(&leer);
        ZeichnePlan(p, QSize(), QPoint());
        p.end();
        bild = m_exportBild;
    }
    m_exportBild = QImage();
    m_dZoom = dZoom;
    m_bBildExport = false;
    return bild;
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
    ZeichnePlan(painter, viewport()->size(), GetScrollPosition());
}

void CQOR2View::DrawOverlay(QPainter& painter)
{
    if (m_bPositionsLinien) {
        painter.save();
        painter.translate(-GetScrollPosition());
        DrawPositionsLinien(painter, true);
        painter.restore();
    }
    m_pGesten->Zeichne(painter);
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
    IPlanDialogs::FsmValues werte;
    werte.nTyp = pLg->m_nTyp;
    werte.strName = pLg->m_strName;
    werte.dLaenge = pLg->m_dLaenge;
    werte.dBreite = pLg->m_dBreite;
    werte.dHoehe = pLg->m_dHoehe;
    werte.dMasse = pLg->m_dMasse;
    werte.strText = pLg->m_strZusatzText;
    pLg->GetBildDatei(werte.strBild);
    werte.nSeite = pLg->GetFsmSeite();
    werte.nKontakt = pLg->GetFuellmittel();
    werte.nZellen = pLg->m_nZusatzInt;
    // Where the element lies gives the side, contact kind and cells the dialog offers beside the item's.
    if (const CFahrzeug* f = GetFahrzeug()) {
        int nArt = 0;
        const int nSeite = GetFsmAnlage(*f, GetPlan(), *pLg, &nArt);
        werte.nKatSeite = nSeite;
        werte.nKatKontakt = nArt;
        if (nArt == 1) {
            int nAnzahl = 0, nBelegt = 0;
            GetFsmRaster(*f, *pLg, nSeite, &nAnzahl, &nBelegt);
            werte.nKatZellen = nBelegt;
            if (pLg->m_nTyp == 5)
                werte.dHoehe = static_cast<double>(nSeite == 3 ? 1.2f : 0.85f);
        }
    }
    const double dSx = m_nPixelProMeterX * m_dZoom;
    const double dSy = m_nPixelProMeterY * m_dZoom;
    if (pLg->GetDimX() > 0.0 && pLg->GetDimY() > 0.0) {
        const QPoint o = m_ptUrsprung - GetScrollPosition();
        const QRect rc(QPoint(static_cast<int>(std::floor(pLg->m_dPosX * dSx)) + o.x(),
                              static_cast<int>(std::floor(pLg->m_dPosY * dSy)) + o.y()),
                       QSize(std::max(1, static_cast<int>(std::ceil(pLg->GetDimX() * dSx))),
                             std::max(1, static_cast<int>(std::ceil(pLg->GetDimY() * dSy)))));
        werte.rcAnker = QRect(viewport()->mapToGlobal(rc.topLeft()), rc.size());
    }
    if (!IPlanDialogs::Of(&GetProgramRun()).EditFsm(this, werte))
        return CPlanGesten::kFsmAbbruch;
    pLg->m_strName = werte.strName;
    pLg->m_dHoehe = werte.dHoehe;
    pLg->m_dMasse = werte.dMasse;
    pLg->m_dSPMasse = werte.dMasse;
    // The tool tip and the reports show the first text, the file keeps the second: both change.
    pLg->m_strText = werte.strText;
    pLg->m_strZusatzText = werte.strText;
    pLg->m_nZusatzInt = werte.nZellen;
    if (werte.nSeite >= 0)
        pLg->m_nState = (pLg->m_nState & ~(7 << 9)) | ((werte.nSeite & 7) << 9);
    pLg->m_nState = (pLg->m_nState & ~(7 << 12)) | ((werte.nKontakt & 7) << 12);
    return CPlanGesten::kFsmOk;
}

namespace {

enum Ausrichtung
{
    kLinks,
    kMitte,
    kRechts,
};

// Text whose cell has its top at y and its left edge, centre or right edge at x; answers the cell.
QRect TextAus(QPainter& p, int x, int y, const QString& text, Ausrichtung a)
{
    const QFontMetrics fm(p.font());
    const int w = fm.horizontalAdvance(text);
    const int left = a == kLinks ? x : a == kMitte ? x - w / 2 : x - w;
    p.drawText(left, y + fm.ascent(), text);
    return QRect(left, y, w, fm.height());
}

QString Zahl(double v)
{
    return QString::number(std::round(v), 'f', 0);
}

// Height of the button strips above the plan when they could not be made.
constexpr int kStreifenHoehe = 26;
// Plan origin x when no template view gives one.
constexpr int kUrsprungX = 100;

} // namespace

// The layout of one paint of the plan: the vehicle, the load area's size and borders, and where the
// drawing puts them.
struct CQOR2View::PlanLage
{
    CQOR1Doc* pDoc = nullptr;
    CFahrzeug* pV = nullptr;
    CQOR* pPlan = nullptr;
    bool bExport = false;
    // The vehicle model keeps no drawing margins around the load area.
    double dF = 0.0, dR = 0.0, dL = 0.0, dU = 0.0;
    int mF = 0, mR = 0, mL = 0, mU = 0;
    double L = 0.0, W = 0.0;
    double e[4] = {};
    double dRundung = 0.0;
    // The insets of the view's edge and the painter's scroll offset (none when exporting).
    QPoint rand, scr;
    // The load area's top-left corner, the scale (pixels per metre) and the usable area's corner.
    int x0 = 0, y0 = 0;
    double s = 0.0;
    int ux = 0, uy = 0;
    // Load area and usable area in pixels.
    int lp = 0, wp = 0, uw = 0, uh = 0;
    // The plan's mass, whether it has something to show, and whether the loading ramp shows.
    double m = 0.0;
    bool bHatLadung = false;
    bool bRampe = false;
    // An export's margin left of the load area, room for the width figures of the grid.
    int nExportRand = 19;
    // And above it, room for the length figures over the load area.
    int nExportOben = 10;
    // What an export changes and gives back.
    QPoint ursprungAlt;
    int nScaleAltX = 0, nScaleAltY = 0;

    int Pr(double v) const { return static_cast<int>(std::floor(v + dRundung)); }
};

// The picture an export paints into, sized for the vehicle.
struct CQOR2View::PlanExport
{
    PlanExport() = default;
    // The painter holds the picture's address: neither may move.
    PlanExport(const PlanExport&) = delete;
    PlanExport& operator=(const PlanExport&) = delete;
    QImage bild;
    std::unique_ptr<QPainter> painter;
    int nScale = 0;
    int nRandLinks = 19;
    int nRandOben = 10;
};

void CQOR2View::ZeichnePlan(QPainter& screen, QSize client, QPoint scroll)
{
    (void)client;
    CFahrzeug* pV = GetFahrzeug();
    VergissAndereFahrzeuge(pV);
    if (!pV) {
        m_bBildExport = false;
        return;
    }
    m_pAnzeigeFahrzeug = pV;
    PlanLage g;
    g.pDoc = GetDocument();
    g.pV = pV;
    g.pPlan = pV->GetQor();
    g.bExport = m_bBildExport;
    g.L = pV->GetLFLaenge();
    g.W = static_cast<double>(pV->GetLFBreite());
    for (int i = 0; i < 4; ++i)
        g.e[i] = pV->GetRandabstand(i);
    g.dRundung = m_dRundung;
    const double sAlt = m_dZoom * m_nPixelProMeterX;
    g.mF = g.Pr(g.dF * sAlt);
    g.mR = g.Pr(g.dR * sAlt);
    g.mL = g.Pr(g.dL * sAlt);
    g.mU = g.Pr(g.dU * sAlt);

    // The display choices first: an export makes room for the grid's figures when they show.
    if (g.pPlan && pV->GetArt() != FahrzeugArt::kSattelzugmaschine)
        AktualisiereAnzeige(*g.pPlan, g.bExport);
    // Made in place: the painter holds the address of the picture it paints on.
    PlanExport exp;
    if (g.bExport) {
        BeginneExport(g, exp);
        g.nExportRand = exp.nRandLinks;
        g.nExportOben = exp.nRandOben;
    }
    QPainter& p = g.bExport ? *exp.painter : screen;
    p.save();
    g.scr = g.bExport ? QPoint() : scroll;
    SetTool(kToolSchwerpunkt, QRect(), m_tools[kToolSchwerpunkt].text);
    m_tools.erase(kToolBereichMass);
    SetzeUrsprung(g);
    if (pV->GetArt() == FahrzeugArt::kSattelzugmaschine) {
        ZeichneOhneLadeflaeche(p, g);
        p.restore();
        m_bBildExport = false;
        return;
    }
    if (!g.bExport)
        m_dFensterFaktor = FensterFaktor(g);
    SetzeMassstab(g, exp.nScale);

    PlanTreffer treffer;
    m_bAusGrundbild = ZeichneMitGrundbild(p, g);
    if (!m_bAusGrundbild) {
        ZeichneUnterlage(p, g);
        if (!g.bExport)
            SetzeRandTools(g);
        ZeichneLadungen(p, g);
    }
    g.bHatLadung = g.pPlan && (!g.pPlan->GetLgInfos().empty() || GetAuswahl());
    g.m = g.pPlan ? g.pPlan->GetMasse() : 0.0;
    if (m_anzeige.bBereichFarbig)
        DrawLadeflaechenBereich(p);
    else if (m_anzeige.bZulBereich && g.bHatLadung && pV->GetNutzlastKurve().GetBereichStatus() != 1 &&
             g.m > 0.0)
        ZeichneBereichBox(p, *pV, g.W, g.e, g.s, g.x0, g.y0);
    ZeichneRahmen(p, g);
    treffer.rcBtnWert = ZeichneBreitenMass(p, g);
    if (!g.bExport) {
        treffer.rcLadeflaeche = Ecken(g.x0, g.y0, g.x0 + g.lp, g.y0 + g.wp).translated(-g.scr);
        ZeichneKnoepfeUndGriffe(p, QRect(g.x0, g.y0, g.lp, g.wp), g.scr, treffer);
    }
    g.bRampe = ZeigeLaderampe(g.bExport);
    ZeichneBereichMass(p, g);
    treffer.rcSchwerpunkt = ZeichneSchwerpunkt(p, g);
    if (!g.bExport) {
        ZeichneGummiband(p, g);
        SetzeRampeUndScrollGroesse(g);
    }
    p.restore();

    if (g.bExport) {
        // The export gives back what it changed.
        exp.painter->end();
        m_exportBild = exp.bild;
        m_letzterExport = {exp.nScale, exp.nRandLinks, exp.nRandOben};
        m_nPixelProMeterX = g.nScaleAltX;
        m_nPixelProMeterY = g.nScaleAltY;
        m_ptUrsprungKorr = g.ursprungAlt;
        m_bBildExport = false;
    } else {
        m_treffer = treffer;
        // Open position fields follow their load once this paint is done.
        if (GetReglerX() || GetRegler())
            QMetaObject::invokeMethod(this, &CQOR2View::FolgeRegler, Qt::QueuedConnection);
    }
}

void CQOR2View::ZeichneUnterlage(QPainter& p, const PlanLage& g)
{
    if (!g.bExport)
        ZeichneFahrerhaus(p, g);
    ZeichneLadeflaeche(p, g);
    if (m_anzeige.bRasterZeigen)
        ZeichneRaster(p, g.L, g.W, g.e, g.s, g.x0, g.y0);
    ZeichneFokusRahmen(p, g);
}

void CQOR2View::SetGrundbildSpeicher(bool bAn)
{
    m_bGrundbildSpeicher = bAn;
    m_grundbild.Verwirf();
}

// The kept picture is copied pixel for pixel: only onto a picture of the same kind, moved by whole pixels,
// with nothing that would blend or clip the copy.
bool CQOR2View::GrundbildMoeglich(const QPainter& p) const
{
    if (!m_bGrundbildSpeicher || !p.device() || p.device()->devType() != QInternal::Image)
        return false;
    const auto* bild = static_cast<const QImage*>(p.device());
    const QTransform& t = p.transform();
    return bild->format() == QImage::Format_RGB32 && bild->devicePixelRatio() == 1.0 &&
           t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy()) && !p.hasClipping() && p.opacity() == 1.0 &&
           p.compositionMode() == QPainter::CompositionMode_SourceOver;
}

PlanGrundbild::SLage CQOR2View::GrundbildLage(const QPainter& p, const PlanLage& g) const
{
    PlanGrundbild::SLage k;
    k.geraet = static_cast<const QImage*>(p.device())->size();
    k.versatz = QPoint(static_cast<int>(p.transform().dx()), static_cast<int>(p.transform().dy()));
    k.stift = p.pen();
    k.pinsel = p.brush();
    k.schrift = p.font();
    k.nHinweise = static_cast<int>(p.renderHints());
    k.pFahrzeug = g.pV;
    k.pPlan = g.pPlan;
    const CFahrzeug* pFront = g.pDoc ? g.pDoc->GetAktivFahrzeug(false) : g.pV;
    k.pVorn = pFront;
    k.nVornArt = pFront ? pFront->GetArt() : -1;
    k.bVornArt5 = pFront && pFront->IsArt5();
    k.dAchse1 = pFront ? pFront->GetAchse1Abstand() : 0.0;
    k.bAnhaenger = g.pDoc && g.pDoc->GetAnhaenger();
    k.L = g.L;
    k.W = g.W;
    for (int i = 0; i < 4; ++i)
        k.e[i] = g.e[i];
    k.s = g.s;
    k.dZoom = m_dZoom;
    k.nPixelProMeterX = m_nPixelProMeterX;
    k.nPixelProMeterY = m_nPixelProMeterY;
    k.rand = g.rand;
    k.ursprung = m_ptUrsprung;
    k.letzterUrsprung = m_ptLetzterUrsprung;
    k.x0 = g.x0;
    k.y0 = g.y0;
    k.mF = g.mF;
    k.mU = g.mU;
    k.mR = g.mR;
    k.mL = g.mL;
    k.bRasterBeschriftung = m_anzeige.bRasterBeschriftung;
    k.bLadungenZeigen = m_anzeige.bLadungenZeigen;
    k.bRasterZeigen = m_anzeige.bRasterZeigen;
    k.bRichtungZeigen = m_anzeige.bRichtungZeigen;
    k.bBeschriftung = m_bAnzeige33285;
    k.dRasterX = m_anzeige.dRasterX;
    k.dRasterY = m_anzeige.dRasterY;
    k.nRasterSeite = m_anzeige.nRasterSeite;
    k.fontKlein = m_fontKlein;
    k.fontNormal = m_fontNormal;
    k.fontLabel = m_fontLabel;
    k.fontSenkrecht = m_fontSenkrecht;
    k.fontSchmal = m_fontSchmal;
    k.nMuster = m_musterLadeflaeche.cacheKey();
    k.titel = m_anzeige.bLadungenZeigen ? QString() : Text(18);
    return k;
}

bool CQOR2View::ZeichneMitGrundbild(QPainter& p, const PlanLage& g)
{
    if (g.bExport || !GrundbildMoeglich(p))
        return false;
    // The loads that stay, in their order; the moving ones are drawn after them, which gives the same
    // picture as long as none of them lies under a later one that stays. A load's drawing may reach
    // beyond its box (labels, the centre-of-gravity mark): the boxes are compared widened.
    std::vector<PlanGrundbild::SLadung> feste;
    if (g.pPlan && m_anzeige.bLadungenZeigen) {
        const tagLGINFO* pHover = GetHover();
        const bool bGedrueckt = IstGedrueckt(pHover);
        const int nSchrift = std::max(
            {m_labels.Height(m_fontLabel), m_labels.Height(m_fontSchmal), m_labels.Height(m_fontSenkrecht)});
        const int nRand =
            3 * nSchrift + std::max(m_bmLgSchwerpunkt.GetWidth(), m_bmLgSchwerpunkt.GetHeight()) + 4;
        auto Reichweite = [&](const tagLGINFO& lg) {
            const QRect rc = LadungRect(lg);
            const int d = std::max(rc.width(), rc.height()) + nRand;
            return rc.adjusted(-d, -d, d, d);
        };
        std::vector<QRect> bewegte;
        for (tagLGINFO* lg : g.pPlan->GetLgInfos()) {
            if (!WirdGezeichnet(lg, pHover))
                continue;
            if (IstBewegt(lg, pHover, bGedrueckt)) {
                bewegte.push_back(Reichweite(*lg));
                continue;
            }
            if (!bewegte.empty()) {
                const QRect r = Reichweite(*lg);
                for (const QRect& b : bewegte)
                    if (b.intersects(r))
                        return false;
            }
            feste.push_back(PlanGrundbild::Stand(*lg));
        }
    }
    const PlanGrundbild::SLage lage = GrundbildLage(p, g);
    if (!m_grundbild.Passt(lage, feste)) {
        QImage bild(lage.geraet, QImage::Format_RGB32);
        bild.fill(Qt::white);
        {
            QPainter q(&bild);
            q.setTransform(p.transform());
            q.setPen(p.pen());
            q.setBrush(p.brush());
            q.setFont(p.font());
            q.setRenderHints(p.renderHints());
            ZeichneUnterlage(q, g);
            ZeichneLadungen(q, g, Ladungsteil::kFeste);
        }
        m_grundbild.Setze(lage, std::move(feste), std::move(bild));
        ++m_nGrundbildNeu;
    }
    m_grundbild.Zeichne(p);
    // The painter as the layers leave it.
    if (!m_anzeige.bLadungenZeigen)
        p.setFont(m_fontNormal);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.setBrushOrigin(0, 0);
    SetzeRandTools(g);
    ZeichneLadungen(p, g, Ladungsteil::kBewegte);
    return true;
}

// Records of another vehicle's loads are of no use.
void CQOR2View::VergissAndereFahrzeuge(const CFahrzeug* pV)
{
    if (pV != s_pLetztesFahrzeug) {
        if (s_pLetztesFahrzeug)
            ClearPtrMap();
        s_pLetztesFahrzeug = pV;
    }
}

void CQOR2View::BeginneExport(const PlanLage& g, PlanExport& exp) const
{
    const double dLaenge = g.L + g.dR, dBreite = g.W + g.dL + g.dU;
    // The grid's figures stand left of the load area (the widths, right-aligned) and over its length
    // (centred, the last one at its end): the picture keeps them whole.
    int nRechts = 1;
    if (m_anzeige.bRasterBeschriftung) {
        const QFontMetrics fm(m_fontKlein);
        exp.nRandLinks = std::max(exp.nRandLinks, fm.horizontalAdvance(Zahl(g.W * 1000.0)) + 5 + 3);
        nRechts = std::max(nRechts, fm.horizontalAdvance(Zahl(g.L * 1000.0)) / 2 + 3);
        exp.nRandOben = std::max(exp.nRandOben, fm.height() / 2 + 8 + 2);
    }
    const int nRaender = exp.nRandLinks + nRechts;
    const int sx = dLaenge > 0.0 ? Trunc((m_nExportBreite - nRaender) / dLaenge) : m_nMaxPixelProMeter;
    const int sy =
        dBreite > 0.0 ? Trunc((m_nExportHoehe - 40 - exp.nRandOben) / dBreite) : m_nMaxPixelProMeter;
    exp.nScale = std::max(1, std::min({sx, sy, m_nMaxPixelProMeter}));
    const int h = g.Pr(exp.nScale * dBreite) + 50 + exp.nRandOben - 10;
    const int w = Trunc(exp.nScale * g.L) + nRaender;
    exp.bild = QImage(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    exp.bild.fill(Qt::white);
    exp.painter = std::make_unique<QPainter>(&exp.bild);
}

// The drawing origin below the button strips; the host hears of changed insets.
void CQOR2View::SetzeUrsprung(PlanLage& g)
{
    g.rand = g.bExport ? QPoint() : ResolveInsets(0xFFFF | (0xFFFF << 16));
    int ox = GetPlanOriginX();
    if (ox <= 0)
        ox = kUrsprungX;
    g.x0 = ox - g.rand.x();
    const int nStreifen =
        m_pBtnsAnsicht && m_pBtnsAnsicht->HasWindow() ? m_pBtnsAnsicht->height() : kStreifenHoehe;
    // Below the strips (10 pixels down) the x buttons of the current load (37 pixels above the load
    // area) keep clear of them.
    g.y0 = 10 + nStreifen + 2 - g.rand.y() + g.mU + 37;
    if (!g.bExport) {
        m_ptUrsprungKorr = QPoint(g.x0, g.y0);
        if (m_ptUrsprungKorr != m_ptLetzterUrsprung) {
            m_ptLetzterUrsprung = m_ptUrsprungKorr;
            PostViewNotify(false, kNotifyInsets, (g.rand.x() & 0xFFFF) | (g.rand.y() << 16));
        }
    }
}

// A vehicle without load area gets a line of text in place of the plan.
void CQOR2View::ZeichneOhneLadeflaeche(QPainter& p, const PlanLage& g) const
{
    p.setFont(QFont());
    p.setPen(Qt::black);
    TextAus(p, g.x0, g.y0, Text(17), kLinks);
}

void CQOR2View::AktualisiereAnzeige(CQOR& plan, bool bExport)
{
    const CPlanAnzeige a(plan);
    m_anzeige.bAnzeigeBeiKonflikt = a.GetAnzeigeBeiKonflikt();
    m_anzeige.bSchwerpunktZeigen = a.GetSchwerpunktZeigen();
    m_anzeige.bRichtungZeigen = a.GetRichtungZeigen();
    m_anzeige.bZulBereich = a.GetZulBereich();
    m_anzeige.bBereichFarbig = a.GetBereichFarbig();
    m_anzeige.bRasterZeigen = a.GetRasterZeigen();
    m_anzeige.nRasterSeite = a.GetRasterSeite();
    m_anzeige.dRasterX = a.GetRasterX();
    m_anzeige.dRasterY = a.GetRasterY();
    m_anzeige.bLadungenZeigen = a.GetLadungenZeigen();
    m_anzeige.bRasterBeschriftung = a.GetRasterBeschriftung();
    if (!bExport)
        m_dZoom = a.GetZoom() * m_dFensterFaktor;
}

double CQOR2View::FensterFaktor(const PlanLage& g) const
{
    const QSize fenster = viewport()->size();
    if (!m_bFensterAnpassung || fenster.isEmpty() || g.L <= 0.0 || g.W <= 0.0)
        return 1.0;
    const CFahrzeug* pVorn = g.pDoc ? g.pDoc->GetFirstFahrzeug() : nullptr;
    const double nPixel = pVorn && pVorn->IsArt5() ? 200.0 : 97.0;
    // The room the drawing takes besides the load area: the cab and the margin at the left, the margin at
    // the right; the strips and the x buttons above, the dimensions below or, in ramp mode, the ramp
    // below the load area and the band of tiles along the bottom.
    // Of the ramp, the part where the block stands (at most 2 m of it) is to be in sight; the rest
    // scrolls into view.
    const bool bRampe = m_bRampenModus && m_pLaderampe;
    const double dHoehe = g.W + (bRampe ? std::min(m_pLaderampe->GetHoeheMeter(), 2.0) : 0.0);
    const int nUnten = bRampe ? m_pLaderampe->GetLeistenHoehe() + 8 : 40;
    const double sBreite = (fenster.width() - g.x0 - 70) / (g.L + g.dR);
    const double sHoehe = (fenster.height() - g.y0 - g.mL - nUnten) / dHoehe;
    const double dPassend = std::clamp(std::min(sBreite, sHoehe) / nPixel, 0.25, 4.0);
    return dPassend / CPlanAnzeige::kStandardZoom;
}

// The scale (pixels per metre: the export's own, else by the front vehicle) and the usable area's place.
void CQOR2View::SetzeMassstab(PlanLage& g, int nExportScale)
{
    const CFahrzeug* pVorn = g.pDoc ? g.pDoc->GetFirstFahrzeug() : nullptr;
    int nScale = pVorn && pVorn->IsArt5() ? 200 : 97;
    g.ursprungAlt = m_ptUrsprungKorr;
    g.nScaleAltX = m_nPixelProMeterX;
    g.nScaleAltY = m_nPixelProMeterY;
    if (g.bExport) {
        nScale = nExportScale;
        g.x0 = g.nExportRand;
        g.y0 = g.mU + g.nExportOben;
        m_ptUrsprungKorr = QPoint(g.x0, g.y0);
    }
    m_nPixelProMeterX = m_nPixelProMeterY = nScale;
    g.s = m_nPixelProMeterX * m_dZoom;
    g.ux = g.x0 + Trunc(g.e[0] * g.s);
    g.uy = g.y0 + Trunc(g.e[1] * g.s);
    m_ptUrsprung = QPoint(g.ux, g.uy);
    g.lp = Trunc(g.s * g.L);
    g.wp = Trunc(g.s * g.W);
    g.uw = Trunc((g.L - g.e[0] - g.e[2] + 1e-11) * g.s);
    g.uh = Trunc((g.W - g.e[1] - g.e[3] + 1e-11) * g.s);
}

// The title when loads are hidden, and the picture in front of the load area: the cab, or the drawbar.
void CQOR2View::ZeichneFahrerhaus(QPainter& p, const PlanLage& g)
{
    const QPoint rand = g.rand;
    const int x0 = g.x0, y0 = g.y0;
    const double s = g.s, L = g.L;
    if (!m_anzeige.bLadungenZeigen) {
        p.setFont(m_fontNormal);
        p.setPen(Qt::black);
        TextAus(p, m_ptLetzterUrsprung.x(), 10, Text(18), kLinks);
    }
    CFahrzeug* pFront = g.pDoc ? g.pDoc->GetAktivFahrzeug(false) : g.pV;
    int nArt = pFront ? pFront->GetArt() : -1;
    if (nArt == FahrzeugArt::kAuflieger && g.pDoc && g.pDoc->GetAnhaenger())
        nArt = FahrzeugArt::kSattelzugmaschine;
    const int h = Trunc(0.5 * g.W * s);
    const double a1 = pFront ? pFront->GetAchse1Abstand() : 0.0;
    if (nArt == FahrzeugArt::kZugmaschine && pFront->IsArt5())
        m_bmFahrerhausLang.StretchDraw(p, 38 - rand.x(), y0 + h - 100, m_bmFahrerhausLang.GetWidth(),
                                       m_bmFahrerhausLang.GetHeight(), SRCAND, COLORONCOLOR);
    else if (nArt == FahrzeugArt::kZugmaschine || nArt == FahrzeugArt::kSattelzugmaschine)
        m_bmFahrerhaus.StretchDraw(p, 18 - rand.x(), y0 + h - 70, m_bmFahrerhaus.GetWidth(),
                                   m_bmFahrerhaus.GetHeight(), SRCAND, COLORONCOLOR);
    else if (nArt == FahrzeugArt::kAnhaenger)
        m_bmDeichsel.StretchDraw(p, x0 + 45 + Trunc((a1 - 3.45) * s), y0 + h - m_bmDeichsel.GetHeight() / 2,
                                 m_bmDeichsel.GetWidth(), m_bmDeichsel.GetHeight(), SRCAND, COLORONCOLOR);
    else if (nArt == FahrzeugArt::kStarrdeichsel) {
        const int x = (g.pDoc && g.pDoc->GetAnhaenger() ? Trunc(x0 - a1 * s) : 51) + rand.x();
        int w = m_bmDeichselStarr.GetWidth();
        if (a1 > 4.0)
            w = Trunc(a1 * s);
        else if (L + a1 < 4.0)
            w = Trunc((L + a1) * s);
        m_bmDeichselStarr.StretchDraw(p, x, y0 + h - 8, w, m_bmDeichselStarr.GetHeight(), SRCAND,
                                      COLORONCOLOR);
    }
}

// The load area hatched, the usable area white.
void CQOR2View::ZeichneLadeflaeche(QPainter& p, const PlanLage& g) const
{
    p.setPen(Qt::NoPen);
    if (!m_musterLadeflaeche.isNull())
        p.setBrush(QBrush(m_musterLadeflaeche));
    else
        p.setBrush(QBrush(QColor(150, 150, 150), Qt::BDiagPattern));
    p.setBrushOrigin(0, 0);
    p.drawRect(Ecken(g.x0, g.y0, g.x0 + g.lp, g.y0 + g.wp));
    p.setBrush(Qt::white);
    if (g.uw > 0 && g.uh > 0)
        p.drawRect(QRect(g.ux, g.uy, g.uw, g.uh));
}

// Tool areas of the four border strips, at least 3 pixels deep.
void CQOR2View::SetzeRandTools(const PlanLage& g)
{
    const double* e = g.e;
    const int x0 = g.x0, y0 = g.y0, lp = g.lp, wp = g.wp;
    const QString t19 = QString::fromStdString(
        FormatResChecked(19, {g.pV->m_strName, e[0] * 1000.0, e[2] * 1000.0, e[1] * 1000.0, e[3] * 1000.0}));
    const int ur = g.ux + std::max(g.uw, 0), ub = g.uy + std::max(g.uh, 0);
    SetTool(kToolRandVorn, Ecken(x0, y0, std::max(g.ux, x0 + 3), y0 + wp).translated(-g.scr), t19);
    SetTool(kToolRandHinten, Ecken(std::min(ur, x0 + lp - 3), y0, x0 + lp, y0 + wp).translated(-g.scr), t19);
    SetTool(kToolRandUnten, Ecken(x0, std::min(ub, y0 + wp - 3), x0 + lp, y0 + wp).translated(-g.scr), t19);
    SetTool(kToolRandOben, Ecken(x0, y0, x0 + lp, std::max(g.uy, y0 + 3)).translated(-g.scr), t19);
}

// The focus frame around the vehicle's area.
void CQOR2View::ZeichneFokusRahmen(QPainter& p, const PlanLage& g) const
{
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(
        Ecken(g.x0 - g.mF - 1, g.y0 - g.mU, g.x0 + g.Pr((g.dR + g.L) * g.s), g.y0 + g.Pr((g.dL + g.W) * g.s))
            .adjusted(0, 0, -1, -1));
    p.restore();
}

// The loads (numbered in an export) with their tool areas, and the load units.
bool CQOR2View::WirdGezeichnet(const tagLGINFO* lg, const tagLGINFO* pHover) const
{
    return !((m_bLgAuswahlZiehen && lg->m_bSelected) || (m_bLgZiehen && lg == pHover && lg->m_nTyp != 5));
}

bool CQOR2View::IstGedrueckt(const tagLGINFO* pHover) const
{
    return pHover && m_bTasteUnten && !m_bZiehen && pHover->GetLeId() == 0 && !m_bGruppenModus;
}

bool CQOR2View::IstBewegt(const tagLGINFO* lg, const tagLGINFO* pHover, bool bGedrueckt) const
{
    return lg->m_bSelected != 0 || (bGedrueckt && lg == pHover);
}

void CQOR2View::ZeichneLadungen(QPainter& p, const PlanLage& g, Ladungsteil teil)
{
    if (!g.bExport && !m_anzeige.bLadungenZeigen) {
        if (teil != Ladungsteil::kFeste)
            ClearPtrMap();
        return;
    }
    if (!g.pPlan)
        return;
    tagLGINFO* pHover = GetHover();
    const bool bGedrueckt = IstGedrueckt(pHover);
    int n = 0, k = 0;
    for (tagLGINFO* lg : g.pPlan->GetLgInfos()) {
        QRect rc;
        if (g.bExport) {
            DrawLadung(p, lg, &rc, ++n, false, false);
            continue;
        }
        if (!WirdGezeichnet(lg, pHover))
            continue;
        const bool bBewegt = IstBewegt(lg, pHover, bGedrueckt);
        if (teil == Ladungsteil::kFeste) {
            if (!bBewegt)
                DrawLadung(p, lg, &rc, -1, false, false);
            continue;
        }
        if (teil == Ladungsteil::kBewegte && !bBewegt)
            m_mapGuiLg[lg].rc = LadungRect(*lg).translated(-GetScrollPosition());
        else
            DrawLadung(p, lg, &rc, -1, bGedrueckt && lg == pHover, m_bZiehen ? false : lg->m_bSelected != 0);
        auto it = m_mapGuiLg.find(lg);
        if (it != m_mapGuiLg.end()) {
            it->second.nToolId = kToolErsteLadung + k;
            SetTool(kToolErsteLadung + k, it->second.rc, QString());
        }
        ++k;
    }
    if (teil == Ladungsteil::kFeste)
        return;
    if (bGedrueckt && !g.bExport)
        DrawDruckRahmen(p);
    ZeichneLadeeinheiten(p);
}

// The load-area frame.
void CQOR2View::ZeichneRahmen(QPainter& p, const PlanLage& g) const
{
    const int x0 = g.x0, y0 = g.y0, lp = g.lp, wp = g.wp;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(
        QPolygon({{x0 - 2, y0}, {x0 + lp, y0}, {x0 + lp, y0 + wp}, {x0 - 1, y0 + wp}, {x0 - 1, y0 - 1}}));
}

// The width dimension at the rear end.
QRect CQOR2View::ZeichneBreitenMass(QPainter& p, const PlanLage& g) const
{
    const int x0 = g.x0, y0 = g.y0, lp = g.lp, wp = g.wp;
    p.setPen(QPen(QColor(255, 0, 0), 1));
    p.drawLine(x0 + lp, y0 - 1, x0 + lp + g.mR + 50, y0 - 1);
    p.drawLine(x0 + lp, y0 + wp, x0 + lp + g.mR + 50, y0 + wp);
    const int xd = x0 + lp + g.mR + 44;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    p.drawLine(xd, y0, xd, y0 + wp);
    p.drawPolygon(QPolygon({{xd, y0}, {xd - 2, y0 + 6}, {xd + 2, y0 + 6}}));
    p.drawPolygon(QPolygon({{xd, y0 + wp}, {xd - 2, y0 + wp - 6}, {xd + 2, y0 + wp - 6}}));
    p.setFont(m_fontMittel);
    const QFontMetrics fm(m_fontMittel);
    const QString t = Zahl(g.W * 1000.0);
    const QRect rc(xd - fm.horizontalAdvance(t) / 2, y0 + (wp - fm.height()) / 2, fm.horizontalAdvance(t),
                   fm.height());
    p.fillRect(rc, Qt::white);
    TextAus(p, rc.left(), rc.top(), t, kLinks);
    return rc.translated(-g.scr);
}

// The loading ramp shows in ramp mode only. A view without a ramp (or whose ramp cannot show) draws as
// without ramp mode; answers whether the ramp shows.
bool CQOR2View::ZeigeLaderampe(bool bExport)
{
    if (!bExport && m_pLaderampe && m_bRampenModus != m_pLaderampe->IsVisible())
        m_pLaderampe->Show(m_bRampenModus);
    return m_bRampenModus && m_pLaderampe && m_pLaderampe->IsVisible();
}

// The dimension of the permissible range below the plan.
void CQOR2View::ZeichneBereichMass(QPainter& p, const PlanLage& g)
{
    if (!((m_anzeige.bZulBereich || m_anzeige.bBereichFarbig) && !g.bRampe && (m_nNutzbarerBereich & 2)))
        return;
    const QRect br = GetBereichRect();
    const int xa = br.left(), xb = br.left() + br.width();
    const int yb = g.y0 + 18 + Trunc(g.s * g.W) + g.mL;
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(xa, yb, xa, yb + 16);
    p.drawLine(xb, yb, xb, yb + 16);
    const int gap = DrawMassPfeil(p, QPoint(xa, yb + 8), QPoint(xb - 1, yb + 8), false) ? 5 : 17;
    p.setFont(m_fontMittel);
    p.setPen(Qt::black);
    const CFahrzeug& V = *g.pV;
    const QString tVon = Zahl((V.GetNutzlastKurve().GetNutzbarVon() - g.e[0]) * 1000.0) + " mm";
    const QString tBis = Zahl((V.GetNutzlastKurve().GetNutzbarBis() - g.e[0]) * 1000.0) + " mm";
    int xVon = xa - gap, xBis = xb + gap;
    if (g.bExport && p.device()) {
        // An export picture ends close to the load area: the figures stay inside it.
        const QFontMetrics fm(m_fontMittel);
        xVon = std::max(xVon, fm.horizontalAdvance(tVon) + 2);
        xBis = std::min(xBis, p.device()->width() - 2 - fm.horizontalAdvance(tBis));
    }
    const QRect links = TextAus(p, xVon, yb, tVon, kRechts);
    const QRect rechts = TextAus(p, xBis, yb, tBis, kLinks);
    if (!g.bExport)
        SetTool(kToolBereichMass,
                QRect(QPoint(links.left(), rechts.top()), QPoint(rechts.right(), rechts.bottom()))
                    .translated(-g.scr),
                QString::fromStdString(FormatResChecked(20, {g.m * 1000.0})));
}

// The centre-of-gravity marker with its tool area.
QRect CQOR2View::ZeichneSchwerpunkt(QPainter& p, const PlanLage& g)
{
    if (!(m_anzeige.bSchwerpunktZeigen && g.bHatLadung && g.m > 0.0 && !m_bLgZiehen && !m_bZiehen))
        return QRect();
    const int id = GetSchwerpunktBild();
    const CMemBm& bm = m_bmSchwerpunkt[id == 260 ? 0 : id == 268 ? 1 : 2];
    const int cw = m_bmSchwerpunkt[0].GetWidth(), ch = m_bmSchwerpunkt[0].GetHeight();
    const double cx = g.pPlan->GetSchwerpunktX(), cy = g.pPlan->GetSchwerpunktY();
    const int x = Trunc(m_nPixelProMeterX * cx * m_dZoom) - cw / 2 + g.ux;
    const int y = Trunc(m_nPixelProMeterY * cy * m_dZoom) + g.uy - ch / 2;
    bm.DrawTransparent(p, x, y, cw, ch, RGB(255, 255, 255));
    if (g.bExport)
        return QRect();
    const QRect rc = QRect(x, y, cw, ch).translated(-g.scr);
    const bool bSeiteB = m_anzeige.nRasterSeite != 0;
    const double* e = g.e;
    const double yq = bSeiteB ? g.W - e[1] - e[3] - cy : cy;
    SetTool(kToolSchwerpunkt, rc,
            QString::fromStdString(FormatResChecked(24, {g.pV->m_strName, g.m * 1000.0, cx * 1000.0,
                                                         yq * 1000.0, LoadResString(bSeiteB ? 23 : 22)})));
    return rc;
}

// The rubber band of a selection being drawn.
void CQOR2View::ZeichneGummiband(QPainter& p, const PlanLage& g) const
{
    if (!m_bGummiband || !m_bGummibandRahmen)
        return;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(m_rcGummiband.normalized().translated(g.scr).adjusted(0, 0, -1, -1));
    p.restore();
}

// The loading ramp under the plan, and the scroll size that holds plan and ramp.
void CQOR2View::SetzeRampeUndScrollGroesse(const PlanLage& g)
{
    const int x0 = g.x0, y0 = g.y0;
    // The ramp is laid out again for another origin and for another scale: a zoom changes its length
    // and the place under the load area where it belongs.
    if (g.bRampe && (m_pLaderampe->GetPlanOrigin() != QPoint(x0, y0) || m_dRampenMassstab != g.s)) {
        m_pLaderampe->CalcExtent(x0, y0);
        m_dRampenMassstab = g.s;
    }
    if (g.bRampe && m_pLaderampe->IsRepositionPending())
        m_pLaderampe->Reposition(MetresToPixels(g.W) + y0 + g.mL + 2);
    const int cx =
        std::max(g.bRampe ? m_pLaderampe->GetExtentX() + 10 : 0, MetresToPixels(g.L + g.dR) + x0 + 60);
    int cy = MetresToPixels(g.dL + g.W) + y0 + 35;
    // In ramp mode the band of tiles covers the bottom of the window: the ramp scrolls clear of it.
    if (g.bRampe)
        cy += m_pLaderampe->GetWindowRect().height() - 29 + m_pLaderampe->GetLeistenHoehe();
    const QSize total(cx, cy);
    if (total != m_sizeScrollGesamt || GetTotalSize() != total) {
        m_sizeScrollGesamt = total;
        if (m_sizePage.isEmpty())
            m_sizePage = QSize(Trunc(m_dZoom * 500), Trunc(m_dZoom * 250));
        if (m_sizeLine.isEmpty())
            m_sizeLine = QSize(50, 20);
        SetScrollSizes(total, m_sizePage, m_sizeLine);
    }
}

void CQOR2View::ZeichneRaster(QPainter& p, double L, double W, const double e[4], double s, int x0, int y0)
{
    const int ux = m_ptUrsprung.x(), uy = m_ptUrsprung.y();
    p.save();
    const bool bDicht = m_anzeige.dRasterX * m_dZoom < 0.3;
    p.setPen(QPen(QColor(221, 221, 221), 1, bDicht ? Qt::SolidLine : Qt::DotLine));
    p.setFont(m_fontKlein);
    const QFontMetrics fm(m_fontKlein);
    const int cw = fm.horizontalAdvance(QStringLiteral("00.0")), ch = fm.height();
    const int kx = (cw + 4) / (Trunc(m_nPixelProMeterX * m_anzeige.dRasterX * m_dZoom) + 1) + 1;
    const int ky = (ch + 2) / (Trunc(m_nPixelProMeterY * m_anzeige.dRasterY * m_dZoom) + 1) + 1;
    const double Lu = L - (e[0] + e[2]), Wu = W - e[1] - e[3];
    struct Beschriftung
    {
        int x, y;
        QString text;
        Ausrichtung a;
    };
    std::vector<Beschriftung> texte;
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    for (int i = 0;; ++i) {
        const double x = i * m_anzeige.dRasterX;
        if (!(x < Lu))
            break;
        const int px = Trunc(x * s);
        if (i != 0 && Trunc(Wu * s) > 0)
            p.drawLine(ux + px, uy, ux + px, uy + Trunc(Wu * s) - 1);
        if (m_anzeige.bRasterBeschriftung && i % kx == 0) {
            const QString t = Zahl(x * 1000.0);
            texte.push_back({ux + px, y0 + 4 + Trunc(s * W), t, kMitte});
            texte.push_back({MetresToPixels(x) + ux, y0 - ch / 2 - 8, t, kMitte});
        }
    }
    for (int i = 0;; ++i) {
        const double y = i * m_anzeige.dRasterY;
        if (!(y <= Wu + 1e-9))
            break;
        const int py = m_anzeige.nRasterSeite != 0 ? Trunc((Wu - y) * s) - 1 : Trunc(y * s);
        // A usable area without length has no line across it (a line of no length would be a dot).
        if (i != 0 && Trunc(Lu * s) > 0)
            p.drawLine(ux, uy + py, ux + Trunc(Lu * s) - 1, uy + py);
        if (m_anzeige.bRasterBeschriftung && i % ky == 0)
            texte.push_back({x0 - 5, uy + py - ch / 2, Zahl(y * 1000.0), kRechts});
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::black);
    for (const Beschriftung& b : texte)
        TextAus(p, b.x, b.y, b.text, b.a);
    p.restore();
}

void CQOR2View::ZeichneKnoepfeUndGriffe(QPainter& p, const QRect& la, QPoint scr, PlanTreffer& treffer)
{
    treffer.rcBtnX = treffer.rcBtnY = QRect();
    CPlanGesten& g = GetGesten();
    const int h = kGriff / 2;
    g.m_rcZoomGriff = QRect(la.right() + 1 - h, la.top() + la.height() / 2 - h, kGriff, kGriff);
    g.m_rcBreitenGriff = QRect(la.left() + la.width() / 2 - h, la.bottom() + 1 - h, kGriff, kGriff);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    for (QRect* griff : {&g.m_rcZoomGriff, &g.m_rcBreitenGriff}) {
        p.drawRect(griff->adjusted(0, 0, -1, -1));
        *griff = griff->translated(-scr);
    }

    // The value buttons belong to the current load while it is not being dragged.
    const tagLGINFO* pLg = GetAuswahl();
    const auto it = pLg ? m_mapGuiLg.find(const_cast<tagLGINFO*>(pLg)) : m_mapGuiLg.end();
    if (it == m_mapGuiLg.end() || g.IsAktiv())
        return;
    const QRect rc = it->second.rc.translated(scr);
    const QRect knopfX(QPoint(rc.left(), la.top() - 21 - kKnopfGroesse.height()), kKnopfGroesse);
    const QRect knopfY(QPoint(la.left() - 3 - kKnopfGroesse.width(), rc.top()), kKnopfGroesse);
    p.setFont(m_fontKlein);
    for (const auto& [knopf, dWert] : {std::pair{knopfX, pLg->m_dPosX}, std::pair{knopfY, GetAuswahlY()}}) {
        p.setPen(QPen(QColor(128, 128, 128), 1));
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(knopf.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(knopf.adjusted(2, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, Zahl(dWert * 1000.0));
    }
    treffer.rcBtnX = knopfX.translated(-scr);
    treffer.rcBtnY = knopfY.translated(-scr);
}

void CQOR2View::ZeichneLadeeinheiten(QPainter& p)
{
    CQOR* P = GetPlan();
    if (!P)
        return;
    // The pictures of the unit boxes are read when the first plan with units is drawn.
    if (!m_bEinheitBilder && !P->GetLadeeinheiten().empty()) {
        m_bEinheitBilder = true;
        m_bildEinheit = LoadCxImageFromResource(808, PICTURE_FORMAT_PNG);
        m_bildMangel = LoadCxImageFromResource(kBildMangel, PICTURE_FORMAT_PNG);
    }
    for (CLadeeinheit* le : P->GetLadeeinheiten()) {
        if (le->GetId() == m_nEinheitBits)
            continue;
        double x = 0, y = 0, l = 0, b = 0;
        le->GetRechteck(&x, &y, &l, &b);
        const int left = m_ptUrsprung.x() + MetresToPixels(x), top = m_ptUrsprung.y() + MetresToPixels(y);
        const QRect rc(left, top, MetresToPixels(l), MetresToPixels(b));
        if (rc.width() <= 0 || rc.height() <= 0)
            continue;
        if (le->IsLgMarkiert()) {
            p.save();
            p.setPen(QPen(QColor(0, 0, 255), 4));
            p.setBrush(Qt::NoBrush);
            Rahmen(p, rc);
            p.restore();
        }
        QImage box(rc.size(), QImage::Format_RGB32);
        box.fill(Qt::white);
        {
            QPainter bp(&box);
            bp.setPen(Qt::black);
            bp.setBrush(m_musterEinheit.isNull() ? QBrush(QColor(200, 220, 245)) : QBrush(m_musterEinheit));
            bp.drawRect(box.rect().adjusted(0, 0, -1, -1));
        }
        p.save();
        p.setOpacity(160 / 255.0);
        p.drawImage(rc.topLeft(), box);
        p.restore();
        // A unit that stands in the plan's securing carries the mark of its verdict in the middle (the
        // tick picture only when it is secured without defects), one with defects a mark in each corner.
        // The marks are drawn over the see-through box, whole, so that their colours read as elsewhere.
        const SicherungsStand stand = GetSicherungsStand(*le);
        const QSize voll = m_bildEinheit.isNull() ? QSize(40, 40) : m_bildEinheit.size();
        SicherungsMarke::Zeichne(p, SicherungsMarke::Ziel(rc, voll), stand, m_bildEinheit);
        if (stand == SicherungsStand::kMaengel && !m_bildMangel.isNull()) {
            const int r = rc.right() + 1 - 3 - m_bildMangel.width(),
                      u = rc.bottom() + 1 - 3 - m_bildMangel.height();
            for (const QPoint& ecke : {QPoint(rc.left() + 3, rc.top() + 3), QPoint(r, rc.top() + 3),
                                       QPoint(rc.left() + 3, u), QPoint(r, u)})
                p.drawImage(ecke, m_bildMangel);
        }
    }
}

void CQOR2View::ZeichneBereichBox(QPainter& p, CFahrzeug& V, double W, const double e[4], double s, int x0,
                                  int y0)
{
    const float fm = static_cast<float>(GetPlan()->GetMasse());
    V.GetDiagramm().SetParams(static_cast<float>(W), static_cast<float>(V.m_nSeitenProzent), 1.4f, -1.0f,
                              -1.0f);
    const float fe = (V.m_Diagramm.GetK() - V.m_Diagramm.GetC() * fm) / fm;
    if (!std::isfinite(fe))
        return;
    const double eU = std::min(static_cast<double>(fe), W / 2 - e[1]);
    const double eL = std::min(static_cast<double>(fe), W / 2 - e[3]);
    const int top = Trunc((W / 2 - eU) * s) + y0, bottom = Trunc((eL + W / 2) * s) + y0;
    const int left = Trunc(s * V.GetNutzlastKurve().GetNutzbarVon()) + x0,
              right = Trunc(s * V.GetNutzlastKurve().GetNutzbarBis()) + x0;
    p.save();
    p.setPen(QPen(QColor(0, 0, 255), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 255, 193));
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawRect(Ecken(left, top, right, bottom));
    p.restore();
}

// --- placed loads ----------------------------------------------------------------------------------

QRect CQOR2View::LadungRect(const tagLGINFO& lg)
{
    const int left = MetresToPixels(lg.m_dPosX) + m_ptUrsprung.x();
    const int top = MetresToPixels(lg.m_dPosY) + m_ptUrsprung.y();
    const int right = left + MetresToPixels(AusdehnungX(lg));
    const int bottom = top + MetresToPixels(AusdehnungY(lg));
    // An unknown rotation gives negative extents; the box then lies over the corners as they stand.
    return Ecken(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
}

void CQOR2View::DrawLadung(QPainter& p, tagLGINFO* pLg, QRect* pOut, int nNummer, bool bHighlight,
                           bool bSelected)
{
    const QRect rc = LadungRect(*pLg);
    if (pLg->m_nTyp < tagLGINFO::kFsmTyp)
        DrawLgBox(p, rc, pLg, nNummer, bSelected);
    else
        DrawSonderItem(p, rc, nNummer, bHighlight, bSelected, pLg);
    const QRect client = m_bBildExport ? rc : rc.translated(-GetScrollPosition());
    if (!m_bBildExport)
        m_mapGuiLg[pLg].rc = client;
    if (pOut)
        *pOut = client;
}

void CQOR2View::DrawLgBox(QPainter& p, const QRect& rc, tagLGINFO* pLg, int nNummer, bool bSelected)
{
    p.save();
    const int g = pLg->GetLeId();
    const QColor fill = QColor::fromRgb(g == 0 && bSelected ? kFarbeAuswahl : kFarbeLadung);
    const int left = rc.left(), top = rc.top(), right = rc.left() + rc.width(),
              bottom = rc.top() + rc.height();
    p.fillRect(rc, fill);
    p.setBrush(Qt::NoBrush);
    p.setPen(g == 0 ? QPen(Qt::black, 1) : QPen(Qt::NoPen));
    Rahmen(p, rc);
    const int r = pLg->m_nDrehung;
    if (r != 0 && r != 90 && r != 180 && r != 270) {
        p.restore();
        return;
    }
    if (m_anzeige.bRichtungZeigen) {
        const int mx = (left + right) / 2, my = (top + bottom) / 2;
        QPolygon d;
        if (r == 0)
            d = QPolygon({{left + 4, my}, {left + 8, my - 4}, {left + 8, my + 4}});
        else if (r == 180)
            d = QPolygon({{right - 4, my}, {right - 8, my + 4}, {right - 8, my - 4}});
        else if (r == 90)
            d = QPolygon({{mx, top + 4}, {mx + 4, top + 8}, {mx - 4, top + 8}});
        else
            d = QPolygon({{mx, bottom - 4}, {mx - 4, bottom - 8}, {mx + 4, bottom - 8}});
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(d);
    }
    if (m_bAnzeige33285) {
        const bool bSenkrecht = r == 90 || r == 270;
        const QFont& f = bSenkrecht ? m_fontSenkrecht : m_fontLabel;
        p.setFont(f);
        p.setPen(Qt::black);
        // Names, numbers and masses repeat from load to load and from paint to paint: each text is
        // fitted and measured once per font.
        const QString& name =
            m_labels.Fitted(f, pLg->m_strName, pLg->m_nNummer, std::max(rc.width(), rc.height()) - 3);
        if (bSenkrecht) {
            p.save();
            p.translate(left, bottom - 2);
            p.rotate(-90);
            p.drawText(0, m_labels.Ascent(f), name);
            p.restore();
        } else
            p.drawStaticText(left + 1, top, m_labels.Layout(f, name));
        p.setFont(m_fontSchmal);
        const QString kg = Zahl(pLg->m_dMasse * 1000.0) + " kg";
        const int cx = m_labels.Advance(m_fontSchmal, kg), cy = m_labels.Height(m_fontSchmal);
        p.drawStaticText(right - 2 - cx, r == 270 ? top - 1 : bottom - cy, m_labels.Layout(m_fontSchmal, kg));
    }
    if (!m_bBildExport) {
        if (m_anzeige.bRichtungZeigen && m_bmLgSchwerpunkt.IsLoaded()) {
            double vl = 0, vo = 0;
            const double sl = pLg->m_dSPLaenge, sb = pLg->m_dSPBreite;
            switch (r) {
            case 0:
                vl = sl;
                vo = pLg->m_dBreite - sb;
                break;
            case 180:
                vl = pLg->m_dLaenge - sl;
                vo = sb;
                break;
            case 90:
                vl = sb;
                vo = sl;
                break;
            default:
                vl = pLg->m_dBreite - sb;
                vo = pLg->m_dLaenge - sl;
                break;
            }
            const int cw = m_bmLgSchwerpunkt.GetWidth(), ch = m_bmLgSchwerpunkt.GetHeight();
            m_bmLgSchwerpunkt.DrawTransparent(p, Trunc(m_nPixelProMeterX * vl * m_dZoom) - cw / 2 + left,
                                              Trunc(m_nPixelProMeterY * vo * m_dZoom) - ch / 2 + top, cw, ch,
                                              RGB(255, 255, 255));
        }
    } else if (nNummer != -1) {
        p.setFont(m_fontTitel);
        p.setPen(Qt::black);
        const QFontMetrics fm(m_fontTitel);
        TextAus(p, Trunc((left + right) * 0.5), (top + bottom) / 2 - fm.height() / 2,
                QString::number(nNummer), kMitte);
    }
    p.restore();
}

void CQOR2View::DrawSonderItem(QPainter& p, const QRect& rc, int nNummer, bool bHighlight, bool bSelected,
                               tagLGINFO* pLg)
{
    p.save();
    QRgb c = kFarbeFsm;
    if (m_bBildExport)
        c = kFarbeFsmExport;
    else if (bSelected)
        c = kFarbeFsmAuswahl;
    else if (bHighlight)
        c = kFarbeFsmHell;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor::fromRgb(c));
    const QRect r = rc.adjusted(0, 0, -1, -1);
    if (pLg->m_nTyp == tagLGINFO::kFsmTyp)
        p.drawRoundedRect(r, 8, 8);
    else
        p.drawRect(r);
    if (m_bBildExport && nNummer > 0) {
        p.setFont(m_fontTitel);
        const QFontMetrics fm(m_fontTitel);
        TextAus(p, Trunc((rc.left() + rc.left() + rc.width()) * 0.5),
                (rc.top() + rc.top() + rc.height()) / 2 - fm.height() / 2, QString::number(nNummer), kMitte);
    }
    p.restore();
}

void CQOR2View::DrawDruckRahmen(QPainter& p)
{
    tagLGINFO* pLg = GetHover();
    if (!GetPlan() || !pLg || pLg->m_nTyp > 4)
        return;
    const int left = MetresToPixels(pLg->m_dPosX) + m_ptUrsprung.x();
    const int top = MetresToPixels(pLg->m_dPosY) + m_ptUrsprung.y();
    const QRect rc(left, top, MetresToPixels(pLg->GetDimX()), MetresToPixels(pLg->GetDimY()));
    p.save();
    p.setPen(QPen(QColor(0, 0, 255), 4));
    p.setBrush(Qt::NoBrush);
    Rahmen(p, rc.adjusted(2, 2, -2, -2));
    p.restore();
}

QString CQOR2View::FitLabelToWidth(const QFontMetrics& fm, const std::string& name, int nNummer, int nMax)
{
    QString n = QString::fromStdString(name);
    auto Form = [nNummer](const QString& t, bool bGekuerzt) {
        if (nNummer > 0)
            return t + (bGekuerzt ? QStringLiteral("..") : QString()) +
                   QStringLiteral("%1").arg(nNummer, 2, 10, QChar('0'));
        return t + (bGekuerzt ? QStringLiteral(".") : QString());
    };
    QString t = Form(n, false);
    if (fm.horizontalAdvance(t) <= nMax)
        return t;
    while (!n.isEmpty()) {
        n.chop(1);
        t = Form(n, true);
        if (fm.horizontalAdvance(t) <= nMax)
            return t;
    }
    return QString();
}

// --- overlays of the plan --------------------------------------------------------------------------

QRect CQOR2View::GetBereichRect() const
{
    CFahrzeug* f = GetFahrzeug();
    if (!f)
        return QRect();
    const double s = m_nPixelProMeterX * m_dZoom;
    const int l = Trunc((f->GetNutzlastKurve().GetNutzbarVon() + 1e-11) * s) + m_ptUrsprungKorr.x();
    const int t = Trunc((f->GetNutzlastKurve().GetNutzbarQuerVon() + 1e-11) * s) + m_ptUrsprungKorr.y();
    const int r = Trunc((f->GetNutzlastKurve().GetNutzbarBis() + 1e-11) * s) + m_ptUrsprungKorr.x();
    const int b = Trunc((f->GetNutzlastKurve().GetNutzbarQuerBis() + 1e-11) * s) + m_ptUrsprungKorr.y();
    return Ecken(l, t, r, b);
}

int CQOR2View::GetSchwerpunktBild() const
{
    CFahrzeug* f = GetFahrzeug();
    CQOR* q = GetPlan();
    if (!f || !q)
        return 267;
    CTupelList* k = f->GetKurve(false);
    if (!k || k->IsEmpty())
        return 267;
    SYs2X pt;
    pt.m_dX = f->GetRandabstand(0) + q->GetSchwerpunktX();
    const double m = q->GetMasse();
    if (f->CalcKurvenpunkt(&pt) == 1 && pt.m_dMaxLast >= 0.0 && pt.m_dMaxLast >= m && m >= pt.m_dMinLast)
        return f->CheckQuerSchwerpunkt() != 0 ? 260 : 268;
    return 267;
}

void CQOR2View::DrawLadeflaechenBereich(QPainter& p)
{
    CFahrzeug* f = GetFahrzeug();
    if (!f)
        return;
    const double s = m_nPixelProMeterX * m_dZoom;
    const double L = f->GetLFLaenge(), W = f->GetLFBreite();
    const int w = Trunc((L - (f->GetRandabstand(2) + f->GetRandabstand(0)) + 1e-10) * s);
    const int h =
        Trunc((W - (f->GetRandabstand(3) + f->GetRandabstand(1)) + 1e-9) * m_nPixelProMeterY * m_dZoom);
    if (w <= 0 || h <= 0)
        return;
    QImage bild(w, h, QImage::Format_RGB32);
    bild.fill(QColor(130, 0, 0));
    CTupelList* k = f->GetKurve(false);
    if (k && !k->IsEmpty() && (m_nNutzbarerBereich & 2) && (m_nNutzbarerBereich & 4)) {
        const QRect br = GetBereichRect().translated(-m_ptUrsprung);
        QPainter bp(&bild);
        bp.fillRect(QRect(br.left(), 0, br.width(), h), QColor(252, 198, 12));
        bp.fillRect(br, QColor(31, 198, 13));
    }
    DrawShadedBitmap(p, m_ptUrsprung.x(), m_ptUrsprung.y(), w, h, bild);
}

bool CQOR2View::DrawMassPfeil(QPainter& p, QPoint a, QPoint b, bool bSenkrecht)
{
    // Along the arrow: u; across it: v. Points are built as (u, v) and turned for a vertical arrow.
    const int u0 = bSenkrecht ? a.y() : a.x(), u1 = bSenkrecht ? b.y() : b.x();
    const int v = bSenkrecht ? a.x() : a.y();
    const int lo = std::min(u0, u1), hi = std::max(u0, u1);
    auto Pt = [&](int u, int dv) { return bSenkrecht ? QPoint(v + dv, u) : QPoint(u, v + dv); };
    p.save();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::black);
    bool bInnen = true;
    if (hi - lo >= 15) {
        p.drawPolygon(QPolygon({Pt(lo, 0), Pt(lo + 5, -5), Pt(lo + 5, -1), Pt(hi - 5, -1), Pt(hi - 5, -5),
                                Pt(hi, 0), Pt(hi - 5, 5), Pt(hi - 5, 1), Pt(lo + 5, 1), Pt(lo + 5, 5)}));
    } else {
        bInnen = false;
        p.drawPolygon(QPolygon({Pt(lo, 0), Pt(lo - 10, -5), Pt(lo - 10, 5)}));
        p.drawPolygon(QPolygon({Pt(hi, 0), Pt(hi + 10, -5), Pt(hi + 10, 5)}));
    }
    p.restore();
    return bInnen;
}

void CQOR2View::DrawPositionsLinien(QPainter& p, bool bZeigen)
{
    if (!bZeigen)
        return;
    const int ox = m_ptUrsprung.x(), oy = m_ptUrsprung.y();
    const int px = Trunc(m_nPixelProMeterX * m_dLinienX * m_dZoom) + ox;
    const int py = Trunc(m_nPixelProMeterY * m_dLinienY * m_dZoom) + oy;
    p.save();
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    p.setPen(QPen(QColor(0, 0, 255), 1));
    p.drawLine(px, oy - 2 - 37 - 1, px, oy - 2);
    p.drawLine(ox - 2 - 20, py, ox - 2, py);
    p.restore();
}
