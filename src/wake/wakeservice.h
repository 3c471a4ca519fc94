#pragma once

#include "wake/calleruids.h"
#include "wake/waketable.h"

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QTimer>
#include <functional>

class WakeAlarm;

// The bus face of the wake-up table. Every caller is known by the user id the bus daemon
// vouches for, never by anything in the message, so no user can read or move another's time.
// Calls are dispatched by hand rather than through exported slots or a generated adaptor: that
// way a wrong argument type gets InvalidArgs (Qt's own dispatch says UnknownMethod) and nothing
// that is not one of the three methods reaches the table. Nothing here waits for the bus: a
// caller's user is asked for once, and a flood of calls from one user only costs that user.
class WakeService : public QDBusVirtualObject {
    Q_OBJECT
public:
    static inline const QString serviceName = QStringLiteral("com.example.norvak.VekoraWake");
    static inline const QString objectPath = QStringLiteral("/com/example/norvak/VekoraWake");
    static inline const QString interfaceName = serviceName;
    static inline const QString errorOutOfRange = serviceName + QStringLiteral(".Error.OutOfRange");
    static inline const QString errorNotPermitted =
        serviceName + QStringLiteral(".Error.NotPermitted");

    // `alarm` may be refused by the kernel: then every call is answered NotPermitted.
    // `now` gives seconds since the epoch.
    WakeService(const QDBusConnection &bus, WakeAlarm *alarm, std::function<WakeTable::Time()> now,
                int idleSeconds, QObject *parent = nullptr);

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

signals:
    // Nothing has been held for the idle time: the process may end (the bus starts it again).
    void idle();

private slots:
    void onNameOwnerChanged(const QString &name, const QString &oldOwner, const QString &newOwner);

private:
    void askUid(const QString &name);
    void reply(const QDBusMessage &call, const QDBusMessage &answer);
    // The error for a call that is none of ours (or that the kernel cannot serve), whoever sent it.
    std::optional<QDBusMessage> refusal(const QDBusMessage &call) const;
    QDBusMessage answer(const QDBusMessage &call, std::optional<WakeTable::Uid> uid);
    void rearm();
    void updateIdle();

    QDBusConnection m_bus;
    CallerUids m_callers;
    WakeTable m_table;
    WakeAlarm *m_alarm;
    std::function<WakeTable::Time()> m_now;
    QTimer m_idle;
};
