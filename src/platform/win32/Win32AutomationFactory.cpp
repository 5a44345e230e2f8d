#include <objbase.h>

#include "platform/Automation.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/ComError.h"
#include "platform/win32/ComObject.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// Objects of the classes registered with COM, in-process or in their own server.
class ComAutomation final : public Automation {
public:
    ComAutomation() : apartment_(ComApartment::shared()) {}

    ObjectRef createObject(const std::string& progId) override {
        const std::wstring wide = widetext::widen(progId);
        CLSID classId{};
        // A name cut short at a zero would create another class.
        HRESULT result = wide.find(L'\0') == std::wstring::npos
                             ? CLSIDFromProgID(wide.c_str(), &classId)
                             : CO_E_CLASSSTRING;
        if (FAILED(result)) {
            comerror::throwResult(result, progId);
        }
        IDispatch* dispatch = nullptr;
        result = CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                  IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        if (FAILED(result)) {
            comerror::throwResult(result, progId);
        }
        return std::make_shared<ComObject>(dispatch, apartment_, progId);
    }

private:
    std::shared_ptr<ComApartment> apartment_;
};

}  // namespace

std::unique_ptr<Automation> createPlatformAutomation() {
    return std::make_unique<ComAutomation>();
}

}  // namespace platform
