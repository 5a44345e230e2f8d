#include "mapi/RandomKey.h"

#include <algorithm>
#include <chrono>
#include <random>

namespace mapi {

namespace {

// Started from the clock once and then left to run: starting it from the clock at every
// call would give the same digits to two calls within one tick of the clock, and so the
// same key to two unavailable folders of one walk.
std::mt19937_64& generator() {
    static std::mt19937_64 engine = [] {
        std::random_device device;
        const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        std::seed_seq seed{static_cast<std::uint64_t>(now), std::uint64_t{device()},
                           std::uint64_t{device()}};
        return std::mt19937_64(seed);
    }();
    return engine;
}

}  // namespace

std::string strRandomKey() {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::string key;
    key.reserve(15);
    for (int i = 0; i < 15; ++i) {
        // Some library versions can round a draw up to 1.0 itself.
        const int digit = std::min(9, static_cast<int>(unit(generator()) * 10.0));
        key += static_cast<char>('0' + digit);
    }
    return key;
}

}  // namespace mapi
