#pragma once
// Text goes to the registry in the ANSI code page. A character the code page lacks
// would silently become '?', so the tool refuses such text instead of storing it.

#include <string>
#include <string_view>

namespace regtool {

// The ANSI bytes of `utf8`; throws RegToolError naming `what` when the conversion
// would lose or change anything.
std::string toAnsiExactly(std::string_view utf8, std::string_view what);

// UTF-8 text of ANSI bytes (names and strings read from the registry).
std::string fromAnsi(std::string_view ansi);

}  // namespace regtool
