// The side-view drawing of one vehicle: body, walls, unusable zones, payload area, additional items
// and load centre of gravity; the kinds add cab, couplings and wheels.
#pragma once

#include "draw2d/CMemBm.h"
#include "draw2d/SGuiAchse.h"
#include "draw2d/SGuiZL.h"
#include "model/vehicle/STupel.h"

#include <QFont>
#include <QPolygon>
#include <QRect>

#include <memory>
#include <vector>

class CFahrzeug;
class CKoordSys;
class CQOR1Doc;
class IPlanDrawView;
class QFontMetrics;
class QPainter;

class CDIBFahrzeug
{
public:
    // Loads the pictures of the vehicle's kind.
    explicit CDIBFahrzeug(CFahrzeug* pFahrzeug);
    virtual ~CDIBFahrzeug();
    CDIBFahrzeug(const CDIBFahrzeug&) = delete;
    CDIBFahrzeug& operator=(const CDIBFahrzeug&) = delete;

    // The drawing of the vehicle's kind, or null for a kind outside 0 to 4. A coupled towing vehicle of
    // kind 0 or 4 gets a drawing of its own, kept in m_pZugfahrzeug and owned by the returned drawing.
    static std::unique_ptr<CDIBFahrzeug> Create(CFahrzeug* pFahrzeug);

    // Paints the vehicle with the front of its load area at (x, y), y being the floor level. A partial
    // paint (bTeilweise) leaves out what the kind adds to the base drawing (cab, wheels, coupling).
    virtual void Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale,
                      double dZoom, int n, IPlanDrawView* pView, bool bTeilweise);
    // Pixel length the kind draws ahead of its load area.
    virtual int GetDrawLength(int nPixProMeter, double dZoom) const = 0;

    // True when the document's vehicle is this drawing's and its towing vehicle that of m_pZugfahrzeug.
    bool MatchesDoc(const CQOR1Doc* pDoc) const;
    // Builds the payload polygon at (x0, y0); 1 when it exists, 0 when there is none.
    int BuildCurveRegion(bool bBuild, int x0, int y0, const CKoordSys* pKoordSys, double dZoom);

    CFahrzeug* GetFahrzeug() const { return m_pFahrzeug; }
    const std::vector<SGuiAchse>& GetAchsen() const { return m_lstAchsen; }
    const std::vector<SGuiZL>& GetZL() const { return m_lstZL; }
    const QPolygon& GetKurvenPunkte() const { return m_Kurve; }
    // The number of wheel pictures the drawing owns.
    int CountAchsBilder() const;
    // True when the last Draw showed the permissible total mass as exceeded.
    bool IsGesamtmasseUeberschritten() const { return m_bGesamtUeber; }

    // The towing vehicle's drawing of a combination, or null.
    CDIBFahrzeug* m_pZugfahrzeug = nullptr;

protected:
    // Pictures by position: 0 cab, 1 sub-type cab, 3 sub-type coupling, 4 overloaded sub-type coupling,
    // 5 coupling, 6 overloaded coupling, 7 tail-lift platform, 8 fifth wheel, 9 overloaded fifth wheel, 10
    // kingpin of kind 2 (not drawn), 11 failed-check marker, 12 passed-check marker.
    enum
    {
        kBmFahrerhaus = 0,
        kBmFahrerhaus5 = 1,
        kBmKupplung5 = 3,
        kBmKupplung5Ueber = 4,
        kBmKupplung = 5,
        kBmKupplungUeber = 6,
        kBmPlattform = 7,
        kBmSattel = 8,
        kBmSattelUeber = 9,
        kBmStarr = 10,
        kBmMarkerFehler = 11,
        kBmMarkerOk = 12,
        kBmAnzahl = 13
    };

    // The common frame of the kinds' drawings: the axle pictures and records. `nAchsen` records from
    // `nErste`, picture index j = i - nBildVersatz, each at its model position.
    struct SAchsLayout
    {
        int nTopY = 0;           // top of the wheel pictures
        double dBildSkala = 0.0; // picture scale at zoom 0.25; 0: the ruler's pixels per metre / 194
        int nErsteMitBild = 0;   // first record index with a wheel picture
        int nBildVersatz = 0;    // picture index = record index - nBildVersatz
    };
    void DrawAchsen(QPainter& painter, int x, int y, const CKoordSys* pKoordSys, const STupel& scale,
                    double dZoom, IPlanDrawView* pView, const SAchsLayout& layout);
    // Size factor of a part picture made for zoom 0.25: its own scale there, or the ruler's pixels per
    // metre over 194 when 0.
    static double BildFaktor(double dPixProMeter, double dZoom, double dSkala = 0.0);
    // Label of record i; the kinds name their axles.
    virtual std::string AchsName(int i) const = 0;
    // Whether record 0 is the kingpin or coupling point (kinds 2 and 3), the axles following from record 1.
    virtual bool HatKupplungsRecord() const { return false; }
    // Name of record i when record 0 is the kingpin or coupling point: text `nKupplungText`, then the
    // numbered axles up to `nNummernBis`, the common axle name beyond.
    static std::string AchsNameNachKupplung(int i, unsigned nKupplungText, int nNummernBis);
    // Loads of record i for its SGuiAchse.
    double AchsLeerlast(int i) const;
    double AchsZulLast(int i) const;
    // Record count of the wheels the kind draws (axles; the kingpin or coupling of kinds 2 and 3 too).
    int AchsRecords() const;
    bool IsAktiv(const IPlanDrawView* pView) const;
    bool IsUntertyp() const; // the vehicle or its towing vehicle has the sub-type flag

    // What the steps of Draw share: the painter, the place, the scales and the view.
    struct SZeichnung
    {
        QPainter& painter;
        int x, y;
        CKoordSys* pKoordSys;
        IPlanDrawView* pView;
        CQOR1Doc* doc;
        double sx, sy, z, s1, s2;
        bool bAktiv, bKombi, bExport;
        int x0, y0;
        int art;
        int lfPx; // load-area length in pixels
        double dDruck;
        // A fixed screen size or distance, enlarged with a print.
        int K(int px) const;
    };
    void DrawBeschriftung(const SZeichnung& c);
    void DrawGesamtmasse(const SZeichnung& c, const QFontMetrics& fm, int cx);
    void DrawKombiGrenze(const SZeichnung& c, const QFontMetrics& fm, int cx);
    QRect DrawKoerper(const SZeichnung& c) const;
    void DrawRandZonen(const SZeichnung& c) const;
    void DrawNutzlastFlaeche(const SZeichnung& c);
    void DrawZusatzlasten(const SZeichnung& c);
    void DrawLastSchwerpunkt(const SZeichnung& c, const QRect& body) const;

    CFahrzeug* m_pFahrzeug;
    std::unique_ptr<CDIBFahrzeug> m_pZugOwned;
    QFont m_fontTitel;
    QPolygon m_Kurve;
    std::unique_ptr<CMemBm> m_pAchsBild[10];
    std::unique_ptr<CMemBm> m_pAchsBild2[9];
    CMemBm m_bm[kBmAnzahl];
    std::unique_ptr<CMemBm> m_pZLBild[7];
    std::vector<SGuiAchse> m_lstAchsen;
    std::vector<SGuiZL> m_lstZL;
    bool m_bGesamtUeber = false;
};
