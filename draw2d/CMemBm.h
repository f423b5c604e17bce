// A picture held in memory, ready to be drawn onto any painter; loaded by number or copied from a picture.
#pragma once

#include "draw2d/RasterOp.h"

#include <QImage>
#include <QSize>

#include <cstdint>

class QPainter;

// Two states: empty and loaded. Loading a loaded object changes nothing; Destroy empties it. Raster
// operations other than SRCCOPY need a painter on a QImage.
class CMemBm
{
public:
    CMemBm() = default;
    // An empty object, then CreateCopy(source, rop).
    CMemBm(const CMemBm& source, std::uint32_t rop);
    virtual ~CMemBm();
    CMemBm(const CMemBm&) = delete;
    CMemBm& operator=(const CMemBm&) = delete;

    // The bitmap `id` of the current language module. False when it is missing; the object stays empty.
    bool LoadBitmap(std::uint32_t id);
    // Copies the cx by cy area at (x, y) of `source` (the screen when null) with the raster operation
    // onto a black picture. False, leaving the object empty, when the size is not positive, the area does
    // not lie wholly inside the source, the source is empty or the operation is unknown.
    bool CreateFromDC(const QImage* source, int x, int y, int cx, int cy, std::uint32_t rop);
    // CreateFromDC of the whole of a loaded source; false for an empty source.
    bool CreateCopy(const CMemBm& source, std::uint32_t rop);

    // The whole picture, unscaled, at (x, y).
    void Draw(QPainter& target, int x, int y, std::uint32_t rop) const;
    // The whole picture into (x, y, cx, cy); at the picture's own size this is Draw. HALFTONE smooths,
    // the other modes pick pixels; the painter's smoothing is left as it was. A negative size mirrors.
    void StretchDraw(QPainter& target, int x, int y, int cx, int cy, std::uint32_t rop,
                     int stretchMode) const;
    // The whole picture into (x, y, cx, cy), leaving out the pixels of the key colour.
    void DrawTransparent(QPainter& target, int x, int y, int cx, int cy, COLORREF transparent) const;

    QSize GetSize() const { return QSize(m_nWidth, m_nHeight); }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    // The colour of a pixel; CLR_INVALID when empty or outside the picture.
    COLORREF GetPixel(int x, int y) const;
    // Empties the object; true when it held a picture.
    bool Destroy();

    bool IsLoaded() const { return m_bLoaded; }
    const QImage& GetImage() const { return m_image; }

private:
    QImage m_image; // RGB32
    // m_image with the colour m_keyedFarbe made transparent (ARGB32), or null until first drawn so.
    mutable QImage m_keyed;
    mutable QRgb m_keyedFarbe = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bLoaded = false;
};
