// A rigid-drawbar (centre-axle) trailer: its front group is the drawbar eye on the towing vehicle.
#pragma once

#include "model/vehicle/CFahrzeug.h"

class CStarrdeichsel : public CFahrzeug
{
    QOR_DECLARE_SERIAL(CStarrdeichsel)

public:
    CStarrdeichsel();

    double GetGesamtlaenge(bool bMitPartner) override;
    int CheckGrenzwerte(bool bNurEigene) override;
    double CalcKombination1(int nFall, CFahrzeug* pA, CFahrzeug* pB, double x) override;
    double CalcKombination2(int nFall, CFahrzeug* pA, CFahrzeug* pB, double x) override;
    SBruch Kupplungsgrenze() override;
    void BuildGeometrie() override;
    void CalcKupplungsdaten() override;
    int CalcKurvenpunkt(SYs2X* pPunkt) override;
    int GetKupplungsStatus(int nModus, SYs2X* pPunkt) override;
    void Recalc() override;
};
