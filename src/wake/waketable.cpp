#include "wake/waketable.h"

#include <algorithm>

bool WakeTable::set(Uid uid, Time when, Time now) {
    if (when <= now || when - now > maxAhead)
        return false;
    m_times[uid] = when;
    return true;
}

void WakeTable::clear(Uid uid) {
    m_times.erase(uid);
}

WakeTable::Time WakeTable::get(Uid uid) const {
    const auto it = m_times.find(uid);
    return it == m_times.end() ? 0 : it->second;
}

WakeTable::Time WakeTable::earliest() const {
    const auto it =
        std::min_element(m_times.begin(), m_times.end(),
                         [](const auto &a, const auto &b) { return a.second < b.second; });
    return it == m_times.end() ? 0 : it->second;
}

void WakeTable::expire(Time now) {
    std::erase_if(m_times, [now](const auto &entry) { return entry.second <= now; });
}
