// A clock left running all day changes no control that shows nothing new.

#include "fakes.h"

#include <QtTest>

// Which widgets were told that their title, font, colours or style changed.
class ChangeWatch : public QObject {
public:
    QSet<QString> changed;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (QList{QEvent::WindowTitleChange, QEvent::FontChange, QEvent::PaletteChange,
                  QEvent::StyleChange}
                .contains(event->type()))
            changed << watched->objectName();
        return false;
    }
};

class TestIdle : public QObject {
    Q_OBJECT
private slots:
    // While the alarm rings, the time display's colours flash, and nothing else changes.
    void ticksInsideAMinuteTouchOnlyTheTime() {
        TestRig rig;
        rig.clock.set(QDate(2026, 12, 8), 9, 40);
        auto form = rig.started(iniWithAlarm(QStringLiteral("09:40")));
        form->Timer1_Timer();
        ChangeWatch watch;
        for (QWidget *widget : form->findChildren<QWidget *>() << form.get())
            widget->installEventFilter(&watch);
        for (int i = 0; i < 50; ++i) {
            rig.clock.advance(1);
            form->Timer1_Timer();
        }
        QCOMPARE(QStringList(watch.changed.begin(), watch.changed.end()), QStringList{"Label(4)"});
    }
};

QTEST_MAIN(TestIdle)
#include "tst_idle.moc"
