// The dimension lines under the vehicle: reference lines at the load-area ends, the axles and the
// couplings, and the measures between them, each label reported to the view for editing.
#pragma once

#include "draw2d/CLinie.h"
#include "model/vehicle/STupel.h"

#include <QString>

class CQOR1Doc;
class IPlanDrawView;
class QPainter;

class CBemassung
{
public:
    // Draws the set for the vehicle shown in the view with the plan origin at (x, y); nScale is the
    // rulers' pixels per metre at zoom 1.
    void Draw(QPainter& painter, int x, int y, int nScale, const STupel& scale, double dZoom,
              IPlanDrawView* pView);

    // A length label: whole millimetres of a length in metres.
    static QString Millimetres(double dMetres);

    CQOR1Doc* m_pDoc = nullptr;

private:
    CLinie m_Linie;
};
