#pragma once
// Gives a test a clean registry of its own and never touches the user's real settings:
// on Linux fresh hive files in a temporary directory (found through the XDG variables,
// which are pointed there), on Windows the program's keys deleted before and after.

#include "support/ScratchDir.h"

namespace testsupport {

class ScopedTestRegistry {
public:
    ScopedTestRegistry();
    ~ScopedTestRegistry();
    ScopedTestRegistry(const ScopedTestRegistry&) = delete;
    ScopedTestRegistry& operator=(const ScopedTestRegistry&) = delete;

    // A scratch directory that lives as long as this object.
    const std::filesystem::path& scratchDir() const { return scratch_; }

private:
    std::filesystem::path scratch_ = makeScratchDir();
};

}  // namespace testsupport
