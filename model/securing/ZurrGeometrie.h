// Where a load unit's corners can be lashed to: the angular window of each securing choice, the part of
// each lashing rail inside it, the vehicle points inside it, the best point per corner and typed names.
#pragma once

#include "model/base/AngleMath.h"

#include <string>

class CFahrzeug;
class CLadeeinheit;
class CZurrpunkt;
class CZurrschiene;

// Positions are metres on the vehicle's load area, angles bearings as CalcBearing gives them (0 towards
// -y, pi/2 towards +x). Corners: 0 (min x, min y), 1 (max x, min y), 2 (min x, max y), 3 (max x, max y).
class ZurrGeometrie
{
public:
    // The directions a corner's lashing may take for a securing choice, with the one aimed at.
    struct Fenster
    {
        double a1 = 0.0;
        double a2 = 0.0;
        double ideal = 0.0;
    };
    // Choices 0..4, corners 0..3; a choice outside 0..4 (none chosen yet) is taken as choice 0. False for
    // a corner outside 0..3.
    static bool GetFenster(int nWahl, int nEcke, Fenster* pFenster);

    // Results of SchneideKante.
    static constexpr int kTreffer = 0;    // the ray crosses the edge
    static constexpr int kAufLinie = 1;   // the start lies on the edge's line
    static constexpr int kAusserhalb = 2; // the crossing lies beyond the edge's ends
    static constexpr int kKeiner = 3;     // no crossing in the ray's direction
    static constexpr double kToleranz = 1e-9;
    static constexpr double kSteigungToleranz = 1e-10;
    static constexpr double kKandidatToleranz = 1e-5;

    // The slope of a ray of bearing t in a frame whose y runs the other way (the rails' frame); 0 for a
    // ray along y or along x.
    static double Steigung(double t);
    // Crosses the ray from (px, py) with bearing t (in the rails' frame) with the edge (x1, y1)-(x2, y2),
    // x1 != x2; the crossing goes to *pX, *pY.
    static int SchneideKante(double px, double py, double t, double x1, double y1, double x2, double y2,
                             double* pX, double* pY);
    // The usable part of a rail from the crossing results (r1, p1) of bound a1 and (r2, p2) of bound a2;
    // -1, -1 when there is none. L: the load-area length.
    static void SchienenBereich(int r1, double p1, int r2, double p2, double a1, double a2, double L,
                                double* pVon, double* pBis);
    // Brings a1 and a2 into 0 .. 2 pi; true when the window wraps through 0.
    static bool Normalisiere(double* pA1, double* pA2);
    static bool ImFenster(double b, double a1, double a2, bool bWrap);

    // The corner's attachment point on the vehicle (the load-area margins added); false without it.
    static bool EckePosition(const CFahrzeug& f, const CLadeeinheit& u, int nEcke, double* pX, double* pY,
                             double* pZ);
    // The y of a point on the rail, as GetPosY of a rail point gives it.
    static double SchienenY(const CFahrzeug& f, const CZurrschiene& s);
    static double SchienenHoehe(const CZurrschiene& s);
    // Where the rail begins and ends along the load area.
    static double SchienenAnfang(const CZurrschiene& s);
    static double SchienenEnde(const CFahrzeug& f, const CZurrschiene& s);
    static bool RailHasRange(const CZurrschiene& s);

    // The usable range of every rail and the selectable flag of every vehicle point for corner nEcke.
    static void UpdateZurrBereiche(CFahrzeug& f, const CLadeeinheit& u, int nWahl, int nEcke);

    // The best candidate so far: a smaller angle difference wins; within kKandidatToleranz the flatter
    // lashing, then the longer one. A winner replaces all three figures.
    struct Bester
    {
        double diff = 1000.0;
        double v = HALF_PI_SINGLE;
        double l = 0.0;
        bool Nimm(double dDiff, double dV, double dL);
    };

    // The best lashing point (bSchienen false) or rail position (true, filled into rScratch) for the
    // corner inside a1..a2, closest to the ideal bearing; null when none. A positive x limit wants
    // candidates at or beyond it, a negative one at or before its magnitude; 0 is none; y alike.
    static CZurrpunkt* FindBestZurrpunkt(CFahrzeug& f, const CLadeeinheit& u, int nEcke, bool bSchienen,
                                         double ideal, double a1, double a2, double dXGrenze, double dYGrenze,
                                         CZurrpunkt& rScratch);
    // One point per corner (sub-index 0) for choice nWahl; nS 1 rail positions, 0 lashing points. The
    // number of corners that got one.
    static int AutoAssignZurrpunkte(CFahrzeug& f, CLadeeinheit& u, int nWahl, int nS, CZurrpunkt& rScratch);

    // Checks a typed lashing-point name (characters "LRV" and digits) and gives the program's name.
    // nArt: 1 when every selectable point has flag 2, 0 when none has, -1 otherwise (digits alone are
    // then not enough). False for a text that names no point.
    static bool NormalisiereName(const std::string& strText, int nArt, std::string* pName);
    // nArt of NormalisiereName for the vehicle's selectable points.
    static int SeitenArt(CFahrzeug& f);
    // Stores the first selectable vehicle point of that name in the slot (empty: clears it); false when a
    // name matches no point or the slot cannot hold it.
    static bool AssignZurrpunktByName(CFahrzeug& f, CLadeeinheit& u, const std::string& strName, int nEcke,
                                      int nSub);
    // Stores a copy of the vehicle point (keeping its source) in the slot; false when it is not held.
    static bool AssignKopie(CLadeeinheit& u, int nEcke, int nSub, CZurrpunkt* pQuelle);
    // Clears the slot and stores a point on the rail at x = dPos.
    static void AssignRailPoint(CFahrzeug& f, CLadeeinheit& u, int nEcke, int nSub, CZurrschiene* pSchiene,
                                double dPos);
    // Makes p a point on the rail at x = dPos (flags, lateral position, height, the rail's force).
    static void MacheSchienenpunkt(CFahrzeug& f, CZurrschiene* pSchiene, double dPos, CZurrpunkt& p);
};
