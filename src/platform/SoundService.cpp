#include "platform/ServiceSlot.h"
#include "platform/Sound.h"

namespace platform {

Sound& sound() {
    return ServiceSlot<Sound>::process().get(createPlatformSound);
}

void installSound(std::unique_ptr<Sound> replacement) {
    ServiceSlot<Sound>::process().install(std::move(replacement));
}

bool playSoundFile(const std::string& path) {
    return sound().playFile(path);
}

}  // namespace platform
