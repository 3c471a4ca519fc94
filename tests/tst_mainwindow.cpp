// The main window's handlers: switch, keys, pointer, language, sound, size and leaving.

#include "fakes.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT

    // Every test starts from a window armed for 07:30, English, sound on.
    std::optional<TestRig> rig;
    std::unique_ptr<Form1> form;

    QString caption() const { return child<QPushButton>(*form, "CmdStop")->text(); }

private slots:
    void init() {
        rig.emplace();
        form = rig->started(iniWithAlarm(QStringLiteral("07:30")));
    }
    void cleanup() {
        form.reset();
        rig.reset();
    }

    void sizeIsLocked() {
        form->show();
        form->resize(400, 300);
        QCOMPARE(form->size(), QSize(162, 101));
    }

    void switchAndSoundCaptions() {
        auto *button = child<QPushButton>(*form, "CmdStop");
        auto *sound = child<QAction>(*form, "menuSound");
        sound->trigger();
        QVERIFY(!form->model().sound());
        QCOMPARE(caption(), QStringLiteral("On"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(form->model().switchState(), std::optional(SwitchState::Off));
        QCOMPARE(caption(), QStringLiteral("Off"));
        sound->trigger(); // only the armed caption carries the sound mark
        QCOMPARE(caption(), QStringLiteral("Off"));
        form->SetCmdStop(SwitchState::Ringing);
        QCOMPARE(caption(), QStringLiteral("Stop"));
        form->CmdStop_Click();
        QCOMPARE(form->model().switchState(), std::optional(SwitchState::Armed));
        QCOMPARE(caption(), QStringLiteral("On ((o))"));
    }

    void faultyAlarmTimeShowsAndBlocksTheSwitch() {
        auto *field = child<QLineEdit>(*form, "txtAlrm");
        field->setText(QStringLiteral("24:00"));
        QCOMPARE(field->palette().color(QPalette::Base), QColor(255, 192, 192));
        QCOMPARE(form->model().alarmTime(), 27000);
        QCOMPARE(form->model().switchState(), std::optional(SwitchState::Error));
        QString shown;
        answerNextMessage(QMessageBox::Ok, &shown);
        form->CmdStop_Click();
        QCOMPARE(shown, QStringLiteral("Repair the error in the alarm time field!"));
        QCOMPARE(form->model().switchState(), std::optional(SwitchState::Error));
        field->setText(QStringLiteral("9.45"));
        QCOMPARE(field->text(), QStringLiteral("09:45"));
        QVERIFY(field->palette().color(QPalette::Base) != QColor(255, 192, 192));
        QCOMPARE(form->model().alarmTime(), 35100);
        QCOMPARE(form->model().switchState(), std::optional(SwitchState::Armed));
    }

    void f1OpensHelpFromEveryControl() {
        const QString page = rig->folder() + QStringLiteral("VKhelp-en.html");
        QFile(page).open(QIODevice::WriteOnly);
        for (const char *name : {"CmdStop", "cboDay", "txtAlrm", "txtMsg"})
            QTest::keyClick(child(*form, name), Qt::Key_F1);
        QCOMPARE(rig->opener.opened.size(), 4);
        for (const QUrl &url : rig->opener.opened)
            QCOMPARE(url.toLocalFile(), page);
    }

    void messageFieldCopiesWithCtrlCAlone() {
        auto *msg = child<QLineEdit>(*form, "txtMsg");
        msg->setText(QStringLiteral("Call Anna at noon"));
        msg->setSelection(5, 4);
        QTest::keyClick(msg, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Anna"));
        msg->deselect(); // nothing selected: what was copied stays
        QTest::keyClick(msg, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Anna"));
    }

    // Right press opens the general menu, left does not; a double-click minimises, except on
    // the switch.
    void pointerOnTheBackground() {
        form->show();
        for (const char *control : {"Label(0)", "Label(4)", "Frame1", "CmdStop"}) {
            form->showNormal();
            auto *widget = child(*form, control);
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
            QVERIFY(!form->generalMenu()->isVisible());
            QTest::mousePress(widget, Qt::RightButton, {}, QPoint(2, 2));
            QVERIFY(form->generalMenu()->isVisible());
            form->generalMenu()->hide();
            QTest::mouseRelease(widget, Qt::RightButton, {}, QPoint(2, 2));
            QTest::mouseDClick(widget, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(minimised(*form), qstrcmp(control, "CmdStop") != 0);
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
             {child(*form, "txtMsg"), child(*form, "cboDay"), child(*form, "txtAlrm"),
              child(*form, "CmdStop"), static_cast<QWidget *>(form.get())}) {
            QVERIFY(opens([&] { QTest::keyClick(widget, Qt::Key_F10, Qt::ShiftModifier); }));
            QVERIFY(opens([&] { QTest::keyClick(widget, Qt::Key_Menu); }));
            QVERIFY(!opens([&] { QTest::keyClick(widget, Qt::Key_F10); }));
        }
    }

    // Every date line of the year, in both languages, stays whole inside the window, and the time
    // display, which flashes while the alarm rings, lies below it rather than over it.
    void everyDateLineIsWhole() {
        form->show();
        const auto *date = child<QLabel>(*form, "Label(3)");
        const auto *time = child<QLabel>(*form, "Label(4)");
        QVERIFY(form->rect().contains(date->geometry()));
        QVERIFY(!date->geometry().intersects(time->geometry()));
        for (int language : {0, 1}) {
            form->menuLang_Click(language);
            for (QDate day(2026, 1, 1); day.year() == 2026; day = day.addDays(1)) {
                rig->clock.set(day, 12, day.dayOfYear() % 2); // a new minute redraws the date
                form->Timer1_Timer();
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
        QSignalSpy quit(form.get(), &Form1::quitRequested);
        child<QLineEdit>(*form, "txtMsg")->setText(QStringLiteral("Bye"));
        QString question;
        answerNextMessage(QMessageBox::No, &question);
        form->menuExit_Click();
        QCOMPARE(question, QStringLiteral("Do you really want to exit Vekora?"));
        QCOMPARE(rig->iniLines().value(6), QStringLiteral("Bye"));
        answerNextMessage(QMessageBox::No);
        QVERIFY(!form->close());
        QCOMPARE(quit.count(), 0);
        form->ToMin();
        QFile::remove(rig->iniPath());
        QVERIFY(form->close()); // no question: a modal here would hang the test
        QCOMPARE(quit.count(), 1);
        QCOMPARE(rig->iniLines().value(1), QStringLiteral("1 1 "));

        form = rig->started(iniWithAlarm(QStringLiteral("07:30")));
        QSignalSpy yes(form.get(), &Form1::quitRequested);
        answerNextMessage(QMessageBox::Yes);
        form->menuExit_Click();
        QCOMPARE(yes.count(), 1);
    }

    // The end of the session (logout, shutdown, a signal) saves at once and asks nothing.
    void savesAndQuitsWithoutTheQuestion() {
        form->show();
        QSignalSpy quit(form.get(), &Form1::quitRequested);
        child<QLineEdit>(*form, "txtMsg")->setText(QStringLiteral("Changed just now"));
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
