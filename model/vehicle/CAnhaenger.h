// A drawbar trailer: two axle groups of its own, no vertical load on the towing vehicle.
#pragma once

#include "model/vehicle/CFahrzeug.h"

class CAnhaenger : public CFahrzeug
{
    QOR_DECLARE_SERIAL(CAnhaenger)

public:
    CAnhaenger() = default;

    double GetGesamtlaenge(bool bMitPartner) override;
    int CheckGrenzwerte(bool bNurEigene) override;
    void BuildGeometrie() override;
    int CalcKurvenpunkt(SYs2X* pPunkt) override;
    void Recalc() override;

    // Payload cap of the trailer (the whole payload, or what the towing truck's minimum rear share
    // leaves when it is coupled to a rigid truck).
    double GetNutzlastGrenze() const { return m_dNutzlastGrenze; }
};
