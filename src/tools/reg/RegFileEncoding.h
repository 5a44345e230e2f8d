#pragma once
// The encodings a .reg file may come in: UTF-16LE with its byte order mark (regedit's
// own), or UTF-8 with or without one (this tool's).

#include <string>
#include <string_view>

namespace regtool {

// The file's text as UTF-8. Throws RegToolError for bytes that are not valid in the
// encoding found, so that a damaged file is refused rather than imported garbled.
std::string decodeRegFile(std::string_view bytes);

}  // namespace regtool
