// The securing sketch: the load area of a vehicle seen from above with its unusable strips, lashing rails
// and points, the placed loads and the load units with their lashings, and where each was drawn.
#pragma once

#include "loadsecuring/LgSichgAktion.h"
#include "loadsecuring/LgSichgMeldung.h"
#include "model/plan/SicherungsStand.h"

#include "draw2d/core/CBitmapEx.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <array>
#include <functional>
#include <map>
#include <set>

class CFahrzeug;
class CLadeeinheit;
class CQOR;
class CZurrpunkt;
class CZurrschiene;
class QPainter;
struct tagLGINFO;

// The scale of a sketch and the place of its load area's corner, in picture coordinates.
struct LgSichgMassstab
{
    double dZoom = 0.5;
    int nZoomIndex = 1;
    QPoint ptUrsprung{0, 0};

    // Metres to whole pixels (rounded down) and back.
    int Pixel(double dMeter) const;
    double Meter(int nPixel) const;
    // A point of the load area (metres from its corner) in picture coordinates.
    QPoint Punkt(double x, double y) const;
};

// Where the sketch drew its objects, in picture coordinates: the hit regions of the view.
struct LgSichgRegionen
{
    QRect rcLadeflaeche;
    std::map<const CLadeeinheit*, QRect> einheiten;
    std::map<const tagLGINFO*, QRect> ladungen;
    std::map<const CZurrpunkt*, QRect> punkte;
    std::map<const CZurrpunkt*, QRect> schienenpunkte;
    std::map<const CZurrschiene*, QRect> schienen;
    // The attachment corners of the active unit.
    std::array<QRect, 4> ecken;
};

class LgSichgSkizze
{
public:
    // Pixels per metre at zoom 1; from zoom index kBildZoomIndex on, rails and lashing points are
    // drawn with their pictures.
    static constexpr int kPixelProMeter = 97;
    static constexpr int kBildZoomIndex = 4;
    // Colours the sketch is made of.
    static constexpr QRgb kFarbeRand = 0xFFA6CAF0;               // RGB(166, 202, 240): unusable strips
    static constexpr QRgb kFarbeSchiene = 0xFF787878;            // RGB(120, 120, 120)
    static constexpr QRgb kFarbeSchieneStift = 0xFF505050;       // RGB(80, 80, 80)
    static constexpr QRgb kFarbeBlass = 0xFFEBEBEB;              // RGB(235, 235, 235): faded fill
    static constexpr QRgb kFarbeBlassStift = 0xFFDCDCDC;         // RGB(220, 220, 220): faded pen and label
    static constexpr QRgb kFarbePunkt = 0xFF546A06;              // RGB(84, 106, 6)
    static constexpr QRgb kFarbePunktStift = 0xFF474D04;         // RGB(71, 77, 4)
    static constexpr QRgb kFarbeZurrung = 0xFFAD5D1E;            // RGB(173, 93, 30)
    static constexpr QRgb kFarbeLadung = 0xFFEDF493;             // RGB(237, 244, 147): goods
    static constexpr QRgb kFarbeFsm = 0xFF14897A;                // RGB(20, 137, 122)
    static constexpr QRgb kFarbeSchienenpunkt = 0xFF828282;      // RGB(130, 130, 130)
    static constexpr QRgb kFarbeSchienenpunktBlass = 0xFFB4B4B4; // RGB(180, 180, 180)
    static constexpr QRgb kFarbeMangel = 0xFFD32F2F;             // RGB(211, 47, 47): defect mark

    // Asks the view's rules (and its wizard) whether an action holds for a value; bDefault is the
    // answer where nobody decides, pExtra a number handed along.
    using Frage = std::function<bool(LgSichgAktion, const LgSichgWert&, bool bDefault, int* pExtra)>;

    // What one sketch shows.
    struct Auftrag
    {
        CFahrzeug* pFahrzeug = nullptr; // the vehicle, with a load area
        LgSichgMassstab massstab;
        // The report picture: only the active unit and the loads of units, no marked area.
        bool bSnapshot = false;
        // In a visible splitter pane the front's name is not written beside the load area.
        bool bSplitter = false;
        const CZurrpunkt* pAuswahlPunkt = nullptr; // framed hatched
        Frage frage;
    };

