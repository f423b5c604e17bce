// The drawing of the loading plan: the layers, the placed loads and the overlays, with their pictures and
// fonts.
#pragma once

#include "views/LabelLayoutCache.h"
#include "views/PlanGrundbild.h"
#include "views/PlanMassstab.h"

#include "draw2d/CMemBm.h"
#include "model/vehicle/SchwerpunktLage.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <map>
#include <string>
#include <utility>

class CFahrzeug;
class CLadeeinheit;
class CQOR;
class QFontMetrics;
class QPainter;
struct tagLGINFO;

class CPlanPainter
{
public:
    // Tool areas of the plan's tool tips; the loads take the ids from kToolErsteLadung on.
    static constexpr int kToolSchwerpunkt = 13000;
    static constexpr int kToolBereichMass = 13001;
    static constexpr int kToolRandVorn = 13002;
    static constexpr int kToolRandHinten = 13003;
    static constexpr int kToolRandUnten = 13004;
    static constexpr int kToolRandOben = 13005;
    static constexpr int kToolErsteLadung = 12345;
    // Fills of the placed loads.
    static constexpr QRgb kFarbeLadung = 0xFFEDF493;     // RGB(237,244,147)
    static constexpr QRgb kFarbeAuswahl = 0xFF7EC4FC;    // RGB(126,196,252)
    static constexpr QRgb kFarbeFsm = 0xFF14897A;        // RGB(20,137,122)
    static constexpr QRgb kFarbeFsmAuswahl = 0xFF0E584F; // RGB(14,88,79)
    static constexpr QRgb kFarbeFsmHell = 0xFF3CC4AF;    // RGB(60,196,175)
    static constexpr QRgb kFarbeFsmExport = 0xFFDAFAF5;  // RGB(218,250,245)
    static constexpr QRgb kFarbeBereich = 0xFFD6FFC1;    // RGB(214,255,193)
    // The value buttons are as large as a compact slider, which opens over them; the handles are small
    // squares centred on an edge of the load area.
    static constexpr QSize kKnopfGroesse{46, 16};
    static constexpr int kGriff = 9;

    // Screen record of a drawn load: its rectangle in client pixels and its tool id.
    struct SGuiLg
    {
        QRect rc;
        int nToolId = -1;
    };
    // A tool-tip area of the plan, in client pixels.
    struct SToolArea
    {
        QRect rc;
        QString text;
    };
    // What a paint of the plan leaves for the hit tests, in client coordinates.
    struct PlanTreffer
    {
        QRect rcLadeflaeche;
        QRect rcBtnX, rcBtnY, rcBtnWert;
        QRect rcSchwerpunkt;
    };
    // Scale and margins of an exported picture: the load area's corner lies at (nRandLinks, nRandOben)
    // plus its edge distances at nScale pixels per metre.
    struct ExportMasse
    {
        int nScale = 0;
        int nRandLinks = 0;
        int nRandOben = 0;
    };
    // Copies of the plan's display options, refreshed by every paint of a plan.
    struct PlanAnzeigeKopie
    {
        bool bRasterBeschriftung = false;
        bool bLadungenZeigen = true;
        double dRasterY = 0.4;
        double dRasterX = 0.4;
        int nRasterSeite = 0;
        bool bRasterZeigen = false;
        bool bZulBereich = false;
        bool bBereichFarbig = false;
        bool bRichtungZeigen = false;
        bool bSchwerpunktZeigen = false;
        bool bAnzeigeBeiKonflikt = false;
    };
    // Everything one paint draws from; the paint only reads it.
    struct SEingabe
    {
        // The vehicle worked on and its plan; the front vehicle of the document (the vehicle worked on
        // without a document), the document's first vehicle, and whether the document has a trailer.
        const CFahrzeug* pFahrzeug = nullptr;
        const CQOR* pPlan = nullptr;
        const CFahrzeug* pVorn = nullptr;
        const CFahrzeug* pErstes = nullptr;
        bool bAnhaenger = false;
        // The model's verdict on the plan's centre of gravity (the marker it gets), and how far (m) the
        // centre of gravity of the plan's mass may lie off the middle of the load area (the range box).
        SchwerpunktLage eSchwerpunkt = SchwerpunktLage::kAusserhalb;
        float fQuerAbstand = 0.0f;
        // An export picture (sized and scaled by the painter) instead of the screen.
        bool bExport = false;
        int nExportBreite = 645;
        int nExportHoehe = 440;
        // The scroll position the painter is moved by and the size of the window.
        QPoint scroll;
        QSize fenster;
        // The insets of the view's edge, the template view's plan origin (0 for none) and the height of
        // the button strip above the plan.
        QPoint rand;
        int nPlanUrsprungX = 0;
        int nStreifenHoehe = 0;
        // The scale of the view: a paint takes it, works it out anew and gives it back.
        PlanMassstab massstab;
        int nMaxPixelProMeter = 112;
        // The plan grows and shrinks with its window; in ramp mode (with a ramp) the ramp's height in
        // metres and the band of tiles below it count.
        bool bFensterAnpassung = false;
        bool bRampenModus = false;
        double dRampenHoehe = 0.0;
        int nRampenLeiste = 0;
        // Whether the loading ramp shows under the plan (the view shows or hides it before the paint).
        bool bRampe = false;
        // Loads the gestures refer to (of the plan, or null), the y the current load's button shows, and
        // the gesture state the drawing reads.
        const tagLGINFO* pHover = nullptr;
        const tagLGINFO* pAuswahl = nullptr;
        double dAuswahlY = 0.0;
        bool bGestenAktiv = false;
        bool bTasteUnten = false;
        bool bZiehen = false;
        bool bGruppenModus = false;
        bool bLgAuswahlZiehen = false;
        bool bLgZiehen = false;
        int nEinheitBits = 0;
        bool bGummiband = false;
        bool bGummibandRahmen = true;
        QRect rcGummiband;
        // The labels of the loads, and the view's usable-range flags.
        bool bBeschriftung = true;
        int nNutzbarerBereich = 0;
    };

