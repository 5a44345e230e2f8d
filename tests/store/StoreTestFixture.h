#pragma once
// A clean registry with the per-user keys in place and the Western code page, so that
// byte counts and keystream positions do not depend on the machine's locale.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "store/GlobalSettings.h"
#include "support/RawRegistry.h"
#include "support/TestRegistry.h"

namespace storetest {

inline const std::string kProductKey = "Software\\Orvane\\Quillbell";
inline const std::string kProfilesKey = "Software\\Orvane\\Quillbell\\Profiles";
inline constexpr platform::HKEY kUser = platform::kHkeyCurrentUser;
inline constexpr platform::HKEY kMachine = platform::kHkeyLocalMachine;

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::installCodePage(platform::createCodePage(1252));
        store::createUserKeys();
    }
    void TearDown() override { platform::installCodePage(nullptr); }

    // Plants a value as a person editing the store by hand would: text as REG_SZ with its
    // terminator, in the Profiles key unless another key is named.
    static void plantText(const std::string& name, const std::string& text,
                          const std::string& path = kProfilesKey) {
        ASSERT_EQ(testsupport::setRaw(kUser, path, name, platform::regtype::kSz,
                                      text + std::string(1, '\0')),
                  0);
    }
    static void plantDword(const std::string& name, std::uint32_t number,
                           const std::string& path = kProfilesKey) {
        const char bytes[4] = {static_cast<char>(number), static_cast<char>(number >> 8),
                               static_cast<char>(number >> 16), static_cast<char>(number >> 24)};
        ASSERT_EQ(testsupport::setRaw(kUser, path, name, platform::regtype::kDword,
                                      std::string(bytes, 4)),
                  0);
    }
    // The stored text of a value without its terminator; nothing when the value is missing.
    static std::optional<std::string> storedText(const std::string& name,
                                                 const std::string& path = kProfilesKey) {
        const auto raw = testsupport::getRaw(kUser, path, name);
        if (!raw) {
            return std::nullopt;
        }
        EXPECT_EQ(raw->type, platform::regtype::kSz) << name;
        EXPECT_FALSE(raw->bytes.empty()) << name;
        EXPECT_EQ(raw->bytes.back(), '\0') << name << " is not terminated";
        return raw->bytes.substr(0, raw->bytes.size() - 1);
    }

    testsupport::ScopedTestRegistry scope_;
};

}  // namespace storetest
