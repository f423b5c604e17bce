// Draws the application's own pictures by bitmap number: the splash picture and the catalogue icons
// (vehicle kinds free and in use, combinations, folders, load-unit kinds) with their mask.
#pragma once

#include <QImage>
#include <QList>

class AppBitmapPainter
{
public:
    static constexpr int kSplash = 785;
    static constexpr int kCatalogueMask = 548;

    // Every bitmap number the painter draws.
    static QList<int> Ids();
    // The picture of a bitmap number; a null image for a number it does not draw.
    static QImage Draw(int id);

private:
    static QImage Splash();
    static QImage Vehicle(int kind, bool inUse);
    static QImage Combination(bool tractor, bool inUse);
    static QImage Folder(bool sample);
    static QImage LoadUnit(int type);
};
