#pragma once
// Waiting on the user-interface thread with the windows still answering: the time of day
// from the system clock, and Qt's event loop run for a few milliseconds at a time.

#include "editor/EventWait.h"

class QtEventWait final : public editor::EventWait {
public:
    double secondsOfDay() override;
    void processEvents() override;
};
