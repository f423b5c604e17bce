// A vehicle's permissible-payload curve, its maximum, the usable range and the part curve inside it.
#pragma once

#include "model/vehicle/CTupelList.h"

class CFahrzeug;
struct SYs2X;

// The vehicle owns its curve; the curve asks the vehicle for the payload at each position
// (CFahrzeug::CalcKurvenpunkt, which every vehicle class answers in its own way).
class CNutzlastKurve
{
public:
    explicit CNutzlastKurve(CFahrzeug& fahrzeug) : m_Fahrzeug(fahrzeug) {}
    CNutzlastKurve(const CNutzlastKurve&) = delete;
    CNutzlastKurve& operator=(const CNutzlastKurve&) = delete;

    // Back to the state of a fresh vehicle: valid, no maximum, the default step.
    void Reset();

    // The curve's points (an owning list) and the part inside the usable range (borrowing the same points).
    const CTupelList& GetPunkte() const { return m_Kurve; }
    CTupelList& GetPunkte() { return m_Kurve; }
    const CTupelList& GetTeilkurve() const { return m_Teilkurve; }
    // The largest payload of the curve and where it lies.
    double GetMaxNutzlast() const { return m_dMaxNutzlast; }
    void SetMaxNutzlast(double d) { m_dMaxNutzlast = d; }
    float GetMaxNutzlastPos() const { return m_fMaxNutzlastPos; }
    void SetMaxNutzlastPos(float f) { m_fMaxNutzlastPos = f; }
    // The sampling step along the load area, metres.
    double GetSchritt() const { return m_dKurvenSchritt; }
    void SetSchritt(double d) { m_dKurvenSchritt = d; }
    // Whether the vehicle has a curve at all (cleared when it cannot be computed or breaks a limit empty).
    bool IsGueltig() const { return m_bKurveGueltig != 0; }
    void SetGueltig(bool b) { m_bKurveGueltig = b ? 1 : 0; }
    // The usable centre-of-gravity range: its status (1 none, bit 2 the rear bound found) and its bounds
    // along and across the load area.
    int GetBereichStatus() const { return m_nBereichStatus; }
    void SetBereichStatus(int n) { m_nBereichStatus = n; }
    double GetNutzbarVon() const { return m_dNutzbarVon; }
    double GetNutzbarBis() const { return m_dNutzbarBis; }
    void SetNutzbarVon(double d) { m_dNutzbarVon = d; }
    void SetNutzbarBis(double d) { m_dNutzbarBis = d; }
    double GetNutzbarQuerVon() const { return m_dNutzbarQuerVon; }
    double GetNutzbarQuerBis() const { return m_dNutzbarQuerBis; }

    // Samples the curve from the vehicle's curve points, refines it and works out the usable range and the
    // part curve; the answer as BuildKurveEnde.
    int BuildKurve();
    // The steps of BuildKurve behind the curve: the usable range, the part curve and the flags. 1, or 0
    // after a change of loads only (the chart stays marked current then).
    int BuildKurveEnde();
    // Corners between points of different limits and the ends of a curve with lower bounds.
    int RefineKurve(CTupelList* pKurve);
    // Inserts a copy of the point before index nVor, or, with nVor < 0, before the first point with a
    // larger x.
    static void InsertRefinePunkt(CTupelList* pKurve, const SYs2X* pPunkt, int nVor);
    // Empties the curve and the part curve and forgets the maximum payload.
    void VerwerfeKurve();
    // The simple curve of a vehicle of the base class, sampled from the payload at each position.
    void BuildEinfacheKurve();
    // The usable centre-of-gravity range of the plan's load, and the part of the curve inside it.
    int CalcNutzbarerBereich();
    int BuildTeilkurve();

    // While set, BuildKurve keeps the curve it built last (see CFahrzeug::RecalcLadungMitPartner).
    void SetBehalten(bool b) { m_bKurveBehalten = b; }
    // While set (CFahrzeug::RecalcMitPartner), the usable range worked out for the plan is kept for the
    // towing vehicle to take over; clearing it forgets the range.
    void SetBereichMerken(bool b)
    {
        m_bBereichGemerkt = b;
        if (!b)
            m_bGemerktGesetzt = false;
    }

private:
    // The corner between two neighbouring points of different limits, worked out from the limits' shape:
    // false where that does not hold between them.
    bool BerechneEckpunkt(const SYs2X& A, const SYs2X& B, double dProbe, SYs2X* pEcke);

    struct SBereich
    {
        int nStatus = 1;
        double dVon = 0.0, dBis = 0.0, dQuerVon = 0.0, dQuerBis = 0.0;
        bool bQuer = false; // the lateral range was worked out
    };
    // The usable range of this curve for the load of the vehicle's plan; bGesetzt says whether the bounds
    // were worked out (status 1 of an empty curve leaves them alone).
    SBereich BerechneBereich(bool* pGesetzt);
    SBereich BerechneBereichNeu(bool* pGesetzt);

    CFahrzeug& m_Fahrzeug;
    CTupelList m_Kurve{true};
    // The part of m_Kurve inside the usable range: the same point objects, borrowed (m_Kurve empties it
    // when it changes).
    CTupelList m_Teilkurve{false};
    double m_dMaxNutzlast = 0.0;
    float m_fMaxNutzlastPos = 0.0f;
    double m_dKurvenSchritt = 0.1;
    unsigned char m_bKurveGueltig = 1;
    bool m_bKurveBehalten = false;
    // The curve, its maximum and validity are those BuildKurve sampled, for the computability it had then.
    bool m_bKurveGebaut = false;
    int m_bBerechenbarBeiKurve = 0;
    unsigned char m_bKurveGueltigBeiKurve = 0;
    // Status and bounds of the usable centre-of-gravity range.
    int m_nBereichStatus = 0;
    double m_dNutzbarVon = 0.0;
    double m_dNutzbarBis = 0.0;
    double m_dNutzbarQuerVon = 0.0;
    double m_dNutzbarQuerBis = 0.0;
    // While the vehicle recalculates with its partner: the usable range this trailer worked out for its
    // plan, which the towing vehicle takes over rather than working it out again.
    bool m_bBereichGemerkt = false;
    SBereich m_GemerkterBereich;
    bool m_bGemerktGesetzt = false;
    // The last range BerechneBereich worked out on the present curve, and what it was worked out for: the
    // plan's mass, the margins, the load area. While only the loads move the mass stays, and so does the
    // range.
    struct SBereichSchluessel
    {
        double dMasse, dRand[4], dLFLaenge;
        float fBreite;
        int nSeitenProzent;
    };
    struct SBereichSpeicher
    {
        bool bGueltig = false;
        SBereichSchluessel s{};
        SBereich b;
        bool bGesetzt = false;
    } m_BereichSpeicher;
};
