// Where loads may stand on a loading plan: the placement grid, collision resolution of moving loads
// against the fixed ones and the border, and the commits of moves, rotations and automatic placement.
// The plan view holds one and delegates to it; nothing here draws.
#pragma once

#include "model/base/tbVector3.h"
#include "model/plan/SLadungVorlage.h"
#include "model/plan/tagPlatzRect.h"

#include <memory>
#include <set>
#include <vector>

class CFahrzeug;
class CQOR;
struct tagLGINFO;

class CPlanPlatzierung
{
public:
    // Outcome of a resolution.
    static constexpr int kBlockiert = 0;
    static constexpr int kFrei = 1;
    static constexpr int kVerschoben = 2;

    // Cursor ids by outcome.
    static constexpr int kCursorFrei = 252;
    static constexpr int kCursorKopie = 555;
    static constexpr int kCursorVerschoben = 274;
    static constexpr int kCursorBlockiert = 253;

    // Thickness of the border strips of a move and of the typed-position search, in centimetres.
    static constexpr int kStreifen = 5000;
    static constexpr int kEingabeStreifen = 500;

    struct Punkt
    {
        int x = 0;
        int y = 0;
        bool operator==(const Punkt&) const = default;
    };

    CPlanPlatzierung() = default;

    // The plan worked on; its owner is the vehicle whose load area the loads stand on. Null: no plan.
    void SetPlan(CQOR* pPlan);
    CQOR* GetPlan() const { return m_pPlan; }
    CFahrzeug* GetFahrzeug() const;

    // Rule 1: the grid rectangle of (x, y, x + dx, y + dy), and that of a load with its extents.
    static tagPlatzRect PlanToClientRect(double x, double y, double dx, double dy);
    static tagPlatzRect PlanToClientRect(tagLGINFO* pLg);

    // The allowed area of the vehicle's load area in centimetres: the usable area, moved out on each
    // side that has a permitted overhang to the load-area edge plus the overhang. Empty without plan.
    PlanGridRect GetErlaubteFlaeche() const;
    // The four strips, 5000 cm thick, that fence `flaeche`: side A, rear, side B, front.
    static void FillRandStreifen(const PlanGridRect& flaeche, int nDicke, tagPlatzRect out[4]);

    // The fixed set: the border strips, then every placed load that is not moving (not selected; with
    // nothing selected, not the current load either).
    void FillFestRects();
    // The moving set: every selected load in plan order, or the current load when none is selected.
    void FillZiehRects();
    // The group sets (start and current) for a rotation: the selected loads, or the current load when
    // none is selected. False when there is neither.
    bool FillGruppenRects();

    // True when a moving rectangle shifted by (dx, dy) overlaps a fixed one; false for no moving set.
    bool HasKollision(int dx, int dy) const;
    bool HasKollision(const int pVersatz[2]) const { return HasKollision(pVersatz[0], pVersatz[1]); }
    // Resolves a requested displacement (centimetres): free (1), shifted to the nearest free
    // combination of touched edges (2) or blocked (0). Sets the status and the resolved displacement.
    int FindFreiePosition(int dx, int dy);
    int FindFreiePosition(const int pVersatz[2]) { return FindFreiePosition(pVersatz[0], pVersatz[1]); }
    // The cursor that shows the last outcome.
    int GetCursorId() const;

    // Moves each load of the moving set by the resolved displacement, rounded to whole centimetres.
    void CommitVersatz();
    // Moves the selection by (dx, dy) centimetres with collision handling. Loads of load units and,
    // unless bMitFsm, special items are deselected first. True when loads were moved (the plan is then
    // marked modified); false without plan, without selection or when blocked.
    bool VerschiebeAuswahl(int dx, int dy, bool bMitFsm, bool bNurVorhandene);

    // Turns the selection (or the current load) by 90, -90, 180 or -180 degrees about its centre.
    // False when nothing is to turn or the turned block finds no place; nothing changes then.
    bool DreheAuswahl(int nGrad);
    // The group turned by q quarter turns (0..3) about the rotation centre, resolved in place: the
    // current group set is the start set turned; q = 0 gives status 0 and no displacement.
    int DreheGruppe(int q);
    // Moves and turns the loads of the group set to their resolved rectangles.
    void CommitGruppe();

    // The corners (left, top), (right, top), (right, bottom), (left, bottom) of `r` turned by fWinkel
    // radians about (cx, cy), each rounded to the nearest centimetre.
    static void RotateRect(float cx, float cy, float fWinkel, const PlanGridRect& r, Punkt out[4]);
    static void RotatePunkte(float cx, float cy, float fWinkel, int n, tbVector3* p);
    // The rectangle of `r` turned by nGrad (90, -90, 180, -180) about (cx, cy) with its new rotation;
    // other angles leave it as it is.
    static tagPlatzRect DreheRect(const tagPlatzRect& r, int cx, int cy, int nGrad);

