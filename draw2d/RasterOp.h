// The raster operations and stretch modes the drawing code passes by number, and their painter modes.
#pragma once

#include <QPainter>

#include <cstdint>
#include <optional>

// Raster operation codes of block transfers.
enum RasterOp : std::uint32_t
{
    SRCCOPY = 0x00CC0020,
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    NOTSRCCOPY = 0x00330008,
};

// Stretch modes of scaled transfers: COLORONCOLOR drops pixels, HALFTONE averages them.
enum StretchMode : int
{
    BLACKONWHITE = 1,
    WHITEONBLACK = 2,
    COLORONCOLOR = 3,
    HALFTONE = 4,
};

// The painter's composition mode for a raster operation; none for an operation we do not draw. The
// raster modes work only on a painter that paints on a QImage.
std::optional<QPainter::CompositionMode> CompositionModeOf(std::uint32_t rop);

// A colour in the platform's 0x00BBGGRR order, and back.
using COLORREF = std::uint32_t;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
QRgb ToQRgb(COLORREF colour);
COLORREF FromQRgb(QRgb colour);
