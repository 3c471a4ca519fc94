#pragma once

#include "platform/clock.h"

// The machine's real-time clock.
class SystemClock final : public Clock {
public:
    ClockSample now() const override;
};
