#pragma once
// One mail-check configuration as the main window edits it and as the notifier reads it:
// the nineteen fields in their canonical order, with the types the window holds them in.

#include <cstdint>
#include <string>

namespace store {

struct Configuration {
    // Handed out from LastID when the configuration is created; the stable identity,
    // since the slot changes when an earlier configuration is deleted.
    std::int32_t ProfileID = 0;
    std::string ConfName;
    // 0 Exchange profile and folder, 1 Exchange profile, 2 Exchange profile and password,
    // 3 Internet mail account. A stored number outside 0 to 3 is kept as it is, so that
    // saving a record nobody changed does not overwrite it.
    std::int16_t EServType = 0;
    std::string UserName;
    // In clear text: enciphered only on its way into the store.
    std::string UserPassword;
    std::string INetServer;
    std::string INetPort;
    std::string ExFolder;
    std::string ExFolderID;
    std::string EClient;
    std::string WhTime;
    std::int16_t Alarm = 0;  // check box state: 1 checked, 0 unchecked
    bool SoundOptionA = false;
    bool SoundOptionB = false;
    std::string WavName;
    std::int16_t PopupWin = 0;
    std::int16_t RunEClient = 0;
    std::int16_t WaitEClient = 0;
    bool ProfileEnabled = false;

    bool operator==(const Configuration&) const = default;
};

// The configuration a new entry starts with. The name and the folder are catalogue texts
// ("New configuration" and "Inbox" in English), which the caller looks up. The identifier
// is 0 until one is allocated.
Configuration newConfigurationDefaults(const std::string& newName, const std::string& inboxName);

// The emptied editor: every field empty or off but the configuration enabled; the
// identifier is the one the editor held before.
Configuration clearedConfiguration(std::int32_t profileID);

// Whether `EServType` names one of the four server types the program knows.
bool isKnownServerType(std::int16_t serverType);

}  // namespace store
