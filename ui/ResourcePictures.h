// Pictures and item URLs of the language module, and the small picture operations built on them.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

// Picture formats callers ask for: a bitmap resource or a PNG resource of the current language module.
enum ResourcePictureFormat : int
{
    PICTURE_FORMAT_BITMAP = 1,
    PICTURE_FORMAT_PNG = 4,
};

// The picture `id` of the current language module; a null image for any other format, a missing item,
// a picture that does not load or when no module is current.
QImage LoadCxImageFromResource(quint32 id, int format);

// Every pixel of `area` (the whole picture when null) whose alpha is above `threshold` gets `alpha`.
// Left and top belong to the area, right and bottom (left + width, top + height) do not; the area is
// clipped to the picture and nothing happens for an area with left > right or top >= bottom. A picture
// without an alpha channel is given one first (all its pixels opaque).
void SetCxImageAlphaAbove(QImage& picture, uchar threshold, uchar alpha, const QRect* area = nullptr);

// Darkens the target area (x, y, width, height) by ANDing 0x7F7F7F onto it, then ORs `source` (from its
// top left corner) onto the same area. The painter must paint on a QImage (raster operations).
void DrawShadedBitmap(QPainter& target, int x, int y, int width, int height, const QImage& source);

// A URL of item `id` of the current module for a viewer: type 2 (bitmap) and types 23 and 50 (HTML).
// Answers false and leaves `out` as it was for other types or without a current module.
bool GetResourceUrl(QString& out, int type, quint32 id);
