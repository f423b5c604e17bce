// The template view: the paint in its steps, positions under the pointer, hot items and the updates.
#include "views/CQOR1View.h"

#include "views/CHinweisAnimationen.h"
#include "views/CTabbedViewView.h"
#include "views/IFrameAnimation.h"
#include "views/IValueSlider.h"
#include "views/IViewShell.h"
#include "views/VorlageBefehle.h"

#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SYs2X.h"
#include "model/vehicle/tagZLINFO.h"
#include "ui/CRibBtnContainer.h"
#include "ui/ProgramRun.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

namespace {

int Zoomed(double pixels, double dZoom)
{
    return static_cast<int>(pixels * dZoom);
}

double Runde2(double d)
{
    return std::round(d * 100.0) / 100.0;
}

// The strip with the help button, from the language module.
constexpr int kStreifenHilfe = 635;
// The template's logical layout at zoom 1: the scrolled area and its page, the scroll step in pixels,
// the origin line and the band of the curve labels that a load-area change repaints.
constexpr QSize kFlaeche(1700, 1400), kSeite(1000, 500), kSchritt(20, 50);
constexpr int kUrsprungY = 313;
constexpr QPoint kKurvenBandOben(250, 2725), kKurvenBandUnten(1800, 2749);

QSize Zoomed(QSize logisch, double dZoom)
{
    return QSize(Zoomed(logisch.width(), dZoom), Zoomed(logisch.height(), dZoom));
}

QPoint Zoomed(QPoint logisch, double dZoom)
{
    return QPoint(Zoomed(logisch.x(), dZoom), Zoomed(logisch.y(), dZoom));
}

} // namespace

CQOR1View::CQOR1View(CQOR1Doc* pDoc, QWidget* parent) : CGetAnsView(pDoc, parent)
{
    // The hit test runs on every pointer move, with or without a button down.
    viewport()->setMouseTracking(true);
    m_pBtnsHilfe = new CRibBtnContainer(true, true, true);
    if (m_pBtnsHilfe->Create(kStreifenHilfe, viewport(), 0, 0, 0))
        m_pBtnsHilfe->AddButton(VorlageBefehle::kCmdHilfe, this);
    m_pHinweise = std::make_unique<CHinweisAnimationen>(this);
}

CQOR1View::~CQOR1View() = default;

CFahrzeug* CQOR1View::GetArbeitsFahrzeug() const
{
    CQOR1Doc* pDoc = GetDocument();
    return pDoc ? pDoc->GetAktivFahrzeug(true) : nullptr;
}

double CQOR1View::Frontrand(const CFahrzeug* f) const
{
    return f ? f->GetRandabstand(0) : 0.0;
}

void CQOR1View::SetZoom(double dZoom)
{
    if (dZoom > 0.0 && std::isfinite(dZoom)) {
        m_dZoom = dZoom;
        m_Maler.SetFontsVeraltet();
        m_BildSpeicher.Verwirf();
    }
}

// --- creation and updates ----------------------------------------------------------------------------

void CQOR1View::OnInitialUpdate()
{
    m_BildSpeicher.Verwirf();
    SetScrollSizes(Zoomed(kFlaeche, m_dZoom), Zoomed(kSeite, m_dZoom), kSchritt);
    CQOR1Doc* pDoc = GetDocument();
    m_Maler.Verbinde(pDoc, m_dZoom);
    m_Maler.Ergebnis().ptOrigin.setY(kUrsprungY);
    if (pDoc && pDoc->GetFahrzeug())
        pDoc->OnFahrzeugChanged(true);
    m_bShowDiagramm = false;
    viewport()->update();
    CGetAnsView::OnInitialUpdate();
}

void CQOR1View::OnUpdate(CGetAnsView* /*pSender*/, UpdateHinweis eHinweis)
{
    m_BildSpeicher.Verwirf();
    if (eHinweis == UpdateHinweis::kNeuBerechnet)
        return;
    if (eHinweis == UpdateHinweis::kLadeflaeche && m_bShowFahrzeug) {
        // Only the load area and the band of the curve labels change; the next paint keeps its scale.
        m_bTeilweiseAngefordert = true;
        const QPoint scroll = GetScrollPosition();
        viewport()->update(Erg().rcLadeflaeche.translated(-scroll));
        viewport()->update(GetTeilBand());
        return;
    }
    viewport()->update();
}

QRect CQOR1View::GetTeilBand() const
{
    return QRect(Zoomed(kKurvenBandOben, m_dZoom), Zoomed(kKurvenBandUnten, m_dZoom))
        .translated(-GetScrollPosition());
}

