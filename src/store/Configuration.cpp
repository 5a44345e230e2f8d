#include "store/Configuration.h"

#include "store/SettingsSchema.h"

namespace store {

Configuration newConfigurationDefaults(const std::string& newName, const std::string& inboxName) {
    Configuration defaults;
    defaults.ConfName = newName;
    defaults.INetPort = "110";
    defaults.ExFolder = inboxName;
    defaults.EClient = "C:\\Exchange\\EXCHNG32.EXE";
    defaults.WhTime = "300";
    defaults.Alarm = 1;
    defaults.SoundOptionA = true;
    defaults.WavName = "C:\\WINDOWS\\MEDIA\\CHIMES.WAV";
    defaults.ProfileEnabled = true;
    return defaults;
}

Configuration clearedConfiguration(std::int32_t profileID) {
    Configuration cleared;
    cleared.ProfileID = profileID;
    cleared.ProfileEnabled = true;
    return cleared;
}

bool isKnownServerType(std::int16_t serverType) {
    return serverType >= 0 && serverType < schema::kServerTypeCount;
}

}  // namespace store
