#pragma once

#include "wake/waketable.h"

#include <QDBusMessage>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// Which user each caller is, by its unique name on the bus. The bus daemon is asked once per name
// and its answer kept until the name goes away; the calls that come in meanwhile wait here, a few
// per caller at most, so no caller can make the helper hold more than that for it.
class CallerUids {
public:
    using Uid = WakeTable::Uid;

    // Calls one caller may have waiting for its user; a program sends one or two at a time.
    static constexpr qsizetype maxWaiting = 4;

    enum class Held {
        AskBus,  // the first call of an unknown name: ask the bus who it is
        Waiting, // the bus has been asked already
        Refused, // the caller has maxWaiting calls waiting: not held
    };

    // The caller's user, once the bus has said it.
    std::optional<Uid> find(const QString &name) const;
    Held hold(const QString &name, const QDBusMessage &call);
    // The bus's answer about `name` (nothing: it could not tell, the name is gone) and the calls
    // that waited for it, in the order they came. A name forgotten meanwhile is not taken back.
    QList<QDBusMessage> learn(const QString &name, std::optional<Uid> uid);
    // The name has left the bus; unique names are never used again.
    void forget(const QString &name) { m_callers.remove(name); }
    qsizetype size() const { return m_callers.size(); }

private:
    struct Caller {
        std::optional<Uid> uid;
        QList<QDBusMessage> waiting;
    };
    QHash<QString, Caller> m_callers;
};
