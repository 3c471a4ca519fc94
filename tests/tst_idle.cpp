// What a clock left running all day does not do: change controls that show nothing new, animate
// hidden windows, build windows nobody opened, blink a caret nobody watches.

#include "fakes.h"
#include "ui/aboutwindow.h"
#include "ui/caretrest.h"
#include "ui/welcomewindow.h"

#include <QStyleHints>
#include <QtTest>

namespace {
// Which widgets were told that their text, title, font or colours changed.
class ChangeWatch : public QObject {
public:
    explicit ChangeWatch(QWidget &window) {
        window.installEventFilter(this);
        for (QWidget *w : window.findChildren<QWidget *>())
            w->installEventFilter(this);
    }
    QSet<QString> changed;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        switch (event->type()) {
        case QEvent::WindowTitleChange:
        case QEvent::FontChange:
        case QEvent::PaletteChange:
        case QEvent::StyleChange:
            changed << watched->objectName();
            break;
        default:
            break;
        }
        return false;
    }
};
} // namespace

class TestIdle : public QObject {
    Q_OBJECT
private slots:
    // While the alarm rings, the time display's colours flash, and nothing else changes.
    void ticksInsideAMinuteTouchOnlyTheTime() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 8), 9, 40);
        auto form = rig.started(iniWithAlarm(QStringLiteral("09:40")));
        form->controller().tick();
        QCOMPARE(form->controller().model().switchState(), std::optional(SwitchState::Ringing));
        ChangeWatch watch(*form);
        for (int i = 0; i < 50; ++i) {
            rig.clock.advance(1);
            form->controller().tick();
        }
        QCOMPARE(QStringList(watch.changed.begin(), watch.changed.end()),
                 QStringList{"timeDisplay"});
    }

    void secondaryWindowsAreMadeWhenFirstShown() {
        TestRig rig;
        auto form = rig.started(iniWithAlarm(QStringLiteral("07:30")));
        QVERIFY(!form->findChild<WelcomeWindow *>());
        QVERIFY(!form->findChild<AboutWindow *>());
        form->controller().setLanguage(1);
        form->showAbout(); // made now, in the language chosen before
        AboutWindow *about = form->findChild<AboutWindow *>();
        QVERIFY(about && about->isVisible() && !about->isModal());
        QCOMPARE(child<QPushButton>(*about, "cmdClose")->text(), QStringLiteral("Luk"));
    }

    void welcomeMarkerMovesOnlyWhileShown() {
        WelcomeWindow welcome;
        auto *timer = welcome.findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(!timer->isActive());
        welcome.show();
        QVERIFY(timer->isActive());
        welcome.hide();
        QVERIFY(!timer->isActive());
    }

    void caretRestsUntilTheNextInput() {
        QStyleHints *hints = QGuiApplication::styleHints();
        const int blink = hints->cursorFlashTime();
        QVERIFY(blink > 0);
        QWidget window;
        {
            CaretRest rest(nullptr, std::chrono::milliseconds(20));
            QVERIFY(QTest::qWaitFor([&] { return hints->cursorFlashTime() == 0; }));
            QTest::keyClick(&window, Qt::Key_A);
            QCOMPARE(hints->cursorFlashTime(), blink);
            QVERIFY(QTest::qWaitFor([&] { return hints->cursorFlashTime() == 0; }));
        }
        QCOMPARE(hints->cursorFlashTime(), blink); // given back when the window goes
    }
};

QTEST_MAIN(TestIdle)
#include "tst_idle.moc"
