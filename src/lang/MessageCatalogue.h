#pragma once
// Every text the program shows (error reports excepted), with its language file key and
// its English default, in the order in which the defaults are set and the keys are read.
// Texts are named by key where they are used: modMessages::Message("ConfigWin_Ok").

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace modMessages {

struct CatalogueText {
    std::string_view key;
    std::string_view english;
};

inline constexpr std::size_t kMessageCount = 55;

// clang-format off
inline constexpr std::array<CatalogueText, kMessageCount> kCatalogue{{
    /*  1 */ {"ConfigWin_FormCaption", "Quillbell configuration"},
    /*  2 */ {"ConfigWin_ConfNum", "E-Mail configuration:"},
    /*  3 */ {"ConfigWin_NewConfTip", "Create new E-Mail configuration"},
    /*  4 */ {"ConfigWin_DelConfTip", "Delete current E-Mail configuration"},
    /*  5 */ {"ConfigWin_StopConf", "Enable/disable current E-Mail configuration checking"},
    /*  6 */ {"ConfigWin_EServType", "E-Mail server type:"},
    /*  7 */ {"ConfigWin_UserName", "Name:"},
    /*  8 */ {"ConfigWin_SelectProfTip", "Select MS Exchange profile for checking"},
    /*  9 */ {"ConfigWin_DefProfTip", "Select default MS Exchange profile"},
    /* 10 */ {"ConfigWin_UserPassword", "Password:"},
    /* 11 */ {"ConfigWin_UserNameEx", "MS Exchange profile name: "},
    /* 12 */ {"ConfigWin_InetServer", "E-Mail server:"},
    /* 13 */ {"ConfigWin_InetPort", "Port:"},
    /* 14 */ {"ConfigWin_ExFolder", "Check MS Exchange folder:"},
    /* 15 */ {"ConfigWin_InBoxFolder", "Inbox"},
    /* 16 */ {"ConfigWin_ExFolderTip", "Select folder for checking"},
    /* 17 */ {"ConfigWin_EClient", "E-Mail client:"},
    /* 18 */ {"ConfigWin_EClientTip", "Select E-Mail client for this configuration"},
    /* 19 */ {"ConfigWin_WhTime", "Mail box check frequency (in seconds):"},
    /* 20 */ {"ConfigWin_Alarm", "Play a signal when receiving new mail:"},
    /* 21 */ {"ConfigWin_PCSpk", "Use PC speaker"},
    /* 22 */ {"ConfigWin_SoundCard", "Use sound card"},
    /* 23 */ {"ConfigWin_WavFile", "Audio file name:"},
    /* 24 */ {"ConfigWin_ConfName", "Configuration name:"},
    /* 25 */ {"ConfigWin_SelectWav", "Select audio file for alarm event"},
    /* 26 */ {"ConfigWin_PlayWav", "Test audio file"},
    /* 27 */ {"ConfigWin_PopupWin", "Combine sound signal with floating window appearance"},
    /* 28 */ {"ConfigWin_RunEClient", "Start E-Mail client when receiving new message"},
    /* 29 */ {"ConfigWin_WaitEClient", "Wait while E-Mail client finished its work"},
    /* 30 */ {"ConfigWin_RunAtStartup", "Run Quillbell at startup"},
    /* 31 */ {"ConfigWin_ExternLang", "Use external language file:"},
    /* 32 */ {"ConfigWin_ExternLangNO", "No"},
    /* 33 */ {"ConfigWin_Help", "Help"},
    /* 34 */ {"ConfigWin_Ok", "OK"},
    /* 35 */ {"ConfigWin_OkTip", "Save and exit"},
    /* 36 */ {"NewConfDefName", "New configuration"},
    /* 37 */ {"DelProfWarning", "WARNING! Do you really want to delete this configuration?"},
    /* 38 */ {"EClientDlg", "Please, select your E-Mail client program"},
    /* 39 */ {"EClientMask", "Programs |*.exe;*.com|All files (*.*)|*.*"},
    /* 40 */ {"WavDlg", "Please, select audio file"},
    /* 41 */ {"WavMask", "Audio file |*.wav;|All files (*.*)|*.*"},
    /* 42 */ {"SelectProfile_WinCaption", "Please, select MS Exchange configuration"},
    /* 43 */ {"SelectProfile_StdProftext", "Default MS Exchange configuration:"},
    /* 44 */ {"SelectProfile_Select", "Select"},
    /* 45 */ {"SelectProfile_Cancel", "Cancel"},
    /* 46 */ {"strToolBar", "Please, select MS Exchange folder for checking..."},
    /* 47 */ {"strSelect", "Select folder"},
    /* 48 */ {"strWarning",
              "You cannot select root folder! Please, select a folder from a lower level..."},
    /* 49 */ {"strNoProfile", "Please, select MS Exchange profile first!"},
    /* 50 */ {"strWhiteLabelConnectA",
              "Connecting to MS Exchange server and downloading folders list. Please, wait..."},
    /* 51 */ {"EClientWarningA", "WARNING!"},
    /* 52 */ {"EClientWarningB",
              "In case of activation of this menu item after the launch of external e-mail "
              "client application, Quillbell will wait for its completion. You CANNOT check "
              "mailboxes while the external e-mail client application is active!"},
    /* 53 */ {"EClientWarningC", "Continue program operation in this mode?"},
    /* 54 */ {"ProfileNotFound", "Default Microsoft Exchange profile not found!"},
    /* 55 */ {"strUnavailableWarning",
              "This folder is not currently available. For more information, please contact "
              "your post office administrator..."},
}};
// clang-format on

// No key appears twice.
static_assert([] {
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        for (std::size_t j = i + 1; j < kCatalogue.size(); ++j) {
            if (kCatalogue[i].key == kCatalogue[j].key) {
                return false;
            }
        }
    }
    return true;
}());

// The help file a language names, and its key.
inline constexpr std::string_view kHelpFileKey = "HelpFile";
inline constexpr std::string_view kDefaultHelpFileName = "English.chm";

// A catalogue key checked while compiling: a key that is not in the catalogue is an error.
class MessageKey {
public:
    // Implicit, so that a key is written as a plain literal.
    consteval MessageKey(const char* key) : index_(indexOf(key)) {}

    // The key at `index` (0 to kMessageCount - 1) of the catalogue, for walking all texts.
    static constexpr MessageKey at(std::size_t index) {
        if (index >= kMessageCount) {
            throw std::out_of_range("message catalogue index");
        }
        return MessageKey(ByIndex{}, index);
    }

    constexpr std::size_t index() const { return index_; }
    constexpr std::string_view key() const { return kCatalogue[index_].key; }

private:
    struct ByIndex {};
    constexpr MessageKey(ByIndex, std::size_t index) : index_(index) {}

    static consteval std::size_t indexOf(std::string_view key) {
        for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
            if (kCatalogue[i].key == key) {
                return i;
            }
        }
        throw "not a key of the message catalogue";
    }

    std::size_t index_;
};

}  // namespace modMessages
