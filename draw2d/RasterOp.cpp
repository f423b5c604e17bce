// The raster operations and stretch modes the drawing code passes by number, and their painter modes.
#include "draw2d/RasterOp.h"

std::optional<QPainter::CompositionMode> CompositionModeOf(std::uint32_t rop)
{
    switch (rop) {
    case SRCCOPY:
        return QPainter::CompositionMode_Source;
    case SRCPAINT:
        return QPainter::RasterOp_SourceOrDestination;
    case SRCAND:
        return QPainter::RasterOp_SourceAndDestination;
    case SRCINVERT:
        return QPainter::RasterOp_SourceXorDestination;
    case NOTSRCCOPY:
        return QPainter::RasterOp_NotSource;
    default:
        return std::nullopt;
    }
}

QRgb ToQRgb(COLORREF colour)
{
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

COLORREF FromQRgb(QRgb colour)
{
    return RGB(qRed(colour), qGreen(colour), qBlue(colour));
}
