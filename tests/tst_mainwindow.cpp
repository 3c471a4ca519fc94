// The main window's handlers: switch, keys, pointer, language, sound and leaving; and what a
// screen reader hears of it: each control named by what it shows, its tool tip as description,
// in the current language.

#include "fakes.h"
#include "ui/pictures.h"

#include <QAccessible>
#include <QAction>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMetaEnum>
#include <QSignalSpy>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT

    // Every test starts from a window armed for 07:30, English, sound on.
    std::optional<TestRig> rig;
    std::unique_ptr<MainWindow> form;

    QString caption() const { return child<QPushButton>(*form, "alarmSwitch")->text(); }
    // "object Role name | description" for the control named by the first word of each line.
    QStringList heard(const QStringList &lines) const {
        QStringList said;
        for (const QString &line : lines) {
            const QString object = line.section(u' ', 0, 0);
            QAccessibleInterface *iface =
                QAccessible::queryAccessibleInterface(form->findChild<QObject *>(object));
            const char *role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role());
            said << QStringLiteral("%1 %2 %3 | %4")
                        .arg(object, QLatin1String(role), iface->text(QAccessible::Name),
                             iface->text(QAccessible::Description));
        }
        return said;
    }

private slots:
    void init() {
        rig.emplace();
        form = rig->started(iniWithAlarm(QStringLiteral("07:30")));
    }
    void cleanup() {
        form.reset();
        rig.reset();
    }

    // The other captions, each state's, are heard in statesAreSaid.
    void soundMarkAndStop() {
        child<QAction>(*form->generalMenu(), "soundItem")->trigger();
        QVERIFY(!form->controller().model().sound());
        QCOMPARE(caption(), QStringLiteral("On"));
        form->controller().setSwitchState(SwitchState::Ringing);
        QTest::mouseClick(child<QPushButton>(*form, "alarmSwitch"), Qt::LeftButton);
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Armed));
    }

    void faultyAlarmTimeShowsAndBlocksTheSwitch() {
        auto *field = child<QLineEdit>(*form, "alarmField");
        const QColor normal = field->palette().color(QPalette::Base);
        field->setText(QStringLiteral("24:00"));
        QVERIFY(field->palette().color(QPalette::Base) != normal);
        QCOMPARE(form->controller().model().alarmTime(), 27000);
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Error));
        clickSwitch(*form);
        QCOMPARE(answerMessage(*form, QMessageBox::Ok),
                 QStringLiteral("Repair the error in the alarm time field!"));
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Error));
        field->setText(QStringLiteral("9.45"));
        QCOMPARE(field->text(), QStringLiteral("09:45"));
        QCOMPARE(field->palette().color(QPalette::Base), normal);
    }

    void f1OpensHelpFromEveryControl() {
        const QString page = rig->folder() + QStringLiteral("VKhelp-en.html");
        QFile(page).open(QIODevice::WriteOnly);
        for (const char *name : {"alarmSwitch", "weekdayBox", "alarmField", "messageField"})
            QTest::keyClick(child(*form, name), Qt::Key_F1);
        QCOMPARE(rig->opener.opened, QList<QUrl>(4, QUrl::fromLocalFile(page)));
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

    // The menu saves, then asks; minimised, the close box asks nothing.
    void leaving() {
        form->show();
        QSignalSpy quit(form.get(), &MainWindow::quitRequested);
        child<QLineEdit>(*form, "messageField")->setText(QStringLiteral("Bye"));
        form->exitAsked();
        QCOMPARE(answerMessage(*form, QMessageBox::No),
                 QStringLiteral("Do you really want to exit Vekora?"));
        QCOMPARE(rig->iniLines().value(6), QStringLiteral("Bye"));
        form->minimise();
        QFile::remove(rig->iniPath());
        QVERIFY(form->close()); // no question: a modal here would hang the test
        QCOMPARE(quit.count(), 1);
        QCOMPARE(rig->iniLines().value(1), QStringLiteral("1 1 "));
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

    void danishIsHeard() {
        rig->clock.set(QDate(2026, 12, 7), 9, 5, 7);
        form->controller().setLanguage(1);
        form->controller().tick();
        form->aboutWindow();
        const QStringList lines{
            "alarmField EditableText Alarmtid | "
            "Alarmtid i næsten ethvert 24-timers tidsformat, fx 0945)",
            "alarmSwitch Button Til ((o)) | Alarm Til/Fra. Højreklik for generel menu.",
            "dateLine StaticText Mandag 7. december 2026 | Aktuel dato. Højreklik for generel "
            "menu.",
            "closeButton Button Luk | ",
        };
        QCOMPARE(heard(lines), lines);
        form->exitAsked(); // the program's name in the language of the moment
        QCOMPARE(form->findChild<QMessageBox *>()->windowTitle(), QStringLiteral("Vekuret"));
        answerMessage(*form, QMessageBox::No);
    }

    // The switch says its state; an unreadable alarm time is said before anything else about the
    // field, for as long as the field shows it red.
    void statesAreSaid() {
        const QString hint = QStringLiteral("Alarm On/Off. Right-click for general menu.");
        auto *field = child<QLineEdit>(*form, "alarmField");
        const QString tip = field->toolTip();
        form->controller().setSwitchState(SwitchState::Ringing);
        QStringList said = heard({"alarmSwitch"});
        for (const char *time : {"24:00", "9.45"}) {
            field->setText(QString::fromLatin1(time));
            said << heard({"alarmSwitch", "alarmField"});
        }
        QCOMPARE(said, QStringList({"alarmSwitch Button Stop | " + hint,
                                    "alarmSwitch Button Error! | " + hint,
                                    "alarmField EditableText Alarm time | Repair the error in the "
                                    "alarm time field! " +
                                        tip,
                                    "alarmSwitch Button On ((o)) | " + hint,
                                    "alarmField EditableText Alarm time | " + tip}));
    }

    // The icon taken straight from the program's memory is, pixel for pixel, Qt's reading of it.
    void iconAsQtReadsIt() {
        QImageReader reader(QStringLiteral(":/icons/vekora-32.bmp"), "bmp");
        const QImage read = QPixmap::fromImage(reader.read()).toImage();
        QCOMPARE(read.size(), QSize(32, 32));
        QCOMPARE(programIcon().toImage(), read);
    }

    // As the help advises: a double-click on the old time, then the new one typed over it.
    void doubleClickSelectsTheWholeTime() {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto *field = child<QLineEdit>(*form, "alarmField");
        QTest::mouseDClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
        QTest::keyClicks(field, "1015");
        QCOMPARE(field->text(), QStringLiteral("10:15"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
