// The image list: strips cut into pictures, masks, failures.
#include "ui/ImageList.h"

#include <gtest/gtest.h>

namespace {

TEST(ImageListTest, StripsBecomeSeveralPicturesAndMasksMakeTransparency)
{
    ImageList list(QSize(16, 16));
    QImage strip(48, 16, QImage::Format_RGB32);
    strip.fill(qRgb(200, 0, 0));
    strip.setPixel(20, 3, qRgb(0, 200, 0)); // in the second picture
    QImage mask(48, 16, QImage::Format_RGB32);
    mask.fill(Qt::black);
    mask.setPixel(0, 0, qRgb(255, 255, 255)); // light: transparent

    EXPECT_EQ(AddBitmapToImageList(list, &strip, &mask), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(qAlpha(list.Image(0).pixel(0, 0)), 0);
    EXPECT_EQ(list.Image(0).pixel(1, 0), qRgb(200, 0, 0));
    EXPECT_EQ(list.Image(1).pixel(4, 3), qRgb(0, 200, 0));

    QImage single(16, 20, QImage::Format_RGB32); // taller than the list: cut at the bottom
    single.fill(Qt::blue);
    EXPECT_EQ(AddBitmapToImageList(list, &single, nullptr), 3);
    EXPECT_EQ(list.Image(3).size(), QSize(16, 16));
    EXPECT_EQ(list.Image(3).pixel(15, 15), qRgb(0, 0, 255));

    QImage narrow(8, 16, QImage::Format_RGB32);
    narrow.fill(Qt::blue);
    EXPECT_EQ(AddBitmapToImageList(list, &narrow, nullptr), -1);
    EXPECT_EQ(AddBitmapToImageList(list, nullptr, &mask), -1);
    EXPECT_EQ(list.Add(QImage()), -1);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_TRUE(list.Image(4).isNull());
    EXPECT_TRUE(list.Image(-1).isNull());
}

} // namespace
