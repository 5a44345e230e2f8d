#include "RecordingRegistry.h"

namespace storetest {

RecordingRegistry::RecordingRegistry(std::unique_ptr<platform::Registry> inner,
                                     std::shared_ptr<RegistryLog> log)
    : inner_(std::move(inner)), log_(std::move(log)) {}

std::string RecordingRegistry::pathOf(platform::HKEY key) const {
    if (key == platform::kHkeyCurrentUser) {
        return "HKCU";
    }
    if (key == platform::kHkeyLocalMachine) {
        return "HKLM";
    }
    const auto found = openKeys_.find(key);
    return found == openKeys_.end() ? "<handle " + std::to_string(key) + ">" : found->second;
}

std::string RecordingRegistry::fullPath(platform::HKEY root, const std::string& path) const {
    return pathOf(root) + "\\" + path;
}

platform::LSTATUS RecordingRegistry::CreateKeyEx(platform::HKEY root, const std::string& path,
                                                 std::uint32_t access, platform::HKEY* result,
                                                 std::uint32_t* disposition) {
    log_->writes.push_back("create " + fullPath(root, path));
    const auto status = inner_->CreateKeyEx(root, path, access, result, disposition);
    if (status == 0) {
        openKeys_[*result] = fullPath(root, path);
    }
    return status;
}

platform::LSTATUS RecordingRegistry::OpenKeyEx(platform::HKEY root, const std::string& path,
                                               std::uint32_t access, platform::HKEY* result) {
    const auto status = inner_->OpenKeyEx(root, path, access, result);
    if (status == 0) {
        openKeys_[*result] = fullPath(root, path);
    }
    return status;
}

platform::LSTATUS RecordingRegistry::SetValueEx(platform::HKEY key, const std::string& name,
                                                std::uint32_t type, const std::uint8_t* data,
                                                std::uint32_t count) {
    log_->writes.push_back("set " + pathOf(key) + "\\" + name);
    return inner_->SetValueEx(key, name, type, data, count);
}

platform::LSTATUS RecordingRegistry::QueryValueEx(platform::HKEY key, const std::string& name,
                                                  std::uint32_t* type, std::uint8_t* data,
                                                  std::uint32_t* count) {
    // The registry layer asks for the size first; that query marks one read.
    if (data == nullptr) {
        log_->reads.push_back(pathOf(key) + "\\" + name);
    }
    return inner_->QueryValueEx(key, name, type, data, count);
}

platform::LSTATUS RecordingRegistry::DeleteValue(platform::HKEY key, const std::string& name) {
    log_->writes.push_back("delete " + pathOf(key) + "\\" + name);
    return inner_->DeleteValue(key, name);
}

platform::LSTATUS RecordingRegistry::CloseKey(platform::HKEY key) {
    openKeys_.erase(key);
    return inner_->CloseKey(key);
}

platform::LSTATUS RecordingRegistry::QueryInfoKey(platform::HKEY key, platform::KeyInfo* info) {
    return inner_->QueryInfoKey(key, info);
}

platform::LSTATUS RecordingRegistry::EnumKeyEx(platform::HKEY key, std::uint32_t index, char* name,
                                               std::uint32_t* nameLen, char* cls,
                                               std::uint32_t* classLen) {
    return inner_->EnumKeyEx(key, index, name, nameLen, cls, classLen);
}

platform::LSTATUS RecordingRegistry::EnumValue(platform::HKEY key, std::uint32_t index, char* name,
                                               std::uint32_t* nameLen, std::uint32_t* type,
                                               std::uint8_t* data, std::uint32_t* dataLen) {
    return inner_->EnumValue(key, index, name, nameLen, type, data, dataLen);
}

}  // namespace storetest
