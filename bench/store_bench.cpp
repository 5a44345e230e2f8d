// Costs of the settings store as the main window meets them: saving and loading one
// configuration, and deleting the first of 1,000, where every later one is loaded and
// saved one slot lower: once by the store's own move, which writes only what changes, once
// more by a registry object that has read nothing yet but the list (as in a program just
// started, after another one wrote the list), and once as a window would by looping over
// LoadProfile and a full SaveProfile. Runs on whatever registry the platform provides: the
// SQLite store on Linux (run-store-bench.sh points it at a scratch directory), the registry
// under Windows or Wine.
//
// Prints one "name value unit" line per figure for the script that compares platforms.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "registry/modRegistryAccess.h"
#include "store/ConfigurationFields.h"
#include "store/GlobalSettings.h"
#include "store/ProfileList.h"
#include "store/ProfileStore.h"
#include "store/SettingsSchema.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kListSize = 1000;

struct Options {
    int singleRuns = 20;
    int deleteRuns = 3;
};

store::Configuration sampleConfiguration(int number) {
    store::Configuration record = store::newConfigurationDefaults("Mailbox", "Inbox");
    record.ProfileID = number;
    record.ConfName = "Mailbox " + std::to_string(number);
    record.EServType = 3;
    record.UserName = "user" + std::to_string(number);
    record.UserPassword = "password-" + std::to_string(number);
    record.INetServer = "pop.example.org";
    return record;
}

double secondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The machine is shared: the fastest of several runs is the one least disturbed.
double best(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// The window's SaveProfile: the language first, then keys, globals and the nineteen values.
void saveLikeTheWindow(int slot, const store::Configuration& record, int listCount) {
    store::writeExternLang("Deutsch", "No");
    store::saveProfile(slot, record, 1, listCount);
}

void fillList(int count) {
    store::createUserKeys();
    for (int slot = 0; slot < count; ++slot) {
        store::writeConfiguration(slot, sampleConfiguration(slot));
    }
    store::writeConfNumber(count);
}

void removeEverything(int slots) {
    for (int slot = 0; slot < slots; ++slot) {
        store::deleteProfile(slot);
    }
    for (const char* name :
         {store::schema::kExternLang, store::schema::kRunAtStartup, store::schema::kConfNumber}) {
        modRegistryAccess::DeleteRegValue(store::schema::kUserHive, store::schema::kProductKey,
                                          name);
    }
}

// The time of one call, from the best of ten batches of `runs` calls.
double perCall(int runs, const std::function<void()>& work) {
    std::vector<double> batches;
    for (int batch = 0; batch < 10; ++batch) {
        batches.push_back(secondsOf([&] {
                              for (int i = 0; i < runs; ++i) {
                                  work();
                              }
                          }) /
                          runs);
    }
    return best(batches);
}

bool checkDeletion() {
    const auto names = store::readProfileNames();
    return names.size() == kListSize - 1 && names.front() == "Mailbox 1" &&
           store::readConfiguration(0).ProfileID == 1;
}

// The deletion as a window that loops over LoadProfile and SaveProfile itself does it.
void removeFirstLikeTheWindow(int count) {
    for (int from = 1; from < count; ++from) {
        const auto moved = store::loadProfile(from);
        store::writeExternLang("Deutsch", "No");
        store::saveProfile(from - 1, moved.record, moved.runAtStartup, count);
    }
    store::deleteProfile(count - 1);
    store::writeConfNumber(count - 1);
}

// A fresh registry object knows nothing of what the one before it wrote or read.
void startAfresh() {
    platform::installRegistry(nullptr);
    store::readProfileNames();
}

double timeDeletion(const std::function<void()>& deletion, bool& correct, bool afresh = false) {
    fillList(kListSize);
    if (afresh) {
        startAfresh();
    }
    const double seconds = secondsOf(deletion);
    correct = correct && checkDeletion();
    return seconds;
}

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const int value = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--single-runs") == 0) {
            options.singleRuns = value;
        } else if (std::strcmp(argv[i], "--delete-runs") == 0) {
            options.deleteRuns = value;
        }
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    // This program overwrites and then removes the configurations of the user it runs as.
    if (!modRegistryAccess::isEmpty(modRegistryAccess::ReadRegValue(
            store::schema::kUserHive, store::schema::kProductKey, store::schema::kConfNumber))) {
        std::fprintf(stderr, "store_bench: settings exist already; run it where none are stored\n");
        return 2;
    }

    const auto record = sampleConfiguration(7);
    store::createUserKeys();
    const double save = perCall(options.singleRuns, [&] { saveLikeTheWindow(0, record, 1); });
    // Saving the same record again changes nothing stored; these two differ in four values.
    const auto other = sampleConfiguration(8);
    int saves = 0;
    const double saveChanged = perCall(
        options.singleRuns, [&] { saveLikeTheWindow(0, ++saves % 2 != 0 ? other : record, 1); });
    const double load = perCall(options.singleRuns, [] { store::loadProfile(0); });

    std::vector<double> deletions;
    std::vector<double> freshDeletions;
    std::vector<double> windowDeletions;
    bool correct = true;
    for (int run = 0; run < options.deleteRuns; ++run) {
        deletions.push_back(
            timeDeletion([] { store::removeConfiguration(0, kListSize); }, correct));
        freshDeletions.push_back(
            timeDeletion([] { store::removeConfiguration(0, kListSize); }, correct, true));
        windowDeletions.push_back(
            timeDeletion([] { removeFirstLikeTheWindow(kListSize); }, correct));
    }
    removeEverything(kListSize);

    std::printf("save_one %.2f us\n", save * 1e6);
    std::printf("save_one_changed %.2f us\n", saveChanged * 1e6);
    std::printf("load_one %.2f us\n", load * 1e6);
    std::printf("delete_first_of_1000 %.2f ms\n", best(deletions) * 1e3);
    std::printf("delete_first_of_1000_afresh %.2f ms\n", best(freshDeletions) * 1e3);
    std::printf("delete_first_of_1000_full_saves %.2f ms\n", best(windowDeletions) * 1e3);
    if (!correct) {
        std::fprintf(stderr, "store_bench: the deletion left the list in a wrong state\n");
        return 1;
    }
    return 0;
}
