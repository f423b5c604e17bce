// The template views' painter: rulers, vehicle drawings, dimension lines and axle-load pictures of one
// vehicle or of a combination, drawn from plain data, with what they leave behind for the view.
#pragma once

#include "draw2d/CAuflager.h"
#include "draw2d/CBemassung.h"
#include "draw2d/CDIBFahrzeug.h"
#include "draw2d/CFahrzeugDiagrammBild.h"
#include "draw2d/CKoordSys.h"
#include "draw2d/IPlanDrawView.h"
#include "model/vehicle/STupel.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class CFahrzeug;
class CQOR1Doc;
class QPainter;
class tagZLINFO;

// What a template picture is drawn from: the document, the zoom and scroll position, what the view shows
// and what the picture is for.
struct SVorlageEingabe
{
    CQOR1Doc* pDoc = nullptr;
    // The vehicle with load area worked on: its chart may stand behind its load area.
    CFahrzeug* pArbeit = nullptr;
    double dZoom = 0.25;
    QPoint scroll;
    bool bShowFahrzeug = true;
    bool bShowBemassung = true;
    bool bShowDiagramm = false;
    bool bBildExport = false;
    bool bPrinting = false;
    // The report part of an export picture (1 upper, 2 lower, 0 none) and the width of its picture area.
    int nExportTeil = 1;
    int nExportWidth = 648;
    // Shown in the active pane of a visible splitter: the drawing stands 2 pixels up and to the left.
    bool bVersetzt = false;
    // The mouse mode and its argument (mode 2 marks axle n).
    int nDrawMode = 0;
    int nDrawArg = 0;
    // The axle and the item being edited.
    int nSelAchse = -1;
    const tagZLINFO* pEditZL = nullptr;
    // The view's buttons over the drawing (device coordinates), empty when none stand there.
    QRect rcKnopf;
    // The document's vehicle worked on (2 the towing vehicle; 1 in the single vehicle's view) and whether
    // the two vehicles of a combination are drawn.
    int nViewAktiv = 1;
    bool bKombi = false;
    // The vehicle a report picture of one vehicle of a combination shows.
    CFahrzeug* pEinzelFahrzeug = nullptr;
};

// A tooltip tool the drawings left behind.
struct SVorlageTool
{
    QRect rc;
    std::string text;
};

// What the drawings leave behind for the view, from paint to paint: each drawing sets what it draws.
struct SVorlageErgebnis
{
    // The origin of the rulers (its y comes from the view) and where it was drawn.
    QPoint ptOrigin{1, 255};
    QPoint ptOriginDrawn;
    int nDrawShiftX = 0;
    int nDrawShiftY = 0;
    // The load area drawn: of a combination on the screen from the towing vehicle's front to the
    // trailer's end.
    QRect rcLadeflaeche;
    QRect rcDiagramm;
    // Where the texts of the last paint stand, in device coordinates.
    QRect rcTexte;
    double dSchwerpunktPos = 0.0;
    std::array<QRect, IPlanDrawView::kHotAnzahl> rcHotSpots{};
    std::map<int, QRect> rcLabels;
    std::map<int, SVorlageTool> tools;
    std::map<std::pair<int, int>, QRect> rcAuflager;
    // How many hint animations go over the picture, whether and where the chart goes.
    int nAnimAnzahl = 0;
    bool bDiagrammZeigen = false;
    QPoint ptDiagramm;
    // Where a combination's towing vehicle's and trailer's drawings start.
    int nZugX = 0;
    int nAnhaengerX = 0;
    // Whether the last paint was partial.
    bool bLetzteTeilweise = false;
    // The scroll area a full drawing on the screen asks for.
    std::optional<QSize> scrollGroesse;

    // A place the axle-load picture left, empty when none.
    QRect Auflager(IPlanDrawView::AuflagerSpot which, int index) const;
    QRect Label(int id) const;
    // The first number of the hot rectangles of the distance labels (12..20), the permissible (21..30)
    // and the empty axle loads (31..40).
    static constexpr int kHotAbstand = 12;
    static constexpr int kHotZulLast = 21;
    static constexpr int kHotLeerlast = 31;
    // A hot rectangle the drawings left, by its number: 0 front of the axle-1 offset, 1 load-area end,
    // 5 body, 9 rear coupling, 10 tractor coupling, the labels above, 41/42 minimum shares, 45 axle-1
    // offset, 46 load-area length, 47 and 48 coupling offsets, 49 total mass, 50 combination limit,
    // 51 remarks, 53 axle-load picture, 54 that of the vehicle not worked on; empty for others.
    QRect HotRect(int nHot) const;
};

