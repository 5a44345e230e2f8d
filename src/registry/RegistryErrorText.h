#pragma once
#include <cstdint>
#include <string>

// The fixed English sentence for a Windows registry error code. Never translated.
std::string RegistryErrorText(std::int32_t code);