int CQOR1View::OnViewNotify(AnsichtMeldung eMeldung, const AnsichtWert& wert)
{
    if (const int n = CGetAnsView::OnViewNotify(eMeldung, wert))
        return n;
    if (eMeldung == AnsichtMeldung::kRaender) {
        const QPoint insets = ResolveInsets(wert.raender);
        const QPoint scroll = GetScrollPosition();
        if (m_pBtnsHilfe && m_pBtnsHilfe->HasWindow())
            m_pBtnsHilfe->SetWindowPosAndShape(15 - insets.x() - scroll.x(), 10 - insets.y() - scroll.y());
    }
    return 0;
}

void CQOR1View::OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated)
{
    CGetAnsView::OnActivateView(bActivate, pActivated, pDeactivated);
    m_BildSpeicher.Verwirf();
    if (bActivate && pActivated == this) {
        IViewShell::Of(&GetProgramRun()).SetCurrentView(this);
        m_nSelAchse = -1;
    }
    viewport()->update();
}

int CQOR1View::GetOriginX() const
{
    return HasTowingPair() ? Erg().ptOriginDrawn.x() : Erg().ptOrigin.x();
}

int CQOR1View::MetresToPixels(double dMetres)
{
    return static_cast<const CQOR1View*>(this)->MetresToPixels(dMetres);
}

int CQOR1View::MetresToPixels(double dMetres) const
{
    return m_Maler.MeterZuPixel(dMetres, m_dZoom);
}

// --- what the drawings leave behind ------------------------------------------------------------------

void CQOR1View::SetToolTip(int toolId, const QRect& rc, const std::string& text)
{
    m_Maler.Ergebnis().tools[toolId] = STool{rc, text};
}

QRect CQOR1View::GetKnopfRect() const
{
    if (IsPrinting() || IsBildExport() || !m_pBtnsHilfe || !m_pBtnsHilfe->HasWindow() ||
        m_pBtnsHilfe->isHidden())
        return QRect();
    return m_pBtnsHilfe->geometry();
}

// --- positions and hot items ---------------------------------------------------------------------------

double CQOR1View::PixelToPosition(const QPoint& pt) const
{
    const double scale = m_Maler.GetKoordSys().m_nPixProMeter;
    if (scale <= 0.0 || m_dZoom <= 0.0)
        return 0.0;
    const double d = (pt.x() - Erg().rcLadeflaeche.left()) / scale / m_dZoom;
    return Runde2(d - Frontrand(GetArbeitsFahrzeug()));
}

int CQOR1View::CalcPositionInfo(SPositionInfo* pInfo, const QPoint& pt) const
{
    CFahrzeug* f = GetArbeitsFahrzeug();
    if (!pInfo || !f)
        return 0;
    const double front = Frontrand(f);
    const double len = f->GetLFLaenge();
    double p = pt == QPoint(-1, -1) ? 0.0 : PixelToPosition(pt) + 0.01;
    int answer = 0;
    if (p < -front) {
        p = -front;
        answer = -1;
    } else if (p > len - front) {
        p = len - front;
        answer = 1;
    }
    pInfo->dPosition = p;
    CFahrzeug* pAktiv = GetDocument()->GetAktivFahrzeug(false);
    if (pAktiv && pAktiv->GetArt() == FahrzeugArt::kSattelzugmaschine)
        pInfo->dPosition += pAktiv->GetAchse1Abstand();
    SYs2X punkt;
    punkt.m_dX = front + p;
    if (f->CalcKurvenpunkt(&punkt) == 1) {
        pInfo->bGueltig = true;
        pInfo->dNutzlast = Runde2(punkt.m_dMaxLast);
        pInfo->dZweiterWert = std::max(0.0, Runde2(punkt.m_dMinLast));
    } else {
        pInfo->bGueltig = false;
        pInfo->dNutzlast = 0.0;
        pInfo->dZweiterWert = 0.0;
    }
    return answer;
}

int CQOR1View::CanShowPartner() const
{
    const CQOR1Doc* doc = GetDocument();
    return doc != nullptr && doc->GetAnhaenger() != nullptr ? 1 : 0;
}

