#pragma once

#include <cstdint>
#include <map>

// Who wants the machine awake when: one wake-up time per user, in seconds since the epoch.
// Nothing here knows of the bus or the kernel's timers, so tests and the fuzzer drive it alone.
class WakeTable {
public:
    using Uid = std::uint32_t;
    using Time = std::uint64_t; // seconds since the epoch; 0 means none

    // The furthest ahead a wake-up may be: a weekly alarm is at most seven days away, and one
    // day more leaves room for clock changes without letting anyone park a time for good.
    static constexpr Time maxAhead = 8 * 24 * 3600;

    // False, and nothing changed, when `when` is not in (now, now + maxAhead].
    bool set(Uid uid, Time when, Time now);
    void clear(Uid uid);
    Time get(Uid uid) const;

    // The time to arm the wake-up alarm at: the earliest of all users, 0 when none is held.
    Time earliest() const;
    // Forgets every time at or before `now`: its wake-up has happened, or the clock passed it.
    void expire(Time now);
    bool empty() const { return m_times.empty(); }

private:
    std::map<Uid, Time> m_times;
};
