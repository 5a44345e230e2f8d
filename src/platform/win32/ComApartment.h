#pragma once
// The COM apartment of the user-interface thread: entered once, when the first automation
// factory is made, and left when the process ends and no object of it is alive any more.

#include <memory>

namespace platform {

class ComApartment {
public:
    // The process's apartment; the first call enters it on the calling thread, which must be
    // the user-interface thread (every automation call runs there).
    static std::shared_ptr<ComApartment> shared();

    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();

private:
    ComApartment();
    // False when the thread was already in the multithreaded apartment: COM is usable
    // then too, but that entry is not ours to leave.
    bool entered_ = false;
};

}  // namespace platform
