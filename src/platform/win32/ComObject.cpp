#include "platform/win32/ComObject.h"

#include <memory>

#include "platform/win32/ComError.h"
#include "platform/win32/ComVariant.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// The arguments of one call, last first, as DISPPARAMS wants them; cleared when it goes.
class ReversedArguments {
public:
    explicit ReversedArguments(std::size_t count)
        : count_(count), values_(std::make_unique<VARIANT[]>(count)) {
        for (std::size_t i = 0; i < count_; ++i) {
            VariantInit(&values_[i]);
        }
    }
    // Converted once constructed, so that what was converted is cleared if a later one fails.
    void fill(const std::vector<AutomationValue>& arguments) {
        for (std::size_t i = 0; i < count_; ++i) {
            toVariant(arguments[count_ - 1 - i], values_[i]);
        }
    }
    ~ReversedArguments() {
        for (std::size_t i = 0; i < count_; ++i) {
            VariantClear(&values_[i]);
        }
    }
    ReversedArguments(const ReversedArguments&) = delete;
    ReversedArguments& operator=(const ReversedArguments&) = delete;

    DISPPARAMS parameters() {
        return DISPPARAMS{values_.get(), nullptr, static_cast<UINT>(count_), 0};
    }

private:
    std::size_t count_;
    std::unique_ptr<VARIANT[]> values_;
};

}  // namespace

ComObject::ComObject(IDispatch* dispatch, std::shared_ptr<ComApartment> apartment,
                     std::string source)
    : apartment_(std::move(apartment)), dispatch_(dispatch), source_(std::move(source)) {}

ComObject::~ComObject() {
    dispatch_->Release();
}

AutomationValue ComObject::get(const std::string& property) {
    return invoke(property, DISPATCH_PROPERTYGET, {});
}

AutomationValue ComObject::call(const std::string& method,
                                const std::vector<AutomationValue>& arguments) {
    return invoke(method, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments);
}

ObjectRef ComObject::related(IDispatch* dispatch) const {
    dispatch->AddRef();
    return std::make_shared<ComObject>(dispatch, apartment_, source_);
}

DISPID ComObject::memberId(const std::string& name) const {
    std::wstring wide = widetext::widen(name);
    // A name cut short at a zero would reach another member.
    if (wide.find(L'\0') != std::wstring::npos || name.empty()) {
        comerror::throwResult(DISP_E_UNKNOWNNAME, source_);
    }
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT found = dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(found)) {
        comerror::throwResult(found, source_);
    }
    return id;
}

AutomationValue ComObject::invoke(const std::string& member, WORD flags,
                                  const std::vector<AutomationValue>& arguments) {
    const DISPID id = memberId(member);
    ReversedArguments reversed(arguments.size());
    reversed.fill(arguments);
    DISPPARAMS parameters = reversed.parameters();
    ComVariant result;
    EXCEPINFO exception{};
    UINT badArgument = 0;
    const HRESULT invoked = dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                              &result.get(), &exception, &badArgument);
    if (invoked == DISP_E_EXCEPTION) {
        comerror::throwException(exception, source_);
    }
    if (FAILED(invoked)) {
        comerror::throwResult(invoked, source_);
    }
    return fromVariant(result.get(), *this);
}

}  // namespace platform
