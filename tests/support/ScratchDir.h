#pragma once
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

namespace testsupport {

// Creates a new, empty, uniquely named directory under the system's temporary directory.
inline std::filesystem::path makeScratchDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        const auto candidate =
            std::filesystem::temp_directory_path() /
            ("quillbell-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(candidate)) {
            return candidate;
        }
    }
}

}  // namespace testsupport
