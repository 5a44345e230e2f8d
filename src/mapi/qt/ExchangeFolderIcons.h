#pragma once
// The folder browser's seven pictures (mapi::FolderPicture: folder, folder selected,
// server, store, store selected, unavailable, unavailable selected) and the progress
// window's eight animation frames, drawn rather than loaded so that they stay sharp at
// every scaling: each is drawn on a 16 x 16 grid at the resolution asked for.

#include <QIcon>
#include <QPixmap>
#include <map>
#include <utility>

namespace mapiqt {

// The browser's image list: pictures 1 to 7, each in every size a 16 x 16 picture is shown
// at, drawn when a node first asks for it.
class ExhangeFolderIcons {
public:
    // A node's icon: `picture` as it is, `selectedPicture` while the node is selected.
    const QIcon& nodeIcon(int picture, int selectedPicture);

private:
    std::map<std::pair<int, int>, QIcon> icons_;
};

inline constexpr int kSleepFrames = 8;

// Animation frame `index` (0 to 7) as a 16 x 16 picture for a screen of `pixelRatio`
// device pixels per pixel.
QPixmap SleepFrame(int index, qreal pixelRatio);

}  // namespace mapiqt
