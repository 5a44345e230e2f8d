#pragma once
// The one process-wide instance of a platform service: created by the platform's factory on
// first use, replaceable by tests (and by the windows, which install the toolkit's own).

#include <memory>
#include <utility>

namespace platform {

template <typename Service>
class ServiceSlot {
public:
    // The slot of this service for the whole process.
    static ServiceSlot& process() {
        static ServiceSlot slot;
        return slot;
    }

    // The installed service; `create` makes one when none is installed yet.
    template <typename Create>
    Service& get(Create create) {
        if (!instance_) {
            instance_ = create();
        }
        return *instance_;
    }
    // Null brings the platform's own back at the next use.
    void install(std::unique_ptr<Service> replacement) { instance_ = std::move(replacement); }

private:
    std::unique_ptr<Service> instance_;
};

}  // namespace platform
