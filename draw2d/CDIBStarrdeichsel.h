// The drawing of a rigid-drawbar trailer: drawbar and axles, the coupling point as the first record.
#pragma once

#include "draw2d/CDIBFahrzeug.h"

#include <QPoint>
#include <QSize>

class CDIBStarrdeichsel : public CDIBFahrzeug
{
public:
    explicit CDIBStarrdeichsel(CFahrzeug* pFahrzeug);

    void Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale, double dZoom, int n,
              IPlanDrawView* pView, bool bTeilweise) override;
    // The axle-1 distance (to the coupling point) in pixels, 0 when negative.
    int GetDrawLength(int nPixProMeter, double dZoom) const override;
    // The drawbar as a filled polygon from the load-area front at floor level; `scale` holds the pixels
    // per metre and per tonne.
    void DrawDeichsel(QPainter& painter, const QPoint& front, const QSize& scale, double dZoom);
    const QPolygon& GetDeichsel() const { return m_Deichsel; }

protected:
    std::string AchsName(int i) const override;
    // Record 0 is the coupling point; the axles follow as records 1, 2, ...
    bool HatKupplungsRecord() const override { return true; }

private:
    QPolygon m_Deichsel;
    QFont m_fontHinweis;
};