    // Loads the fonts and pictures of the sketch.
    LgSichgSkizze();

    // Draws the load area of the vehicle with its lashing equipment as the rules want it shown, then,
    // with a plan, its loads and load units and the marked area. The regions of the load area, rails
    // and points are drawn anew, those of units and loads are added to.
    void Zeichne(QPainter& p, const Auftrag& a, LgSichgRegionen& r);
    // The note of a vehicle without a load area, its top-left corner at pt.
    void ZeichneOhneLadeflaeche(QPainter& p, QPoint pt);

    // The mark drawn over a load unit: its verdict where the rules show one, else none.
    static SicherungsStand Kennzeichen(const CLadeeinheit& le, const Frage& frage);

    // Geometry in picture coordinates. A rail's rectangle (pass 0: the whole rail, 1: its usable
    // range; empty on no side or without length), a lashing point's square, a placed load's box, a
    // load unit's box and an attachment corner's circle box (empty where the unit has none).
    static QRect SchienenRechteck(const LgSichgMassstab& m, CFahrzeug* f, const CZurrschiene& s,
                                  int nDurchgang);
    static QRect PunktRechteck(const LgSichgMassstab& m, CZurrpunkt& zp);
    static QRect LadungRechteck(const LgSichgMassstab& m, CFahrzeug* f, const tagLGINFO& lg);
    static QRect EinheitRechteck(const LgSichgMassstab& m, CFahrzeug* f, const CLadeeinheit& le);
    static QRect EckenRechteck(const LgSichgMassstab& m, CFahrzeug* f, CLadeeinheit& le, int nEcke);

private:
    void ZeichneLadeflaeche(QPainter& p, const Auftrag& a, LgSichgRegionen& r, int L, int W);
    void ZeichneLadeflaecheMitZurrmitteln(QPainter& p, const Auftrag& a, LgSichgRegionen& r);
    void ZeichneSchienen(QPainter& p, const Auftrag& a, LgSichgRegionen& r, bool bBlass);
    void ZeichnePunkte(QPainter& p, const Auftrag& a, LgSichgRegionen& r, bool bNamenBlass, bool bPunkteBlass,
                       bool bSichgWahl);
    void ZeichneEinheitPunkte(QPainter& p, const Auftrag& a, LgSichgRegionen& r, CLadeeinheit& le,
                              bool bPunkteBlass, bool bSchienenBlass);
    void ZeichneLadungen(QPainter& p, const Auftrag& a, CQOR& q, LgSichgRegionen& r, QRect* pMarkiert);
    void ZeichneEinheiten(QPainter& p, const Auftrag& a, CQOR& q, LgSichgRegionen& r);
    void ZeichneLadeeinheit(QPainter& p, const Auftrag& a, CLadeeinheit& le, const QRect& rc, bool bAktiv,
                            LgSichgRegionen& r);
    void ZeichneZurrungen(QPainter& p, const Auftrag& a, CLadeeinheit& le, const QRect& rc);
    void ZeichneAnschlagpunkt(QPainter& p, const Auftrag& a, CLadeeinheit& le, int nEcke, bool bGefuellt,
                              LgSichgRegionen& r);

    QFont m_fontPunkt, m_fontSenkrecht, m_fontLabel, m_fontSchmal;
    CBitmapEx m_bmPunkt;   // 765
    CBitmapEx m_bmSchiene; // 767
    // The pattern of the marked area, the pattern of a load-unit box (resource bitmaps) and the tick
    // over a secured unit (PNG resource).
    static constexpr int kMusterMarkiert = 672;
    static constexpr int kMusterEinheit = 675;
    static constexpr int kBildGesichert = 808;
    QImage m_musterMarkiert, m_musterEinheit, m_bildGesichert;
    // The loads of units, the only ones the report picture shows.
    std::set<const tagLGINFO*> m_snapshotLadungen;
};
