// The end of the session: logout, shutdown and signals save at once and ask nothing (the
// program itself receiving them: tests/program/signals.sh).

#include "fakes.h"
#include "platform/signalwatcher.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>

class TestSessionEnd : public QObject {
    Q_OBJECT

private slots:
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

    void savesAndQuitsWithoutTheQuestion() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->show();
        QSignalSpy quit(form.get(), &Form1::quitRequested);
        child<QLineEdit>(*form, "txtMsg")->setText(QStringLiteral("Changed just now"));
        form->saveAndQuit();
        QCOMPARE(rig.iniLines().value(6), QStringLiteral("Changed just now"));
        QCOMPARE(quit.size(), 1);
        QVERIFY(form->close()); // the window closing behind it asks nothing either
        form->saveAndQuit();
        QCOMPARE(quit.size(), 1);
    }
};

QTEST_MAIN(TestSessionEnd)
#include "tst_sessionend.moc"
