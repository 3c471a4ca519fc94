// The small platform pieces: which sound rings, signals taken into the event loop, and the Num
// Lock presses against a private X server.

#include "platform/desktopattention.h"
#include "platform/numlock.h"
#include "platform/signalwatcher.h"
#include "platform/soundplayer.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <csignal>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

// Plays only the sounds it is told exist, and remembers what it was asked for.
class FakePlayer final : public SoundPlayer {
public:
    QStringList available, asked;
    bool play(const char *eventId) override {
        return available.contains(asked.emplace_back(QString::fromLatin1(eventId)));
    }
};

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    // The alarm sound, else the bell, else the last resort.
    void soundFallbackOrder() {
        QStringList heard;
        for (const QStringList &available : {QStringList{"alarm-clock-elapsed"}, {"bell"}, {}}) {
            FakePlayer player;
            player.available = available;
            DesktopAttention attention(player, [&player] { player.asked << "beep"; });
            attention.beep();
            heard << player.asked.join(u' ');
        }
        QCOMPARE(heard, (QStringList{"alarm-clock-elapsed", "alarm-clock-elapsed bell",
                                     "alarm-clock-elapsed bell beep"}));
    }

    void signalsArriveInTheEventLoop() {
        struct sigaction before = {}, after = {};
        ::sigaction(SIGTERM, nullptr, &before);
        {
            SignalWatcher watcher({SIGTERM});
            QSignalSpy received(&watcher, &SignalWatcher::received);
            std::raise(SIGTERM);
            QTRY_COMPARE(received.size(), 1);
        }
        // Gone with the watcher: the signal has its earlier handler again.
        ::sigaction(SIGTERM, nullptr, &after);
        QVERIFY(after.sa_handler == before.sa_handler);
    }

    // A private Xvfb, whose keyboard state is ours alone: one press toggles, a pair restores.
    void numLockPresses() {
        QVERIFY(!pressNumLock(nullptr, 2));
        QProcess xvfb; // -displayfd: the server picks a free display and says which
        xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-nolisten", "tcp"});
        if (!xvfb.waitForStarted())
            QSKIP("Xvfb is not installed (Debian package xvfb); cannot test Num Lock presses");
        QTRY_VERIFY_WITH_TIMEOUT(xvfb.canReadLine(), 10000);
        Display *display = XOpenDisplay(":" + xvfb.readLine().trimmed());
        const Atom name = XInternAtom(display, "Num Lock", False);
        const auto lit = [display, name] {
            Bool on = False;
            return XkbGetNamedIndicator(display, name, nullptr, &on, nullptr, nullptr) && on;
        };
        const bool before = lit();
        QVERIFY(pressNumLock(display, 1));
        QTRY_COMPARE(lit(), !before);
        QVERIFY(pressNumLock(display, 2));
        QTest::qWait(100); // give a wrong odd count time to show
        QCOMPARE(lit(), !before);
        xvfb.terminate();
        xvfb.waitForFinished(3000);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
