#pragma once
// The streams the tool talks through; tests pass string streams.

#include <istream>
#include <ostream>
#include <string>

namespace regtool {

struct RegConsole {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;

    // Asks a Yes/No question on `out` and reads the answer from `in`, as reg.exe does
    // without /f. Only y or yes (any case) agrees; end of input refuses, so that a
    // script without a terminal never waits.
    bool confirm(const std::string& question);
};

}  // namespace regtool
