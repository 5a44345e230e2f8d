#include "platform/win32/ComError.h"

#include <windows.h>

#include "platform/Automation.h"
#include "platform/win32/ComErrorText.h"
#include "platform/win32/WideText.h"

namespace platform::comerror {

namespace {

// A wCode becomes an HRESULT as the compiler's COM support maps it (comdef.h's
// WCodeToHRESULT), so that every error number is an HRESULT.
HRESULT fromWCode(WORD code) {
    constexpr HRESULT kFirst = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x200);
    constexpr HRESULT kLast = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF + 1, 0) - 1;
    return code >= 0xFE00 ? kLast : kFirst + code;
}

// Frees the texts of an EXCEPINFO on every way out.
struct ExceptionTexts {
    EXCEPINFO& info;
    ~ExceptionTexts() {
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        info.bstrSource = info.bstrDescription = info.bstrHelpFile = nullptr;
    }
};

}  // namespace

void throwResult(HRESULT result, const std::string& source) {
    throw AutomationError(static_cast<std::int32_t>(result), source, comErrorText(result));
}

void throwException(EXCEPINFO& info, const std::string& source) {
    ExceptionTexts owned{info};
    // The object may leave the texts to be filled in only when someone asks for them.
    if (info.pfnDeferredFillIn) {
        info.pfnDeferredFillIn(&info);
        info.pfnDeferredFillIn = nullptr;
    }
    HRESULT number = DISP_E_EXCEPTION;
    if (info.scode != 0) {
        number = info.scode;
    } else if (info.wCode != 0) {
        number = fromWCode(info.wCode);
    }
    std::string raisedBy = widetext::fromBstr(info.bstrSource);
    std::string description = widetext::fromBstr(info.bstrDescription);
    // As a script names the object's class when the object names no source.
    if (raisedBy.empty()) {
        raisedBy = source;
    }
    if (description.empty()) {
        description = comErrorText(number);
    }
    throw AutomationError(static_cast<std::int32_t>(number), raisedBy, description);
}

}  // namespace platform::comerror
