#pragma once
// The file dialog filters of the language catalogue are in the Windows common dialog's form,
// "description|patterns|description|patterns" with patterns separated by ";"; Qt wants
// "description (patterns);;description (patterns)" with patterns separated by blanks.

#include <string>
#include <string_view>

namespace platform {

// "Programs |*.exe;*.com|All files (*.*)|*.*" becomes
// "Programs (*.exe *.com);;All files (*.*) (*)". Descriptions lose surrounding blanks;
// empty patterns (a trailing ";") are dropped; "*.*" becomes "*", which on Windows
// already matches every file, with or without an extension. A description without
// patterns is dropped; no usable pair at all gives the empty text (every file).
std::string toQtFileFilter(std::string_view dialogFilter);

}  // namespace platform
