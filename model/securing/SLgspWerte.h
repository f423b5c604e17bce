// The figures of the load securing of one load unit, as the calculation leaves them for the defect
// finder and the report.
#pragma once

#include <cstdint>
#include <string>

class CLadeeinheit;

// Per direction of movement: the forces that friction and blocking leave to the lashings and whether
// the unit tips.
struct SLgspRichtung
{
    float m_fC = 0.0f;   // sliding coefficient
    float m_fCt = 0.0f;  // tipping coefficient
    float m_fCt2 = 0.0f; // second tipping coefficient (sides)
    int m_bNoetig = 0;   // a remaining force is left for the lashings
    int m_bKippt = 0;
    int m_bKippt2 = 0;
    int m_bBlockiert = 0;
    float m_fFb = 0.0f; // blocking capacity, N
    int m_nBlockiertRoh = 0;
    int m_nReserve[2] = {0, 0};
    float m_fFs = 0.0f;  // sliding force
    float m_fFr = 0.0f;  // remaining force
    float m_fFt = 0.0f;  // tipping force
    float m_fFt2 = 0.0f; // second tipping force
    float m_fMt = 0.0f;  // tipping moment
    float m_fMt2 = 0.0f;
    float m_fMs = 0.0f; // standing moment
    float m_fFbUeber = 0.0f;
    float m_fFbKippUeber = 0.0f;
    float m_fFbKipp2Ueber = 0.0f;
    // Set when the figures of this direction cannot be computed from the inputs; its figures are then
    // left at 0 and must not be read as a result.
    int m_bNichtBewertbar = 0;
};

// Per attachment point of the detailed method: its lashing's angles, the directions it acts in and
// what it must carry in each.
struct SLgspEcke
{
    float m_fAlpha = 0.0f; // vertical angle
    float m_fBetaX = 0.0f; // horizontal angle to the lengthwise axis
    float m_fBetaY = 0.0f; // horizontal angle to the crosswise axis
    int m_nRichtungen = 0; // kVorwaerts | kRueckwaerts | kLinks | kRechts
    // Set when the corner's lashing runs straight up or down (no horizontal length): it holds in no
    // direction and its figures are not a result.
    int m_bNichtBewertbar = 0;
    struct Anteil
    {
        float m_fKraft = 0.0f;
        float m_fKippmoment = 0.0f;
        float m_fStandmoment = 0.0f;
        float m_fLcRutschen = 0.0f; // capacity needed against sliding
        float m_fLcKippen = 0.0f;   // capacity needed against tipping
    } m_Richtung[4];

    static constexpr int kVorwaerts = 1;
    static constexpr int kRueckwaerts = 2;
    static constexpr int kLinks = 4;
    static constexpr int kRechts = 8;
};

// The capacity an attachment point's lashing must have: lengthwise, crosswise and the larger.
struct SLgspZusammenfassung
{
    int m_nArtLaengs = 0;      // 1 sliding, 2 tipping, 0 none
    int m_nRichtungLaengs = 0; // 2 forward, 0 backward
    float m_fLcLaengs = 0.0f;
    int m_nArtQuer = 0;
    int m_nRichtungQuer = 0; // 3 right, 1 left
    float m_fLcQuer = 0.0f;
    float m_fLcMax = 0.0f;
    float m_fLcResultierend = 0.0f;
    int m_nRichtungMax = 0;
    int m_nArtMax = 0;
};

class SLgspWerte
{
public:
    // Directions in the order of the blocks.
    static constexpr int kRueckwaerts = 0;
    static constexpr int kLinks = 1;
    static constexpr int kVorwaerts = 2;
    static constexpr int kRechts = 3;

    // Why a calculation could not be assessed (bits of m_nNichtBewertbar).
    static constexpr int kOhneMasse = 0x1;          // no mass or no centre of gravity
    static constexpr int kOhneAbmessungen = 0x2;    // length, width or height not above 0
    static constexpr int kReibungFehlt = 0x4;       // friction not chosen or not finite
    static constexpr int kVorspannkraftFehlt = 0x8; // standard tension force needed but 0
    static constexpr int kZurrkraftFehlt = 0x10;    // lashing capacity needed but 0
    static constexpr int kBeiwertUngueltig = 0x20;  // transmission coefficient k unusable
    static constexpr int kWinkelFlach = 0x40;       // a lashing without vertical angle where one is needed
    static constexpr int kOhneZurrpunkt = 0x80;     // a side or direction without lashing point
    static constexpr int kNenner = 0x100;           // another quantity the formula divides by is 0
    static constexpr int kZuViele = 0x200;          // more lashings than can be counted
    static constexpr int kSenkrecht = 0x400;        // a direct lashing without horizontal length
    static constexpr int kGrundAnzahl = 11;         // the number of reason bits above

    // The display name of the standard in force.
    std::string GetNormName() const;

    // Head.
    std::int64_t m_tDatum = 0;
    int m_nNummer = 0;
    CLadeeinheit* m_pEinheit = nullptr;
    int m_nVerfahren = 0; // 0 simple, 1 detailed
    int m_nNorm = 0;
    int m_bGueltig = 0;
    float m_fMasse = 0.0f; // kg
    int m_bAntirutschmatte = 0;
    float m_fMu = 0.0f;
    float m_fF = 1.0f; // reduction factor
    int m_nReserve = 0;
    float m_fG = 9.81f;
    float m_fLC = 0.0f; // lashing capacity, N
    int m_nZurrmittelTyp = 0;
    int m_nQuerQuelle = -1;
    SLgspRichtung m_Richtung[4];
    int m_nZurrmittel = 0; // simple method: lashings needed
    int m_bKippen = 0;
    int m_bSicherungNoetig = 0;
    // Reasons (k... bits) why figures could not be computed; 0 when everything was assessed.
    int m_nNichtBewertbar = 0;

    // Simple method.
    float m_fK = 0.0f;
    float m_fSTF = 0.0f; // standard tension force, N
    float m_fLCHalb = 0.0f;
    float m_fSicherheitVorn = 0.0f;
    float m_fSicherheit = 0.0f;
    float m_fAlphaRechts = 0.0f;
    float m_fAlphaLinks = 0.0f;
    float m_fAlphaLaengs = 0.0f;
    float m_fNRutschen[4] = {}; // lashings against sliding per direction
    float m_fNKippen[4] = {};   // lashings against tipping per direction
    float m_fNKippen2[2] = {};  // second tipping counts: left, right

    // Detailed method.
    int m_nModus = 0; // 3 lashings act only sideways, 4 only lengthwise, otherwise both
    SLgspEcke m_Ecke[4];
    SLgspZusammenfassung m_Zusammenfassung[4];
    // Load shares: backward (right, left), left (front, rear), forward (right, left), right (front, rear).
    float m_fAnteil[4][2] = {};
};
