#include "platform/win32/ComVariant.h"

#include <string>

#include "platform/win32/ComError.h"
#include "platform/win32/ComObject.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

[[noreturn]] void typeMismatch(const std::string& source) {
    comerror::throwResult(DISP_E_TYPEMISMATCH, source);
}

// Exchange's identifiers are binary; their hexadecimal digits are the text form.
std::string hexDigits(SAFEARRAY* array, const std::string& source) {
    if (!array) {
        return {};
    }
    std::size_t count = 1;
    for (UINT dimension = 1; dimension <= SafeArrayGetDim(array); ++dimension) {
        LONG lower = 0;
        LONG upper = -1;
        SafeArrayGetLBound(array, dimension, &lower);
        SafeArrayGetUBound(array, dimension, &upper);
        count *= upper >= lower ? static_cast<std::size_t>(upper - lower) + 1 : 0;
    }
    void* data = nullptr;
    if (const HRESULT locked = SafeArrayAccessData(array, &data); FAILED(locked)) {
        comerror::throwResult(locked, source);
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (const auto* byte = static_cast<const unsigned char*>(data); count > 0; --count, ++byte) {
        text += kDigits[*byte >> 4];
        text += kDigits[*byte & 0x0F];
    }
    SafeArrayUnaccessData(array);
    return text;
}

ObjectRef objectOf(IUnknown* unknown, const ComObject& owner) {
    if (!unknown) {
        return nullptr;
    }
    IDispatch* dispatch = nullptr;
    if (FAILED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        typeMismatch(owner.source());
    }
    ObjectRef object = owner.related(dispatch);
    dispatch->Release();
    return object;
}

// Kinds the interface has no form for, used as text the way a script would use them.
std::string textOf(const VARIANT& value, const std::string& source) {
    ComVariant text;
    // The functions take the source as non-const but leave it as it is.
    const HRESULT changed = VariantChangeTypeEx(&text.get(), const_cast<VARIANT*>(&value),
                                                LOCALE_USER_DEFAULT, 0, VT_BSTR);
    if (FAILED(changed)) {
        comerror::throwResult(changed, source);
    }
    return widetext::fromBstr(text.get().bstrVal);
}

}  // namespace

void toVariant(const AutomationValue& value, VARIANT& target) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        target.bstrVal = widetext::toBstr(*text);
        if (!target.bstrVal) {
            comerror::throwResult(E_OUTOFMEMORY, "Automation");
        }
        target.vt = VT_BSTR;
    } else if (const auto* number = std::get_if<std::int16_t>(&value)) {
        target.vt = VT_I2;
        target.iVal = *number;
    } else if (const auto* number = std::get_if<std::int32_t>(&value)) {
        target.vt = VT_I4;
        target.lVal = *number;
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        target.vt = VT_BOOL;
        target.boolVal = *flag ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (std::holds_alternative<Empty>(value)) {
        target.vt = VT_EMPTY;
    } else {
        const ObjectRef object = automationObject(value);
        const auto* com = dynamic_cast<const ComObject*>(object.get());
        if (object && !com) {
            typeMismatch("Automation");
        }
        target.vt = VT_DISPATCH;
        target.pdispVal = com ? com->dispatch() : nullptr;
        if (target.pdispVal) {
            target.pdispVal->AddRef();
        }
    }
}

AutomationValue fromVariant(const VARIANT& value, const ComObject& owner) {
    switch (value.vt) {
        case VT_EMPTY:
            return Empty{};
        case VT_BSTR:
            return widetext::fromBstr(value.bstrVal);
        case VT_I2:
            return std::int16_t{value.iVal};
        case VT_I4:
            return std::int32_t{value.lVal};
        case VT_INT:
            return std::int32_t{value.intVal};
        case VT_UI1:
            return std::int16_t{value.bVal};
        case VT_I1:
            return std::int16_t{value.cVal};
        case VT_UI2:
            return std::int32_t{value.uiVal};
        case VT_BOOL:
            return value.boolVal != VARIANT_FALSE;
        case VT_DISPATCH:
        case VT_UNKNOWN: {
            ObjectRef object = objectOf(value.punkVal, owner);
            return object ? AutomationValue(std::move(object)) : AutomationValue(Nothing{});
        }
        case VT_ARRAY | VT_UI1:
            return hexDigits(value.parray, owner.source());
        case VT_BYREF | VT_VARIANT:
            // A reference to a reference is not a value a member returns.
            if (!value.pvarVal || value.pvarVal->vt == (VT_BYREF | VT_VARIANT)) {
                typeMismatch(owner.source());
            }
            return fromVariant(*value.pvarVal, owner);
        default:
            break;
    }
    if (value.vt & VT_BYREF) {
        ComVariant copy;
        const HRESULT copied = VariantCopyInd(&copy.get(), const_cast<VARIANT*>(&value));
        if (FAILED(copied)) {
            comerror::throwResult(copied, owner.source());
        }
        return fromVariant(copy.get(), owner);
    }
    return textOf(value, owner.source());
}

}  // namespace platform
