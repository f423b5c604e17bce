// The drawing of a semi-trailer tractor: cab, wheels, fifth wheel and its permissible load.
#pragma once

#include "draw2d/CDIBZugmaschine.h"

class CDIBSattelzugmaschine : public CDIBZugmaschine
{
public:
    explicit CDIBSattelzugmaschine(CFahrzeug* pFahrzeug);

    // The fifth wheel's centre in pixels from the load-area front: the point that carries the kingpin
    // load in the model.
    static int SattelPixel(const CFahrzeug* pFahrzeug, double dPixProMeter, double dZoom, double s1);
    // The rectangle of the last drawn fifth wheel, in device coordinates; empty when none was drawn.
    const QRect& GetSattelRect() const { return m_rcSattel; }

protected:
    void DrawFahrerhaus(QPainter& painter, int x, int y, const CKoordSys* pKoordSys, double dZoom,
                        IPlanDrawView* pView) override;
    void DrawKupplung(QPainter& painter, int x, int y, const CKoordSys* pKoordSys, const STupel& scale,
                      double dZoom, IPlanDrawView* pView) override;

private:
    QFont m_fontSattel;
    QRect m_rcSattel;
};
