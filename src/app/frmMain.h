#pragma once
// The entry routine: one instance per user, then the main window until it is closed.

namespace frmMain {

// Ends at once, silently, when the program already runs for this user; otherwise opens
// the main window and returns the toolkit's exit code once it has been closed.
int Main(int argc, char** argv);

}  // namespace frmMain
