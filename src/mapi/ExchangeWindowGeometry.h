#pragma once
// Where the Exchange windows put things, in twips (1/1440 inch) and single precision: the
// folder browser's controls for a size of its client area, and the progress window centred
// over the main window.

#include <optional>

namespace mapi {

struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool operator==(const TwipsRect&) const = default;
};

struct FolderSelectLayout {
    TwipsRect keySelect;
    // Nothing when the client area is too small for it: the tree then stays as it is.
    std::optional<TwipsRect> tree;
};

// 120 twips at every edge and between the tree and the button, which is 1800 x 372
// twips at the bottom right.
FolderSelectLayout FolderSelectLayoutFor(float clientWidth, float clientHeight);

// A window of `width` x `height` placed with its centre on the centre of `over`.
TwipsRect CentredOver(const TwipsRect& over, float width, float height);

}  // namespace mapi
