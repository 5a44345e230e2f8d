// Walking a key by index: the time per value of RegEnumValueA over keys of 1,000, 10,000
// and 100,000 values, which must stay flat, and quillbell-reg export of 1,000 stored
// configurations (19,000 values in one key) against quillbell-reg import of the same file
// into an emptied store. Runs on whatever registry the platform provides; on Linux
// run-key-store-bench.sh points the SQLite store at a scratch directory.
//
// Prints one "name value unit" line per figure for the script that checks the targets.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "store/ConfigurationFields.h"
#include "store/GlobalSettings.h"
#include "store/ProfileList.h"
#include "store/ProfileStore.h"
#include "tools/reg/RegTool.h"

namespace {

using Clock = std::chrono::steady_clock;
using platform::registry;

const std::string kBenchKey = "Software\\Orvane\\EnumerationBench";
constexpr int kConfigurations = 1000;
constexpr int kRuns = 3;

double secondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The machine is shared: the fastest of several runs is the one least disturbed.
double bestOf(int runs, const std::function<double()>& run) {
    double best = run();
    for (int i = 1; i < runs; ++i) {
        best = std::min(best, run());
    }
    return best;
}

platform::HKEY fillKey(int values) {
    platform::HKEY key = 0;
    registry().CreateKeyEx(platform::kHkeyCurrentUser, kBenchKey + "\\N" + std::to_string(values),
                           platform::kKeyWriteAccess, &key, nullptr);
    for (int i = 0; i < values; ++i) {
        const std::string data = "value number " + std::to_string(i);
        registry().SetValueEx(key, "Value" + std::to_string(i), platform::regtype::kSz,
                              reinterpret_cast<const std::uint8_t*>(data.c_str()),
                              static_cast<std::uint32_t>(data.size() + 1));
    }
    return key;
}

// Every value with its name and data, as a program walking the key reads it; false when
// the walk did not see exactly `values` of them.
bool walk(platform::HKEY key, int values) {
    char name[64];
    std::uint8_t data[64];
    int seen = 0;
    for (std::uint32_t index = 0;; ++index) {
        std::uint32_t nameLen = sizeof name;
        std::uint32_t dataLen = sizeof data;
        std::uint32_t type = 0;
        if (registry().EnumValue(key, index, name, &nameLen, &type, data, &dataLen) != 0) {
            return seen == values;
        }
        ++seen;
    }
}

int runTool(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const int status = regtool::runRegTool(args, in, out, err);
    if (status != 0) {
        std::fprintf(stderr, "enumeration_bench: %s", err.str().c_str());
    }
    return status;
}

void fillConfigurations() {
    store::createUserKeys();
    for (int slot = 0; slot < kConfigurations; ++slot) {
        store::Configuration record = store::newConfigurationDefaults("Mailbox", "Inbox");
        record.ProfileID = slot;
        record.ConfName = "Mailbox " + std::to_string(slot);
        record.UserPassword = "password-" + std::to_string(slot);
        store::writeConfiguration(slot, record);
    }
    store::writeConfNumber(kConfigurations);
}

void removeConfigurations() {
    for (int slot = 0; slot < kConfigurations; ++slot) {
        store::deleteProfile(slot);
    }
}

}  // namespace

int main() {
    platform::HKEY existing = 0;
    if (registry().OpenKeyEx(platform::kHkeyCurrentUser, "Software\\Orvane", platform::kKeyRead,
                             &existing) == 0) {
        std::fprintf(stderr, "enumeration_bench: settings exist already; run it where none are\n");
        return 2;
    }
    bool correct = true;
    std::vector<double> perValue;
    for (const int values : {1000, 10000, 100000}) {
        const platform::HKEY key = fillKey(values);
        const double seconds = bestOf(
            kRuns, [&] { return secondsOf([&] { correct = walk(key, values) && correct; }); });
        registry().CloseKey(key);
        perValue.push_back(seconds / values * 1e9);
        std::printf("enumerate_%d %.1f ns_per_value\n", values, perValue.back());
    }
    std::printf("growth_100000_to_1000 %.2f ratio\n", perValue.back() / perValue.front());

    const std::string file =
        (std::filesystem::temp_directory_path() / "enumeration_bench.reg").string();
    fillConfigurations();
    const std::string key = "HKCU\\Software\\Orvane\\Quillbell";
    const double exportSeconds = bestOf(kRuns, [&] {
        return secondsOf([&] { correct = runTool({"export", key, file, "/y"}) == 0 && correct; });
    });
    const double importSeconds = bestOf(kRuns, [&] {
        removeConfigurations();
        return secondsOf([&] { correct = runTool({"import", file}) == 0 && correct; });
    });
    std::filesystem::remove(file);
    std::printf("export_1000_configurations %.3f s\n", exportSeconds);
    std::printf("import_1000_configurations %.3f s\n", importSeconds);
    std::printf("export_to_import %.2f ratio\n", exportSeconds / importSeconds);
    if (!correct) {
        std::fprintf(stderr, "enumeration_bench: a walk or the tool gave a wrong result\n");
        return 1;
    }
    return 0;
}
