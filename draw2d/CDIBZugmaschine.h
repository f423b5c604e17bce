// The drawing of a rigid truck: cab, wheels and trailer coupling.
#pragma once

#include "draw2d/CDIBFahrzeug.h"

class CDIBZugmaschine : public CDIBFahrzeug
{
public:
    explicit CDIBZugmaschine(CFahrzeug* pFahrzeug);

    void Draw(QPainter& painter, int x, int y, CKoordSys* pKoordSys, const STupel& scale, double dZoom, int n,
              IPlanDrawView* pView, bool bTeilweise) override;
    // (axle-1 distance + 1.58 m) in pixels, 0.98 m for the sub-type; a cab picture gives its own front.
    int GetDrawLength(int nPixProMeter, double dZoom) const override;

protected:
    // Where the cab pictures carry their front wheel (its centre from the left edge) and how far their
    // top stands above the load-area floor, in their pixels at zoom 0.25.
    static constexpr int kLkwRadX = 59;
    static constexpr int kLkwOben = 95;
    static constexpr int kVanRadX = 72;
    static constexpr int kVanOben = 162;

    std::string AchsName(int i) const override;
    // The first axle and the flagged axles right behind it.
    int VorderGruppe() const;
    // Cab and first-axle picture of the kind; the tractor draws its own.
    virtual void DrawFahrerhaus(QPainter& painter, int x, int y, const CKoordSys* pKoordSys, double dZoom,
                                IPlanDrawView* pView);
    // Coupling or fifth wheel.
    virtual void DrawKupplung(QPainter& painter, int x, int y, const CKoordSys* pKoordSys,
                              const STupel& scale, double dZoom, IPlanDrawView* pView);
};
