// In-process measurements of the main window, one kind per run, printed as "name value" lines
// for bench/run to gather:
//
//   vekora_bench startup   ms from main() to the first paint of the main window
//   vekora_bench memory    VmRSS after the start and after an hour of ticks
//   vekora_bench second    ms between a whole wall-clock second and the time display's change
//   vekora_bench tick      duration of one clock tick
//   vekora_bench events    which widgets repaint, and which objects get timer events, per second
//   vekora_bench audible N EVENTS   ms from the alarm's whole second to its sound stream on the
//                          sound server, for N rings in one run; EVENTS is a file of the server's
//                          events, one "epoch-ns line" each (bench/run writes it from pactl
//                          subscribe)
//   vekora_bench audiblebare N EVENTS   the same for the sound alone: no window, no tick
//   vekora_bench resume N  ms from logind's PrepareForSleep(false) to the window's "Alarm !!!" and
//                          to the notification, the clock moved past the alarm second meanwhile;
//                          on a private bus with stand-ins for logind and the notification server
//
// Each starts the window over a prepared settings file in a temporary program folder, with
// the platform's stand-ins from the test suite (no beep, no notification, no About window) unless
// the measure is of the real part.

#include "fakes.h"
#include "platform/canberraplayer.h"
#include "platform/dbusnotifier.h"
#include "platform/desktopattention.h"
#include "platform/logindinhibitor.h"
#include "platform/systemclock.h"
#include "ui/mainwindow.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

QStringList englishIni() {
    return {QStringLiteral("0"),       QStringLiteral("1 0 "),    QStringLiteral(" 3000 "),
            QStringLiteral(" 3000 "),  QStringLiteral(" 2 "),     QStringLiteral("07:30"),
            QStringLiteral("Meeting"), QStringLiteral("On ((o))")};
}

// Resident set size in KiB, from the kernel's own account.
long residentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

template <typename T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? T{} : values[values.size() / 2];
}

// Runs the event loop until the widget has painted once.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget *widget) : QObject(widget) { widget->installEventFilter(this); }
    void wait() {
        if (!painted)
            loop.exec();
    }
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            loop.quit();
        }
        return false;
    }

private:
    QEventLoop loop;
};

// A window over the prepared settings that reads the real wall clock, not yet started.
std::unique_ptr<MainWindow> onWallClock(TestRig &rig, SystemClock &clock) {
    rig.writeIni(englishIni());
    Platform platform = rig.platform();
    platform.clock = &clock;
    return std::make_unique<MainWindow>(platform);
}

void startAndShow(MainWindow &form) {
    form.start();
    if (!form.isVisible())
        form.show();
}

int startup(const QElapsedTimer &sinceMain) {
    TestRig rig;
    SystemClock clock;
    auto form = onWallClock(rig, clock);
    FirstPaint paint(form.get());
    startAndShow(*form);
    paint.wait();
    std::printf("startup_ms %.1f\n", double(sinceMain.nsecsElapsed()) / 1e6);
    return 0;
}

int memory() {
    TestRig rig;
    auto form = rig.started(englishIni());
    FirstPaint paint(form.get());
    if (!form->isVisible())
        form->show();
    paint.wait();
    QCoreApplication::processEvents();
    std::printf("rss_start_kib %ld\n", residentKiB());
    for (int i = 0; i < 3600; ++i) {
        rig.clock.advance(1);
        form->controller().tick();
        QCoreApplication::processEvents(); // let each second paint, as the running program does
    }
    std::printf("rss_hour_kib %ld\n", residentKiB());
    return 0;
}

int second(int seconds) {
    TestRig rig;
    SystemClock clock;
    const auto window = onWallClock(rig, clock);
    MainWindow &form = *window;
    startAndShow(form);
    auto *timer = form.findChild<QTimer *>(QStringLiteral("tickTimer"));
    auto *label = form.findChild<QLabel *>(QStringLiteral("timeDisplay"));

    // Connected after the window's own handler, so this runs right after each tick.
    std::vector<int> delays;
    QString shown = label->text();
    QObject::connect(timer, &QTimer::timeout, &form, [&] {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (label->text() != shown) {
            shown = label->text();
            delays.push_back(int(now % 1000));
        }
    });
    // A loop of its own: quitting the application would close the window, which asks the user.
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    form.hide();
    if (delays.size() > 1)
        delays.erase(delays.begin()); // the first tick follows the start, not a whole second
    std::printf("second_samples %zu\n", delays.size());
    std::printf("second_median_ms %d\n", median(delays));
    std::printf("second_max_ms %d\n",
                delays.empty() ? 0 : *std::max_element(delays.begin(), delays.end()));
    return 0;
}

