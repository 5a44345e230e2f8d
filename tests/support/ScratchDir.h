#pragma once
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
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

// The whole content of a file; empty when it is missing or not a regular file.
inline std::string fileBytes(const std::filesystem::path& file) {
    if (!std::filesystem::is_regular_file(file)) {
        return {};
    }
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace testsupport
