// The template view: the paint in its steps, positions under the pointer, hot items and the updates.
#include "views/CQOR1View.h"
#include "views/CViewDruck.h"

#include "views/CHinweisAnimationen.h"
#include "views/CTabbedViewView.h"
#include "views/IFrameAnimation.h"
#include "views/IValueSlider.h"
#include "views/IViewShell.h"

#include "model/document/CQOR1Doc.h"
#include "model/vehicle/CFahrzeug.h"
#include "model/vehicle/FahrzeugArt.h"
#include "model/vehicle/SYs2X.h"
#include "model/vehicle/tagZLINFO.h"
#include "platform/BmpFile.h"
#include "ui/CRibBtnContainer.h"
#include "ui/ProgramRun.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <system_error>
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

} // namespace

CQOR1View::CQOR1View(CQOR1Doc* pDoc, QWidget* parent) : CGetAnsView(pDoc, parent)
{
    // The hit test runs on every pointer move, with or without a button down.
    viewport()->setMouseTracking(true);
    m_pBtnsHilfe = new CRibBtnContainer(true, true, true);
    if (m_pBtnsHilfe->Create(635, viewport(), 0, 0, 0))
        m_pBtnsHilfe->AddButton(827, this);
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
        m_bBildGueltig = false;
    }
}

// --- creation and updates ----------------------------------------------------------------------------

void CQOR1View::OnInitialUpdate()
{
    m_bBildGueltig = false;
    SetScrollSizes(QSize(Zoomed(1700, m_dZoom), Zoomed(1400, m_dZoom)),
                   QSize(Zoomed(1000, m_dZoom), Zoomed(500, m_dZoom)), QSize(20, 50));
    CQOR1Doc* pDoc = GetDocument();
    m_Maler.Verbinde(pDoc, m_dZoom);
    m_Maler.Ergebnis().ptOrigin.setY(313);
    if (pDoc && pDoc->GetFahrzeug())
        pDoc->OnFahrzeugChanged(true);
    m_bShowDiagramm = false;
    viewport()->update();
    CGetAnsView::OnInitialUpdate();
}

void CQOR1View::OnUpdate(CGetAnsView* /*pSender*/, UpdateHinweis eHinweis)
{
    m_bBildGueltig = false;
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
    const QPoint tl(Zoomed(250, m_dZoom), Zoomed(2725, m_dZoom));
    const QPoint br(Zoomed(1800, m_dZoom), Zoomed(2749, m_dZoom));
    return QRect(tl, br).translated(-GetScrollPosition());
}

int CQOR1View::OnViewNotify(int nCode, int nValue)
{
    if (const int n = CGetAnsView::OnViewNotify(nCode, nValue))
        return n;
    if (nCode == kNotifyInsets) {
        const QPoint insets = ResolveInsets(nValue);
        const QPoint scroll = GetScrollPosition();
        if (m_pBtnsHilfe && m_pBtnsHilfe->HasWindow())
            m_pBtnsHilfe->SetWindowPosAndShape(15 - insets.x() - scroll.x(), 10 - insets.y() - scroll.y());
    }
    return 0;
}

