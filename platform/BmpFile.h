// Writing pictures as uncompressed BMP files.
#pragma once

#include <QImage>
#include <QString>

// Writes `picture` as a bottom-up, uncompressed BMP file: a 14-byte file header, the 40-byte info
// header, for 8 bits per pixel and less a colour table of 2^bits entries (blue, green, red, 0), then the
// rows padded to a multiple of 4 bytes. The depth follows the picture: 1 bit for monochrome, 8 bits for
// indexed and grey pictures, 24 bits for RGB888 and 32 bits (blue, green, red, alpha) for everything else.
// Answers false for a null picture or when the file cannot be created or written completely.
bool WriteDIBSectionToBmp(const QString& path, const QImage& picture);

// Writes the area (x, y, width, height) of `source` as a BMP file; parts of the area outside the source
// come out black.
bool SaveDCAreaAsBmp(const QString& path, const QImage& source, int x, int y, int width, int height);
