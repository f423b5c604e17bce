// A dashed or dotted line whose dashes do not depend on where the picture cuts it off.
#pragma once

#include <QPoint>

class QPainter;

// Draws the line from `a` to `b` with the painter's pen. The raster engine starts a dash pattern anew
// where the edge of the device cuts a line, so the dots of a line that runs off the picture would move
// with the scroll position and the size of the picture. For a horizontal or vertical line with a dashed
// pen on a painter that is only moved, the start is first brought onto the device by whole pattern
// lengths: every dash then stands where the whole line puts it.
void DrawDashedLine(QPainter& painter, QPoint a, QPoint b);
