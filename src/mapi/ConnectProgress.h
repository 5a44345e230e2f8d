#pragma once
// The progress window as the folder walk sees it: shown before the walk starts, repainted
// after each long step (the walk blocks the user-interface thread), closed by the walk.

namespace mapi {

class ConnectProgress {
public:
    virtual ~ConnectProgress() = default;
    // Brings the window and its animation up to date on the screen.
    virtual void refresh() = 0;
    // Takes the window out of the always-on-top band and closes it.
    virtual void dismiss() = 0;
};

}  // namespace mapi