    // What a paint gives back: the records of the loads it drew; the tool areas, kept from paint to
    // paint (a paint brings them up to date and leaves alone what it does not draw).
    struct SErgebnis
    {
        std::map<const tagLGINFO*, SGuiLg> ladungen;
        std::map<int, SToolArea> tools;
        PlanAnzeigeKopie anzeige;
        PlanMassstab massstab;
        // The load area's corner moved on the screen: the view tells the host of the insets `rand`.
        bool bRandGeaendert = false;
        QPoint rand;
        // True when the records of the loads are to be dropped (loads hidden): the current and the
        // context load go with them.
        bool bLadungenVerworfen = false;
        // A screen paint that drew the load area: its hit rectangles, the handles, the size of the plan in
        // pixels of the whole plan (the scroll size without ramp), where the ramp goes below the load
        // area and whether it shows, and the load area's corner and scale it is laid out for.
        bool bPlan = false;
        PlanTreffer treffer;
        QRect rcZoomGriff, rcBreitenGriff;
        QSize planGroesse;
        int nRampeOben = 0;
        bool bRampe = false;
        // In ramp mode with the plan fitted to its window: the window height at which the load area and
        // the block's part of the ramp show above the band at a readable scale; 0 otherwise.
        int nRampenMindestHoehe = 0;
        QPoint ladeflaeche;
        double dMassstab = 0.0;
        // An export's picture and its measures.
        QImage exportBild;
        ExportMasse exportMasse;
    };

    CPlanPainter();

    // Draws the plan by `ein` (not an export) into `painter`, moved by the scroll position, and brings
    // `erg` up to date.
    void Zeichne(QPainter& painter, const SEingabe& ein, SErgebnis& erg);
    // Draws the export picture by `ein` (an export) into `erg.exportBild`; null for a vehicle without
    // load area.
    void ZeichneExport(const SEingabe& ein, SErgebnis& erg);

    // "%s%02i" of name and number ("%s" for numbers of 0 and below), shortened until it fits.
    static QString FitLabelToWidth(const QFontMetrics& fm, const std::string& name, int nNummer, int nMax);
    // A filled double arrow from a to b; false when they are too close and the heads point outward.
    static bool ZeichneMassPfeil(QPainter& painter, QPoint a, QPoint b, bool bSenkrecht);
    // Guide lines on the rulers at the plan position (x, y) in metres, for the scale `m`.
    static void ZeichnePositionsLinien(QPainter& painter, const PlanMassstab& m, double x, double y);
    // The usable range of `f` in content pixels for the scale `m`; empty without vehicle.
    static QRect BereichRect(const CFahrzeug* f, const PlanMassstab& m);
    // The centre-of-gravity marker for the model's verdict: 260, 268 or 267.
    static int SchwerpunktBild(SchwerpunktLage eLage);

