#pragma once
// How long the session waits for a mail server: to connect, and for each answer. A server
// that accepts the connection and then says nothing fails with a timeout error instead
// of holding the window for ever.

#include <chrono>

namespace mail {

constexpr std::chrono::milliseconds kDefaultServerTimeout{20000};

std::chrono::milliseconds serverTimeout();
// Applies to sessions logged on afterwards (tests shorten it).
void setServerTimeout(std::chrono::milliseconds timeout);

}  // namespace mail
