#pragma once
// Room for a dialog's caption: window managers elide a caption wider than the window, and a
// translated caption is often longer than the dialog's contents are wide.

class QWidget;

namespace platform {

// Widens the minimum width of the top-level `window` so that its current caption and the
// title bar's buttons fit. Call it after the caption is set.
void fitWidthToCaption(QWidget& window);

}  // namespace platform