int CQOR1View::CanAddZL(int nKind) const
{
    CQOR1Doc* pDoc = GetDocument();
    CFahrzeug* pVorn = pDoc ? pDoc->GetFirstFahrzeug() : nullptr;
    CFahrzeug* f = pDoc ? pDoc->GetAktivFahrzeug(false) : nullptr;
    if (!f)
        return 0;
    // A small vehicle takes a tail lift only, and one of it.
    if (pVorn && pVorn->IsArt5())
        return nKind == 1 && !pVorn->HasZLTyp(1) ? 1 : 0;
    const bool bZugmaschine = f->GetFahrzeugTyp() == FahrzeugArt::kSattelzugmaschine;
    if (nKind == 1)
        return !f->HasZLTyp(1) && !bZugmaschine ? 1 : 0;
    if (nKind == 5)
        return !f->HasZLTyp(5) && !bZugmaschine && !(f == pVorn && pDoc->GetAnhaenger()) ? 1 : 0;
    return 1;
}

bool CQOR1View::HitHotRect(const QPoint& pt)
{
    m_nDrawArg = 0;
    m_rcHotItem = QRect();
    if (!m_Maler.GetDIBFahrzeug())
        return false;
    const std::vector<SGuiAchse>& achsen = m_Maler.GetDIBFahrzeug()->GetAchsen();
    for (std::size_t i = 0; i < achsen.size(); ++i)
        if (achsen[i].m_rc.adjusted(4, 4, -4, -4).contains(pt)) {
            m_nDrawArg = static_cast<int>(i) + 1;
            m_rcHotItem = achsen[i].m_rc;
            return true;
        }
    return false;
}

void CQOR1View::ShowDiagramm(bool bShow)
{
    m_bShowDiagramm = bShow;
    m_BildSpeicher.Verwirf();
    CFahrzeug* f = GetArbeitsFahrzeug();
    if (bShow && f && f->GetArt() != FahrzeugArt::kSattelzugmaschine) {
        f->GetDiagramm().BuildCurve(0.0f);
        f->GetDiagramm().m_bNeuZeichnen = true;
    }
    viewport()->update();
}

// --- the paint -------------------------------------------------------------------------------------------

void CQOR1View::OnDraw(QPainter& painter)
{
    // A drawing for another device (a print, an export, a measurement) leaves its places of hot items
    // and labels behind: the kept drawing no longer goes with them.
    m_BildSpeicher.Verwirf();
    ZeichneGrundbild(painter, std::exchange(m_bTeilweiseAngefordert, false));
    ZeichneDazu(painter);
}

void CQOR1View::ZeichneDazu(QPainter& painter)
{
    if (Erg().nAnimAnzahl > 0)
        m_pHinweise->Draw(painter, Erg().nAnimAnzahl, Erg().rcAuflager, Scroll());
    CFahrzeug* pArbeit = GetArbeitsFahrzeug();
    if (!Erg().bDiagrammZeigen || !pArbeit)
        return;
    CFahrzeugDiagrammBild& diagramm = m_Maler.GetDiagrammBild();
    diagramm.Draw(*pArbeit);
    int cx = 0, cy = 0;
    if (diagramm.GetBitmapSize(&cx, &cy)) {
        QRect& rc = m_Maler.Ergebnis().rcDiagramm;
        rc = QRect(Erg().ptDiagramm, QSize(cx, cy));
        painter.drawImage(rc.topLeft(), diagramm.GetImage());
    }
}

CVorlageBildSpeicher::SSchluessel CQOR1View::BildSchluessel(QSize size) const
{
    const CQOR1Doc* pDoc = GetDocument();
    CVorlageBildSpeicher::SSchluessel k;
    k.size = size;
    k.scroll = GetScrollPosition();
    k.dZoom = m_dZoom;
    k.nStand = pDoc ? pDoc->GetStand() : 0;
    k.pDoc = pDoc;
    k.pFahrzeug = pDoc ? pDoc->GetFahrzeug() : nullptr;
    k.pZugfahrzeug = pDoc ? pDoc->GetZugfahrzeug() : nullptr;
    k.pEditZL = GetEditZL();
    k.pHoverZL = m_pHoverZL;
    k.nViewAktiv = GetViewAktivIndex();
    k.nDrawMode = m_nDrawMode;
    k.nDrawArg = m_nDrawArg;
    k.nSelAchse = GetSelAchse();
    k.nExportTeil = m_Druck.GetExportTeil();
    k.nPixProMeter = m_Maler.GetKoordSys().m_nPixProMeter;
    k.nPixProTonne = m_Maler.GetKoordSys().m_nPixProTonne;
    k.rcKnopf = GetKnopfRect();
    k.bShowFahrzeug = m_bShowFahrzeug;
    k.bShowBemassung = m_bShowBemassung;
    k.bShowDiagramm = m_bShowDiagramm;
    k.bActive = m_bActive;
    k.bSplitter = IsInVisibleSplitterPane();
    k.bRulerFlag = m_Druck.GetRulerFlag();
    return k;
}

