#pragma once
// Where the main window goes: the bottom right corner of the screen, 150 twips in from the
// right edge and 450 twips up from the bottom edge, so that it clears the task bar.
// A twip is 1/1440 inch; a screen has 1440 / (logical dots per inch) twips per pixel.

namespace platform {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr long kRightMarginTwips = 150;
inline constexpr long kBottomMarginTwips = 450;

struct WindowOrigin {
    long left = 0;
    long top = 0;
    friend bool operator==(const WindowOrigin&, const WindowOrigin&) = default;
};

// Twips per pixel on a screen of `logicalDpi` logical dots per inch (15 at 96).
double twipsPerPixel(double logicalDpi);

// Top-left corner of the window, relative to the screen's, all in twips.
WindowOrigin bottomRightOriginTwips(long screenWidth, long screenHeight, long windowWidth,
                                    long windowHeight);

// The same in pixels (sizes in pixels too), for a screen of `logicalDpi`; the margins are
// rounded to the nearest pixel (10 and 30 pixels at 96 dots per inch). A window larger
// than the screen is kept from going past its left or top edge, title bar on screen.
WindowOrigin bottomRightOriginPixels(int screenWidth, int screenHeight, int windowWidth,
                                     int windowHeight, double logicalDpi);

}  // namespace platform
