#include "platform/posix/IconvCodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/Utf8.h"

namespace platform {

namespace {

constexpr char32_t kUnmapped = 0xFFFFFFFF;
constexpr char kSubstitute = '?';

class IconvHandle {
public:
    explicit IconvHandle(const std::string& from) : handle_(iconv_open("UTF-32LE", from.c_str())) {}
    ~IconvHandle() {
        if (valid()) {
            iconv_close(handle_);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

char32_t readUtf32(const unsigned char* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<char32_t>(bytes[3]) << 24;
}

struct ByteResult {
    char32_t codePoint = kUnmapped;
    bool incomplete = false;  // the byte starts a multi-byte character
};

ByteResult decodeByte(iconv_t cd, unsigned char byte) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in = static_cast<char>(byte);
    char* inPtr = &in;
    std::size_t inLeft = 1;
    unsigned char out[32];
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return {kUnmapped, errno == EINVAL};
    }
    // The Vietnamese and Hebrew converters hold a base letter back, waiting for a
    // combining mark; the flush releases it.
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    if (sizeof out - outLeft != 4) {
        return {};
    }
    return {readUtf32(out), false};
}

// Windows maps the bytes that its code pages leave undefined to U+0080..U+00FF of the
// same value (cp1252's 0x81 is U+0081), where glibc rejects them. Doing the same keeps
// every byte string intact through fromAnsi and toAnsi, which enciphered passwords
// need. Should that code point already belong to another byte, a private-use one
// stands in so that the table stays one to one.
void fillGaps(std::array<char32_t, 256>& table) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        if (table[byte] != kUnmapped) {
            continue;
        }
        const bool taken = std::find(table.begin(), table.end(), byte) != table.end();
        table[byte] = taken ? 0xF700 + byte : byte;
    }
}

std::optional<std::array<char32_t, 256>> decodeAllBytes(int number) {
    IconvHandle cd("CP" + std::to_string(number));
    if (!cd.valid()) {
        return std::nullopt;
    }
    std::array<char32_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        const auto result = decodeByte(cd.get(), static_cast<unsigned char>(byte));
        if (result.incomplete) {
            return std::nullopt;  // a double-byte code page
        }
        table[byte] = result.codePoint;
    }
    fillGaps(table);
    return table;
}

std::shared_ptr<const IconvCodePage::Tables> buildTables(int number) {
    auto decoded = decodeAllBytes(number);
    if (!decoded) {
        return nullptr;
    }
    auto tables = std::make_shared<IconvCodePage::Tables>();
    tables->toUnicode = *decoded;
    for (unsigned byte = 0; byte < 256; ++byte) {
        tables->fromUnicode.emplace_back(tables->toUnicode[byte], static_cast<unsigned char>(byte));
    }
    std::sort(tables->fromUnicode.begin(), tables->fromUnicode.end());
    const auto duplicate =
        std::adjacent_find(tables->fromUnicode.begin(), tables->fromUnicode.end(),
                           [](const auto& a, const auto& b) { return a.first == b.first; });
    if (duplicate != tables->fromUnicode.end()) {
        return nullptr;  // two bytes for one character: bytes would not round-trip
    }
    return tables;
}

// Tables are built once per code page and shared by every instance.
std::shared_ptr<const IconvCodePage::Tables> tablesFor(int number) {
    static std::mutex mutex;
    static std::map<int, std::shared_ptr<const IconvCodePage::Tables>> cache;
    const std::lock_guard lock(mutex);
    const auto found = cache.find(number);
    if (found != cache.end()) {
        return found->second;
    }
    auto tables = buildTables(number);
    cache.emplace(number, tables);
    return tables;
}

}  // namespace

std::unique_ptr<IconvCodePage> IconvCodePage::create(int number) {
    if (number <= 0) {
        return nullptr;
    }
    auto tables = tablesFor(number);
    if (!tables) {
        return nullptr;
    }
    return std::make_unique<IconvCodePage>(number, std::move(tables));
}

IconvCodePage::IconvCodePage(int number, std::shared_ptr<const Tables> tables)
    : number_(number), tables_(std::move(tables)) {}

std::string IconvCodePage::toAnsi(std::string_view utf8) const {
    const auto& reverse = tables_->fromUnicode;
    std::string result;
    result.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto decoded = utf8::decodeAt(utf8, pos);
        pos += decoded.length;
        const auto found = std::lower_bound(
            reverse.begin(), reverse.end(), decoded.codePoint,
            [](const auto& entry, char32_t codePoint) { return entry.first < codePoint; });
        const bool mapped =
            decoded.valid && found != reverse.end() && found->first == decoded.codePoint;
        result += mapped ? static_cast<char>(found->second) : kSubstitute;
    }
    return result;
}

std::string IconvCodePage::fromAnsi(std::string_view ansi) const {
    std::string result;
    result.reserve(ansi.size() * 2);
    for (const char byte : ansi) {
        utf8::append(result, tables_->toUnicode[static_cast<unsigned char>(byte)]);
    }
    return result;
}

}  // namespace platform
