// Placing a load on a vehicle's load area against its neighbours on the plan and the load-area edges.
#pragma once

class CFahrzeug;
class sFSParam;
struct tagLGINFO;

// The order of the wall sort: by y when bit 7 of the first load's state word is set, else by x.
int CompareWandLg(const tagLGINFO* const* a, const tagLGINFO* const* b);

// Works on the vehicle's plan, in plan coordinates (metres from the usable area's front corner).
class CLadeflaechenPlatzierung
{
public:
    explicit CLadeflaechenPlatzierung(const CFahrzeug& fahrzeug) : m_Fahrzeug(fahrzeug) {}

    // The free slot for a form-fit item dragged to (x, y): the code of the load-area edge it
    // reaches (0 rear, 1 side y = width, 2 front, 3 side y = 0), or -1.
    int FindLgPosition(double x, double y, double* pX, double* pY, double* pLaenge, double* pBreite);
    // The stretch across direction nRichtung of the wall of loads flush with the neighbour.
    void CalcWandbereich(tagLGINFO* pNachbar, int nRichtung, double* pVon, double* pBis);
    // Whether another load touches side nSeite of pLg, and the part of pLg's extent across it covers.
    bool FindAnliegendeLg(const tagLGINFO* pLg, int nSeite, double* pVon, double* pBis) const;
    // The form-fit item that blocks the rectangle on side nRichtung (kind 2 with the item as its load),
    // or a record of kind 0.
    sFSParam CalcFSParam(double x, double y, double dLaenge, double dBreite, int nRichtung,
                         double dToleranz) const;

private:
    const CFahrzeug& m_Fahrzeug;
};
