#include "platform/CodePage.h"
#include "platform/ServiceSlot.h"

namespace platform {

const CodePage& ansiCodePage() {
    return ServiceSlot<CodePage>::process().get(createSystemCodePage);
}

void installCodePage(std::unique_ptr<CodePage> replacement) {
    ServiceSlot<CodePage>::process().install(std::move(replacement));
}

}  // namespace platform
