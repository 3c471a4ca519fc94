#include "platform/numlock.h"

#include <QProcess>
#include <QTest>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

// Drives the XTest presses against a private Xvfb, whose keyboard state is ours alone.
class TestNumLock : public QObject {
    Q_OBJECT
private slots:
    void pressesToggleAndPairsRestore() {
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

QTEST_GUILESS_MAIN(TestNumLock)
#include "tst_numlock.moc"
