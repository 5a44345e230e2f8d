#include "LanguageFileTest.h"

#include <fstream>

#include "lang/modMessages.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/ScratchDir.h"

namespace langtest {

std::string panicBox(std::string_view operation, int number, std::string_view description) {
    return "Function " + std::string(operation) + "() panic!" + "\n\r\n\r" + "Error number: #" +
           std::to_string(number) + "\n\r" + "Error description: \"" + std::string(description) +
           "\"";
}

ScopedCodePage::ScopedCodePage(int number) {
    auto page = platform::createCodePage(number);
    EXPECT_NE(page, nullptr) << "code page " << number << " is not available";
    if (page) {
        platform::installCodePage(std::move(page));
    }
}

ScopedCodePage::~ScopedCodePage() {
    platform::installCodePage(platform::createSystemCodePage());
}

LanguageFileTest::LanguageFileTest() : dir_(testsupport::makeScratchDir()) {
    modMessages::InitMessages();
}

LanguageFileTest::~LanguageFileTest() {
    modMessages::InitMessages();
    // Tests may have taken permissions away from files and folders they made.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(dir_, ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(dir_, ignored);
}

std::string LanguageFileTest::writeFile(const std::string& name, std::string_view bytes) const {
    std::ofstream file(dir_ / platform::pathFromUtf8(name), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(file.good()) << "could not write " << name;
    return pathOf(name);
}

std::string LanguageFileTest::pathOf(const std::string& name) const {
    const auto utf8 = (dir_ / platform::pathFromUtf8(name)).u8string();
    return std::string(utf8.begin(), utf8.end());
}

}  // namespace langtest
