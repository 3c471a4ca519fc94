#pragma once

#include "core/clocksample.h"

// The wall clock, the program's only source of the time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockSample now() const = 0;
};

// Milliseconds from this sample until just after the next whole second of the wall clock.
int msUntilNextSecond(const ClockSample &sample);
