#include "tools/profile/ProfileTool.h"

#include <termios.h>
#include <unistd.h>

#include <stdexcept>

#include "mapi/ProfileDiscovery.h"
#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "platform/posix/mail/MailProfile.h"
#include "platform/posix/mail/StoreUrl.h"
#include "registry/modRegistryAccess.h"

namespace profiletool {

namespace {

using platform::LSTATUS;

class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr const char* kUsage =
    "Usage: quillbell-profile add NAME URL [URL...] | default NAME | list | remove NAME";

// Turns the terminal's echo off while it lives.
class HiddenTyping {
public:
    explicit HiddenTyping(bool terminal) {
        active_ = terminal && tcgetattr(STDIN_FILENO, &saved_) == 0;
        if (active_) {
            termios quiet = saved_;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        }
    }
    ~HiddenTyping() {
        if (active_) {
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
        }
    }
    HiddenTyping(const HiddenTyping&) = delete;
    HiddenTyping& operator=(const HiddenTyping&) = delete;

private:
    bool active_ = false;
    termios saved_{};
};

std::string readPassword(const std::string& url, std::istream& in, std::ostream& err,
                         bool terminal) {
    if (terminal) {
        err << "Password for " << url << ": " << std::flush;
    }
    std::string password;
    {
        const HiddenTyping hidden(terminal);
        if (!std::getline(in, password)) {
            throw ToolError("No password was given for " + url);
        }
    }
    if (terminal) {
        err << '\n';
    }
    if (!password.empty() && password.back() == '\r') {
        password.pop_back();
    }
    return password;
}

std::string displayName(const mail::StoreUrl& url) {
    if (url.isServer()) {
        return url.user + "@" + url.host;
    }
    const std::size_t slash = url.path.find_last_not_of('/');
    const std::string trimmed = url.path.substr(0, slash == std::string::npos ? 0 : slash + 1);
    const std::string last = trimmed.substr(trimmed.rfind('/') + 1);
    return last.empty() ? url.path : last;
}

void requireName(const std::string& name) {
    if (name.empty() || name.find('\\') != std::string::npos) {
        throw ToolError("A profile name must not be empty nor hold a backslash");
    }
}

void check(LSTATUS status, const std::string& what) {
    if (status != platform::winerror::kSuccess) {
        throw ToolError("Cannot " + what + " (registry error " + std::to_string(status) + ")");
    }
}

void add(const std::vector<std::string>& args, std::istream& in, std::ostream& err, bool terminal) {
    const std::string& name = args[1];
    requireName(name);
    // Every URL is checked before a password is asked for or anything is written.
    std::vector<mail::StoreUrl> urls;
    for (std::size_t i = 2; i < args.size(); ++i) {
        std::string problem;
        const std::optional<mail::StoreUrl> url = mail::parseStoreUrl(args[i], problem);
        if (!url) {
            throw ToolError("The store URL " + args[i] + " is wrong: " + problem);
        }
        urls.push_back(*url);
    }
    std::vector<mail::ProfileStore> stores;
    for (std::size_t i = 0; i < urls.size(); ++i) {
        mail::ProfileStore store{args[i + 2], displayName(urls[i]), urls[i].user, {}};
        if (urls[i].isServer()) {
            store.password = readPassword(args[i + 2], in, err, terminal);
        }
        stores.push_back(std::move(store));
    }
    check(mail::writeProfile(name, stores), "write the profile " + name);
}

bool exists(const std::string& name) {
    return mail::readProfile(name).has_value();
}

std::string defaultProfile() {
    return modRegistryAccess::toText(
        modRegistryAccess::ReadRegValue(modRegistryAccess::RootHive::HKEY_CURRENT_USER,
                                        mapi::GetProfilesKeyPath(), "DefaultProfile"));
}

void makeDefault(const std::string& name) {
    if (!exists(name)) {
        throw ToolError("There is no profile named " + name);
    }
    check(mail::setDefaultProfile(name), "set the default profile");
}

void remove(const std::string& name) {
    const LSTATUS status = mail::removeProfile(name);
    if (status == platform::winerror::kFileNotFound) {
        throw ToolError("There is no profile named " + name);
    }
    check(status, "remove the profile " + name);
    // A default that names no profile any more would send the notifier nowhere.
    if (defaultProfile() == name) {
        modRegistryAccess::DeleteRegValue(modRegistryAccess::RootHive::HKEY_CURRENT_USER,
                                          mapi::GetProfilesKeyPath(), "DefaultProfile");
    }
}

void list(std::ostream& out) {
    platform::Registry& registry = platform::registry();
    platform::HKEY key = platform::kNullKey;
    const LSTATUS opened = registry.OpenKeyEx(
        platform::kHkeyCurrentUser, platform::ansiCodePage().toAnsi(mapi::GetProfilesKeyPath()),
        platform::kKeyRead, &key);
    if (opened == platform::winerror::kFileNotFound) {
        return;
    }
    check(opened, "open the profiles key");
    const std::string marked = defaultProfile();
    LSTATUS status = platform::winerror::kSuccess;
    for (std::uint32_t index = 0; status == platform::winerror::kSuccess; ++index) {
        char buffer[256];
        std::uint32_t length = sizeof buffer;
        status = registry.EnumKeyEx(key, index, buffer, &length, nullptr, nullptr);
        if (status == platform::winerror::kSuccess) {
            const std::string name = mapi::DecodeProfileName(
                platform::ansiCodePage().fromAnsi(std::string(buffer, length)));
            out << name << (name == marked ? " (default)" : "") << '\n';
        }
    }
    registry.CloseKey(key);
    if (status != platform::winerror::kNoMoreItems) {
        check(status, "list the profiles");
    }
}

void dispatch(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err, bool terminal) {
    const std::string command = args.empty() ? std::string() : args[0];
    if (command == "add" && args.size() >= 3) {
        add(args, in, err, terminal);
    } else if (command == "default" && args.size() == 2) {
        makeDefault(args[1]);
    } else if (command == "list" && args.size() == 1) {
        list(out);
    } else if (command == "remove" && args.size() == 2) {
        remove(args[1]);
    } else {
        throw ToolError(kUsage);
    }
}

}  // namespace

int runProfileTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, bool terminal) {
    try {
        dispatch(args, in, out, err, terminal);
        out.flush();
        return 0;
    } catch (const std::exception& error) {
        out.flush();
        err << "ERROR: " << error.what() << '\n';
        return 1;
    }
}

}  // namespace profiletool
