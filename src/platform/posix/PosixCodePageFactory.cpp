#include "platform/CodePage.h"
#include "platform/posix/IconvCodePage.h"
#include "platform/posix/LocaleCodePage.h"

namespace platform {

std::unique_ptr<CodePage> createCodePage(int number) {
    return IconvCodePage::create(number);
}

std::unique_ptr<CodePage> createSystemCodePage() {
    if (auto page = IconvCodePage::create(codePageForLocale(characterLocaleName()))) {
        return page;
    }
    // A C library without the Windows converters still needs some code page that
    // keeps every byte: ISO 8859-1, which maps byte n to U+00nn, is one.
    auto tables = std::make_shared<IconvCodePage::Tables>();
    for (unsigned byte = 0; byte < 256; ++byte) {
        tables->toUnicode[byte] = byte;
        tables->fromUnicode.emplace_back(byte, static_cast<unsigned char>(byte));
    }
    return std::make_unique<IconvCodePage>(28591, std::move(tables));
}

}  // namespace platform
