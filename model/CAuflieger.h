// A semi-trailer: its front group is the kingpin on the tractor's fifth wheel.
#pragma once

#include "model/CFahrzeug.h"

class CAuflieger : public CFahrzeug
{
public:
    CAuflieger();

    double GetGesamtlaenge(bool bMitPartner) override;
    int CheckGrenzwerte(bool bNurEigene) override;
    void BuildGeometrie() override;
    void CalcKupplungsdaten() override;

    // Its own block: six doubles, two ints and a flag byte.
    double m_dAufliegerWert[6] = {};
    int m_nAufliegerInt[2] = {};
    unsigned char m_bAufliegerFlag = 0;
};
