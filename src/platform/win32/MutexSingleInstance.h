#pragma once
// The single-instance claim on Windows: a named mutex in the session's namespace, which
// the system removes when its last holder ends.

#include <string>

#include "platform/SingleInstance.h"

namespace platform {

class MutexSingleInstance final : public SingleInstance {
public:
    explicit MutexSingleInstance(const std::string& name);
    ~MutexSingleInstance() override;
    MutexSingleInstance(const MutexSingleInstance&) = delete;
    MutexSingleInstance& operator=(const MutexSingleInstance&) = delete;

    bool isFirst() const override { return first_; }

private:
    void* mutex_ = nullptr;
    bool first_ = true;
};

}  // namespace platform
