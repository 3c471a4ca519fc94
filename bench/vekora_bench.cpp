// In-process measurements of the main window, one kind per run, printed as "name value" lines
// for bench/run to gather:
//
//   vekora_bench startup   ms from main() to the first paint of the main window
//   vekora_bench memory    VmRSS after the start and after an hour of ticks
//   vekora_bench second    ms between a whole wall-clock second and the time display's change
//   vekora_bench tick      duration of one clock tick
//   vekora_bench events    which widgets repaint, and which objects get timer events, per second
//   vekora_bench firstring ms the first and the second ring spend on sound and notification set-up
//
// Each starts the window over a prepared settings file in a temporary program folder, with
// the platform's stand-ins from the test suite (no beep, no notification, no About window).

#include "fakes.h"
#include "platform/canberraplayer.h"
#include "platform/dbusnotifier.h"
#include "platform/desktopattention.h"
#include "platform/systemclock.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <algorithm>
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

// The sound context and the notification's bus are made when the alarm first rings; this is
// what that costs the ringing tick, against a second ring that finds them made.
int firstRing() {
    CanberraPlayer player;
    DesktopAttention attention(player, [] {});
    DBusNotifier notifier([] { return QDBusConnection::sessionBus(); });
    const auto ms = [](auto &&ring) {
        QElapsedTimer timer;
        timer.start();
        ring();
        return double(timer.nsecsElapsed()) / 1e6;
    };
    const auto sound = [&] { attention.beep(); };
    const auto notify = [&] {
        notifier.showRinging(QStringLiteral("Alarm !!!"), QStringLiteral("bench"));
    };
    std::printf("first_sound_ms %.1f\n", ms(sound));
    std::printf("second_sound_ms %.1f\n", ms(sound));
    std::printf("first_notify_ms %.1f\n", ms(notify));
    std::printf("second_notify_ms %.1f\n", ms(notify));
    notifier.withdrawRinging();
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
    if (what == QLatin1String("firstring"))
        return firstRing();
    std::fprintf(stderr, "usage: vekora_bench startup|memory|second [seconds]|tick [count]|"
                         "events [seconds]|firstring\n");
    return 2;
}
