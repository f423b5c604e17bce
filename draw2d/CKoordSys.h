// The rulers of the template views: pixels per metre and per tonne, the metre and tonne grids, the
// axis title, the payload curves and the load-area boundary lines.
#pragma once

#include "draw2d/CMemBm.h"
#include "model/vehicle/STupel.h"

#include <QFont>
#include <QRect>
#include <QSize>

#include <memory>
#include <string>
#include <vector>

class CFahrzeug;
class CQOR1Doc;
class IPlanDrawView;
class QPainter;

class CKoordSys
{
public:
    CKoordSys();
    ~CKoordSys();
    CKoordSys(const CKoordSys&) = delete;
    CKoordSys& operator=(const CKoordSys&) = delete;

    // Returns the pair (pixels per metre, pixels per tonne) as it was before the call, then adapts it:
    // for printing the metre figure drops to int(600 / printScale / zoom) when that is smaller; on
    // screen a small-vehicle sub-type (or a partner with the sub-type flag) takes 400 for both. Nothing
    // changes without a vehicle worked on.
    QSize AdaptScale(double dZoom, bool bPrint, double dPrintScale);
    // Fonts for the zoom; nothing when they were made for it already.
    void CreateFonts(double dZoom, bool bPrinting);
    void DeleteFonts();
    // Width of the ruler picture in pixels, with the rotated title's footprint when asked.
    int CalcWidth(bool bWithTitle, double dZoom);
    // Height of the ruler picture: (h + 150) x zoom below h = 710 pixels of tonne steps, else 860 x zoom.
    int CalcHeight(double dZoom, double dScaleY) const;
    // Draws the rulers with the front of the first load area at x and the axis bottom at y.
    void Draw(QPainter& painter, int x, int y, const STupel& scale, double dZoom, IPlanDrawView* pView);

    // Geometry of the last Draw, for the drawings that share the frame.
    int GetTonnenSchritte() const { return m_nTonnen; }
    int GetAchsOben() const { return m_nOben; }
    // Where the figures and the title of the last Draw stand, in the painter's coordinates.
    const std::vector<QRect>& GetTextRects() const { return m_texte; }
    // The y of tonne line k (1..N) of the last Draw.
    int GetTonnenY(int k) const;
    // The step between labels of an axis with `dPixelProEinheit` pixels per unit: the smallest of 1, 2,
    // 5, 10, 20, 50, ... units that keeps labels `dAbstand` pixels apart.
    static int LabelStep(double dPixelProEinheit, double dAbstand);

    int m_nAchsHoehe = 0;
    QRect m_rcGriff;
    CQOR1Doc* m_pDoc = nullptr;
    int m_nPixProMeter = 194;
    int m_nPixProTonne = 70;
    CMemBm m_bmKeineKurve;
    double m_dFontZoom = 0.0;
    STupel m_Scale{1.0, 1.0, -1};
    double m_dStreckung = 1.0;
    // How many times larger than on the screen the last paint drew (printing), 1 on the screen.
    double m_dDruckFaktor = 1.0;
    std::string m_strTitel;
    std::unique_ptr<QFont> m_pFontKlein;
    std::unique_ptr<QFont> m_pFontSenkrecht;
    std::unique_ptr<QFont> m_pFontLink;
    int m_nX0 = 0;
    int m_nY0 = 0;

private:
    // The steps of Draw, on the frame it works out first (defined with it).
    struct SLage;
    void WaehleFahrzeuge(SLage& g) const;
    int DrawTonnenRaster(SLage& g) const;
    void DrawMeterRaster(SLage& g) const;
    void DrawAchsTitel(SLage& g, int nTonnenRechts) const;
    void DrawBemerkungLink(SLage& g) const;
    void DrawKurven(SLage& g);
    void DrawGrenzLinien(SLage& g) const;
    // Draws one vehicle's payload curve (or the "no curve" picture) over its load area.
    void DrawKurve(QPainter& painter, CFahrzeug* p, bool bW, int x, int op, int y, int top, double pxM,
                   double pxT);

    int m_nTonnen = 1;
    int m_nOben = 0;
    std::vector<QRect> m_texte;
    double m_dZoomDrawn = 1.0;
    double m_dSyDrawn = 1.0;
    bool m_bFontsPrint = false;
};