    // Forgets the laid-out label texts and the kept layers under the moving loads, so the next paint
    // lays every text out and draws every layer anew.
    void VerwirfZwischenbilder()
    {
        m_labels.Clear();
        m_grundbild.Verwirf();
    }
    // Whether a paint may take the layers under the moving loads (cab, load area, grid, focus frame and
    // the loads that are neither selected nor pressed) from the picture kept of them while nothing they
    // were drawn from changed.
    void SetGrundbildSpeicher(bool bAn);
    // Whether the last paint took the kept layers, and how often they were drawn anew.
    bool WarAusGrundbild() const { return m_bAusGrundbild; }
    int GetGrundbildNeu() const { return m_nGrundbildNeu; }

private:
    struct PlanLage;
    struct PlanExport;
    void ZeichneMit(QPainter* painter, const SEingabe& ein, SErgebnis& erg);
    void ZeichnePlan(QPainter* painter);
    void SetTool(int nId, const QRect& rc, const QString& text);
    // Drops the records of the loads and their tool areas.
    void VerwirfLadungen();
    void LadeBilder();
    void BeginneExport(const PlanLage& g, PlanExport& exp) const;
    void SetzeUrsprung(PlanLage& g);
    void ZeichneOhneLadeflaeche(QPainter& painter, const PlanLage& g) const;
    // Copies the plan's display options (and, unless exporting, its zoom).
    void AktualisiereAnzeige(const CQOR& plan, bool bExport);
    // The screen's pixels per metre at the usual zoom, by the front vehicle.
    int PixelProMeter() const;
    // Pixels and metres the drawing needs in height besides the load area's width.
    struct Hoehenbedarf
    {
        double dMeter = 0.0;
        int nPixel = 0;
    };
    Hoehenbedarf HoeheNeben(const PlanLage& g) const;
    // The share of the window in the zoom that fits the drawing into the window, between a quarter and
    // four times the usual scale.
    double FensterFaktor(const PlanLage& g) const;
    int RampenMindestHoehe(const PlanLage& g) const;
    static constexpr double kKleinsterFaktor = 0.25;
    // Half the usual scale: a pallet's outline and label stay readable.
    static constexpr double kLesbarerFaktor = 0.5;
    void SetzeMassstab(PlanLage& g, int nExportScale);
    void ZeichneFahrerhaus(QPainter& painter, const PlanLage& g);
    void ZeichneLadeflaeche(QPainter& painter, const PlanLage& g) const;
    void SetzeRandTools(const PlanLage& g);
    void ZeichneFokusRahmen(QPainter& painter, const PlanLage& g) const;
    // Which of the drawn loads ZeichneLadungen draws: all, only those that stay (into the kept layers),
    // or only the moving ones (over the kept layers; the others get their records all the same).
    enum class Ladungsteil
    {
        kAlle,
        kFeste,
        kBewegte
    };
    void ZeichneLadungen(QPainter& painter, const PlanLage& g, Ladungsteil teil = Ladungsteil::kAlle);
    // The layers under the loads: the cab, the load area, the grid and the focus frame.
    void ZeichneUnterlage(QPainter& painter, const PlanLage& g);
    // The layers under the loads and the loads that stay, from the kept picture (drawn anew when what
    // it was drawn from changed), then the moving loads; false, with nothing drawn, where the kept
    // picture cannot stand for them on this painter or in this order of the loads.
    bool ZeichneMitGrundbild(QPainter& painter, const PlanLage& g);
    bool GrundbildMoeglich(const QPainter& painter) const;
    PlanGrundbild::SLage GrundbildLage(const QPainter& painter, const PlanLage& g) const;
    // Whether a load is drawn in this paint, and whether it belongs to the moving ones (selected, or
    // pressed and drawn highlighted) rather than to the kept layers.
    bool WirdGezeichnet(const tagLGINFO* lg, const tagLGINFO* pHover) const;
    bool IstBewegt(const tagLGINFO* lg, const tagLGINFO* pHover, bool bGedrueckt) const;
    bool IstGedrueckt(const tagLGINFO* pHover) const;
    // A load's box in content pixels.
    QRect LadungRect(const tagLGINFO& lg) const;
    void ZeichneRahmen(QPainter& painter, const PlanLage& g) const;
    // Answers the cell of the width figure.
    QRect ZeichneBreitenMass(QPainter& painter, const PlanLage& g) const;
    void ZeichneBereichMass(QPainter& painter, const PlanLage& g);
    // Whether the permissible range's dimension is drawn, and its two figures (from, to).
    bool BereichMassGezeigt(const PlanLage& g) const;
    std::pair<QString, QString> BereichMassTexte(const PlanLage& g) const;
    // Answers where the marker lies, or an empty rectangle when it is not drawn.
    QRect ZeichneSchwerpunkt(QPainter& painter, const PlanLage& g);
    void ZeichneGummiband(QPainter& painter, const PlanLage& g) const;
    // The grid with its figures; a figure that would lie under the current load's side-position button
    // `rcKnopfY` is left out.
    void ZeichneRaster(QPainter& painter, double L, double W, const double e[4], int x0, int y0,
                       const QRect& rcKnopfY);
    // Where the current load's side-position button stands left of the load area, in the drawing's pixels;
    // empty when it is not shown.
    QRect KnopfY(const PlanLage& g) const;
    // The least room between neighbouring figures of the grid.
    static constexpr int kRasterTextAbstand = 6;
    void ZeichneLadeeinheiten(QPainter& painter);
    // The verdict marks of the units, drawn last so that no other mark of the plan covers them.
    void ZeichneSicherungsMarken(QPainter& painter);
    // A unit's box in content pixels; empty for the unit the view draws itself.
    QRect EinheitRect(const CLadeeinheit& le) const;
    // Places and draws the value buttons of the current load (x above the load area at the load's front
    // edge, y left of it at the load's upper edge) and the zoom and width handles (on the middle of the
    // rear edge and of the lower edge of the load area `la`); `scr` is the painter's scroll offset.
    void ZeichneKnoepfeUndGriffe(QPainter& painter, const QRect& la, QPoint scr, PlanTreffer& treffer);
    void ZeichneBereichBox(QPainter& painter, const CFahrzeug& v, double W, const double e[4], int x0,
                           int y0);
    void ZeichneLadeflaechenBereich(QPainter& painter);
    // Drawing of one placed load.
    void ZeichneLadung(QPainter& painter, const tagLGINFO* pLg, QRect* pOut, int nNummer, bool bHighlight,
                       bool bSelected);
    void ZeichneLgBox(QPainter& painter, const QRect& rc, const tagLGINFO* pLg, int nNummer, bool bSelected);
    // The name and the mass of a load in its box `rc`, each where it fits clear of the other and of the
    // mark of the load's centre of gravity `rcMarke` (empty when none is drawn).
    void ZeichneLgBeschriftung(QPainter& painter, const QRect& rc, const tagLGINFO& lg, const QRect& rcMarke);
    void ZeichneSonderItem(QPainter& painter, const QRect& rc, int nNummer, bool bHighlight, bool bSelected,
                           const tagLGINFO* pLg);
    void ZeichneDruckRahmen(QPainter& painter);

