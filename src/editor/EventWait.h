#pragma once
// What a wait on the user-interface thread needs from outside: the time of day, and a
// way to let the windows handle their pending events meanwhile. The program installs the
// toolkit's event loop; tests install a clock they move themselves.

#include <memory>

namespace editor {

class EventWait {
public:
    virtual ~EventWait() = default;
    // Local time of day in seconds since midnight, 0 <= t < 86400.
    virtual double secondsOfDay() = 0;
    // Handles pending window events and yields the processor for a moment, so that a
    // wait neither freezes the window nor spins.
    virtual void processEvents() = 0;
};

// The process-wide wait. Before one is installed: the system clock and a short sleep.
EventWait& eventWait();
void installEventWait(std::unique_ptr<EventWait> replacement);

}  // namespace editor
