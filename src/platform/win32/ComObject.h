#pragma once
// An automation object reached through its IDispatch, member by member, as a script does.

#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Automation.h"
#include "platform/win32/ComApartment.h"

namespace platform {

class ComObject final : public AutomationObject {
public:
    // Takes over one reference of `dispatch`. `source` names the class in the errors of
    // failures that carry no source of their own.
    ComObject(IDispatch* dispatch, std::shared_ptr<ComApartment> apartment, std::string source);
    ~ComObject() override;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    AutomationValue get(const std::string& property) override;
    // Sent as a method that may also be a property with arguments (Item), as scripts send it.
    AutomationValue call(const std::string& method,
                         const std::vector<AutomationValue>& arguments) override;

    IDispatch* dispatch() const { return dispatch_; }
    // Another object that a member of this one returned (a new reference to `dispatch`).
    ObjectRef related(IDispatch* dispatch) const;
    const std::string& source() const { return source_; }

private:
    DISPID memberId(const std::string& name) const;
    AutomationValue invoke(const std::string& member, WORD flags,
                           const std::vector<AutomationValue>& arguments);

    std::shared_ptr<ComApartment> apartment_;
    IDispatch* dispatch_;
    std::string source_;
};

}  // namespace platform
