// The lashing equipment of a vehicle as the load-securing view edits it, without a window: which
// points and rails the plan's load units use, letting go of them, and the vehicle's rails.
#pragma once

class CFahrzeug;
class CLadeeinheit;
class CQOR;
class CZurrpunkt;

class LgSichgZurrpunkte
{
public:
    // Whether a point of the vehicle (null: any of its points) is in use: without a unit by the plan's
    // secured units with their own method; with one by that unit, secured or not, with the method
    // nMethode (0: lashed in pairs, 1: from the corners, -1: either).
    static bool IstInBenutzung(CFahrzeug& f, CQOR& q, const CZurrpunkt* pPunkt, const CLadeeinheit* pEinheit,
                               int nMethode);
    // Whether a unit is lashed to the vehicle's rails.
    static bool NutztZurrschiene(CFahrzeug& f, const CLadeeinheit& le);
    // Drops every reference of the plan's load units to the point (null: to any point of the vehicle).
    static void LoeseVerweise(CFahrzeug& f, CQOR& q, const CZurrpunkt* p);
    // Gives the vehicle's first and last rail the side distance, grid and count; a vehicle without rails
    // gets one on each side (and true).
    static bool SetzeSchienen(CFahrzeug& f, double dAbstand, double dRaster, int nAnzahl);
    // Takes every rail off the vehicle; its points and the plan's load units let go of them first.
    static void LoescheSchienen(CFahrzeug& f, CQOR* q);
};