    // The paint in progress: what it draws from, what it gives back, and the current load (dropped with
    // the records of the loads).
    const SEingabe* m_pEin = nullptr;
    SErgebnis* m_pErg = nullptr;
    const tagLGINFO* m_pAuswahl = nullptr;
    // The scale worked out by the paint in progress.
    PlanMassstab m_massstab;

    CMemBm m_bmSchwerpunkt[3]; // 260, 268, 267
    CMemBm m_bmLgSchwerpunkt;  // 266
    CMemBm m_bmFahrerhaus;     // 459
    CMemBm m_bmFahrerhausLang; // 461
    CMemBm m_bmDeichselStarr;  // 466
    CMemBm m_bmDeichsel;       // 468
    // The hatching of the load area and the pattern of a load-unit box (resource bitmaps).
    static constexpr int kMusterLadeflaeche = 418;
    static constexpr int kMusterEinheit = 675;
    QImage m_musterLadeflaeche;
    QImage m_musterEinheit;
    // Pictures on the boxes of load units: a unit in the plan's securing (808) and, in its corners, a unit
    // with defects (1410). Either may be missing from the module; it is then left out.
    QImage m_bildEinheit;
    QImage m_bildMangel;
    bool m_bEinheitBilder = false; // both read
    QFont m_fontKlein, m_fontTitel, m_fontNormal, m_fontMittel, m_fontLabel, m_fontSenkrecht, m_fontSchmal;
    LabelLayoutCache m_labels;
    PlanGrundbild m_grundbild;
    bool m_bGrundbildSpeicher = true;
    bool m_bAusGrundbild = false;
    int m_nGrundbildNeu = 0;
};
