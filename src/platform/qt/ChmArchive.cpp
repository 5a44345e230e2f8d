#include "platform/qt/ChmArchive.h"

#include <chm_lib.h>

#include "platform/ChmContextMap.h"

namespace platform {

namespace {

// Far beyond any topic or picture of a help file: a length past it comes from damage.
constexpr LONGUINT64 kLargestObject = 64 * 1024 * 1024;

// #SYSTEM entry codes.
constexpr unsigned kContentsFileCode = 0;
constexpr unsigned kDefaultTopicCode = 2;
constexpr unsigned kLocaleCode = 4;

unsigned readLittleEndian(const std::string& bytes, std::size_t at, std::size_t size) {
    unsigned value = 0;
    for (std::size_t i = 0; i < size; ++i) {
        value |= static_cast<unsigned>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

// A name as #SYSTEM holds it (zero-terminated, relative to the file) as an object path.
std::string objectPath(const std::string& data) {
    std::string name = data.substr(0, data.find('\0'));
    if (!name.empty() && name.front() != '/') {
        name.insert(name.begin(), '/');
    }
    return name;
}

}  // namespace

std::unique_ptr<ChmArchive> ChmArchive::open(const std::string& path) {
    chmFile* file = chm_open(path.c_str());
    if (file == nullptr) {
        return nullptr;
    }
    std::unique_ptr<ChmArchive> archive(new ChmArchive(file));
    archive->readSystemHeader();
    return archive;
}

ChmArchive::ChmArchive(chmFile* file) : file_(file) {}

ChmArchive::~ChmArchive() {
    chm_close(file_);
}

bool ChmArchive::contains(const std::string& path) const {
    chmUnitInfo unit{};
    return chm_resolve_object(file_, path.c_str(), &unit) == CHM_RESOLVE_SUCCESS;
}

std::optional<std::string> ChmArchive::read(const std::string& path) const {
    chmUnitInfo unit{};
    if (chm_resolve_object(file_, path.c_str(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.length > kLargestObject) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(unit.length), '\0');
    if (unit.length == 0) {
        return bytes;
    }
    const LONGINT64 got =
        chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                            static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length)) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::string> ChmArchive::topicOfContext(std::uint32_t contextId) const {
    const auto ivb = read("/#IVB");
    const auto strings = read("/#STRINGS");
    if (!ivb || !strings) {
        return std::nullopt;
    }
    return platform::topicOfContext(*ivb, *strings, contextId,
                                    [this](const std::string& path) { return contains(path); });
}

void ChmArchive::readSystemHeader() {
    const auto system = read("/#SYSTEM");
    if (!system) {
        return;
    }
    // A version number, then entries of a 16-bit code, a 16-bit length and the data.
    for (std::size_t at = 4; at + 4 <= system->size();) {
        const unsigned code = readLittleEndian(*system, at, 2);
        const std::size_t length = readLittleEndian(*system, at + 2, 2);
        if (at + 4 + length > system->size()) {
            break;
        }
        const std::string data = system->substr(at + 4, length);
        if (code == kContentsFileCode) {
            contentsFile_ = objectPath(data);
        } else if (code == kDefaultTopicCode) {
            defaultTopic_ = objectPath(data);
        } else if (code == kLocaleCode && length >= 4) {
            locale_ = readLittleEndian(data, 0, 4);
        }
        at += 4 + length;
    }
}

}  // namespace platform
