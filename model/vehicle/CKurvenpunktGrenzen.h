// The limits behind one point of a vehicle's permissible-payload curve: the single limit records, the
// choice among them and the coupling limit of a trailer coupled to its towing vehicle.
#pragma once

#include "model/vehicle/SYs2X.h"

class CFahrzeug;

// The vehicle owns one; the vehicle classes work out their curve points with it from the vehicle's
// working values (wheelbase, moments, permissible and minimum loads) as the last geometry left them.
class CKurvenpunktGrenzen
{
public:
    // The combination's payload by the coupling limit as a function of x: z / (n + k x). bGueltig is false
    // where CalcKombination2 has no partner to take it from (it answers 0.0 then).
    struct SBruch
    {
        double z = 0.0, n = 0.0, k = 0.0;
        bool bGueltig = true;
        double An(double x) const { return bGueltig ? z / (n + k * x) : 0.0; }
    };

    // The outcome of the axle-group, total-mass and share records: the chosen record, the largest
    // minimum (when one was found) and x from the front-group centre.
    struct SGrenzRahmen
    {
        SYs2X gewaehlt;
        bool bMinimum = false;
        double dMinimum = 0.0;
        int nMinGrenze = 0;
        double xa = 0.0;
    };

    explicit CKurvenpunktGrenzen(CFahrzeug& fahrzeug) : m_Fahrzeug(fahrzeug) {}
    CKurvenpunktGrenzen(const CKurvenpunktGrenzen&) = delete;
    CKurvenpunktGrenzen& operator=(const CKurvenpunktGrenzen&) = delete;

    // One limit record for the lever d, the moment M and the permissible load P (the sign s tells the
    // lever's side): 1 with a maximum, 2 with a minimum, 10 when nothing fits, 5 without a lever, 0 for a
    // code that takes no part.
    int CalcGrenzsatz(double d, double M, double P, SYs2X* pSatz, double s) const;
    // The quotient (L P - M) / d into *pOut: 1, or 0 and -1.0 for d = 0.
    int CalcGrenzQuotient(double d, double M, double P, double* pOut) const;
    // The smallest of the n values that is not negative against the total mass (written to pWerte[n]),
    // with its code (index 2 and 3 report 3 and 4; the total mass 2).
    double WaehleMinimum(double* pWerte, int n, int* pGrenze) const;
    // The first record with the smallest maximum that is not negative into *pOut: 1, or 0 when none has.
    static int WaehleGrenzsatz(const SYs2X* pSaetze, int n, SYs2X* pOut);

    // The curve point of the axle-group, total-mass and share records shared by the vehicle classes:
    // the moments about the front and the rear group, and whether the share records take part. Answers as
    // CFahrzeug::CalcKurvenpunkt (0 = go on with the chosen record and minimum).
    int CalcGrenzRahmen(SYs2X* pPunkt, double dMomentV, double dMomentH, bool bAnteilHinten, bool bAnteilVorn,
                        SGrenzRahmen* pRahmen) const;
    // Takes the chosen record and minimum into the point: 1, or as CFahrzeug::CalcKurvenpunkt when the
    // minimum lies above the chosen maximum.
    static int UebernimmGrenzen(SYs2X* pPunkt, const SGrenzRahmen& r);
    // Record 7 of a coupled trailer's status at x: the combination's payload by the coupling limit
    // (CalcKombination2 with the partner; -1 right at the limit) and whether it bounds from below.
    void BewerteKupplungsgrenze(double x, double* pQ7, bool* pB7) const;
    // Starts a coupling status from records 6 and 7 (q: payload, b: bounds from below): clears the point's
    // limits and takes the larger lower bound. 4 when one bounds from below, else 0; 32 when one that
    // bounds from below gives no payload.
    static int KupplungsUntergrenzen(SYs2X* pPunkt, double q6, bool b6, double q7, bool b7);
    // Finish of the trailers coupled by a coupling status (semi-trailer, rigid-drawbar trailer).
    int KurvenpunktMitKupplung(SYs2X* pPunkt, const SGrenzRahmen& r) const;

    // While the curve is built the coupling limit depends on the two vehicles' geometry only: it is taken
    // once for all points (BeginneLauf) instead of at each point, until EndeLauf.
    void BeginneLauf(const SBruch& kupplungsgrenze)
    {
        m_KupplungsgrenzeLauf = kupplungsgrenze;
        m_bLauf = true;
    }
    void EndeLauf() { m_bLauf = false; }

private:
    CFahrzeug& m_Fahrzeug;
    SBruch m_KupplungsgrenzeLauf;
    bool m_bLauf = false;
};
