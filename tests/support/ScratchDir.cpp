#include "support/ScratchDir.h"

#include <atomic>
#include <chrono>
#include <string>

namespace testsupport {

std::filesystem::path makeScratchDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        const auto candidate = std::filesystem::temp_directory_path() /
                               ("quillbell-test-" + std::to_string(stamp) + "-" +
                                std::to_string(counter++));
        if (std::filesystem::create_directory(candidate)) {
            return candidate;
        }
    }
}

}  // namespace testsupport
