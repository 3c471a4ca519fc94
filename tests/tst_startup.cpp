// Starting: the settings file read back, a damaged file, the first start and the About draw.

#include "core/windowplace.h"
#include "fakes.h"
#include "platform/runrecord.h"

#include "datarow.h"
#include <QComboBox>
#include <QLineEdit>

#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT

    static QString caption(MainWindow &form) {
        return child<QPushButton>(form, "alarmSwitch")->text();
    }
    // Closes the next modal window, the About window, noting its name.
    static void closeAbout(QStringList *seen) {
        onNextModal([seen](QWidget *about) {
            *seen << about->objectName();
            child<QPushButton>(*about, "closeButton")->click();
        });
    }

private slots:
    void everySettingSurvivesARestart() {
        TestRig rig;
        {
            auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
            form->controller().setLanguage(1);
            form->controller().setSound(false);
            child<QComboBox>(*form, "weekdayBox")->setCurrentIndex(7); // Saturday, the last entry
            child<QLineEdit>(*form, "alarmField")->setText(QStringLiteral("2215"));
            child<QLineEdit>(*form, "messageField")->setText(QStringLiteral("Bål og æbler"));
            clickSwitch(*form); // off
            form->move(40, 90); // the tick notes the place; the file holds twips
            form->controller().tick();
            form->controller().saveSettings();
        }
        QCOMPARE(rig.iniLines(), QStringList({"1", "0 0 ", " 1350 ", " 600 ", " 7 ", "22:15",
                                              "Bål og æbler", "Fra"}));
        auto form = rig.window();
        form->start(); // the other fields read back in storedCaptionAndStateAgree, damagedFiles...
        QCOMPARE(child<QComboBox>(*form, "weekdayBox")->currentIndex(), 7);
        QCOMPARE(form->pos(), QPoint(40, 90));
        QVERIFY(!form->controller().model().sound());
        QCOMPARE(caption(*form), QStringLiteral("Fra"));
    }

    void storedCaptionAndStateAgree_data() {
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        row("off", "07:30", "", "Off", "Off");
        row("off in Danish", "07:30", "", "Fra", "Off");
        row("saved while ringing", "07:30", "", "Stop", "On ((o))");
        row("faulty time", "7.3", "", "Off", "Error!");
        row("midnight is a time too", "00:00", "", "On ((o))", "On ((o))");
        // The last line of a long file counts as much as the first; the message is held as the
        // field shows it, at most as long as a file that reads back whole allows.
        const QString longest(40000, u'ø');
        row("after a long message", "07:30", longest, "Off", "Off");
    }
    void storedCaptionAndStateAgree() {
        QFETCH(QString, alarm);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 7), 12, 0); // away from every alarm here
        QStringList ini = iniWithAlarm(alarm, 0, stored);
        ini[6] = message;
        auto form = rig.started(ini);
        QCOMPARE(caption(*form), shown);
        auto *field = child<QLineEdit>(*form, "messageField");
        QCOMPARE(form->controller().model().message(), message.left(maxMessageLength));
        QCOMPARE(field->text(), form->controller().model().message());
        // A key typed into a full field is refused: it must not push the message's end out.
        const QString before = field->text();
        field->setCursorPosition(0);
        QTest::keyClick(field, Qt::Key_X);
        QCOMPARE(field->text(), before.size() == maxMessageLength ? before : u'x' + before);
    }

    // A file cut short or holding nonsense starts a window in English on screen, every day; cut
    // before the alarm time, the field's harmless 00:00 is switched off, not in error.
    void damagedFilesNeverCrash() {
        struct {
            QStringList ini;
            int language, weekday;
            const char *alarm;
        } const cases[] = {
            {{"1"}, 1, 0, "00:00"},
            {{"99999999999999999999"}, 0, 0, "00:00"},
            {{"0", "1 0 ", "-500 ", " 99999999 ", " 9 ", "07:30"}, 0, 0, "07:30"}, // weekday 9
            {{"0", "1 0 ", " 0 ", " 0 ", "-1 "}, 0, -1, "00:00"},
            {{"0", "x", "1e999", "-1e999", "abc", "12.3"}, 0, 0, "12:3"},
        };
        for (const auto &c : cases) {
            TestRig rig;
            auto form = rig.started(c.ini);
            QCOMPARE(form->controller().language(), std::optional(Language(c.language)));
            QCOMPARE(child<QComboBox>(*form, "weekdayBox")->currentIndex(), c.weekday);
            QCOMPARE(child<QLineEdit>(*form, "alarmField")->text(), c.alarm);
            QVERIFY(form->screen()->geometry().contains(form->frameGeometry()));
            QCOMPARE(form->y(), 0);
            if (c.ini.size() < 6)
                QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Off));
        }
    }

    // A stored place off the screen is brought back whole, with room for a task bar below.
    void storedPlaceStaysOnScreen_data() {
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("atTop");
        QTest::addColumn<bool>("atLeft");
        row("above, right of it", "-500 ", " 99999999 ", true, false);
        row("below, left of it", " 99999999 ", "-500 ", false, true);
    }
    void storedPlaceStaysOnScreen() {
        QFETCH(QString, top);
        QFETCH(QString, left);
        QFETCH(bool, atTop);
        QFETCH(bool, atLeft);
        TestRig rig;
        auto form = rig.started({"0", "1 0 ", top, left});
        const QRect screen = form->screen()->geometry();
        // 324 twips above the bottom edge: 21.6 pixels, the place rounded to whole ones.
        QCOMPARE(form->pos(), QPoint(atLeft ? 0 : screen.width() - form->width(),
                                     atTop ? 0 : screen.height() - form->height() - 22));
    }

    // The placing itself, framed: a 160 x 100 window in a frame of 3 pixels with a 20-pixel title
    // bar, so the outer window is 166 x 123; a 1280 x 800 screen with a 30-pixel panel on top, a
    // second screen left of it, and a screen smaller than the window, where the title bar's
    // corner stays reachable.
    void wholeFramedWindowOnScreen_data() {
        QTest::addColumn<QPoint>("wanted");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 30, 1280, 770);
        row("inside", QPoint(500, 300), screen, QPoint(500, 300));
        row("far left", QPoint(-5000, 300), screen, QPoint(0, 300));
        row("far right", QPoint(5000, 300), screen, QPoint(1280 - 166, 300));
        row("under the panel", QPoint(500, -5000), screen, QPoint(500, 30));
        row("the border", QPoint(1280 - 164, 300), screen, QPoint(1280 - 166, 300));
        row("the title bar only", QPoint(500, 20), screen, QPoint(500, 30));
        row("huge", QPoint(INT_MIN / 2, INT_MAX / 2), screen, QPoint(0, 800 - 123));
        row("second screen", QPoint(-5000, 100), QRect(-1024, 0, 1024, 768), QPoint(-1024, 100));
        row("screen too small", QPoint(50, 50), QRect(10, 20, 100, 80), QPoint(10, 20));
    }
    void wholeFramedWindowOnScreen() {
        QFETCH(QPoint, wanted);
        QFETCH(QRect, area);
        QFETCH(QPoint, expected);
        const QPoint place = placeWithin(wanted, {160, 100}, {3, 20, 3, 3}, area);
        QCOMPARE(place, expected);
        QVERIFY(area.width() < 166 || area.contains(QRect(place, QSize(166, 123))));
    }

    // No file, or an empty one as a crash leaves it.
    void firstStartGreetsThenShowsAbout() {
        for (const bool emptyFile : {false, true}) {
            TestRig rig;
            if (emptyFile)
                rig.writeIni({});
            auto form = rig.window();
            QStringList order;
            onNextModal([&order](QWidget *welcome) {
                order << welcome->objectName();
                auto *languages = child<QComboBox>(*welcome, "languageList");
                languages->setCurrentIndex(1);
                emit languages->activated(1);
                closeAbout(&order);
                child<QPushButton>(*welcome, "continueButton")->click();
            });
            form->start();
            QCOMPARE(order,
                     QStringList({QStringLiteral("welcomeWindow"), QStringLiteral("aboutWindow")}));
            QCOMPARE(form->controller().language(), std::optional(Language::Danish));
            QCOMPARE(caption(*form), QStringLiteral("Fra")); // switched off
        }
    }

    // The About window comes at start only when the draw hits, just above and below its edges.
    void aboutOnlyWhenTheDrawHits() {
        for (const auto &[draw, shown] : {std::pair{0.06, false}, {0.07, true}, {0.14, false}}) {
            TestRig rig;
            rig.draw = draw;
            QStringList seen;
            if (shown)
                closeAbout(&seen);
            auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
            QCOMPARE(seen, shown ? QStringList(QStringLiteral("aboutWindow")) : QStringList());
            QCOMPARE(form->isVisible(), shown); // the Close button shows the main window
        }
    }

    // An alarm that rings while the start-up's About window is open sends that window away, so
    // the ringing window is not hidden behind it.
    void aRingingAlarmClosesTheStartupsAbout() {
        TestRig rig;
        rig.draw = 0.07;
        rig.writeIni(iniWithAlarm(QStringLiteral("07:30")));
        rig.clock.set(QDate(2026, 12, 7), 7, 29, 59);
        auto form = rig.window();
        bool stayed = false;
        onNextModal([&](QWidget *about) {
            rig.clock.advance(1);
            form->controller().tick();
            if ((stayed = about->isVisible()))
                static_cast<QDialog *>(about)->reject();
        });
        form->start();
        QVERIFY(!stayed);
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Alarm !!!"));
    }

    // A run killed after its alarm rang leaves no false notice: the record was written when it
    // rang. Nothing is written in a minute in which nothing happened.
    void aRunKilledAfterItsAlarmRangTellsNothing() {
        TestRig rig;
        // The record's moment, as seconds after 07:30.
        const auto record = [&] {
            return RunRecord(rig.platform().runRecordFile)
                .lastRun()
                ->secsTo(QDateTime(QDate(2026, 12, 7), QTime(7, 30)));
        };
        rig.clock.set(QDate(2026, 12, 7), 7, 29, 58);
        {
            auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
            for (int second = 0; second < 5 * 60; ++second) {
                rig.clock.advance(1);
                form->controller().tick();
                if (second == 2)
                    QCOMPARE(record(), 0);
                if (second == 20)
                    clickSwitch(*form);
            }
            QCOMPARE(record(), -20);
        } // killed: no stop(), no exit stamp
        rig.clock.advance(10 * 60);
        rig.window()->start();
        QCOMPARE(rig.notifier.notices, QStringList());
    }

    // Closed over its alarm, the program tells of it at the next start, once, and only while it
    // is recent: the Monday alarm is not told of 20 hours later, Tuesday's is, 40 minutes after.
    void anAlarmMissedWhileClosedIsToldOnce() {
        TestRig rig;
        rig.writeIni(iniWithAlarm(QStringLiteral("07:30")));
        rig.clock.set(QDate(2026, 12, 7), 7, 0);
        QVERIFY(RunRecord(rig.platform().runRecordFile).stamp(rig.clock.now().moment));
        for (const int minutes : {20 * 60 + 30, 4 * 60 + 40, 1}) {
            rig.clock.advance(minutes * 60);
            rig.window()->start();
        }
        QCOMPARE(rig.notifier.notices, QStringList{QStringLiteral("Missed alarm: Tue 07:30|")});
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
