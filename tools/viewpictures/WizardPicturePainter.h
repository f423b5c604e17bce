// Draws the load-securing wizard's pictures by number: the header banners of the wizard and its
// steps, and the icons of its buttons and message boxes.
#pragma once

#include <QImage>
#include <QList>

class WizardPicturePainter
{
public:
    // Size of a header banner.
    static constexpr int kBannerWidth = 540;
    static constexpr int kBannerHeight = 100;

    // The picture numbers drawn, each kept as "bitmaps/<id>.png".
    static QList<int> Ids();
    // The picture of a number; a null image for a number the painter does not draw.
    static QImage Draw(int id);
};
