#include <fstream>
#include <iterator>
#include <set>
#include <utility>

#include "registry/modRegistryAccess.h"
#include "tools/reg/AnsiText.h"
#include "tools/reg/RegFileEncoding.h"
#include "tools/reg/RegFileReader.h"
#include "tools/reg/RegOperations.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

namespace {

using Kind = RegFileValue::Kind;

std::string readFile(const std::string& file) {
    std::ifstream stream(filePath(file), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (!stream.is_open() || stream.bad()) {
        throw RegToolError("Cannot read the file " + file);
    }
    return bytes;
}

std::string ansiName(const std::string& name) {
    return toAnsiExactly(name, "The value name " + name);
}

// Keys known to be writable, or creatable below a writable key, by root and ANSI path.
using WritableKeys = std::set<std::pair<platform::HKEY, std::string>>;

// What writing `key` needs, asked of the nearest key on the way that exists: on Windows
// the right to create subkeys there, in the key store the right to write its hive.
platform::LSTATUS writeAccess(const RegKeyName& key, WritableKeys& known) {
    std::vector<std::string> walked;
    std::string path = ansiPath(key);
    platform::LSTATUS status = platform::winerror::kFileNotFound;
    while (status == platform::winerror::kFileNotFound) {
        if (known.count({key.root, path}) != 0) {
            status = platform::winerror::kSuccess;
            break;
        }
        RegKeyHandle handle;
        status = handle.open(key.root, path, platform::kKeyWriteAccess);
        walked.push_back(path);
        if (path.empty()) {
            break;
        }
        const std::size_t separator = path.rfind('\\');
        path.resize(separator == std::string::npos ? 0 : separator);
    }
    if (status == platform::winerror::kSuccess) {
        for (auto& writable : walked) {
            known.emplace(key.root, std::move(writable));
        }
    }
    return status;
}

// Checked for every key of the file before the first write.
void checkWriteAccess(const std::vector<RegFileKey>& keys, const std::string& file) {
    WritableKeys known;
    for (const auto& key : keys) {
        if (const platform::LSTATUS status = writeAccess(key.key, known);
            status != platform::winerror::kSuccess) {
            throw RegToolError(file + ", line " + std::to_string(key.line) + ": " +
                               registryFailure(key.key.fullName(), status).what());
        }
    }
}

platform::LSTATUS writeValue(const RegKeyHandle& key, const RegFileValue& value) {
    switch (value.kind) {
        case Kind::Text:
            return modRegistryAccess::WriteOpenKeyValue(key.handle(), value.name,
                                                        modRegistryAccess::kRegSz, value.text);
        case Kind::Dword:
            return modRegistryAccess::WriteOpenKeyValue(key.handle(), value.name,
                                                        modRegistryAccess::kRegDword,
                                                        static_cast<std::int32_t>(value.dword));
        case Kind::Raw:
            // Bytes the layer cannot express (raw strings, other types) go straight through.
            return key.writeValue(RawValue{ansiName(value.name), value.type, value.bytes});
        case Kind::Delete: {
            const platform::LSTATUS status = key.deleteValue(ansiName(value.name));
            // Like regedit: deleting what is not there is no failure.
            return status == platform::winerror::kFileNotFound ? platform::winerror::kSuccess
                                                               : status;
        }
    }
    return platform::winerror::kSuccess;
}

void importKey(const RegFileKey& entry) {
    RegKeyHandle key;
    platform::LSTATUS status = key.create(entry.key.root, ansiPath(entry.key));
    if (status != platform::winerror::kSuccess) {
        throw registryFailure(entry.key.fullName(), status);
    }
    for (const auto& value : entry.values) {
        status = writeValue(key, value);
        if (status != platform::winerror::kSuccess) {
            throw registryFailure(entry.key.fullName() + " (" + valueLabel(value.name) + ")",
                                  status);
        }
    }
}

// One transaction per hive the file names: a failure or a crash during the writes leaves
// none of them (where the store has transactions; see platform::Registry::BeginWrites).
class HiveWrites {
public:
    explicit HiveWrites(const std::vector<RegFileKey>& keys) {
        for (const auto& key : keys) {
            if (roots_.insert(key.key.root).second) {
                begin(key.key);
            }
        }
    }
    ~HiveWrites() {
        for (const platform::HKEY root : begun_) {
            platform::registry().EndWrites(root, false);
        }
    }
    HiveWrites(const HiveWrites&) = delete;
    HiveWrites& operator=(const HiveWrites&) = delete;

    void commit() {
        while (!begun_.empty()) {
            const platform::HKEY root = begun_.back();
            begun_.pop_back();
            if (const platform::LSTATUS status = platform::registry().EndWrites(root, true);
                status != platform::winerror::kSuccess) {
                throw registryFailure(rootName(root), status);
            }
        }
    }

private:
    void begin(const RegKeyName& key) {
        const platform::LSTATUS status = platform::registry().BeginWrites(key.root);
        if (status != platform::winerror::kSuccess) {
            throw registryFailure(rootName(key.root), status);
        }
        begun_.push_back(key.root);
    }

    std::set<platform::HKEY> roots_;
    std::vector<platform::HKEY> begun_;
};

}  // namespace

// The whole file is checked before the first write, so that a file refused in any part
// changes nothing; the message names its first bad line.
void runImport(const RegCommand& command, RegConsole& console) {
    const std::string text = decodeRegFile(readFile(command.file));
    std::vector<RegFileKey> keys;
    try {
        parseRegFile(text, command.file, keys);
    } catch (const RegToolError&) {
        // A key before the bad line that may not be written is the first bad line.
        checkWriteAccess(keys, command.file);
        throw;
    }
    checkWriteAccess(keys, command.file);
    HiveWrites writes(keys);
    for (const auto& key : keys) {
        importKey(key);
    }
    writes.commit();
    reportSuccess(console);
}

}  // namespace regtool
