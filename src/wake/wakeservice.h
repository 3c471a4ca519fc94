#pragma once

#include "wake/waketable.h"

#include <QDBusVirtualObject>
#include <QTimer>
#include <functional>

class WakeAlarm;

// The bus face of the wake-up table. Every caller is known by the user id the bus daemon
// vouches for, never by anything in the message, so no user can read or move another's time.
// Calls are dispatched by hand rather than through exported slots: that way a wrong argument
// type gets InvalidArgs and nothing that is not one of the three methods reaches the table.
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
    WakeService(WakeAlarm *alarm, std::function<WakeTable::Time()> now, int idleSeconds,
                QObject *parent = nullptr);

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

signals:
    // Nothing has been held for the idle time: the process may end (the bus starts it again).
    void idle();

private:
    QDBusMessage answer(const QDBusMessage &call, WakeTable::Uid uid);
    void rearm();
    void updateIdle();

    WakeTable m_table;
    WakeAlarm *m_alarm;
    std::function<WakeTable::Time()> m_now;
    QTimer m_idle;
};
