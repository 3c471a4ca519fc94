// The main window's handlers: switch, keys, pointer, language, sound, size and leaving.

#include "fakes.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT

    template <typename T> static T *child(Form1 &form, const char *name) {
        return form.findChild<T *>(QString::fromLatin1(name));
    }
    static QString caption(Form1 &form) { return child<QPushButton>(form, "CmdStop")->text(); }
    static void answer(QMessageBox::StandardButton button, QString *text = nullptr) {
        onNextModal([button, text](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            if (text)
                *text = box->text();
            box->button(button)->click();
        });
    }

private slots:
    void rangetestClampsUpperBoundFirst_data() {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("result");
        QTest::newRow("inside") << 300.0 << 1000.0 << 300.0;
        QTest::newRow("negative") << -500.0 << 1000.0 << 0.0;
        QTest::newRow("too large") << 5000.0 << 1000.0 << 1000.0;
        QTest::newRow("screen smaller than window") << 10.0 << -200.0 << -200.0;
    }
    void rangetestClampsUpperBoundFirst() {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, result);
        QCOMPARE(Form1::rangetest(a, b), result);
        QCOMPARE(a, result);
    }

    void sizeIsLocked() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->show();
        const QSize locked = form->size();
        QCOMPARE(locked, QSize(162, 101));
        form->resize(400, 300);
        QCOMPARE(form->size(), locked);
        form->Timer1_Timer(); // clears chg
        form->ToMin();
        QVERIFY(form->changed());
        QCOMPARE(form->size(), locked);
    }

    void switchCycles_data() {
        QTest::addColumn<bool>("sound");
        QTest::addColumn<QString>("armed");
        QTest::newRow("sound on") << true << QStringLiteral("On ((o))");
        QTest::newRow("sound off") << false << QStringLiteral("On");
    }
    void switchCycles() {
        QFETCH(bool, sound);
        QFETCH(QString, armed);
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->mLyd(sound);
        QCOMPARE(caption(*form), armed);
        QTest::mouseClick(child<QPushButton>(*form, "CmdStop"), Qt::LeftButton);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Off));
        QCOMPARE(caption(*form), QStringLiteral("Off"));
        QTest::mouseClick(child<QPushButton>(*form, "CmdStop"), Qt::LeftButton);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Armed));
        QCOMPARE(caption(*form), armed);
        form->SetCmdStop(SwitchState::Ringing);
        QCOMPARE(caption(*form), QStringLiteral("Stop"));
        form->CmdStop_Click();
        QCOMPARE(caption(*form), armed);
    }

    void soundSwitchRefreshesOnlyTheArmedCaption() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        auto *sound = form->findChild<QAction *>(QStringLiteral("menuSound"));
        sound->trigger();
        QVERIFY(!form->soundOn());
        QCOMPARE(caption(*form), QStringLiteral("On"));
        sound->trigger();
        QCOMPARE(caption(*form), QStringLiteral("On ((o))"));
        form->CmdStop_Click();
        sound->trigger();
        QCOMPARE(caption(*form), QStringLiteral("Off"));
    }

    void clickOnAFaultyTimeExplainsAndStays() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("945")));
        QCOMPARE(form->switchState(), std::optional(SwitchState::Error));
        form->Timer1_Timer();
        QVERIFY(!form->changed());
        QString shown;
        answer(QMessageBox::Ok, &shown);
        form->CmdStop_Click();
        QCOMPARE(shown, QStringLiteral("Repair the error in the alarm time field!"));
        QCOMPARE(form->switchState(), std::optional(SwitchState::Error));
        QVERIFY(form->changed());
    }

    void alarmFieldTurnsLightRedWhileFaulty() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        auto *field = child<QLineEdit>(*form, "txtAlrm");
        field->setText(QStringLiteral("24:00"));
        QCOMPARE(field->palette().color(QPalette::Base), QColor(255, 192, 192));
        QCOMPARE(form->alarmTime(), 27000);
        field->setText(QStringLiteral("9.45"));
        QCOMPARE(field->text(), QStringLiteral("09:45"));
        QVERIFY(field->palette().color(QPalette::Base) != QColor(255, 192, 192));
        QCOMPARE(form->alarmTime(), 35100);
        QCOMPARE(form->switchState(), std::optional(SwitchState::Armed));
    }

    void f1OpensHelpFromEveryControl_data() {
        QTest::addColumn<QString>("control");
        for (const char *name : {"CmdStop", "cboDay", "txtAlrm", "txtMsg"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void f1OpensHelpFromEveryControl() {
        QFETCH(QString, control);
        TestRig rig;
        QFile(rig.folder() + QStringLiteral("VKhelp-en.html")).open(QIODevice::WriteOnly);
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        QTest::keyClick(form->findChild<QWidget *>(control), Qt::Key_F1);
        QCOMPARE(rig.opener.opened.size(), 1);
        QCOMPARE(rig.opener.opened.first().toLocalFile(),
                 rig.folder() + QStringLiteral("VKhelp-en.html"));
    }

    void missingHelpPageIsExplained() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->menuLang_Click(1);
        QString shown;
        answer(QMessageBox::Ok, &shown);
        form->menuHelp_Click();
        QCOMPARE(shown, strings(Language::Danish).main.helpMissing + rig.folder() +
                            QStringLiteral("VKhelp-da.html"));
        QVERIFY(rig.opener.opened.isEmpty());
    }

    void messageFieldCopiesWithCtrlCAlone() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        auto *msg = child<QLineEdit>(*form, "txtMsg");
        msg->setText(QStringLiteral("Call Anna at noon"));
        msg->setSelection(5, 4);
        QApplication::clipboard()->setText(QStringLiteral("old"));
        QTest::keyClick(msg, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("old"));
        QVERIFY(form->saveDue());
        QTest::keyClick(msg, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Anna"));
    }

    void messageFieldNeverHoldsLineBreaks() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        auto *msg = child<QLineEdit>(*form, "txtMsg");
        msg->setText(QStringLiteral("one\r\ntwo\nthree"));
        QCOMPARE(msg->text(), QStringLiteral("one  two three"));
    }

    void rightPressOpensTheGeneralMenu_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("opens");
        for (const char *name : {"Label(0)", "Label(3)", "Label(4)", "Frame1", "CmdStop"}) {
            QTest::newRow(qPrintable(QStringLiteral("right on %1").arg(QLatin1String(name))))
                << QString::fromLatin1(name) << int(Qt::RightButton) << true;
            QTest::newRow(qPrintable(QStringLiteral("middle on %1").arg(QLatin1String(name))))
                << QString::fromLatin1(name) << int(Qt::MiddleButton) << false;
            QTest::newRow(qPrintable(QStringLiteral("left on %1").arg(QLatin1String(name))))
                << QString::fromLatin1(name) << int(Qt::LeftButton) << false;
        }
    }
    void rightPressOpensTheGeneralMenu() {
        QFETCH(QString, control);
        QFETCH(int, button);
        QFETCH(bool, opens);
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->show();
        QTest::mousePress(form->findChild<QWidget *>(control), Qt::MouseButton(button), {},
                          QPoint(2, 2));
        QCOMPARE(form->generalMenu()->isVisible(), opens);
        form->generalMenu()->hide();
    }

    void keyboardMenuKeyOpensTheGeneralMenu() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->show();
        auto *msg = child<QLineEdit>(*form, "txtMsg");
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(0, 0),
                                msg->mapToGlobal(QPoint(0, 0)));
        QApplication::sendEvent(msg, &event);
        QVERIFY(form->generalMenu()->isVisible());
        form->generalMenu()->hide();
    }

    void doubleClickMinimises_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("minimises");
        for (const char *name : {"Label(0)", "Label(3)", "Label(4)", "Frame1"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        for (const char *name : {"CmdStop", "txtAlrm", "txtMsg"})
            QTest::newRow(name) << QString::fromLatin1(name) << false;
    }
    void doubleClickMinimises() {
        QFETCH(QString, control);
        QFETCH(bool, minimises);
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->show();
        QTest::mouseDClick(form->findChild<QWidget *>(control), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(bool(form->windowState() & Qt::WindowMinimized), minimises);
    }

    void languageSwitch() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30"), 3));
        auto *english = form->findChild<QAction *>(QStringLiteral("menulang(0)"));
        auto *danish = form->findChild<QAction *>(QStringLiteral("menulang(1)"));
        auto *days = child<QComboBox>(*form, "cboDay");
        form->Timer1_Timer();

        form->menuLang_Click(-1);
        QVERIFY(!form->changed());
        QCOMPARE(form->language(), std::optional(Language::English));

        danish->trigger();
        QVERIFY(form->changed());
        QVERIFY(danish->isChecked() && !english->isChecked());
        QCOMPARE(form->language(), std::optional(Language::Danish));
        QCOMPARE(days->currentIndex(), 3);
        QCOMPARE(days->currentText(), QStringLiteral("Tir"));
        QCOMPARE(days->itemText(7), QStringLiteral("Lør"));
        QCOMPARE(caption(*form), QStringLiteral("Til ((o))"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Norvak Vekuret"));
        QCOMPARE(form->findChild<QAction *>(QStringLiteral("menuSound"))->text(),
                 QStringLiteral("Lyd ((o))"));
        QCOMPARE(child<QGroupBox>(*form, "Frame1")->toolTip(),
                 QStringLiteral("Alarmindstillinger. Højreklik for generel menu."));
        QCOMPARE(child<QLineEdit>(*form, "txtAlrm")->accessibleName(),
                 child<QLineEdit>(*form, "txtAlrm")->toolTip());
        QCOMPARE(form->helpPath(), rig.folder() + QStringLiteral("VKhelp-da.html"));
        form->CmdStop_Click();
        QCOMPARE(caption(*form), QStringLiteral("Fra"));
        QCOMPARE(english->text(), QStringLiteral("English"));
        QCOMPARE(danish->text(), QStringLiteral("Dansk"));

        english->trigger();
        QVERIFY(english->isChecked() && !danish->isChecked());
        QCOMPARE(caption(*form), QStringLiteral("Off"));
        QCOMPARE(form->helpPath(), rig.folder() + QStringLiteral("VKhelp-en.html"));
    }

    void exitAnsweredNoKeepsRunningButSaved() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        QSignalSpy quit(form.get(), &Form1::quitRequested);
        form->findChild<QLineEdit *>(QStringLiteral("txtMsg"))->setText(QStringLiteral("Bye"));
        QString question;
        answer(QMessageBox::No, &question);
        form->menuExit_Click();
        QCOMPARE(question, QStringLiteral("Do you really want to exit Vekora?"));
        QCOMPARE(quit.count(), 0);
        QCOMPARE(rig.iniLines().value(6), QStringLiteral("Bye"));
        answer(QMessageBox::Yes);
        form->menuExit_Click();
        QCOMPARE(quit.count(), 1);
    }

    void closeBoxAsksOnlyInNormalState() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        form->show();
        QSignalSpy quit(form.get(), &Form1::quitRequested);
        answer(QMessageBox::No);
        QVERIFY(!form->close());
        QCOMPARE(quit.count(), 0);
        form->ToMin();
        QFile::remove(rig.iniPath());
        QVERIFY(form->close()); // no question: a modal here would hang the test
        QCOMPARE(quit.count(), 1);
        QCOMPARE(rig.iniLines().value(1), QStringLiteral("1 1 "));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
