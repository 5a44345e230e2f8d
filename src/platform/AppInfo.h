#pragma once

namespace platform {

// The application's title: the caption of message boxes that give none of their own.
inline constexpr const char* kApplicationTitle = "Quillbell";

}  // namespace platform
