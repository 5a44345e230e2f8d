#pragma once
// A clean registry that never touches the user's settings: on Linux fresh hives in a scratch
// directory the XDG variables point to, on Windows the program's keys deleted before and after.

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
