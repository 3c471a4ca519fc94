#include "platform/numlock.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

// Drives the XTest presses against a private Xvfb, whose keyboard state is ours alone.
class TestNumLock : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() {
        if (m_display)
            XCloseDisplay(m_display);
        m_xvfb.terminate();
        m_xvfb.waitForFinished(3000);
    }
    void pressesToggleAndPairsRestore();

private:
    bool numLockLit() const {
        unsigned int state = 0;
        XkbGetIndicatorState(m_display, XkbUseCoreKbd, &state);
        return state & (1u << m_indicator);
    }

    QProcess m_xvfb;
    Display *m_display = nullptr;
    int m_indicator = -1; // bit of "Num Lock" in the indicator state
};

void TestNumLock::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        QSKIP("Xvfb is not installed (Debian package xvfb); cannot test Num Lock presses");
    // -displayfd lets the server pick a free display number and tell us which on stdout.
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "320x240x24"});
    QVERIFY2(m_xvfb.waitForStarted(5000), qPrintable(m_xvfb.errorString()));
    while (!m_xvfb.canReadLine() && m_xvfb.waitForReadyRead(10000)) {
    }
    const QByteArray number = m_xvfb.readLine().trimmed();
    QVERIFY2(!number.isEmpty(), "Xvfb did not report its display number");
    m_display = XOpenDisplay(":" + number);
    QVERIFY2(m_display, "cannot open the Xvfb display");
    const Atom name = XInternAtom(m_display, "Num Lock", False);
    QVERIFY(XkbGetNamedIndicator(m_display, name, &m_indicator, nullptr, nullptr, nullptr));
}

void TestNumLock::pressesToggleAndPairsRestore() {
    const bool before = numLockLit();
    QVERIFY(pressNumLock(m_display, 1));
    QTRY_COMPARE(numLockLit(), !before);

    QVERIFY(pressNumLock(m_display, 2));
    XSync(m_display, False);
    QTest::qWait(100); // give a wrong odd count time to show
    QCOMPARE(numLockLit(), !before);

    QVERIFY(pressNumLock(m_display, 1)); // leave the server as we found it
    QTRY_COMPARE(numLockLit(), before);
    QVERIFY(!pressNumLock(nullptr, 2));
}

QTEST_GUILESS_MAIN(TestNumLock)
#include "tst_numlock.moc"
