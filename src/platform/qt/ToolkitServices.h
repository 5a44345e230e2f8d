#pragma once
// What a program with windows installs once its QApplication exists: Qt's message boxes
// and file dialog (QtPrompts), and the help viewer (the platform's own, else the
// desktop's handler). Sound, topmost and the single-instance claim need no installing.

namespace platform {

void installToolkitServices();

}  // namespace platform
