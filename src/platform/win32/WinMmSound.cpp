#include "platform/win32/WinMmSound.h"

#include <windows.h>
// mmsystem.h needs the types of windows.h.
#include <mmsystem.h>

#include "platform/CodePage.h"

namespace platform {

bool WinMmSound::playFile(const std::string& path) {
    // SND_FILENAME alone (0x20000): synchronous, and without SND_NODEFAULT, so a missing
    // file may sound the system's default instead; whatever PlaySound returns decides.
    const std::string ansiPath = ansiCodePage().toAnsi(path);
    return PlaySoundA(ansiPath.c_str(), nullptr, SND_FILENAME) != FALSE;
}

std::unique_ptr<Sound> createPlatformSound() {
    return std::make_unique<WinMmSound>();
}

}  // namespace platform
