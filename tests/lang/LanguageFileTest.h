#pragma once
// A test with its own scratch directory for language files and a recording stand-in
// for the message boxes.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/RecordingPrompts.h"

namespace langtest {

// The panic box text for `operation` with error `number` and `description`, spelled out
// here on purpose rather than built by the code under test.
std::string panicBox(std::string_view operation, int number, std::string_view description);

// Installs the code page `number` for the lifetime of this object; the system's code page
// comes back afterwards.
class ScopedCodePage {
public:
    explicit ScopedCodePage(int number);
    ~ScopedCodePage();
    ScopedCodePage(const ScopedCodePage&) = delete;
    ScopedCodePage& operator=(const ScopedCodePage&) = delete;
};

class LanguageFileTest : public ::testing::Test {
protected:
    LanguageFileTest();
    ~LanguageFileTest() override;

    // Writes `bytes` unchanged to `name` (UTF-8) in the scratch directory; returns the full
    // path in UTF-8.
    std::string writeFile(const std::string& name, std::string_view bytes) const;
    std::string pathOf(const std::string& name) const;

    const std::vector<testsupport::ShownMessageBox>& boxes() const {
        return prompts_->messageBoxes();
    }

    std::filesystem::path dir_;
    testsupport::ScopedRecordingPrompts prompts_;
};

}  // namespace langtest
