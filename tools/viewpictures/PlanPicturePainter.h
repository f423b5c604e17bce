// Draws the loading plan's pictures by number: centre-of-gravity markers, the cab and drawbar
// pictures, the hatch patterns of the load area and of load-unit boxes, and the defect mark of a unit.
#pragma once

#include <QImage>
#include <QList>

class PlanPicturePainter
{
public:
    // The picture numbers drawn, each kept as "bitmaps/<id>.png".
    static QList<int> Ids();
    // The picture of a number; a null image for a number the painter does not draw.
    static QImage Draw(int id);
};
