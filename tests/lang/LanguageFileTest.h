#pragma once
// A scratch directory for language files, English texts and recorded message boxes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "lang/modMessages.h"
#include "lang/modReadLang.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/RecordingPrompts.h"
#include "support/ScratchDir.h"

namespace langtest {

// Spelled out here on purpose rather than built by the code under test.
inline std::string panicBox(std::string_view operation, int number, std::string_view description) {
    return "Function " + std::string(operation) + "() panic!\n\r\n\rError number: #" +
           std::to_string(number) + "\n\rError description: \"" + std::string(description) + "\"";
}

class LanguageFileTest : public ::testing::Test {
protected:
    LanguageFileTest() { modMessages::InitMessages(); }
    ~LanguageFileTest() override {
        modMessages::InitMessages();
        platform::installCodePage(platform::createSystemCodePage());
        // Tests may have taken permissions away from files and folders they made.
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(dir_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string writeFile(const std::string& name, std::string_view bytes) const {
        std::ofstream file(dir_ / platform::pathFromUtf8(name), std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        EXPECT_TRUE(file.good()) << "could not write " << name;
        return pathOf(name);
    }
    std::string pathOf(const std::string& name) const {
        const auto utf8 = (dir_ / platform::pathFromUtf8(name)).u8string();
        return std::string(utf8.begin(), utf8.end());
    }
    // Exactly `count` stop boxes with the application's title and `text` since the last check.
    void expectBoxes(std::size_t count, const std::string& text = "") {
        ASSERT_EQ(prompts_->messageBoxes().size(), count);
        for (const auto& box : prompts_->messageBoxes()) {
            EXPECT_EQ(box.text, text);
            EXPECT_EQ(box.style, platform::msgbox::kCritical);
            EXPECT_EQ(box.title, "");
        }
        prompts_->clearShown();
    }

    std::filesystem::path dir_ = testsupport::makeScratchDir();
    testsupport::ScopedRecordingPrompts prompts_;
};

}  // namespace langtest
