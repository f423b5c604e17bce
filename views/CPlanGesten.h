// The mouse gestures of the loading-plan view (select, drag, copy, turn, drop from the ramp, rubber band,
// zoom handle, button hover) and the feedback figures they show over the plan while they run.
#pragma once

#include "model/plan/CQOR.h"

#include <QPoint>
#include <QPolygon>
#include <QRect>

#include <memory>
#include <vector>

class CQOR2View;
class QPainter;
struct SLadungVorlage;
struct tagLGINFO;

class CPlanGesten : public IQorZiehQuelle
{
public:
    // Hit codes of a point on the plan.
    static constexpr int kTrefferNichts = -1;
    static constexpr int kTrefferZoom = 10;
    static constexpr int kTrefferBreite = 11;
    static constexpr int kTrefferLadung = 12;
    static constexpr int kTrefferFlaeche = 14;
    // Drag code of a running load drag.
    static constexpr int kZiehLadung = 13;
    // A drag starts this many pixels away from the press point.
    static constexpr int kZiehSchwelle = 10;
    // Answers of the form-fit edit.
    static constexpr int kFsmOk = 714;
    static constexpr int kFsmAbbruch = 705;
    // Double-click commands: special item, ordinary load.
    static constexpr int kCmdFsmBearbeiten = 33310;
    static constexpr int kCmdLadungBearbeiten = 33010;
    // Cursors.
    static constexpr int kCursorLadung = 254;
    static constexpr int kCursorFlaeche = 196;
    static constexpr int kCursorKnopf = 1032;
    static constexpr int kCursorBreite = 194;
    static constexpr int kCursorZoom = 175;

    // What the feedback shows, in client pixels; painted inverted over the plan.
    struct SOverlay
    {
        // Outline of the moving loads at the cursor: solid on a free position, dotted otherwise.
        bool bZieh = false;
        bool bZiehVoll = false;
        std::vector<QRect> zieh;
        // Double outline where the loads land (or stay, when blocked).
        bool bZiel = false;
        std::vector<QRect> ziel;
        // Turned outlines of a rotation with their direction arrows.
        std::vector<QPolygon> dreh;
        std::vector<QPolygon> pfeile;
        // Live centre of gravity and the permissible range.
        bool bMarker = false;
        QPoint marker;
        bool bBereich = false;
        QRect bereich;
        // Frame around the on-plan button under the cursor.
        bool bHot = false;
        QRect hot;
        // A form-fit item dragged from the ramp: its outline and the free place it would take.
        bool bFsmUmriss = false;
        QRect fsmUmriss;
        bool bFsmPlatz = false;
        QRect fsmPlatz;
    };
    // Sets or clears (null) the form-fit outline and place of a drag from the ramp.
    void SetFsmUmriss(const QRect* pUmriss, const QRect* pPlatz);

    explicit CPlanGesten(CQOR2View& view);
    ~CPlanGesten() override;
    CPlanGesten(const CPlanGesten&) = delete;
    CPlanGesten& operator=(const CPlanGesten&) = delete;

    // Mouse handlers; points in client pixels.
    void Druecken(QPoint pt, bool bStrg, bool bShift);
    // Command 33279: a copy drag of the selection, ready to start from `pt` with the next mouse move and
    // to end at the next release; false without a selection or while a gesture runs.
    bool KopierenStarten(QPoint pt);
    void Bewegen(QPoint pt, bool bStrg);
    void Loslassen(QPoint pt, bool bStrg);
    void RechtsDruecken(QPoint pt, bool bStrg);
    // The command a double click asks for: 33310 on a special item, 33010 on a load, 0 elsewhere.
    int Doppelklick(QPoint pt) const;

    // Hit code of a point and the load under it.
    int HitTest(QPoint pt, tagLGINFO** ppLg) const;
    // The cursor the point or the running gesture asks for; 0 for the default.
    int GetCursorId() const { return m_nCursor; }

