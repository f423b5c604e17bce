// QImage adapters of the 32-bit pixel bitmap: loading a picture into it, and drawing it.
#pragma once

#include "draw2d/core/CBitmapEx.h"

#include <QImage>

class QPainter;

// Loads any picture (converted to 32-bit RGB); a null picture leaves the bitmap empty.
void LoadBitmapExFromImage(CBitmapEx& bm, const QImage& image);
// The bitmap as a 32-bit RGB picture, top line first; a null picture for a bitmap without pixels.
QImage BitmapExToImage(const CBitmapEx& bm);
// Draws the whole bitmap with its top-left corner at (x, y).
void DrawBitmapEx(QPainter& painter, const CBitmapEx& bm, int x = 0, int y = 0);
