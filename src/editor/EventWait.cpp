#include "editor/EventWait.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace editor {

namespace {

class SystemEventWait final : public EventWait {
public:
    double secondsOfDay() override {
        using namespace std::chrono;
        const auto now = system_clock::now();
        const std::time_t t = system_clock::to_time_t(now);
        // Called on the user-interface thread only, so the shared result is safe here.
        const std::tm local = *std::localtime(&t);
        const auto fraction = duration<double>(now - system_clock::from_time_t(t)).count();
        return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
    }
    void processEvents() override { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }
};

std::unique_ptr<EventWait>& current() {
    static std::unique_ptr<EventWait> instance;
    return instance;
}

}  // namespace

EventWait& eventWait() {
    auto& instance = current();
    if (!instance) {
        instance = std::make_unique<SystemEventWait>();
    }
    return *instance;
}

void installEventWait(std::unique_ptr<EventWait> replacement) {
    current() = std::move(replacement);
}

}  // namespace editor
