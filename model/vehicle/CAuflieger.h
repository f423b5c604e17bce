// A semi-trailer: its front group is the kingpin on the tractor's fifth wheel.
#pragma once

#include "model/vehicle/CFahrzeug.h"

class CAuflieger : public CFahrzeug
{
    QOR_DECLARE_SERIAL(CAuflieger)

public:
    CAuflieger();

    // The base record, then its own block: doubles 1, 2, 3, the second int, doubles 5, 4, 6, the first int.
    void Write(ArchiveWriter& ar) const override;
    void Read(ArchiveReader& ar, unsigned schema) override;

    double GetGesamtlaenge(bool bMitPartner) override;
    int CheckGrenzwerte(bool bNurEigene) override;
    void BuildGeometrie() override;
    void CalcKupplungsdaten() override;
    double CalcZulLast(int nGruppe, double x) override;
    double CalcNutzlastAnPos(double x, int* pGrenze = nullptr) override;
    int CalcKurvenpunkt(SYs2X* pPunkt) override;
    int GetKupplungsStatus(int nModus, SYs2X* pPunkt) override;
    void Recalc() override;

    // The payload at which the kingpin load reaches its bound, and whether that is a lower bound.
    double CalcKingpinNutzlast(int nModus, double x) const;
    bool IsKingpinUntergrenze(double x, double q) const;
    bool IsSattelGekoppelt() const
    {
        return m_nArt == FahrzeugArt::kAuflieger && m_pPartner &&
               m_pPartner->GetArt() == FahrzeugArt::kSattelzugmaschine;
    }

    // A semi-trailer's length value that its front swing check halves (Schwenkradius): the diameter of
    // its rounded front corners; 0 for any other vehicle.
    static double GetAufliegerMass(const CFahrzeug& f);
    double m_dAufliegerMass = 0.0;

    // Its own block: six doubles, two ints and a flag byte.
    double m_dAufliegerWert[6] = {};
    int m_nAufliegerInt[2] = {};
    unsigned char m_bAufliegerFlag = 0;
};
