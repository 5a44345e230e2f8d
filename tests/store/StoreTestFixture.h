#pragma once
// A clean registry with the per-user keys and the Western code page, so that byte counts do
// not depend on the locale; a double-byte system code page (Japanese Windows) stays in force.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "store/ConfigurationFields.h"
#include "store/GlobalSettings.h"
#include "support/RawRegistry.h"
#include "support/TestRegistry.h"

namespace storetest {

inline const std::string kProductKey = "Software\\Orvane\\Quillbell";
inline const std::string kProfilesKey = kProductKey + "\\Profiles";
inline constexpr platform::HKEY kUser = platform::kHkeyCurrentUser;
using Texts = std::vector<std::string>;

class StoreTest : public ::testing::Test {
public:
    void SetUp() override {
        if (platform::createCodePage(platform::ansiCodePage().number())) {
            platform::installCodePage(platform::createCodePage(1252));
        }
        store::createUserKeys();
    }
    void TearDown() override { platform::installCodePage(nullptr); }

    // As a person editing the store by hand would.
    static void plantText(const std::string& name, const std::string& text,
                          const std::string& path = kProfilesKey, platform::HKEY root = kUser) {
        ASSERT_EQ(testsupport::setRaw(root, path, name, platform::regtype::kSz, text + '\0'), 0);
    }
    static void plantDword(const std::string& name, std::uint32_t n,
                           const std::string& path = kProfilesKey) {
        ASSERT_EQ(testsupport::setRaw(kUser, path, name, platform::regtype::kDword,
                                      testsupport::dwordBytes(n)),
                  0);
    }
    // The stored text of a value without its terminator; nothing when the value is missing.
    static std::optional<std::string> storedText(const std::string& name,
                                                 const std::string& path = kProfilesKey,
                                                 platform::HKEY root = kUser) {
        const auto raw = testsupport::getRaw(root, path, name);
        if (!raw) {
            return std::nullopt;
        }
        EXPECT_EQ(raw->type, platform::regtype::kSz) << name;
        EXPECT_TRUE(!raw->bytes.empty() && raw->bytes.back() == '\0') << name << " unterminated";
        return raw->bytes.substr(0, raw->bytes.size() - 1);
    }
    // The stored texts of the nineteen values of a slot, in the canonical order.
    static Texts storedRecord(int slot) {
        Texts texts;
        for (const auto& field : store::kConfigurationFields) {
            texts.push_back(storedText(field.name + std::to_string(slot)).value_or("<missing>"));
        }
        return texts;
    }

    testsupport::ScopedTestRegistry scope_;
};

}  // namespace storetest
