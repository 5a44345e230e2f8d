#pragma once
// The real registry store with a log of every value written or deleted, so that a test
// can tell which values an action wrote, and in which order.

#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace apptest {

using platform::HKEY;
using platform::LSTATUS;

class WriteLog final : public platform::Registry {
public:
    explicit WriteLog(std::unique_ptr<platform::Registry> store) : store_(std::move(store)) {}

    // "set NAME" and "delete NAME" entries, oldest first.
    std::vector<std::string> entries;

    LSTATUS SetValueEx(HKEY key, const std::string& name, std::uint32_t type,
                       const std::uint8_t* data, std::uint32_t count) override {
        return note("set ", name, store_->SetValueEx(key, name, type, data, count));
    }
    LSTATUS DeleteValue(HKEY key, const std::string& name) override {
        return note("delete ", name, store_->DeleteValue(key, name));
    }
    LSTATUS CreateKeyEx(HKEY root, const std::string& path, std::uint32_t access, HKEY* result,
                        std::uint32_t* disposition) override {
        return store_->CreateKeyEx(root, path, access, result, disposition);
    }
    LSTATUS OpenKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                      HKEY* result) override {
        return store_->OpenKeyEx(root, path, access, result);
    }
    LSTATUS QueryValueEx(HKEY key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                         std::uint32_t* count) override {
        return store_->QueryValueEx(key, name, type, data, count);
    }
    LSTATUS CloseKey(HKEY key) override { return store_->CloseKey(key); }
    LSTATUS QueryInfoKey(HKEY key, platform::KeyInfo* info) override {
        return store_->QueryInfoKey(key, info);
    }
    LSTATUS EnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen, char* cls,
                      std::uint32_t* classLen) override {
        return store_->EnumKeyEx(key, index, name, nameLen, cls, classLen);
    }
    LSTATUS EnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLen) override {
        return store_->EnumValue(key, index, name, nameLen, type, data, dataLen);
    }

private:
    LSTATUS note(const char* what, const std::string& name, LSTATUS status) {
        if (status == 0) {
            entries.push_back(what + name);
        }
        return status;
    }

    std::unique_ptr<platform::Registry> store_;
};

}  // namespace apptest
