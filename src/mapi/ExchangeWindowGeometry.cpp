#include "mapi/ExchangeWindowGeometry.h"

namespace mapi {

namespace {
constexpr float kMargin = 120;
constexpr float kButtonWidth = 1800;
constexpr float kButtonHeight = 372;
// The margins above and below the tree and below the button, and the button.
constexpr float kAroundTree = 3 * kMargin + kButtonHeight;
constexpr float kSmallestTreeSide = 121;
}  // namespace

FolderSelectLayout FolderSelectLayoutFor(float clientWidth, float clientHeight) {
    FolderSelectLayout layout;
    layout.keySelect = {clientWidth - kButtonWidth - kMargin,
                        clientHeight - kButtonHeight - kMargin, kButtonWidth, kButtonHeight};
    const float treeWidth = clientWidth - 2 * kMargin;
    const float treeHeight = clientHeight - kAroundTree;
    if (treeWidth > kSmallestTreeSide && treeHeight > kSmallestTreeSide) {
        layout.tree = TwipsRect{kMargin, kMargin, treeWidth, treeHeight};
    }
    return layout;
}

TwipsRect CentredOver(const TwipsRect& over, float width, float height) {
    return {over.left + over.width / 2 - width / 2, over.top + over.height / 2 - height / 2, width,
            height};
}

}  // namespace mapi
