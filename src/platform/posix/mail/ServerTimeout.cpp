#include "platform/posix/mail/ServerTimeout.h"

#include <atomic>

namespace mail {

namespace {

std::atomic<std::chrono::milliseconds::rep> timeoutMs{kDefaultServerTimeout.count()};

}  // namespace

std::chrono::milliseconds serverTimeout() {
    return std::chrono::milliseconds(timeoutMs.load());
}

void setServerTimeout(std::chrono::milliseconds timeout) {
    timeoutMs.store(timeout.count());
}

}  // namespace mail
