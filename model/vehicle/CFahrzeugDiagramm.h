// The calculating half of a vehicle's chart: the lateral payload limit curve and the lateral offset limit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class CFahrzeug;

// A point of the chart's curves: x and y as the list that holds it says.
struct tbVector2
{
    float x = 0.0f;
    float y = 0.0f;
};

class CFahrzeugDiagramm
{
public:
    // Largest number of points the sampled lateral curve may have, plus two.
    static constexpr int MAX_PUNKTE = 13;
    static constexpr float START_FAKTOR = 1.1f;
    static constexpr float BASIS_SCHRITT = 0.1f;
    static constexpr float MAX_LF_LAENGE = 20.0f;
    // Step of the lateral offset limit along the length, and its capacity for load areas up to 20 m (the
    // longest the template view lets a load area grow).
    static constexpr float LAENGEN_SCHRITT = BASIS_SCHRITT * 4.0f;
    static constexpr int LAENGEN_KAPAZITAET = static_cast<int>(MAX_LF_LAENGE / LAENGEN_SCHRITT) + 3;

    explicit CFahrzeugDiagramm(CFahrzeug* pOwner);
    ~CFahrzeugDiagramm() = default;
    CFahrzeugDiagramm(const CFahrzeugDiagramm&) = delete;
    CFahrzeugDiagramm& operator=(const CFahrzeugDiagramm&) = delete;

    // Empties the lists and takes the default parameters (width 2.5 m, 4 percent).
    void CreateBuffers();

    // Lateral limit curve m(y) = K / (c + y) from the load-area width and the permitted side difference.
    // The unused third argument and the limits are kept for the callers; the limits always come from
    // the owner's unladen axle-group loads.
    void SetParams(float fWidth, float fPercent, float fStep, float fLimit1, float fLimit2);
    float LimitAt(float y) const;
    int SampleLimitPoints(float fFactor, float fMaxMass);
    int BuildCurve(float fFactor);

    // Lateral offset limit along the length of the load area.
    void SetLengthParams(float x0, float fMass, float fWidth, float fPercent, float fLimit1, float fLimit2,
                         float fWheelbase);
    float LateralLimitAt(float x) const;
    void SampleCurve();

    float GetK() const { return m_fK; }
    float GetC() const { return m_fC; }
    float GetLast() const { return m_fLast; }
    float GetSpur() const { return m_fSpur; }
    const std::vector<tbVector2>& GetPunkte() const { return m_Punkte; }
    // Set when the chart picture must be painted again: by CreateBuffers and by every BuildCurve; the
    // painter clears it.
    int m_bNeuZeichnen = 1;
    // Changes, to a number no chart of the program run had before, wherever m_bNeuZeichnen is set here:
    // a painter that keeps a picture of its own paints again when it differs from the one it painted
    // at, and leaves m_bNeuZeichnen to the others.
    std::uint64_t GetBildStand() const { return m_nBildStand; }

    int GetLaengenAnzahl() const { return m_nLaengenAnzahl; }
    const tbVector2& GetLaengenPunkt(int i) const { return m_LaengenPunkte.at(static_cast<std::size_t>(i)); }

private:
    float LateralLimitRaw(float x) const;
    // Sets m_bNeuZeichnen and gives the chart a new picture stand.
    void MarkNeuZeichnen();
    void AppendLaengenPunkt(float fWert, float fPos);

    CFahrzeug* m_pOwner;
    std::uint64_t m_nBildStand = 0;

    // Lateral limit curve.
    float m_fBreite = 0.0f;
    float m_fProzent = 0.0f;
    float m_fSchritt = 0.0f;
    float m_fLimit1 = 0.0f;
    float m_fLimit2 = 0.0f;
    float m_fLast = 0.0f;
    float m_fSpur = 0.0f;
    float m_fAnteil = 0.0f;
    float m_fK = 0.0f;
    float m_fC = 0.0f;
    float m_fLastKopie = 0.0f;
    float m_fSpurKopie = 0.0f;

    // Lateral offset limit along the length.
    float m_fX0 = 0.0f;
    float m_fMasse = 0.0f;
    float m_fLBreite = 0.0f;
    float m_fLProzent = 0.0f;
    float m_fL1 = 0.0f;
    float m_fL2 = 0.0f;
    float m_fRadstand = 0.0f;
    float m_fA1 = 0.0f;
    float m_fA2 = 0.0f;
    float m_fB = 0.0f;
    float m_fD = 0.0f;
    float m_fXKreuz = 0.0f;

    // Sampled lateral limit curve: x = lateral offset (m), y = permissible payload (t).
    std::vector<tbVector2> m_Punkte;
    // What BuildCurve sampled m_Punkte from (K, c, width, start factor, maximum payload); valid until the
    // points are sampled or emptied otherwise.
    std::array<float, 5> m_Schluessel{};
    bool m_bSchluesselGueltig = false;
    // Sampled lateral offset limit: x = permissible offset, y = longitudinal position.
    std::array<tbVector2, LAENGEN_KAPAZITAET> m_LaengenPunkte{};
    int m_nLaengenAnzahl = 0;
    float m_fLaengenSchritt = LAENGEN_SCHRITT;
};