int tick(int count) {
    TestRig rig;
    auto form = rig.started(englishIni());
    form->show();
    QCoreApplication::processEvents();
    std::vector<double> micros;
    micros.reserve(count);
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        rig.clock.advance(1);
        timer.start();
        form->controller().tick();
        micros.push_back(double(timer.nsecsElapsed()) / 1e3);
        if (i % 50 == 0)
            QCoreApplication::processEvents();
    }
    std::printf("tick_median_us %.1f\n", median(micros));
    std::printf("tick_p99_us %.1f\n", [&] {
        std::sort(micros.begin(), micros.end());
        return micros[micros.size() * 99 / 100];
    }());
    return 0;
}

// Counts the events that cost a running clock its CPU time, per receiver.
class EventCounter : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint || event->type() == QEvent::Timer) {
            const QString name = watched->objectName().isEmpty()
                                     ? QString::fromLatin1(watched->metaObject()->className())
                                     : watched->objectName();
            ++counts[{event->type() == QEvent::Paint ? "paint" : "timer", name}];
        }
        return false;
    }
    std::map<std::pair<const char *, QString>, int> counts;
};

// What happens in a window that is left alone: the figures of a steady clock, not a start.
int events(int seconds) {
    TestRig rig;
    SystemClock clock;
    const auto window = onWallClock(rig, clock);
    startAndShow(*window);
    QEventLoop settle;
    QTimer::singleShot(2000, &settle, &QEventLoop::quit);
    settle.exec();

    EventCounter counter;
    qApp->installEventFilter(&counter);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    qApp->removeEventFilter(&counter);
    window->hide();
    for (const auto &[key, count] : counter.counts)
        std::printf("%s %s %.2f\n", key.first, qPrintable(key.second), double(count) / seconds);
    return 0;
}

// The wall clock moved by a settable amount: an alarm second can be made to come at a chosen real
// moment while the program's own tick timer runs as it does for real.
class ShiftedClock : public Clock {
public:
    qint64 shiftMs = 0;
    ClockSample now() const override {
        return ClockSample(QDateTime::currentDateTimeUtc().addMSecs(shiftMs));
    }
    // The wall clock reads `moment` `inMs` from now.
    void reach(const QDateTime &moment, qint64 inMs) {
        shiftMs = QDateTime::currentDateTimeUtc().addMSecs(inMs).msecsTo(moment);
    }
};

// The first new playback stream the sound server reported at or after `sinceNs`, in ns since the
// epoch, from the events file; waits up to two seconds for it.
qint64 streamStart(const QString &events, qint64 sinceNs) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 2000) {
        QFile file(events);
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : file.readAll().split('\n')) {
                const qint64 at = line.left(line.indexOf(' ')).toLongLong();
                if (at >= sinceNs && line.contains("'new' on sink-input"))
                    return at;
            }
        }
        QEventLoop wait;
        QTimer::singleShot(20, &wait, &QEventLoop::quit);
        wait.exec();
    }
    return -1;
}

// The wall clock in ns since the epoch, as `date +%s%N` gives it to the events file.
qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The alarm rings `rings` times in one run, on the real tick timer, sound theme and sound server;
// each time the clock is moved so that the next alarm second comes three seconds later, as if the
// day between had passed. The first ring of a run and the later ones are printed apart.
int audible(int rings, const QString &events, bool bare) {
    CanberraPlayer player;
    DesktopAttention attention(player, [] {});
    TestRig rig;
    ShiftedClock clock;
    rig.writeIni(englishIni()); // 07:30 on Mondays
    Platform platform = rig.platform();
    platform.clock = &clock;
    platform.attention = &attention;
    QDateTime alarm(QDate(2026, 12, 7), QTime(7, 30));
    qint64 secondNs = nowNs() + 3000LL * 1000000; // when the alarm's second comes, for real
    clock.reach(alarm, 3000);
    std::unique_ptr<MainWindow> form;
    if (!bare) {
        form = std::make_unique<MainWindow>(platform);
        form->start();
        form->show();
    }
    for (int ring = 0; ring < rings; ++ring) {
        runFor(int((secondNs - nowNs()) / 1000000));
        if (bare) {
            secondNs = nowNs();
            attention.beep();
        }
        const qint64 started = streamStart(events, secondNs);
        std::printf("%s %.1f\n", ring == 0 ? "audible_first_ms" : "audible_later_ms",
                    started < 0 ? -1.0 : double(started - secondNs) / 1e6);
        std::fflush(stdout);
        if (form)
            child<QPushButton>(*form, "alarmSwitch")->click();
        runFor(1500); // the sound ends; the stream goes
        alarm = alarm.addDays(7);
        secondNs = nowNs() + 3000LL * 1000000;
        clock.reach(alarm, 3000);
    }
    if (form)
        form->hide();
    return 0;
}

