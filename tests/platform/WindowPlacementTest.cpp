#include <gtest/gtest.h>

#include "platform/WindowPlacement.h"

namespace {

using platform::bottomRightOriginPixels;
using platform::WindowOrigin;

TEST(WindowPlacement, MarginsFromTheRightAndBottomEdgesKeepTheirSizeInInchesAtEveryResolution) {
    EXPECT_EQ(platform::bottomRightOriginTwips(800 * 15, 600 * 15, 6000, 5000),
              (WindowOrigin{5850, 3550}));
    // A screen that reports nothing usable counts as 96 dots per inch.
    for (const int unusable : {0, -1}) {
        EXPECT_DOUBLE_EQ(platform::twipsPerPixel(unusable), 15);
    }
    // 150 and 450 twips: 10 and 30 px at 96 dpi, 15 and 45 at 144, 12.5 and 37.5 rounded at 120.
    EXPECT_EQ(bottomRightOriginPixels(800, 600, 400, 333, 96), (WindowOrigin{390, 237}));
    EXPECT_EQ(bottomRightOriginPixels(1920, 1080, 600, 500, 144), (WindowOrigin{1305, 535}));
    EXPECT_EQ(bottomRightOriginPixels(1000, 800, 500, 400, 120), (WindowOrigin{487, 362}));
    // A window larger than the screen keeps its title bar on it.
    EXPECT_EQ(bottomRightOriginPixels(800, 600, 900, 700, 96), (WindowOrigin{0, 0}));
    EXPECT_EQ(bottomRightOriginPixels(800, 600, 795, 100, 96), (WindowOrigin{0, 470}));
}

}  // namespace
