// The main window's handlers: switch, keys, pointer, language, sound, size and leaving.

#include "fakes.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT

    // Every test starts from a window armed for 07:30, English, sound on.
    std::optional<TestRig> rig;
    std::unique_ptr<MainWindow> form;

    QString caption() const { return child<QPushButton>(*form, "alarmSwitch")->text(); }

private slots:
    void init() {
        rig.emplace();
        form = rig->started(iniWithAlarm(QStringLiteral("07:30")));
    }
    void cleanup() {
        form.reset();
        rig.reset();
    }

    void switchAndSoundCaptions() {
        auto *button = child<QPushButton>(*form, "alarmSwitch");
        auto *sound = child<QAction>(*form, "soundItem");
        sound->trigger();
        QVERIFY(!form->controller().model().sound());
        QCOMPARE(caption(), QStringLiteral("On"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Off));
        QCOMPARE(caption(), QStringLiteral("Off"));
        sound->trigger(); // only the armed caption carries the sound mark
        QCOMPARE(caption(), QStringLiteral("Off"));
        form->controller().setSwitchState(SwitchState::Ringing);
        QCOMPARE(caption(), QStringLiteral("Stop"));
        clickSwitch(*form);
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Armed));
        QCOMPARE(caption(), QStringLiteral("On ((o))"));
    }

    void faultyAlarmTimeShowsAndBlocksTheSwitch() {
        auto *field = child<QLineEdit>(*form, "alarmField");
        const QColor normal = field->palette().color(QPalette::Base);
        field->setText(QStringLiteral("24:00"));
        QVERIFY(field->palette().color(QPalette::Base) != normal);
        QCOMPARE(form->controller().model().alarmTime(), 27000);
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Error));
        QString shown;
        answerNextMessage(QMessageBox::Ok, &shown);
        clickSwitch(*form);
        QCOMPARE(shown, QStringLiteral("Repair the error in the alarm time field!"));
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Error));
        field->setText(QStringLiteral("9.45"));
        QCOMPARE(field->text(), QStringLiteral("09:45"));
        QCOMPARE(field->palette().color(QPalette::Base), normal);
        QCOMPARE(form->controller().model().alarmTime(), 35100);
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Armed));
    }

    void f1OpensHelpFromEveryControl() {
        const QString page = rig->folder() + QStringLiteral("VKhelp-en.html");
        QFile(page).open(QIODevice::WriteOnly);
        for (const char *name : {"alarmSwitch", "weekdayBox", "alarmField", "messageField"})
            QTest::keyClick(child(*form, name), Qt::Key_F1);
        QCOMPARE(rig->opener.opened.size(), 4);
        for (const QUrl &url : rig->opener.opened)
            QCOMPARE(url.toLocalFile(), page);
    }

    // Right press opens the general menu, left does not; a double-click minimises, except on
    // the switch.
    void pointerOnTheBackground() {
        form->show();
        for (const char *control : {"background", "timeDisplay", "alarmFrame", "alarmSwitch"}) {
            form->showNormal();
            auto *widget = child(*form, control);
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
            QVERIFY(!form->generalMenu()->isVisible());
            QTest::mousePress(widget, Qt::RightButton, {}, QPoint(2, 2));
            QVERIFY(form->generalMenu()->isVisible());
            form->generalMenu()->hide();
            QTest::mouseRelease(widget, Qt::RightButton, {}, QPoint(2, 2));
            QTest::mouseDClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(minimised(*form), qstrcmp(control, "alarmSwitch") != 0);
        }
    }

    // The menu key and Shift+F10 open the general menu from every control that takes the focus,
    // and from the window itself.
    void keyboardOpensTheGeneralMenu() {
        form->show();
        QMenu *menu = form->generalMenu();
        const auto opens = [menu](const std::function<void()> &press) {
            press();
            const bool shown = menu->isVisible();
            menu->hide();
            return shown;
        };
        for (QWidget *widget :
             {child(*form, "messageField"), child(*form, "weekdayBox"), child(*form, "alarmField"),
              child(*form, "alarmSwitch"), static_cast<QWidget *>(form.get())}) {
            QVERIFY(opens([&] { QTest::keyClick(widget, Qt::Key_F10, Qt::ShiftModifier); }));
            QVERIFY(opens([&] { QTest::keyClick(widget, Qt::Key_Menu); }));
            QVERIFY(!opens([&] { QTest::keyClick(widget, Qt::Key_F10); }));
        }
    }

    // Every date line of the year, in both languages, stays whole inside the window, and the time
    // display, which flashes while the alarm rings, lies below it rather than over it.
    void everyDateLineIsWhole() {
        form->show();
        const auto *date = child<QLabel>(*form, "dateLine");
        const auto *time = child<QLabel>(*form, "timeDisplay");
        QVERIFY(form->rect().contains(date->geometry()));
        QVERIFY(!date->geometry().intersects(time->geometry()));
        for (int language : {0, 1}) {
            form->controller().setLanguage(language);
            for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1)) {
                rig->clock.set(day, 12, day.dayOfYear() % 2); // a new minute redraws the date
                form->controller().tick();
                const QString text = date->text();
                const QFontMetrics metrics(date->font());
                const QRect room = date->contentsRect();
                // The label centres the text's advance; the ink may reach a little past it.
                const int start =
                    room.left() + (room.width() - metrics.horizontalAdvance(text)) / 2;
                const QRect ink = metrics.boundingRect(text).translated(start, 0);
                QVERIFY2(ink.left() >= 0 && ink.right() < date->width() &&
                             metrics.height() <= date->height(),
                         qPrintable(text));
            }
        }
    }

    // The menu and the close box save, then ask; minimised, nothing is asked.
    void leaving() {
        form->show();
        QSignalSpy quit(form.get(), &MainWindow::quitRequested);
        child<QLineEdit>(*form, "messageField")->setText(QStringLiteral("Bye"));
        QString question;
        answerNextMessage(QMessageBox::No, &question);
        form->exitAsked();
        QCOMPARE(question, QStringLiteral("Do you really want to exit Vekora?"));
        QCOMPARE(rig->iniLines().value(6), QStringLiteral("Bye"));
        answerNextMessage(QMessageBox::No);
        QVERIFY(!form->close());
        QCOMPARE(quit.count(), 0);
        form->minimise();
        QFile::remove(rig->iniPath());
        QVERIFY(form->close()); // no question: a modal here would hang the test
        QCOMPARE(quit.count(), 1);
        QCOMPARE(rig->iniLines().value(1), QStringLiteral("1 1 "));

        form = rig->started(iniWithAlarm(QStringLiteral("07:30")));
        QSignalSpy yes(form.get(), &MainWindow::quitRequested);
        answerNextMessage(QMessageBox::Yes);
        form->exitAsked();
        QCOMPARE(yes.count(), 1);
    }

    // The end of the session (logout, shutdown, a signal) saves at once and asks nothing.
    void savesAndQuitsWithoutTheQuestion() {
        form->show();
        QSignalSpy quit(form.get(), &MainWindow::quitRequested);
        child<QLineEdit>(*form, "messageField")->setText(QStringLiteral("Changed just now"));
        form->saveAndQuit();
        QCOMPARE(rig->iniLines().value(6), QStringLiteral("Changed just now"));
        QCOMPARE(quit.size(), 1);
        QVERIFY(form->close()); // the window closing behind it asks nothing either
        form->saveAndQuit();
        QCOMPARE(quit.size(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