// A private bus daemon with stand-ins for logind and the notification server; records when a
// notification arrives.
class StandIns : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QProcess daemon;
    QTemporaryDir dir;
    QString address;
    qint64 notifiedNs = 0;

    bool start() {
        QFile config(dir.filePath(QStringLiteral("bus.conf")));
        if (!config.open(QIODevice::WriteOnly))
            return false;
        config.write(
            "<busconfig><type>session</type><listen>unix:dir=" + QFile::encodeName(dir.path()) +
            "</listen><policy context=\"default\"><allow send_destination=\"*\"/>"
            "<allow receive_sender=\"*\"/><allow own=\"*\"/></policy></busconfig>\n");
        config.close();
        daemon.start(QStringLiteral("dbus-daemon"),
                     {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
        if (!daemon.waitForReadyRead(10000))
            return false;
        address = QString::fromUtf8(daemon.readLine().trimmed());
        QDBusConnection notifications = connect(QStringLiteral("notifications"));
        QDBusConnection logind = connect(QStringLiteral("org.freedesktop.login1"));
        return notifications.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                            QDBusConnection::ExportAllSlots) &&
               notifications.registerService(QStringLiteral("org.freedesktop.Notifications")) &&
               logind.registerService(QStringLiteral("org.freedesktop.login1"));
    }
    QDBusConnection connect(const QString &name) {
        return QDBusConnection::connectToBus(address, name);
    }
    void resumed() {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"));
        signal << false;
        QDBusConnection(QStringLiteral("org.freedesktop.login1")).send(signal);
    }
    ~StandIns() override {
        daemon.terminate();
        daemon.waitForFinished();
    }

public slots:
    QStringList GetCapabilities() { return {QStringLiteral("actions")}; }
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &,
                const QStringList &, const QVariantMap &, int) {
        if (summary.endsWith(QLatin1String("!!!")))
            notifiedNs = nowNs();
        return 1;
    }
    void CloseNotification(uint) {}
};

// Woken `count` times past the alarm second: from the resume signal to the ringing title and to
// the notification. The first includes the notification's bus being made.
int resume(int count) {
    StandIns standIns;
    if (!standIns.start()) {
        std::fprintf(stderr, "no private bus (dbus-daemon)\n");
        return 1;
    }
    TestRig rig;
    LogindInhibitor sleep(standIns.connect(QStringLiteral("program")));
    DBusNotifier notifier([&standIns] { return standIns.connect(QStringLiteral("notifier")); });
    rig.writeIni(englishIni()); // 07:30 on Mondays
    Platform platform = rig.platform();
    platform.sleep = &sleep;
    platform.notifier = &notifier;
    QDate day(2026, 12, 7);
    rig.clock.set(day, 7, 0);
    MainWindow form(platform);
    form.start();
    form.show();
    runFor(500);
    for (int i = 0; i < count; ++i) {
        rig.clock.set(day, 7, 35); // slept over the alarm second, 5 minutes late: it still rings
        standIns.notifiedNs = 0;
        const qint64 resumedNs = nowNs();
        standIns.resumed();
        qint64 titledNs = 0;
        QElapsedTimer waited;
        waited.start();
        while ((!titledNs || !standIns.notifiedNs) && waited.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            if (!titledNs && form.windowTitle() == QLatin1String("Alarm !!!"))
                titledNs = nowNs();
        }
        const char *which = i == 0 ? "first" : "later";
        std::printf("resume_title_%s_ms %.1f\n", which, double(titledNs - resumedNs) / 1e6);
        std::printf("resume_notify_%s_ms %.1f\n", which,
                    double(standIns.notifiedNs - resumedNs) / 1e6);
        std::fflush(stdout);
        child<QPushButton>(form, "alarmSwitch")->click();
        day = day.addDays(7);
        rig.clock.set(day, 7, 0);
        form.controller().tick();
        runFor(300);
    }
    form.hide();
    return 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int amount = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    if (what == QLatin1String("startup"))
        return startup(sinceMain);
    if (what == QLatin1String("memory"))
        return memory();
    if (what == QLatin1String("second"))
        return second(amount > 0 ? amount : 20);
    if (what == QLatin1String("tick"))
        return tick(amount > 0 ? amount : 20000);
    if (what == QLatin1String("events"))
        return events(amount > 0 ? amount : 10);
    const QString events = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (what == QLatin1String("audible") || what == QLatin1String("audiblebare"))
        return audible(amount > 0 ? amount : 6, events, what == QLatin1String("audiblebare"));
    if (what == QLatin1String("resume"))
        return resume(amount > 0 ? amount : 6);
    std::fprintf(stderr, "usage: vekora_bench startup|memory|second [seconds]|tick [count]|"
                         "events [seconds]|audible[bare] [rings] [events file]|resume [count]\n");
    return 2;
}

#include "vekora_bench.moc"
