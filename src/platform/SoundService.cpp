#include "platform/Sound.h"

namespace platform {

namespace {
std::unique_ptr<Sound>& current() {
    static std::unique_ptr<Sound> instance;
    return instance;
}
}  // namespace

Sound& sound() {
    auto& instance = current();
    if (!instance) {
        instance = createPlatformSound();
    }
    return *instance;
}

void installSound(std::unique_ptr<Sound> replacement) {
    current() = std::move(replacement);
}

bool playSoundFile(const std::string& path) {
    return sound().playFile(path);
}

}  // namespace platform
