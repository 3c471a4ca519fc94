// The wake-up helper's per-user table, driven the way the bus object drives it: calls from
// random users at random times, with the clock running on, standing still or stepped back.
//
// Checked after every call: nothing crashes, a set is accepted exactly when its time lies in
// the next eight days, each user reads back what they themselves last left there, and the time
// the alarm is armed at is the earliest of all times held. A model kept here beside the table
// holds what each user should see, so a call that touches another user's time shows up.

#include "wake/waketable.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

using Time = WakeTable::Time;
using Uid = WakeTable::Uid;

[[noreturn]] void fail(const char *what, Uid uid, Time value, Time against) {
    std::fprintf(stderr, "fuzz_waketable: %s (uid %u: %llu against %llu)\n", what, uid,
                 static_cast<unsigned long long>(value), static_cast<unsigned long long>(against));
    std::abort();
}

// A handful of users collide often; now and then any uid at all.
Uid pickUid(FuzzedDataProvider &in) {
    constexpr Uid common[] = {0, 1000, 1001, 65534};
    const std::uint8_t pick = in.ConsumeIntegral<std::uint8_t>();
    return pick < 240 ? common[pick % 4] : in.ConsumeIntegral<Uid>();
}

// Mostly near the edges of the accepted range, sometimes anything.
Time pickTime(FuzzedDataProvider &in, Time now) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        return in.ConsumeIntegral<Time>();
    case 1:
        return now + WakeTable::maxAhead + in.ConsumeIntegralInRange<Time>(0, 3) - 1;
    case 2:
        return now - in.ConsumeIntegralInRange<Time>(0, 3) + 1;
    default:
        return now + in.ConsumeIntegralInRange<Time>(0, 2 * WakeTable::maxAhead);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    WakeTable table;
    std::map<Uid, Time> model;
    Time now = 1'800'000'000;

    while (in.remaining_bytes() > 0) {
        const Uid uid = pickUid(in);
        switch (in.ConsumeIntegralInRange<int>(0, 4)) {
        case 0: {
            const Time when = pickTime(in, now);
            // The rule, in wider arithmetic than the table's own.
            const unsigned __int128 w = when, n = now;
            const bool inRange = w > n && w <= n + WakeTable::maxAhead;
            if (table.set(uid, when, now) != inRange)
                fail(inRange ? "a time in range was refused" : "a time out of range was taken", uid,
                     when, now);
            if (inRange)
                model[uid] = when;
            break;
        }
        case 1:
            table.clear(uid);
            model.erase(uid);
            break;
        case 2:
            // The clock runs on, or is stepped either way; the helper drops spent times.
            now += in.ConsumeIntegralInRange<std::int64_t>(-86400, 3 * 86400);
            table.expire(now);
            std::erase_if(model, [now](const auto &entry) { return entry.second <= now; });
            break;
        case 3:
            now = in.ConsumeIntegral<Time>(); // any clock at all, the wrap-around included
            table.expire(now);
            std::erase_if(model, [now](const auto &entry) { return entry.second <= now; });
            break;
        default:
            if (const auto it = model.find(uid);
                table.get(uid) != (it == model.end() ? 0 : it->second))
                fail("read back another time", uid, table.get(uid),
                     it == model.end() ? 0 : it->second);
            break;
        }

        // Every user, not only the caller, still sees their own time.
        Time earliest = 0;
        for (const auto &[who, when] : model) {
            if (table.get(who) != when)
                fail("a user's time changed under them", who, table.get(who), when);
            if (earliest == 0 || when < earliest)
                earliest = when;
        }
        if (table.earliest() != earliest)
            fail("armed at other than the earliest time held", uid, table.earliest(), earliest);
        if (table.empty() != model.empty())
            fail("holds times nobody set", uid, table.earliest(), 0);
    }
    return 0;
}
