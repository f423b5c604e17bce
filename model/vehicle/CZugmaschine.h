// A motor vehicle with a load area (rigid truck or van), which may tow a trailer.
#pragma once

#include "model/vehicle/CFahrzeug.h"

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
    // Laden, the centre of gravity holds the load at the coupling as the group loads do: a rigid-drawbar
    // trailer's support load, or the entered coupling load.
    double CalcSchwerpunkt(bool bMitLadung) override;
    void CalcAchslastenBeladen(double* pVorn, double* pHinten) override;
    double CalcNutzlastAnPos(double x, int* pGrenze = nullptr) override;
    int CalcKurvenpunkt(SYs2X* pPunkt) override;
    void Recalc() override;

    // The group-load limit (CalcZulLast) and the share limit (CalcNutzlastAnteilgrenze) with a support load F
    // at the coupling.
    double CalcZulLastMitStuetzlast(int nGruppe, double x, double F);
    double CalcAnteilgrenzeMitStuetzlast(int nGruppe, double x, double p, double F);

protected:
    // Where the support load acts, behind the front-group centre.
    virtual double GetKupplungsPosition() const { return m_dKupplungsX; }
    // The share limits are left out while a semi-trailer stands on the fifth wheel.
    bool IsAufliegerGekoppelt() const
    {
        return m_nArt == FahrzeugArt::kSattelzugmaschine && GetDokAnhaenger() != nullptr;
    }

    // The load at the coupling: a rigid-drawbar trailer's front-group load when this vehicle tows one,
    // else the entered coupling load while the coupling-load flag is set.
    double AktuelleStuetzlast();
    // The laden centre of gravity behind the front-group centre and, in *pMasse, the mass it belongs to.
    double SchwerpunktBeladen(double* pMasse);
    // Front-group and rear-group loads of mass m whose centre lies x behind the front-group centre.
    void Verteile(double m, double x, double* pVorn, double* pHinten) const;
};
