#include <gtest/gtest.h>

#include "platform/WindowPlacement.h"

namespace {

using platform::WindowOrigin;

TEST(WindowPlacement, TwipsAreMeasuredFromTheRightAndBottomScreenEdges) {
    // 800 x 600 pixels at 15 twips per pixel, window of 6000 x 5000 twips.
    EXPECT_EQ(platform::bottomRightOriginTwips(800 * 15, 600 * 15, 6000, 5000),
              (WindowOrigin{5850, 3550}));
    // A window wider than the screen lies partly off its left edge: the arithmetic alone.
    EXPECT_EQ(platform::bottomRightOriginTwips(12000, 9000, 13000, 9000),
              (WindowOrigin{-1150, -450}));
}

TEST(WindowPlacement, TwipsPerPixelFollowTheLogicalResolution) {
    EXPECT_DOUBLE_EQ(platform::twipsPerPixel(96), 15);
    EXPECT_DOUBLE_EQ(platform::twipsPerPixel(120), 12);
    EXPECT_DOUBLE_EQ(platform::twipsPerPixel(144), 10);
    // A screen that reports nothing usable counts as 96 dots per inch.
    EXPECT_DOUBLE_EQ(platform::twipsPerPixel(0), 15);
    EXPECT_DOUBLE_EQ(platform::twipsPerPixel(-1), 15);
}

TEST(WindowPlacement, PixelMarginsKeepTheirSizeInInchesAtEveryResolution) {
    // The twips example in pixels: 400 x 333 px window on 800 x 600 at 96 dpi.
    EXPECT_EQ(platform::bottomRightOriginPixels(800, 600, 400, 333, 96), (WindowOrigin{390, 237}));
    // 144 dpi: 150 twips = 15 px, 450 twips = 45 px.
    EXPECT_EQ(platform::bottomRightOriginPixels(1920, 1080, 600, 500, 144),
              (WindowOrigin{1305, 535}));
    // 120 dpi: 12.5 and 37.5 px, rounded to the nearest pixel.
    EXPECT_EQ(platform::bottomRightOriginPixels(1000, 800, 500, 400, 120),
              (WindowOrigin{487, 362}));
}

TEST(WindowPlacement, AWindowLargerThanTheScreenKeepsItsTitleBarOnIt) {
    EXPECT_EQ(platform::bottomRightOriginPixels(800, 600, 900, 700, 96), (WindowOrigin{0, 0}));
    EXPECT_EQ(platform::bottomRightOriginPixels(800, 600, 795, 100, 96), (WindowOrigin{0, 470}));
}

}  // namespace
