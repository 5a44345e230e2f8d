#include "WriteLog.h"

namespace apptest {

using platform::HKEY;
using platform::LSTATUS;

LSTATUS WriteLog::CreateKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                              HKEY* result, std::uint32_t* disposition) {
    return store_->CreateKeyEx(root, path, access, result, disposition);
}

LSTATUS WriteLog::OpenKeyEx(HKEY root, const std::string& path, std::uint32_t access,
                            HKEY* result) {
    return store_->OpenKeyEx(root, path, access, result);
}

LSTATUS WriteLog::SetValueEx(HKEY key, const std::string& name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t count) {
    const LSTATUS status = store_->SetValueEx(key, name, type, data, count);
    if (status == 0) {
        entries_.push_back("set " + name);
    }
    return status;
}

LSTATUS WriteLog::QueryValueEx(HKEY key, const std::string& name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* count) {
    return store_->QueryValueEx(key, name, type, data, count);
}

LSTATUS WriteLog::DeleteValue(HKEY key, const std::string& name) {
    const LSTATUS status = store_->DeleteValue(key, name);
    if (status == 0) {
        entries_.push_back("delete " + name);
    }
    return status;
}

LSTATUS WriteLog::CloseKey(HKEY key) {
    return store_->CloseKey(key);
}

LSTATUS WriteLog::QueryInfoKey(HKEY key, platform::KeyInfo* info) {
    return store_->QueryInfoKey(key, info);
}

LSTATUS WriteLog::EnumKeyEx(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                            char* cls, std::uint32_t* classLen) {
    return store_->EnumKeyEx(key, index, name, nameLen, cls, classLen);
}

LSTATUS WriteLog::EnumValue(HKEY key, std::uint32_t index, char* name, std::uint32_t* nameLen,
                            std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLen) {
    return store_->EnumValue(key, index, name, nameLen, type, data, dataLen);
}

}  // namespace apptest
