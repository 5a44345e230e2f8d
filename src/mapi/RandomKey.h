#pragma once
// The random part of the key of an "{Unavailable folder}" node.

#include <string>

namespace mapi {

// Fifteen decimal digits, each the integer part of a random number in [0, 1) times 10.
std::string strRandomKey();

}  // namespace mapi