QImage CQOR1View::RenderPicture(QSize size)
{
    size = size.expandedTo(QSize(1, 1));
    // Printing, exports and the partial paints after an odd hint draw everything, as do new fonts.
    if (!m_BildSpeicher.IstAn() || IsPrinting() || IsBildExport() || m_bTeilweiseAngefordert ||
        m_Maler.SindFontsVeraltet()) {
        m_BildSpeicher.Umgehe();
        return CGetAnsView::RenderPicture(size);
    }
    CVorlageBildSpeicher::SZeichner z;
    z.grundbild = [this](QPainter& painter) { ZeichneGrundbild(painter, false); };
    z.dazu = [this](QPainter& painter) { ZeichneDazu(painter); };
    z.stand = [this](bool bAktualisieren) { return DazuStand(bAktualisieren); };
    return m_BildSpeicher.Bild(BildSchluessel(size), z);
}

CVorlageBildSpeicher::SDazu CQOR1View::DazuStand(bool bAktualisieren)
{
    CVorlageBildSpeicher::SDazu d;
    d.bAnim = Erg().nAnimAnzahl > 0;
    d.nAnimSchritt = m_pHinweise->GetSchritt();
    CFahrzeug* pArbeit = GetArbeitsFahrzeug();
    d.bDiagrammNeu = bAktualisieren && Erg().bDiagrammZeigen && pArbeit;
    // Brings the chart up to date.
    if (d.bDiagrammNeu)
        m_Maler.GetDiagrammBild().Draw(*pArbeit);
    if (Erg().bDiagrammZeigen)
        d.diagramm = m_Maler.GetDiagrammBild().GetImage();
    return d;
}

void CQOR1View::ZeichneGrundbild(QPainter& painter, bool bTeilweise)
{
    m_Maler.ZeichneFahrzeug(painter, Eingabe(), bTeilweise);
    UebernimmScrollGroesse();
}

SVorlageEingabe CQOR1View::Eingabe() const
{
    SVorlageEingabe ein;
    ein.pDoc = GetDocument();
    ein.pArbeit = GetArbeitsFahrzeug();
    ein.dZoom = m_dZoom;
    ein.scroll = GetScrollPosition();
    ein.bShowFahrzeug = m_bShowFahrzeug;
    ein.bShowBemassung = m_bShowBemassung;
    ein.bShowDiagramm = m_bShowDiagramm;
    ein.bBildExport = IsBildExport();
    ein.bPrinting = IsPrinting();
    ein.nExportTeil = m_Druck.GetExportTeil();
    ein.nExportWidth = m_Druck.GetExportWidth();
    ein.bVersetzt = IsInVisibleSplitterPane() && m_bActive;
    ein.nDrawMode = m_nDrawMode;
    ein.nDrawArg = m_nDrawArg;
    ein.nSelAchse = GetSelAchse();
    ein.pEditZL = GetEditZL();
    ein.rcKnopf = GetKnopfRect();
    ein.nViewAktiv = GetViewAktivIndex();
    ein.bKombi = HasTowingPair();
    ein.pEinzelFahrzeug = ein.bKombi && ein.bBildExport ? GetExportFahrzeug(ein.nExportTeil) : nullptr;
    return ein;
}

void CQOR1View::UebernimmScrollGroesse()
{
    const std::optional<QSize>& gross = Erg().scrollGroesse;
    if (gross && *gross != GetTotalSize())
        SetScrollSizes(*gross, Zoomed(kSeite, m_dZoom), kSchritt);
}

CFahrzeug* CQOR1View::GetExportFahrzeug(int /*nTeil*/) const
{
    return GetArbeitsFahrzeug();
}

// --- what printing and the report pictures draw --------------------------------------------------------

void CQOR1View::SetDruckZoom(double dZoom)
{
    m_dZoom = dZoom;
    m_Maler.SetFontsVeraltet();
}

void CQOR1View::ZeichneDruck(QPainter& painter, bool bMessen)
{
    if (!bMessen) {
        OnDraw(painter);
        return;
    }
    m_BildSpeicher.Verwirf();
    ZeichneGrundbild(painter, false);
    ZeichneDazu(painter);
}
