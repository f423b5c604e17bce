// A semi-trailer tractor: no load area of its own; carries its semi-trailer's kingpin load.
#pragma once

#include "model/vehicle/CZugmaschine.h"

class CSattelzugmaschine : public CZugmaschine
{
    QOR_DECLARE_SERIAL(CSattelzugmaschine)

public:
    CSattelzugmaschine();
    ~CSattelzugmaschine() override;

    // The plan the tractor points to stands on the semi-trailer: laden, the tractor carries the kingpin
    // load of its semi-trailer at the fifth wheel instead.
    double CalcSchwerpunkt(bool bMitLadung) override;
    double GetGesamtmasse(bool bMitPartner) override;
    void BuildGeometrie() override;
    void CalcAchslastenBeladen(double* pVorn, double* pHinten) override;
    double CalcNutzlastAnPos(double x, int* pGrenze = nullptr) override;
    double CalcNutzlastAnPosGesamt(double x) override;

    // Position of the fifth wheel behind the front-group centre. The offset counts from the rear-group
    // centre that ends the wheelbase (the rear axle, or the middle of a rear pair of equal permissible
    // loads), never from the last axle. The kingpin load on the axles, the coupling distance and the
    // semi-trailer's kingpin limit all take this one point.
    double GetSattelPosition() const { return m_dRadstand - m_dSattelVersatz; }
    // The same point in metres from the load-area front (the front-group centre plus the position
    // above); the drawn fifth wheel stands here and the semi-trailer's kingpin above it.
    double GetSattelX() const { return m_dVorderachsPos + GetSattelPosition(); }

    int m_nSattelInt = 1;
    int m_nSattelFlag = 1;
    int m_nSattelGekoppelt = 0;

protected:
    double GetKupplungsPosition() const override { return GetSattelPosition(); }

private:
    // The kingpin load of the document's semi-trailer (its front-group load laden); 0.0 without one.
    double AktuelleSattellast();
    // The centre of gravity with the kingpin load S at the fifth wheel, from the front-group centre.
    double SchwerpunktMitSattellast(double S) const;
};
