#pragma once
// Reads every store and folder of a profile through automation, as the folder browser does.

#include <string>
#include <vector>

#include "platform/Automation.h"

namespace mailtest {

struct WalkedFolder {
    int depth = 0;  // 0 for the folders right under a store
    std::string name;
    std::string key;  // folder ID ":" store ID, as the browser keys its tree
};

struct WalkedStore {
    std::string name;
    std::vector<WalkedFolder> folders;  // depth first, in collection order
};

// Throws platform::AutomationError as the session does.
std::vector<WalkedStore> walkProfile(const std::string& profile);

}  // namespace mailtest
