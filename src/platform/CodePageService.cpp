#include "platform/CodePage.h"

namespace platform {

namespace {
std::unique_ptr<CodePage>& current() {
    static std::unique_ptr<CodePage> instance;
    return instance;
}
}  // namespace

const CodePage& ansiCodePage() {
    auto& instance = current();
    if (!instance) {
        instance = createSystemCodePage();
    }
    return *instance;
}

void installCodePage(std::unique_ptr<CodePage> replacement) {
    current() = std::move(replacement);
}

}  // namespace platform
