#pragma once

#include "core/clocksample.h"

class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockSample now() const = 0;
};

class SystemClock final : public Clock {
public:
    ClockSample now() const override;
};

// Milliseconds from this sample until just after the next whole second of the wall clock.
int msUntilNextSecond(const ClockSample &sample);