// What the view draws over its picture on the screen, in client pixels: the hover frame, the load
// dialog's pick line and an item's position marker.
struct SVorlageUeberlagerung
{
    bool bFocus = false;
    QRect rcFocus;
    bool bPick = false;
    int nPickX = 0;
    // The load area worked on and its vehicle.
    QRect rcLF;
    const CFahrzeug* pFahrzeug = nullptr;
    // The item whose position is marked (null: no marker) and the place of the item being edited (empty:
    // none).
    tagZLINFO* pMarkerZL = nullptr;
    QRect rcEditZL;
    // Pixels per metre at the view's zoom.
    double dPixProMeter = 0.0;
};

class CVorlagePainter : public IPlanDrawView
{
public:
    // The rulers' scale of an ordinary vehicle at zoom 1.
    static constexpr int kPixProMeter = 194;
    static constexpr int kPixProTonne = 70;
    // The zoom the screen shows the template at; the drawing's fixed sizes are made for it.
    static constexpr double kStandardZoom = 0.25;

    CVorlagePainter();
    ~CVorlagePainter() override;
    CVorlagePainter(const CVorlagePainter&) = delete;
    CVorlagePainter& operator=(const CVorlagePainter&) = delete;

    // A new view: the document the rulers and dimension lines read, the axle-load picture of its vehicle
    // and the rulers' scale at the zoom.
    void Verbinde(CQOR1Doc* pDoc, double dZoom);
    // The document's vehicle (behind its towing vehicle when it has one drawn with it) on the rulers,
    // with its dimension lines and axle-load picture; notes which animations and where the chart go over
    // it. A partial paint (bTeilweise) keeps its scale and fonts and leaves out the dimension lines, the
    // axle-load picture and the additions of the vehicle kinds.
    const SVorlageErgebnis& ZeichneFahrzeug(QPainter& painter, const SVorlageEingabe& ein, bool bTeilweise);
    // The towing vehicle and the trailer of a combination on one plan, each with its own axle-load
    // picture (a report picture: the part's one); without a pair as ZeichneFahrzeug.
    const SVorlageErgebnis& ZeichneKombination(QPainter& painter, const SVorlageEingabe& ein,
                                               bool bTeilweise);

    const SVorlageErgebnis& Ergebnis() const { return m_Erg; }
    SVorlageErgebnis& Ergebnis() { return m_Erg; }

    // int(pixels per metre x m x horizontal factor x zoom) of the last drawing's scale.
    int MeterZuPixel(double dMeter, double dZoom) const;
    // The load area of the vehicle worked on: of a combination drawn whole (bKombiBild) the part of the
    // document's vehicle worked on.
    QRect AktivLadeflaeche(const CQOR1Doc* pDoc, int nViewAktiv, bool bKombiBild, double dZoom) const;

    // Draws the figures over the picture.
    static void ZeichneUeberlagerung(QPainter& painter, const SVorlageUeberlagerung& u);
    // The width of a report picture.
    static constexpr int kExportBreite = 648;
    // A report picture kExportBreite wide and nHoehe high of what `draw` paints from the picture's origin:
    // a drawing wider than the picture is shown whole, scaled down to the picture's width.
    static QImage ZeichneExportBild(int nHoehe, const std::function<void(QPainter&)>& draw);
    // How far what `draw` paints reaches to the right and down, up to twice `bis`; found by painting it
    // into a picture reduced by nRaster, so it is exact to about nRaster pixels. Empty when nothing shows.
    static QSize MissZeichnung(const QSize& bis, int nRaster, const std::function<void(QPainter&)>& draw);

