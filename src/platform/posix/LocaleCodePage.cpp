#include "platform/posix/LocaleCodePage.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace platform {

namespace {

// The parts of "language[_territory][.codeset][@modifier]" that decide the code page.
// BCP 47 style names ("sr-Latn-RS") are understood as well.
struct LocaleParts {
    std::string language;
    std::string script;  // "latn", "cyrl", "arab" ...; empty when not given
    std::string territory;
};

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    });
    return result;
}

std::string scriptOfModifier(const std::string& modifier) {
    if (modifier == "latin") {
        return "latn";
    }
    if (modifier == "cyrillic") {
        return "cyrl";
    }
    return {};
}

LocaleParts splitLocale(std::string_view name) {
    LocaleParts parts;
    std::string_view modifier;
    if (const auto at = name.find('@'); at != std::string_view::npos) {
        modifier = name.substr(at + 1);
        modifier = modifier.substr(0, modifier.find('.'));
        name = name.substr(0, at);
    }
    name = name.substr(0, name.find('.'));
    std::size_t index = 0;
    while (!name.empty()) {
        const auto end = name.find_first_of("_-");
        const auto field = lowered(name.substr(0, end));
        if (index == 0) {
            parts.language = field;
        } else if (field.size() == 4) {
            parts.script = field;
        } else if (parts.territory.empty()) {
            parts.territory = field;
        }
        name = end == std::string_view::npos ? std::string_view{} : name.substr(end + 1);
        ++index;
    }
    if (parts.script.empty()) {
        parts.script = scriptOfModifier(lowered(modifier));
    }
    return parts;
}

template <std::size_t N>
bool isOneOf(const std::string& language, const std::array<const char*, N>& languages) {
    return std::find(languages.begin(), languages.end(), language) != languages.end();
}

// Languages that can be written in more than one script: the code page follows the
// script, then the territory, then the script the language is usually written in.
int mixedScriptCodePage(const LocaleParts& locale) {
    const auto& lang = locale.language;
    const auto& script = locale.script;
    if (lang == "sr") {
        return script == "latn" ? 1250 : 1251;
    }
    if (lang == "bs") {
        return script == "cyrl" ? 1251 : 1250;
    }
    if (lang == "uz") {
        return script == "cyrl" ? 1251 : 1254;
    }
    if (lang == "az") {
        if (script == "cyrl") {
            return 1251;
        }
        return script == "arab" || locale.territory == "ir" ? 1256 : 1254;
    }
    if (lang == "mn") {
        // Mongolian in its own script (China) has no ANSI code page on Windows.
        return script == "mong" || locale.territory == "cn" ? 1252 : 1251;
    }
    return 0;
}

int singleScriptCodePage(const std::string& lang) {
    static constexpr std::array<const char*, 10> kCentralEuropean = {"cs", "hu", "pl", "ro", "sk",
                                                                     "sl", "hr", "sq", "tk", "sh"};
    static constexpr std::array<const char*, 13> kCyrillic = {
        "ru", "uk", "be", "bg", "mk", "kk", "ky", "tt", "ba", "sah", "tg", "cv", "os"};
    static constexpr std::array<const char*, 4> kArabic = {"ar", "fa", "ur", "ug"};
    static constexpr std::array<const char*, 3> kBaltic = {"lt", "lv", "et"};
    static constexpr std::array<const char*, 3> kHebrew = {"he", "iw", "yi"};
    if (isOneOf(lang, kCentralEuropean)) {
        return 1250;
    }
    if (isOneOf(lang, kCyrillic)) {
        return 1251;
    }
    if (isOneOf(lang, kArabic)) {
        return 1256;
    }
    if (isOneOf(lang, kBaltic)) {
        return 1257;
    }
    if (isOneOf(lang, kHebrew)) {
        return 1255;
    }
    if (lang == "el") {
        return 1253;
    }
    if (lang == "tr") {
        return 1254;
    }
    if (lang == "vi") {
        return 1258;
    }
    if (lang == "th") {
        return 874;
    }
    return 0;
}

}  // namespace

int codePageForLocale(std::string_view localeName) {
    const auto locale = splitLocale(localeName);
    if (const int page = mixedScriptCodePage(locale); page != 0) {
        return page;
    }
    if (const int page = singleScriptCodePage(locale.language); page != 0) {
        return page;
    }
    // Western European, C and POSIX, and every locale that has no single-byte code page
    // of its own: Japanese, Chinese and Korean use double-byte code pages (932, 936, 949,
    // 950), where arbitrary bytes do not survive a round trip through text, and the
    // Unicode-only locales (Hindi, Armenian ...) have none at all.
    return 1252;
}

std::string characterLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return "C";
}

}  // namespace platform
