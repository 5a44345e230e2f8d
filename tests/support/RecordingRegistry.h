#pragma once
// The real store, noting each change that succeeded ("set NAME", "delete NAME", "create PATH"
// when keys are noted) and each value read ("NAME"): what an action wrote or read, in order.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace testsupport {

class RecordingRegistry final : public platform::Registry {
public:
    using HKEY = platform::HKEY;
    using LSTATUS = platform::LSTATUS;
    using u32 = std::uint32_t;

    explicit RecordingRegistry(bool noteKeys) : noteKeys_(noteKeys) {}

    std::vector<std::string> writes;
    std::vector<std::string> reads;
    std::function<void()> afterWrite = [] {};

    LSTATUS CreateKeyEx(HKEY root, const std::string& path, u32 access, HKEY* result,
                        u32* disposition) override {
        const LSTATUS status = store_->CreateKeyEx(root, path, access, result, disposition);
        return noteKeys_ ? note("create ", path, status) : status;
    }
    LSTATUS SetValueEx(HKEY key, const std::string& name, u32 type, const std::uint8_t* data,
                       u32 count) override {
        return note("set ", name, store_->SetValueEx(key, name, type, data, count));
    }
    LSTATUS DeleteValue(HKEY key, const std::string& name) override {
        return note("delete ", name, store_->DeleteValue(key, name));
    }
    LSTATUS QueryValueEx(HKEY key, const std::string& name, u32* type, std::uint8_t* data,
                         u32* count) override {
        if (data == nullptr) {  // the registry layer asks for the size first: one read
            reads.push_back(name);
        }
        return store_->QueryValueEx(key, name, type, data, count);
    }
    LSTATUS OpenKeyEx(HKEY root, const std::string& path, u32 access, HKEY* result) override {
        return store_->OpenKeyEx(root, path, access, result);
    }
    LSTATUS BeginWrites(HKEY root) override { return store_->BeginWrites(root); }
    LSTATUS EndWrites(HKEY root, bool keep) override { return store_->EndWrites(root, keep); }
    LSTATUS CloseKey(HKEY key) override { return store_->CloseKey(key); }
    LSTATUS QueryInfoKey(HKEY key, platform::KeyInfo* info) override {
        return store_->QueryInfoKey(key, info);
    }
    LSTATUS EnumKeyEx(HKEY key, u32 index, char* name, u32* nameLen, char* cls,
                      u32* classLen) override {
        return store_->EnumKeyEx(key, index, name, nameLen, cls, classLen);
    }
    LSTATUS EnumValue(HKEY key, u32 index, char* name, u32* nameLen, u32* type, std::uint8_t* data,
                      u32* dataLen) override {
        return store_->EnumValue(key, index, name, nameLen, type, data, dataLen);
    }

private:
    LSTATUS note(const char* what, const std::string& name, LSTATUS status) {
        if (status == 0) {
            writes.push_back(what + name);
            afterWrite();
        }
        return status;
    }

    std::unique_ptr<platform::Registry> store_ = platform::createPlatformRegistry();
    bool noteKeys_;
};

}  // namespace testsupport
