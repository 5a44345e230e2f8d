#include "tools/reg/RegFileReader.h"

#include <charconv>

#include "platform/TextCase.h"
#include "tools/reg/AnsiText.h"
#include "tools/reg/RegLimits.h"
#include "tools/reg/RegToolError.h"

namespace regtool {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kBlanks = " \t";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           platform::equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

// Lines without their CR LF or LF ends.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines;
}

std::uint32_t parseHexNumber(std::string_view digits, std::size_t maxDigits, bool& ok) {
    std::uint32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, 16);
    ok = !digits.empty() && digits.size() <= maxDigits && error == std::errc() && stop == end;
    return value;
}

class Parser {
public:
    Parser(std::string_view text, const std::string& source, std::vector<RegFileKey>& keys)
        : lines_(splitLines(text)), source_(source), keys_(keys) {}

    void run() {
        if (lines_.empty() || trimmed(lines_[0]) != kHeader) {
            throw RegToolError(source_ + " is not a registry file (the first line must be \"" +
                               std::string(kHeader) + "\")");
        }
        for (index_ = 1; index_ < lines_.size(); ++index_) {
            parseLine(trimmed(lines_[index_]));
        }
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw RegToolError(source_ + ", line " + std::to_string(lineNumber()) + ": " + what);
    }
    int lineNumber() const { return static_cast<int>(index_) + 1; }

    void parseLine(std::string_view line) {
        if (line.empty() || line.front() == ';') {
            return;
        }
        if (line.front() == '[') {
            parseSection(line);
        } else if (keys_.empty()) {
            fail("a value before the first [key] line");
        } else {
            keys_.back().values.push_back(parseValue(line));
        }
    }

    void parseSection(std::string_view line) {
        if (line.back() != ']') {
            fail("a key line must end with ]");
        }
        const std::string_view name = line.substr(1, line.size() - 2);
        if (!name.empty() && name.front() == '-') {
            fail("deleting keys is not supported");
        }
        try {
            RegKeyName key = parseKeyName(name);
            toAnsiExactly(key.path, "The key name " + key.fullName());
            keys_.push_back(RegFileKey{lineNumber(), std::move(key), {}});
        } catch (const RegToolError& error) {
            fail(error.what());
        }
    }

    // Whatever goes to the registry must reach it unchanged.
    void checkStorable(const std::string& text, bool isName) const {
        try {
            if (isName) {
                checkValueName(text);
            }
            toAnsiExactly(text, isName ? "The value name " + text : "The text");
        } catch (const RegToolError& error) {
            fail(error.what());
        }
    }

    // A quoted text at `text[pos]` with \\ and \" escapes; `pos` ends past the quote.
    std::string parseQuoted(std::string_view text, std::size_t& pos) const {
        std::string result;
        for (++pos; pos < text.size(); ++pos) {
            char c = text[pos];
            if (c == '"') {
                ++pos;
                return result;
            }
            if (c == '\\') {
                if (pos + 1 >= text.size() || (text[pos + 1] != '\\' && text[pos + 1] != '"')) {
                    fail("a backslash inside quotes must be followed by \\ or \"");
                }
                c = text[++pos];
            }
            result.push_back(c);
        }
        fail("a quoted text without its closing quote");
    }

    RegFileValue parseValue(std::string_view line) {
        RegFileValue value;
        value.line = lineNumber();
        std::size_t pos = 0;
        if (line.front() == '@') {
            pos = 1;
        } else if (line.front() == '"') {
            value.name = parseQuoted(line, pos);
        } else {
            fail("a value line must start with \"name\" or @");
        }
        const std::string_view rest = trimmed(line.substr(pos));
        if (rest.empty() || rest.front() != '=') {
            fail("= expected after the value name");
        }
        checkStorable(value.name, true);
        parseData(trimmed(rest.substr(1)), value);
        checkStorable(value.text, false);
        return value;
    }

    void parseData(std::string_view data, RegFileValue& value) {
        if (data == "-") {
            value.kind = RegFileValue::Kind::Delete;
        } else if (!data.empty() && data.front() == '"') {
            std::size_t pos = 0;
            value.kind = RegFileValue::Kind::Text;
            value.text = parseQuoted(data, pos);
            if (!trimmed(data.substr(pos)).empty()) {
                fail("unexpected text after the closing quote");
            }
        } else if (startsWithIgnoreCase(data, "dword:")) {
            bool ok = false;
            value.kind = RegFileValue::Kind::Dword;
            value.dword = parseHexNumber(data.substr(6), 8, ok);
            if (!ok) {
                fail("dword: must be followed by up to 8 hex digits");
            }
        } else if (startsWithIgnoreCase(data, "hex")) {
            parseHex(data.substr(3), value);
        } else {
            fail("unknown data; expected \"text\", dword:, hex: or hex(type):");
        }
    }

    void parseHex(std::string_view data, RegFileValue& value) {
        value.kind = RegFileValue::Kind::Raw;
        value.type = platform::regtype::kBinary;
        if (!data.empty() && data.front() == '(') {
            const std::size_t close = data.find(')');
            bool ok = false;
            value.type = parseHexNumber(data.substr(1, close - 1), 8, ok);
            if (close == std::string_view::npos || !ok) {
                fail("hex( must be followed by a hex type number and )");
            }
            data.remove_prefix(close + 1);
        }
        if (data.empty() || data.front() != ':') {
            fail(": expected after hex");
        }
        value.bytes = parseBytes(joinContinuations(data.substr(1)));
    }

    // Hex data may go on over lines that end with a backslash.
    std::string joinContinuations(std::string_view first) {
        std::string joined(trimmed(first));
        while (!joined.empty() && joined.back() == '\\') {
            joined.pop_back();
            if (++index_ >= lines_.size()) {
                --index_;
                fail("the hex data goes on past the end of the file");
            }
            joined += trimmed(lines_[index_]);
        }
        return joined;
    }

    std::vector<std::uint8_t> parseBytes(std::string_view list) const {
        std::vector<std::uint8_t> bytes;
        while (!trimmed(list).empty()) {
            const std::size_t comma = list.find(',');
            bool ok = false;
            const auto byte = parseHexNumber(trimmed(list.substr(0, comma)), 2, ok);
            if (!ok) {
                fail("hex data must be two-digit hex numbers separated by commas");
            }
            bytes.push_back(static_cast<std::uint8_t>(byte));
            list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
        }
        return bytes;
    }

    std::vector<std::string_view> lines_;
    std::string source_;
    std::size_t index_ = 0;
    std::vector<RegFileKey>& keys_;
};

}  // namespace

void parseRegFile(std::string_view text, const std::string& source, std::vector<RegFileKey>& keys) {
    keys.clear();
    Parser(text, source, keys).run();
}

}  // namespace regtool
