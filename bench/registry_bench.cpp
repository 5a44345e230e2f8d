// Per-operation cost of the registry access layer on this platform's registry:
// a write is open + set + close (WriteRegValue), a read is open + two queries + close
// (ReadRegValue). Built for Linux (SQLite key store) and for Windows (run under Wine);
// bench/run-registry-bench.sh runs both and prints the ratios.

#include <chrono>
#include <cstdio>
#include <string>

#include "registry/modRegistryAccess.h"

namespace {

using namespace modRegistryAccess;
using Clock = std::chrono::steady_clock;

constexpr auto kRoot = RootHive::HKEY_CURRENT_USER;
const std::string kKey = "Software\\Orvane\\QuillbellBench";

template <typename Operation>
double microsecondsPerCall(int count, Operation operation) {
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        operation(i);
    }
    const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
    return elapsed.count() / count;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::stoi(argv[1]) : 20000;
    CreateRegKey(kRoot, "Software\\Orvane");
    CreateRegKey(kRoot, kKey);

    const double write = microsecondsPerCall(count, [](int i) {
        WriteRegValue(kRoot, kKey, "WhTime" + std::to_string(i % 19), std::to_string(i), kRegSz);
    });
    long checksum = 0;
    const double read = microsecondsPerCall(count, [&checksum](int i) {
        checksum += toText(ReadRegValue(kRoot, kKey, "WhTime" + std::to_string(i % 19))).size();
    });
    for (int i = 0; i < 19; ++i) {
        DeleteRegValue(kRoot, kKey, "WhTime" + std::to_string(i));
    }
    std::printf("operations=%d write_us=%.3f read_us=%.3f checksum=%ld\n", count, write, read,
                checksum);
    return 0;
}
