// Arbitrary bytes as a language file: the reader, the look-ups and the catalogue must
// neither crash nor hang, whatever the file holds.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

#include "lang/modMessages.h"
#include "lang/modReadLang.h"
#include "platform/Prompts.h"

namespace {

// Counts the boxes instead of writing thousands of them to standard error.
class SilentPrompts final : public platform::Prompts {
public:
    int messageBox(const std::string& text, int style, const std::string&) override {
        if (text.rfind("Function ", 0) != 0 || style != platform::msgbox::kCritical) {
            std::abort();  // only panic reports are expected from these routines
        }
        return platform::msgbox::kAnswerOk;
    }
    std::optional<std::string> openFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
};

const std::string& scratchFile() {
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() /
                          ("quillbell-fuzz-" + std::to_string(::getpid()) + ".lng");
        const auto utf8 = file.u8string();
        return std::string(utf8.begin(), utf8.end());
    }();
    return path;
}

void removeScratch() {
    std::error_code ignored;
    std::filesystem::remove(scratchFile(), ignored);
}

void writeScratch(const std::uint8_t* data, std::size_t size) {
    std::ofstream file(scratchFile(), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// What every table must satisfy, whatever the file.
void checkTable() {
    const auto vars = modReadLang::InterfaceVars();
    for (const auto& var : vars) {
        check(var.Name.find_first_of(" \r") == std::string::npos);
        check(var.Value.find('"') == std::string::npos);
        check(var.Value.find('\r') == std::string::npos);
    }
    // The last entry's value is what its own name looks up (a few, to stay fast).
    if (!vars.empty()) {
        check(modReadLang::strGetIntVarVal(vars.back().Name) == vars.back().Value);
        (void)modReadLang::strGetIntVarVal(vars.front().Name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::installPrompts(std::make_unique<SilentPrompts>());
    // The name first: statics made after the handler is registered are gone when it runs.
    scratchFile();
    std::atexit(removeScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    writeScratch(data, size);
    const bool read = modReadLang::ReadInterface(scratchFile());
    if (read) {
        checkTable();
    } else {
        check(modReadLang::InterfaceVars().empty());
    }

    // The bytes themselves as a key and as text for the helpers.
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)modReadLang::strGetIntVarVal(text);
    check(modReadLang::strClearSpace(text).find_first_of(" \r") == std::string::npos);
    check(modReadLang::strClearString(text).find('"') == std::string::npos);

    modMessages::InitMessages();
    modMessages::LoadMessages(scratchFile());
    for (std::size_t i = 0; i < modMessages::kMessageCount; ++i) {
        check(!modMessages::Message(modMessages::MessageKey::at(i)).empty());
    }
    check(!modMessages::HelpFileName().empty());
    return 0;
}
