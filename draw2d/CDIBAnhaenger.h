// The drawing of a drawbar trailer: its axles, the first with its drawbar.
#pragma once

#include "draw2d/CDIBFahrzeug.h"

class CDIBAnhaenger : public CDIBFahrzeug
{
public:
    explicit CDIBAnhaenger(CFahrzeug* pFahrzeug);

    void Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale, double dZoom, int n,
              IPlanDrawView* pView, bool bTeilweise) override;
    // What reaches ahead of the load area: 1.87 m less the axle-1 distance, 0 when negative.
    int GetDrawLength(int nPixProMeter, double dZoom) const override;

protected:
    std::string AchsName(int i) const override;
};
