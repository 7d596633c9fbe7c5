// Frames drawn on the page views.
#include <gtest/gtest.h>

#include "app/bitmap_drawing.h"

TEST(BitmapDrawing, FrameOnEightBitPictureUsesNearestPaletteColour) {
    QImage picture(8, 8, QImage::Format_Indexed8);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(250, 250, 240), qRgb(255, 0, 0)});
    picture.fill(0);
    FrameRect(picture, {2, 2, 6, 6}, qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixelIndex(2, 2), 1);
    EXPECT_EQ(picture.pixelIndex(5, 5), 1);
    EXPECT_EQ(picture.pixelIndex(6, 6), 0); // Right and Bottom lie outside
    EXPECT_EQ(picture.pixelIndex(3, 3), 0);
}
