#include "platform/WindowPlacement.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr double kStandardDpi = 96.0;
}

double twipsPerPixel(double logicalDpi) {
    // A screen that reports no usable resolution is taken as the standard one.
    if (!(logicalDpi > 0) || !std::isfinite(logicalDpi)) {
        logicalDpi = kStandardDpi;
    }
    return kTwipsPerInch / logicalDpi;
}

WindowOrigin bottomRightOriginTwips(long screenWidth, long screenHeight, long windowWidth,
                                    long windowHeight) {
    return {screenWidth - windowWidth - kRightMarginTwips,
            screenHeight - windowHeight - kBottomMarginTwips};
}

WindowOrigin bottomRightOriginPixels(int screenWidth, int screenHeight, int windowWidth,
                                     int windowHeight, double logicalDpi) {
    const double perPixel = twipsPerPixel(logicalDpi);
    const long right = std::lround(kRightMarginTwips / perPixel);
    const long bottom = std::lround(kBottomMarginTwips / perPixel);
    // A window larger than the screen keeps its title bar on it, where it can be grabbed.
    return {std::max(0L, long{screenWidth} - windowWidth - right),
            std::max(0L, long{screenHeight} - windowHeight - bottom)};
}

}  // namespace platform