void CQOR1View::OnActivateView(bool bActivate, CGetAnsView* pActivated, CGetAnsView* pDeactivated)
{
    CGetAnsView::OnActivateView(bActivate, pActivated, pDeactivated);
    m_bBildGueltig = false;
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
    if (m_bPrinting || m_bBildExport || !m_pBtnsHilfe || !m_pBtnsHilfe->HasWindow() ||
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
    m_bBildGueltig = false;
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
    m_bBildGueltig = false;
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

void CQOR1View::SetBildSpeicher(bool bAn)
{
    m_bBildSpeicher = bAn;
    m_bBildGueltig = false;
}

CQOR1View::SBildSchluessel CQOR1View::BildSchluessel(QSize size) const
{
    const CQOR1Doc* pDoc = GetDocument();
    SBildSchluessel k;
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
    k.nExportTeil = m_nExportTeil;
    k.nPixProMeter = m_Maler.GetKoordSys().m_nPixProMeter;
    k.nPixProTonne = m_Maler.GetKoordSys().m_nPixProTonne;
    k.rcKnopf = GetKnopfRect();
    k.bShowFahrzeug = m_bShowFahrzeug;
    k.bShowBemassung = m_bShowBemassung;
    k.bShowDiagramm = m_bShowDiagramm;
    k.bActive = m_bActive;
    k.bSplitter = IsInVisibleSplitterPane();
    k.bRulerFlag = m_bRulerFlag;
    return k;
}

QImage CQOR1View::RenderPicture(QSize size)
{
    size = size.expandedTo(QSize(1, 1));
    m_bAusBildSpeicher = false;
    // Printing, exports and the partial paints after an odd hint draw everything, as do new fonts.
    if (!m_bBildSpeicher || m_bPrinting || m_bBildExport || m_bTeilweiseAngefordert ||
        m_Maler.SindFontsVeraltet()) {
        m_bBildGueltig = false;
        return CGetAnsView::RenderPicture(size);
    }
    const SBildSchluessel k = BildSchluessel(size);
    if (m_bBildGueltig && k == m_BildSchluessel) {
        m_bAusBildSpeicher = true;
        // Only an animation's frame or the chart may have changed: both cover their places whole, so
        // they are drawn again over the kept picture.
        if (DazuGeaendert()) {
            QPainter painter(&m_Bild);
            painter.translate(-GetScrollPosition());
            ZeichneDazu(painter);
            MerkeDazu();
        }
        return m_Bild;
    }
    // The last picture's memory serves again unless a caller still holds it.
    if (m_Bild.size() != size || !m_Bild.isDetached())
        m_Bild = QImage(size, QImage::Format_RGB32);
    m_Bild.fill(Qt::white);
    {
        QPainter painter(&m_Bild);
        painter.translate(-GetScrollPosition());
        ZeichneGrundbild(painter, false);
        ZeichneDazu(painter);
    }
    MerkeDazu();
    // The state before the drawing: when the drawing moved the scroll position (a new scroll area), the
    // next picture draws again.
    m_BildSchluessel = k;
    m_bBildGueltig = true;
    return m_Bild;
}

bool CQOR1View::DazuGeaendert()
{
    bool bGeaendert = Erg().nAnimAnzahl > 0 && m_pHinweise->GetSchritt() != m_nBildAnimSchritt;
    CFahrzeug* pArbeit = GetArbeitsFahrzeug();
    if (Erg().bDiagrammZeigen && pArbeit) {
        // Brings the chart up to date; a chart drawn again with the same pixels changes nothing.
        m_Maler.GetDiagrammBild().Draw(*pArbeit);
        const QImage& bild = m_Maler.GetDiagrammBild().GetImage();
        if (bild.cacheKey() != m_BildDiagramm.cacheKey() && !(bild == m_BildDiagramm))
            bGeaendert = true;
    }
    return bGeaendert;
}

void CQOR1View::MerkeDazu()
{
    m_nBildAnimSchritt = m_pHinweise->GetSchritt();
    m_BildDiagramm = Erg().bDiagrammZeigen ? m_Maler.GetDiagrammBild().GetImage() : QImage();
}

void CQOR1View::ZeichneGrundbild(QPainter& painter, bool bTeilweise)
{
    m_Maler.DrawFahrzeug(painter, Eingabe(), bTeilweise);
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
    ein.bBildExport = m_bBildExport;
    ein.bPrinting = m_bPrinting;
    ein.nExportTeil = m_nExportTeil;
    ein.nExportWidth = m_nExportWidth;
    ein.bVersetzt = IsInVisibleSplitterPane() && m_bActive;
    ein.nDrawMode = m_nDrawMode;
    ein.nDrawArg = m_nDrawArg;
    ein.nSelAchse = GetSelAchse();
    ein.pEditZL = GetEditZL();
    ein.rcKnopf = GetKnopfRect();
    ein.nViewAktiv = GetViewAktivIndex();
    ein.bKombi = HasTowingPair();
    ein.pEinzelFahrzeug = ein.bKombi && m_bBildExport ? GetExportFahrzeug(m_nExportTeil) : nullptr;
    return ein;
}

void CQOR1View::UebernimmScrollGroesse()
{
    const std::optional<QSize>& gross = Erg().scrollGroesse;
    if (gross && *gross != GetTotalSize())
        SetScrollSizes(*gross, QSize(Zoomed(1000, m_dZoom), Zoomed(500, m_dZoom)), QSize(20, 50));
}

QImage CQOR1View::RenderExport(int nExportWidth, int nHoehenReduktion)
{
    const int nHoehe = std::max(1, 532 - nHoehenReduktion);
    m_nExportWidth = nExportWidth;
    m_bBildExport = true;
    // Drawn from the picture's own origin: the screen's scroll position plays no part.
    QImage bild = CVorlagePainter::DrawExportBild(nHoehe, [this](QPainter& painter) { OnDraw(painter); });
    m_bBildExport = false;
    return bild;
}

bool CQOR1View::ExportBilder(int nTeil, int nExportWidth, int nHoehenReduktion, bool bDiagramm,
                             const std::filesystem::path& folder)
{
    if (nTeil != 1 && nTeil != 2)
        return false;
    const char* endung = nTeil == 1 ? "_SUP.bmp" : "_INF.bmp";
    const std::filesystem::path fahrzeug = folder / (std::string("Fahrzeug") + endung);
    const std::filesystem::path diagramm = folder / (std::string("Rld") + endung);
    // A report must not pick up an old picture when this one fails.
    std::error_code ec;
    std::filesystem::remove(fahrzeug, ec);
    if (ec)
        return false;
    std::filesystem::remove(diagramm, ec);
    if (ec)
        return false;
    CQOR1Doc* pDoc = GetDocument();
    if (!pDoc || !pDoc->GetFahrzeug())
        return false;
    m_nExportTeil = nTeil;
    const QImage bild = RenderExport(nExportWidth, nHoehenReduktion);
    if (!WriteDIBSectionToBmp(QString::fromStdString(fahrzeug.string()), bild))
        return false;
    CFahrzeug* f = GetExportFahrzeug(nTeil);
    if (!bDiagramm || !f || f->GetArt() == FahrzeugArt::kSattelzugmaschine)
        return true;
    f->GetDiagramm().BuildCurve(0.0f);
    f->GetDiagramm().m_bNeuZeichnen = true;
    int cx = 0, cy = 0;
    CFahrzeugDiagrammBild& bildDiagramm = m_Maler.GetDiagrammBild();
    if (!bildDiagramm.Draw(*f) || !bildDiagramm.GetBitmapSize(&cx, &cy))
        return true; // no chart, nothing to write
    return WriteDIBSectionToBmp(QString::fromStdString(diagramm.string()), bildDiagramm.GetImage());
}

CFahrzeug* CQOR1View::GetExportFahrzeug(int /*nTeil*/) const
{
    return GetArbeitsFahrzeug();
}

// --- printing --------------------------------------------------------------------------------------------

double CQOR1View::CalcPrintZoom(int nHorzRes, int nVertRes)
{
    const double h = (nHorzRes - nHorzRes * 5 / 1900) / 1900.0;
    const double v = (nVertRes - nVertRes * 5 / 2750) / 2750.0;
    return std::min(h, v);
}

double CQOR1View::GetDruckFaktor() const
{
    // A print's zoom and any other zoom of the view enlarge the standard zoom's picture as a whole.
    return m_dZoom > 0.0 ? m_dZoom / kStandardZoom : 1.0;
}

void CQOR1View::OnBeginPrinting(const QRect& rcSeite)
{
    m_bPrinting = true;
    m_dZoomSaved = m_dZoom;
    const double z = CalcPrintZoom(rcSeite.width(), rcSeite.height());
    if (z > 0.0)
        m_dZoom = z;
    m_Maler.SetFontsVeraltet();
    if (z > 0.0)
        FitPrintZoom(rcSeite.size());
    GetProgramRun().SetDruckZoom(m_dZoom);
}

QSize CQOR1View::MeasureDrawing(const QSize& bis, int nRaster)
{
    CQOR1Doc* pDoc = GetDocument();
    if (!pDoc || !pDoc->GetFahrzeug())
        return QSize();
    // A full paint with the fonts of the zoom; a requested partial paint stays requested.
    return CVorlagePainter::MissZeichnung(bis, nRaster, [this](QPainter& painter) {
        m_bBildGueltig = false;
        ZeichneGrundbild(painter, false);
        ZeichneDazu(painter);
    });
}

void CQOR1View::FitPrintZoom(const QSize& seite)
{
    // Drawings fit the page's zoom up to 1900 x 2750 of their units; a longer vehicle's is made smaller
    // until it keeps inside the page less the same margin. Parts that do not shrink with the zoom need
    // a few rounds.
    const int w = seite.width() - seite.width() * 5 / 1900;
    const int h = seite.height() - seite.height() * 5 / 2750;
    if (w <= 0 || h <= 0)
        return;
    const int raster = std::max(1, std::max(seite.width(), seite.height()) / 1500);
    for (int runde = 0; runde < 8; ++runde) {
        const QSize ausmass = MeasureDrawing(seite, raster);
        if (ausmass.isEmpty() || (ausmass.width() <= w && ausmass.height() <= h))
            break;
        const double f =
            std::min(static_cast<double>(w) / ausmass.width(), static_cast<double>(h) / ausmass.height());
        m_dZoom *= std::min(f, 0.99);
        m_Maler.SetFontsVeraltet();
    }
}

void CQOR1View::OnEndPrinting()
{
    m_dZoom = m_dZoomSaved;
    m_Maler.SetFontsVeraltet();
    m_bPrinting = false;
}

bool CQOR1View::OnPreparePrinting(QPrinter& printer, bool bPreview)
{
    m_bRulerFlag = bPreview;
    CQOR1Doc* pDoc = GetDocument();
    const int nBis = pDoc && (pDoc->m_nDruckFlags & 2) != 0 ? 2 : 1;
    const bool ok = CViewDruck::DoPreparePrinting(this, printer, 1, nBis);
    printer.setFromTo(1, 1);
    if (!ok && pDoc)
        pDoc->m_bDruckAbgebrochen = true;
    return ok;
}

bool CQOR1View::PrintToPdf(const QString& path)
{
    return CViewDruck::DruckeInPdf(path, [this](QPrinter& p) { return PrintTo(p); });
}

void CQOR1View::Drucken(int nId)
{
    CViewDruck::Drucke(
        this, nId, [this](QPrinter& p) { return PrintTo(p); },
        [this](QPrinter& p) { return OnPreparePrinting(p, false); });
}

bool CQOR1View::PrintTo(QPrinter& printer)
{
    const int nDpi = std::min(printer.resolution(), kDruckDpiHoechstens);
    const QSize seite = printer.pageLayout().paintRectPixels(nDpi).size();
    return CViewDruck::PrintImage(printer, DruckBild(seite, nDpi));
}

QImage CQOR1View::DruckBild(QSize seite, int nDpi)
{
    if (seite.isEmpty() || nDpi <= 0)
        return QImage();
    // The drawing of the raster engine, as on the screen: the printer's own engine lacks the raster
    // operations that fill the payload area and the cab pictures.
    const double k = static_cast<double>(nDpi) / kBildschirmDpi;
    OnBeginPrinting(QRect(0, 0, static_cast<int>(seite.width() / k), static_cast<int>(seite.height() / k)));
    QImage bild(seite, QImage::Format_RGB32);
    bild.fill(Qt::white);
    {
        QPainter painter(&bild);
        painter.scale(k, k);
        OnDraw(painter);
    }
    OnEndPrinting();
    return bild;
}