    // The drawing of the document's vehicle (its towing vehicle's in m_pZugfahrzeug).
    CDIBFahrzeug* GetDIBFahrzeug() const { return m_pDIBFahrzeug.get(); }
    // The next drawing makes the vehicle drawing anew.
    void ResetDIBFahrzeug() { m_pDIBFahrzeug.reset(); }
    // The next full drawing makes the fonts for its zoom anew.
    void SetFontsVeraltet() { m_bFontsDirty = true; }
    bool SindFontsVeraltet() const { return m_bFontsDirty; }
    CKoordSys& GetKoordSys() { return m_KoordSys; }
    const CKoordSys& GetKoordSys() const { return m_KoordSys; }
    CAuflager& GetAuflager() { return m_Auflager; }
    CFahrzeugDiagrammBild& GetDiagrammBild() { return m_DiagrammBild; }
    const CFahrzeugDiagrammBild& GetDiagrammBild() const { return m_DiagrammBild; }

private:
    // IPlanDrawView: the drawing objects read the input and leave their places in the result.
    CQOR1Doc* GetDocument() const override { return m_Ein.pDoc; }
    bool IsBildExport() const override { return m_Ein.bBildExport; }
    bool IsPrinting() const override { return m_Ein.bPrinting; }
    int GetDrawShiftX() const override { return m_Erg.nDrawShiftX; }
    int GetDrawShiftY() const override { return m_Erg.nDrawShiftY; }
    int GetViewAktivIndex() const override { return m_Ein.nViewAktiv; }
    bool HasTowingPair() const override { return m_Ein.bKombi; }
    int MetresToPixels(double m) const override { return MeterZuPixel(m, m_Ein.dZoom); }
    QRect GetLadeflaecheRect() const override;
    bool IsEinzelBild() const override { return m_Ein.bKombi && m_Ein.bBildExport; }
    CFahrzeug* GetEinzelFahrzeug() const override { return m_Ein.pEinzelFahrzeug; }
    double GetDruckFaktor() const override;
    int GetSelAchse() const override { return m_Ein.nSelAchse; }
    const tagZLINFO* GetEditZL() const override { return m_Ein.pEditZL; }
    bool IsKombinationsBild() const override { return m_Ein.bKombi && !m_Ein.bBildExport; }
    void SetHotSpot(HotSpot which, const QRect& rc) override;
    void SetToolTip(int toolId, const QRect& rc, const std::string& text) override;
    void RemoveToolTip(int toolId) override { m_Erg.tools.erase(toolId); }
    void SetLabelRect(int id, const QRect& rc) override;
    void SetSchwerpunktPos(double x) override { m_Erg.dSchwerpunktPos = x; }
    void SetAuflagerRect(AuflagerSpot which, int index, const QRect& rc) override;
    void AddTextRect(const QRect& rc) override { m_Erg.rcTexte |= rc; }
    QRect GetKnopfRect() const override { return m_Ein.rcKnopf; }
    void ZeichneAchsTracker(QPainter& painter, const QRect& rc) override;
    void ZeichneZLTracker(QPainter& painter, const QRect& rc) override { ZeichneAchsTracker(painter, rc); }

    // The steps both pictures share.
    // A new paint: no animations, no chart and no scroll area asked for yet.
    void BeginneBild(const SVorlageEingabe& ein);
    // The drawing of `pFahrzeug` (made anew for another vehicle) and for a full drawing fresh fonts and
    // the plain scale. Null without a drawing.
    CDIBFahrzeug* BeginneGrundbild(CFahrzeug* pFahrzeug, bool bTeilweise);
    // Ruler width with its title; with the vehicle also the drawing's length ahead of the load area.
    int CalcPlanWidth(bool bFahrzeug, const CDIBFahrzeug* pDIB);
    // The origin's x in an exported picture from the paint's x: by the kind of the vehicle the picture
    // begins with (null: a towing vehicle), moved to the middle of a picture narrower than 647 pixels.
    int CalcExportOriginX(CFahrzeug* pVorn, int x, int scale) const;
    // The y of the origin line in the paint (the screen's, enlarged while printing).
    int OriginY() const;
    // Moves the origin of an export picture (beginning with pExportVorn) or of the active splitter pane.
    void Versetze(int& x, int& y, CFahrzeug* pExportVorn, int scale);
    // The vehicle whose chart goes beside the picture, null when none does.
    CFahrzeug* DiagrammFahrzeug() const;
    // The rulers at the origin; answers the top of their axis.
    int ZeichneLineal(QPainter& painter, int x, int y);
    // Notes where the chart of pChart (null: none) goes: behind its load area starting at xLF.
    void SetDiagramm(const CFahrzeug* pChart, int xLF, int y);
    // The scroll area asked for: `total`, grown to hold every text the paint drew.
    QSize MitTexten(QSize total) const;
    // The two vehicles (or an export part's one) with their dimensions and axle-load pictures; the
    // trailer's load area starts at x2.
    void ZeichneKombiFahrzeuge(QPainter& painter, int x, int x2, int y, bool bZugAktiv, bool bTeilweise);
    // The combination's scroll area: it reaches the trailer's end and the lower axle-load picture.
    // nBreite is the width of the drawing when a trailer of its kind does not set it.
    void SetKombiScrollGroesse(int x, int y, int nBreite, bool bChart);

    SVorlageEingabe m_Ein;
    SVorlageErgebnis m_Erg;
    std::unique_ptr<CDIBFahrzeug> m_pDIBFahrzeug;
    STupel m_Scale{1.0, 1.0, -1};
    bool m_bFontsDirty = true;
    CKoordSys m_KoordSys;
    CBemassung m_Bemassung;
    CAuflager m_Auflager;
    CFahrzeugDiagrammBild m_DiagrammBild;
};
