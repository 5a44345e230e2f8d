#pragma once
// Puts a top-level window at the bottom right of its screen, 150 twips in from the right
// edge and 450 twips up from the bottom edge (platform/WindowPlacement.h), converted with
// that screen's logical dots per inch. The window's size is unchanged. Placing a window
// before it is shown works too: where the window system adds the frame only later (an X11
// window manager), the window is placed once more by its frame as soon as it is known.

class QWidget;

namespace platform {

void placeAtBottomRight(QWidget& window);

}  // namespace platform
