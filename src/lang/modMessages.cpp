#include "lang/modMessages.h"

#include <array>
#include <exception>

#include "lang/modReadLang.h"
#include "platform/FileSystem.h"

namespace modMessages {

namespace {

using Texts = std::array<std::string, kMessageCount>;

Texts englishTexts() {
    Texts texts;
    for (std::size_t i = 0; i < kMessageCount; ++i) {
        texts[i] = kCatalogue[i].english;
    }
    return texts;
}

// English from the start, so that a text read before InitMessages is still a real one.
Texts& texts() {
    static Texts current = englishTexts();
    return current;
}

std::string& helpFileName() {
    static std::string current(kDefaultHelpFileName);
    return current;
}

bool normalFileExists(const std::string& path) {
    try {
        return platform::isNormalFile(platform::pathFromUtf8(path));
    } catch (const std::exception&) {
        return false;  // a name the file system cannot even express names no file
    }
}

}  // namespace

const std::string& Message(MessageKey key) {
    return texts()[key.index()];
}

const std::string& HelpFileName() {
    return helpFileName();
}

void InitMessages() {
    InitHelpFile();
    texts() = englishTexts();
}

void LoadMessages(const std::string& path) {
    if (!normalFileExists(path)) {
        return;
    }
    if (!modReadLang::ReadInterface(path)) {
        return;
    }
    LoadHelpFile();
    for (std::size_t i = 0; i < kMessageCount; ++i) {
        SetMessage(texts()[i], kCatalogue[i].key);
    }
}

void InitHelpFile() {
    helpFileName() = kDefaultHelpFileName;
}

void LoadHelpFile() {
    SetMessage(helpFileName(), kHelpFileKey);
}

void SetMessage(std::string& text, std::string_view key) {
    std::string value = modReadLang::strGetIntVarVal(key);
    if (!value.empty()) {
        text = std::move(value);
    }
}

}  // namespace modMessages