    // Starts the drop of a new load from the loading ramp, the mouse at `pt` holding the load at `griff`
    // from its top-left corner; the release commits it.
    bool DragLadungFromRampe(const SLadungVorlage& item, QPoint pt, int nRotation, double dMasse,
                             QPoint griff = QPoint());
    // The load dragged from the ramp went back onto it: nothing is placed and the plan is as before.
    void RampeZurueck(QPoint pt);
    // The next drag copies, as Ctrl held at the press does.
    void SetKopieren(bool b) { m_bKopierBefehl = b; }

    // Selects the loads whose screen rectangles meet the band against the selection saved at its start;
    // special items are deselected, members of load units left alone. True when a selection changed.
    bool UpdateGummibandAuswahl(const QRect& band);
    // The zoom the handle gives at `xRel` pixels from the plan origin, the load area (less the front
    // border) being nPixelLaenge pixels long at dZoomAlt; never below 0.5.
    static double ZoomAusGriff(double dZoomAlt, int xRel, int nPixelLaenge);
    // Where the drawing puts the zoom handle (empty: none).
    QRect m_rcZoomGriff;
    // The load-area width (metres) the width handle gives at `yRel` pixels below the plan origin, side
    // A's border being nRandPixel pixels deep: rounded down to 0.01 m after adding 0.00001.
    static double BreiteAusGriff(int yRel, int nRandPixel, int nPixelProMeter, double dZoom);
    // Where the drawing puts the width handle (empty: none).
    QRect m_rcBreitenGriff;

    // Paints the feedback figures with inverted pixels.
    void Zeichne(QPainter& painter) const;
    const SOverlay& GetOverlay() const { return m_overlay; }
    bool IsAktiv() const
    {
        return m_bZiehen || m_bGruppenModus || m_bGummiband || m_bZoomGriff || m_bBreitenGriff;
    }
    bool IsKopie() const { return m_bKopieren; }
    int GetZiehCode() const { return m_nZiehCode; }
    // Whether the band's frame is shown for the last step.
    bool IsBandRahmen() const { return m_bBandRahmen; }

    tagLGINFO* GetGezogeneLadung() const override;
    void PlanGeht(const CQOR* pPlan) override;

private:
    void StarteDrehung(QPoint pt);
    void StarteZiehen();
    void Ziehen(QPoint pt);
    void Drehen(QPoint pt);
    void LoslassenZiehen();
    void LoslassenDrehen();
    void Klick(bool bStrg);
    void ZiehRahmen(double dx, double dy);
    void ZielRahmen();
    void DrehRahmen(double dWinkel);
    void ZiehSchwerpunkt();
    void Hover(QPoint pt);
    // A release on one of the on-plan buttons opens its slider; false elsewhere.
    bool KnopfLoslassen(QPoint pt);
    void Aufraeumen();
    QRect ZuPixel(double l, double t, double r, double b) const;
    QPoint PunktZuPixel(double x, double y) const;
    // The point kept inside the area a drag may reach.
    QPoint Begrenze(QPoint pt) const;

    CQOR2View& m_view;
    SOverlay m_overlay;
    QPoint m_ptMaus;
    QPoint m_ptGriff;
    QPoint m_ptDrehPixel;
    QRect m_rcGrenze;
    tagLGINFO* m_pGedrueckt = nullptr;
    std::unique_ptr<tagLGINFO> m_pNeu;
    // The plan the running drag is registered with (CQOR::SetZiehQuelle); null without a drag.
    CQOR* m_pZiehPlan = nullptr;
    void MeldeZiehen(CQOR& plan);
    void LasseZiehenLos();
    int m_nTrefferCode = kTrefferNichts;
    int m_nZiehCode = -1;
    int m_nCursor = 0;
    int m_nViertel = 0;
    bool m_bStrgBeiKlick = false;
    bool m_bKlickLast = false;
    bool m_bZiehenMoeglich = false;
    bool m_bZiehen = false;
    bool m_bErsterSchritt = false;
    bool m_bKopieren = false;
    bool m_bKopierBefehl = false;
    bool m_bGruppenModus = false;
    bool m_bNeuVonRampe = false;
    bool m_bOhneKollision = false;
    bool m_bGummiband = false;
    bool m_bBandRahmen = true;
    bool m_bZoomGriff = false;
    bool m_bBreitenGriff = false;
    bool m_bBereichZeigen = false;
    bool m_bZulBereichAlt = false;
};
