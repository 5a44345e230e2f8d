#include "SqliteStoreFixture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/ScratchDir.h"

namespace sqlitestoretest {

SqliteStoreTest::SqliteStoreTest()
    : scratch_(testsupport::makeScratchDir()),
      userFile_(scratch_ / "home" / ".config" / "Orvane" / "Quillbell" / "user-registry.sqlite3"),
      machineFile_(scratch_ / "xdg" / "Orvane" / "Quillbell" / "machine-registry.sqlite3") {}

SqliteStoreTest::~SqliteStoreTest() {
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
}

platform::HiveFiles SqliteStoreTest::hiveFiles(bool machineReadOnly) const {
    return {userFile_, machineFile_, machineReadOnly};
}

std::unique_ptr<platform::SqliteRegistry> SqliteStoreTest::makeRegistry(
    bool machineReadOnly, std::chrono::milliseconds busyTimeout) const {
    return std::make_unique<platform::SqliteRegistry>(hiveFiles(machineReadOnly), busyTimeout);
}

HKEY createKey(platform::Registry& registry, HKEY root, const std::string& path) {
    HKEY key = 0;
    EXPECT_EQ(registry.CreateKeyEx(root, path, platform::kKeyWriteAccess, &key, nullptr), 0)
        << path;
    return key;
}

LSTATUS setText(platform::Registry& registry, HKEY key, const std::string& name,
                const std::string& text) {
    return registry.SetValueEx(key, name, platform::regtype::kSz,
                               reinterpret_cast<const std::uint8_t*>(text.c_str()),
                               static_cast<std::uint32_t>(text.size() + 1));
}

std::optional<std::string> readBytes(platform::Registry& registry, HKEY root,
                                     const std::string& path, const std::string& name,
                                     LSTATUS* status) {
    LSTATUS ignored = 0;
    LSTATUS& result = status != nullptr ? *status : ignored;
    HKEY key = 0;
    std::string bytes(256, '\0');
    std::uint32_t size = static_cast<std::uint32_t>(bytes.size());
    result = registry.OpenKeyEx(root, path, platform::kKeyRead, &key);
    if (result == 0) {
        result = registry.QueryValueEx(key, name, nullptr,
                                       reinterpret_cast<std::uint8_t*>(bytes.data()), &size);
        registry.CloseKey(key);
    }
    bytes.resize(size);
    return result == 0 ? std::optional<std::string>(bytes) : std::nullopt;
}

LSTATUS readStatus(platform::Registry& registry, HKEY root, const std::string& path,
                   const std::string& name) {
    LSTATUS status = 0;
    readBytes(registry, root, path, name, &status);
    return status;
}

std::string generationText(int generation, int slot) {
    return std::to_string(generation) + ":" + std::to_string(slot) + ":" +
           std::string(static_cast<std::size_t>((generation * 7 + slot * 13) % 200), 'x');
}

int generationOf(const std::optional<std::string>& bytes, int slot) {
    if (!bytes) {
        return 0;
    }
    const int generation = std::atoi(bytes->c_str());
    return generation > 0 && *bytes == sz(generationText(generation, slot)) ? generation : -1;
}

pid_t forkChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        _exit(body());
    }
    return child;
}

int waitForChild(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> treeBelow(const std::filesystem::path& directory) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
        paths.push_back(std::filesystem::relative(entry.path(), directory).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

unsigned permissionsOf(const std::filesystem::path& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        ADD_FAILURE() << "no such file: " << path;
        return 0;
    }
    return info.st_mode & 07777;
}

}  // namespace sqlitestoretest
