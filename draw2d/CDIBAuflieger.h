// The drawing of a semi-trailer: kingpin and axles.
#pragma once

#include "draw2d/CDIBFahrzeug.h"

#include <QFont>

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
    // The view's tooltip tool over the front swing label, whose text the view makes when it is shown.
    static constexpr int kToolSchwenkradius = 12347;
    static constexpr unsigned kTextSchwenkradius = 16;
    // The front swing label of the last drawing (device coordinates; empty when none was drawn) and
    // whether it warned.
    QRect GetSchwenkradiusRect() const { return m_rcSchwenkradius; }
    bool IsSchwenkradiusWarnung() const { return m_bSchwenkradiusWarnung; }

protected:
    std::string AchsName(int i) const override;
    // Record 0 is the kingpin; the axles follow as records 1, 2, ...
    bool HatKupplungsRecord() const override { return true; }

private:
    // On a German interface, while the semi-trailer is worked on: text 16 at the front, red and bold
    // when the kingpin lies farther behind it than the front swing allows, else blue.
    void DrawSchwenkradius(QPainter& painter, int x, int y, IPlanDrawView* pView);

    QRect m_rcKingpin;
    QRect m_rcSchwenkradius;
    bool m_bSchwenkradiusWarnung = false;
    QFont m_fontNormal;
    QFont m_fontWarnung;
};
