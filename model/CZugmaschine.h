// A motor vehicle with a load area (rigid truck or van), which may tow a trailer.
#pragma once

#include "model/CFahrzeug.h"

class CZugmaschine : public CFahrzeug
{
    QOR_DECLARE_SERIAL(CZugmaschine)

public:
    CZugmaschine();

    void CalcAchslasten(float* pVorn, float* pHinten) override;
    double GetGesamtlaenge(bool bMitPartner) override;
    double GetGesamtmasse(bool bMitPartner) override;
    int CalcAktiveGrenzen() override;
    void BuildGeometrie() override;
    void CalcAchslastenBeladen(double* pVorn, double* pHinten) override;

protected:
    // The load at the coupling: a rigid-drawbar trailer's front-group load when this vehicle tows one,
    // else the entered coupling load while the coupling-load flag is set.
    double AktuelleStuetzlast();
    // Front-group and rear-group loads of mass m whose centre lies x behind the front-group centre.
    void Verteile(double m, double x, double* pVorn, double* pHinten) const;
};
