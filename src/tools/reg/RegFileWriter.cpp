#include "tools/reg/RegFileWriter.h"

#include <cstdio>

#include "tools/reg/AnsiText.h"
#include "tools/reg/RegToolError.h"
#include "tools/reg/RegValueText.h"

namespace regtool {

namespace {

constexpr const char* kLineEnd = "\r\n";
// regedit breaks hex data before column 80 and indents the continuation by two blanks.
constexpr std::size_t kHexLineWidth = 76;

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            result.push_back('\\');
        }
        result.push_back(c);
    }
    return result + "\"";
}

void refuseLineBreaks(const std::string& name, const std::string& what) {
    if (name.find_first_of("\r\n") != std::string::npos) {
        throw RegToolError(what + " holds a line break and cannot be exported: " + name);
    }
}

std::string nameField(const std::string& utf8Name) {
    return utf8Name.empty() ? "@" : quoted(utf8Name);
}

}  // namespace

RegFileWriter::RegFileWriter()
    : text_(std::string("Windows Registry Editor Version 5.00") + kLineEnd) {}

void RegFileWriter::beginKey(const std::string& fullName) {
    refuseLineBreaks(fullName, "Key name");
    text_ += kLineEnd;
    text_ += "[" + fullName + "]" + kLineEnd;
}

void RegFileWriter::addValue(const RawValue& value) {
    const std::string name = fromAnsi(value.name);
    refuseLineBreaks(name, "Value name");
    std::string line = nameField(name) + "=";
    if (value.type == platform::regtype::kSz) {
        if (const auto text = plainText(value.bytes)) {
            text_ += line + quoted(*text) + kLineEnd;
            return;
        }
    }
    if (value.type == platform::regtype::kDword && value.bytes.size() == 4) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%02x%02x%02x%02x", value.bytes[3],
                      value.bytes[2], value.bytes[1], value.bytes[0]);
        text_ += line + digits + kLineEnd;
        return;
    }
    if (value.type == platform::regtype::kBinary) {
        line += "hex:";
    } else {
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
        line += prefix;
    }
    addHex(std::move(line), value.bytes);
}

void RegFileWriter::addHex(std::string line, const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (line.size() >= kHexLineWidth) {
            text_ += line + "\\" + kLineEnd;
            line = "  ";
        }
        line.push_back(kDigits[bytes[i] >> 4]);
        line.push_back(kDigits[bytes[i] & 0x0F]);
        if (i + 1 < bytes.size()) {
            line.push_back(',');
        }
    }
    text_ += line + kLineEnd;
}

}  // namespace regtool
