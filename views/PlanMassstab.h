// The scale of the loading plan: metres on the plan to pixels of the whole drawing and back, with the zoom
// and the corners the drawing is laid out from.
#pragma once

#include <QPoint>
#include <QRect>

struct PlanMassstab
{
    // The zoom (the plan's own times the window's share), the pixels per metre at zoom 1, the usable
    // area's corner (ursprung), the load area's corner (ursprungKorr), the corner last told to the host
    // and the window's share of the zoom.
    double dZoom = 1.5;
    int nPixelProMeter = 97;
    QPoint ursprung{0, 0};
    QPoint ursprungKorr{100, 40};
    QPoint letzterUrsprung{-1, -1};
    double dFensterFaktor = 1.0;

    // Added before rounding down, so that a length that is a whole number of pixels stays whole.
    static constexpr double kRundung = 0.000001;

    // Pixels per metre at the zoom.
    double Faktor() const { return nPixelProMeter * dZoom; }

    // The conversions. The drawing's pictures were made with three roundings, kept as they are so that
    // every picture stays the same to the pixel:
    // - Pixel: lengths and positions of loads, units and marks, rounded down after kRundung;
    int Pixel(double dMeter) const;
    // - Abgeschnitten: the load area, its borders, the grid and the usable range, cut towards zero;
    int Abgeschnitten(double dMeter) const;
    // - Versatz: offsets of markers within the drawing (centres of gravity, guide lines, grid steps), the
    //   pixels per metre taken times the metres first, cut towards zero.
    int Versatz(double dMeter) const;
    // The pixels of a length before any rounding, for figures placed by it.
    double PixelGenau(double dMeter) const { return dMeter * Faktor(); }
    // Metres for a distance in pixels.
    double Meter(int nPixel) const { return nPixel / dZoom / nPixelProMeter; }
    double Meter(double dPixel) const { return dPixel / dZoom / nPixelProMeter; }

    // A plan point (metres from the usable area's corner) in pixels of the whole drawing.
    QPoint Punkt(double x, double y) const { return ursprung + QPoint(Pixel(x), Pixel(y)); }
    // The box of l x b metres at plan point (x, y); the right and bottom edges exclusive.
    QRect Rechteck(double x, double y, double l, double b) const
    {
        return QRect(Punkt(x, y), QSize(Pixel(l), Pixel(b)));
    }

    bool operator==(const PlanMassstab&) const = default;
};
