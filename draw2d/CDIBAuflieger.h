// The drawing of a semi-trailer: kingpin and axles.
#pragma once

#include "draw2d/CDIBFahrzeug.h"

class CDIBAuflieger : public CDIBFahrzeug
{
public:
    explicit CDIBAuflieger(CFahrzeug* pFahrzeug);

    void Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale, double dZoom, int n,
              IPlanDrawView* pView, bool bTeilweise) override;
    // The towing vehicle drawing's length ahead of its load area; 0 without one.
    int GetDrawLength(int nPixProMeter, double dZoom) const override;
    // The kingpin's rectangle of the last drawing, in device coordinates.
    QRect GetKingpinRect() const { return m_rcKingpin; }

protected:
    std::string AchsName(int i) const override;
    // Record 0 is the kingpin; the axles follow as records 1, 2, ...
    bool HatKupplungsRecord() const override { return true; }

private:
    QRect m_rcKingpin;
};
