#include "wake/calleruids.h"

std::optional<CallerUids::Uid> CallerUids::find(const QString &name) const {
    const auto it = m_callers.constFind(name);
    return it == m_callers.constEnd() ? std::nullopt : it->uid;
}

CallerUids::Held CallerUids::hold(const QString &name, const QDBusMessage &call) {
    const bool known = m_callers.contains(name);
    Caller &caller = m_callers[name];
    if (caller.waiting.size() >= maxWaiting)
        return Held::Refused;
    caller.waiting.append(call);
    return known ? Held::Waiting : Held::AskBus;
}

QList<QDBusMessage> CallerUids::learn(const QString &name, std::optional<Uid> uid) {
    const auto it = m_callers.find(name);
    if (it == m_callers.end())
        return {};
    const QList<QDBusMessage> waiting = std::exchange(it->waiting, {});
    if (uid)
        it->uid = uid;
    else
        m_callers.erase(it); // asked again should the name ever call once more
    return waiting;
}
