// Draws the pictures of the vehicle drawings by number: cabs, wheels, couplings, fifth wheel, kingpin,
// additional items, the hatch of a vehicle not worked on, the load-check markers and the "no curve" picture.
#pragma once

#include <QImage>
#include <QList>

class VehiclePicturePainter
{
public:
    // The numbers drawn, each kept as "bitmaps/<number>.png".
    static QList<int> Ids();
    // The picture of a number; a null image for a number the painter does not draw. Vehicle parts and
    // items lie on white, the key colour of their drawing; the markers 264 and 265 lie on blue.
    static QImage Draw(int id);
};
