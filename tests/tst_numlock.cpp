#include "platform/numlock.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

// Drives the XTest presses against a private Xvfb, whose keyboard state is ours alone.
class TestNumLock : public QObject {
    Q_OBJECT
public:
    ~TestNumLock() override { stopServer(); }

private slots:
    void initTestCase();
    void cleanupTestCase() { stopServer(); }
    void pressesToggleAndPairsRestore();

private:
    bool numLockLit() const;
    void stopServer();

    QProcess m_xvfb;
    Display *m_display = nullptr;
    int m_indicator = -1; // bit of "Num Lock" in the indicator state
};

void TestNumLock::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        QSKIP("Xvfb is not installed (Debian package xvfb); cannot test Num Lock presses");
    // -displayfd lets the server pick a free display number and tell us which on stdout.
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("320x240x24")});
    QVERIFY2(m_xvfb.waitForStarted(5000), qPrintable(m_xvfb.errorString()));
    while (!m_xvfb.canReadLine() && m_xvfb.waitForReadyRead(10000)) {
    }
    const QByteArray number = m_xvfb.readLine().trimmed();
    QVERIFY2(!number.isEmpty(), "Xvfb did not report its display number");

    m_display = XOpenDisplay(":" + number);
    QVERIFY2(m_display, "cannot open the Xvfb display");
    int index = 0;
    const Atom name = XInternAtom(m_display, "Num Lock", False);
    QVERIFY(XkbGetNamedIndicator(m_display, name, &index, nullptr, nullptr, nullptr));
    m_indicator = index;
}

bool TestNumLock::numLockLit() const {
    unsigned int state = 0;
    XkbGetIndicatorState(m_display, XkbUseCoreKbd, &state);
    return state & (1u << m_indicator);
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

void TestNumLock::stopServer() {
    if (m_display) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
    if (m_xvfb.state() != QProcess::NotRunning) {
        m_xvfb.terminate();
        if (!m_xvfb.waitForFinished(3000)) {
            m_xvfb.kill();
            m_xvfb.waitForFinished(3000);
        }
    }
}

QTEST_GUILESS_MAIN(TestNumLock)
#include "tst_numlock.moc"