    // Mean of the loads' rectangle centres. False for none.
    static bool CalcMittelpunkt(tagLGINFO* const* pp, int n, double* x, double* y);
    // Centre of the selection, or of the current load when none is selected.
    bool GetAuswahlMittelpunkt(double* x, double* y) const;

    // Places n copies of a catalogue item, each flush against the front, side A or a load already
    // there, nearest to the front corner at side A first. Stops at the first copy without room. The
    // copies placed become the selection and the plan has no current load. Answers how many were
    // placed.
    int AddMultipleLadungen(const SLadungVorlage& item, int n, double dMasse, int nRotation);

    // A new load built from a catalogue item (GetLadungVorlage) as the ramp and the automatic placement
    // build it.
    static std::unique_ptr<tagLGINFO> NeueLadung(const SLadungVorlage& item, int nRotation, double dMasse);

    // Start of a drag of a new load from the loading ramp at (x, y) metres: the fixed set is the border
    // and every placed load, the moving set the new load; unless bOhneKollision a first resolution is
    // run with the start displacement. The caller owns the load until it is added to the plan.
    std::unique_ptr<tagLGINFO> DragLadungFromRampe(const SLadungVorlage& item, double x, double y,
                                                   int nRotation, double dMasse, bool bOhneKollision);
    // The displacement of the first resolution of a ramp drag: none along the vehicle, and across minus
    // the whole metres of half the load's extent across (in centimetres).
    static void GetRampenStartVersatz(const tagLGINFO& lg, int out[2]);

    // The free spot nearest to a typed position (x, y) of a load of extents dx, dy: 1 when the typed
    // position is free, 2 with the spot in m_dFreiX, m_dFreiY, 0 when refused. x and y come back on
    // whole centimetres. The obstacles are the plan's loads except the current load.
    int FindFreieEingabePosition(double* x, double* y, const double* pDx, const double* pDy);
    // True when the box (x, y, x + cx, y + cy) overlaps none of the n rectangles.
    static bool IsRectFrei(const PlanGridRect* p, int n, int x, int y, int cx, int cy);

    // The live centre of gravity of a drag. CalcZiehMomente takes the moments of the fixed loads and
    // remembers the plan's centre of gravity and mass; UpdateZiehSchwerpunkt writes into the plan the
    // centre of gravity with the moving loads at their resolved place, or the remembered values when
    // the position is blocked. It answers true when the outcome changed between blocked and not.
    void CalcZiehMomente();
    bool UpdateZiehSchwerpunkt();
    // Puts the remembered centre of gravity and mass back into the plan.
    void RestoreSchwerpunkt();

    // Moving, fixed and group sets of the operation running; the group sets are the moving set while
    // m_bGruppenModus is set.
    std::vector<tagPlatzRect> m_ZiehRects;
    std::vector<tagPlatzRect> m_FestRects;
    std::vector<tagPlatzRect> m_GruppenRects;
    std::vector<tagPlatzRect> m_GruppenStartRects;
    bool m_bGruppenModus = false;
    bool m_bAutoPlatzieren = false;
    bool m_bKopieren = false;
    // Typed positions must lie inside the usable area.
    bool m_bNurInnerhalb = false;
    // The load of the view's current record; the moving one when nothing is selected.
    tagLGINFO* m_pAuswahl = nullptr;

    // Results: outcome of the last resolution and its displacement (metres and centimetres).
    int m_nPlatzStatus = kFrei;
    double m_dVersatzX = 0.0;
    double m_dVersatzY = 0.0;
    int m_nVersatz[2] = {0, 0};
    double m_dDrehMitteX = 0.0;
    double m_dDrehMitteY = 0.0;
    // Result of the typed-position search and its candidate coordinates.
    double m_dFreiX = 0.0;
    double m_dFreiY = 0.0;
    std::set<int> m_mapKandX;
    std::set<int> m_mapKandY;
    // Moments and masses of a drag.
    double m_dMomentX = 0.0;
    double m_dMomentY = 0.0;
    double m_dMasseFest = 0.0;
    double m_dMasseGesamt = 0.0;

private:
    const std::vector<tagPlatzRect>& Bewegte() const
    {
        return m_bGruppenModus ? m_GruppenRects : m_ZiehRects;
    }
    void Ergebnis(int nStatus, int dx, int dy);
    bool IsBewegt(const tagLGINFO* p, bool bAuswahl) const;

    CQOR* m_pPlan = nullptr;
    double m_dGespeichertX = 0.0;
    double m_dGespeichertY = 0.0;
    double m_dGespeichertMasse = 0.0;
    bool m_bLetztBlockiert = false;
};
