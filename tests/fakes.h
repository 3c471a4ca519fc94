#pragma once

// Stand-ins for everything the program asks of the operating system.

#include "core/settingscodec.h"
#include "platform/alarmnotifier.h"
#include "platform/attention.h"
#include "platform/clock.h"
#include "platform/settingsfile.h"
#include "platform/sleepinhibitor.h"
#include "platform/urlopener.h"
#include "platform/wakescheduler.h"
#include "ui/aboutwindow.h"
#include "ui/alarmcontroller.h"
#include "ui/mainwindow.h"
#include "ui/welcomewindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <functional>
#include <memory>

class FakeClock : public Clock {
public:
    ClockSample sample{0, QDate(2026, 12, 7)}; // a Monday
    ClockSample now() const override { return sample; }
    void set(const QDate &date, int h, int m, double s = 0) {
        sample = {h * 3600 + m * 60 + s, date};
    }
    // Real time goes on: across a daylight-saving change the local reading jumps, with no gap.
    void advance(double seconds) {
        sample = ClockSample(sample.moment.addMSecs(std::llround(seconds * 1000)));
    }
};

class RecordingAttention : public Attention {
public:
    QStringList calls;
    QList<qint64> pressedAt; // ms, one per Num Lock press
    QElapsedTimer clock;
    RecordingAttention() { clock.start(); }
    void beep() override { calls << QStringLiteral("beep"); }
    void prepareBeep() override { calls << QStringLiteral("prepare"); }
    void bringToFront(QWidget *) override { calls << QStringLiteral("front"); }
    void bringToFrontAsked(QWidget *, const QString &token) override {
        calls << QStringLiteral("asked ") + token;
    }
    void pressNumLock() override {
        calls << QStringLiteral("numlock");
        pressedAt << clock.elapsed();
    }
};

// The notifications as "title|body" while shown; "-" once withdrawn.
class RecordingNotifier : public AlarmNotifier {
public:
    QStringList ringing, snoozed, notices;
    void showRinging(const QString &title, const QString &body) override {
        ringing << title + u'|' + body;
    }
    void withdrawRinging() override { ringing << QStringLiteral("-"); }
    void showSnoozed(const QString &title, const QString &body) override {
        snoozed << title + u'|' + body;
    }
    void withdrawSnoozed() override { snoozed << QStringLiteral("-"); }
    void notice(const QString &title, const QString &body) override {
        notices << title + u'|' + body;
    }
};

class RecordingOpener : public UrlOpener {
public:
    QList<QUrl> opened;
    bool open(const QUrl &url) override {
        opened << url;
        return true;
    }
};

class RecordingWakeScheduler : public WakeScheduler {
public:
    std::optional<qint64> wakeup; // what the system would hold now
    void setWakeup(qint64 epochSeconds) override { wakeup = epochSeconds; }
    void clearWakeup() override { wakeup.reset(); }
};

class RecordingSleepInhibitor : public SleepInhibitor {
public:
    bool held = false;
    void hold(const QString &) override { held = true; }
    void release() override { held = false; }
};

// A program folder of its own, with fakes behind every seam.
struct TestRig {
    QTemporaryDir dir;
    FakeClock clock;
    RecordingAttention attention;
    RecordingNotifier notifier;
    RecordingOpener opener;
    RecordingSleepInhibitor sleep;
    RecordingWakeScheduler wake;
    double draw = 0.5; // the About window's random draw: hits when draw * 15 is in [1, 2)

    QString folder() const { return dir.path() + u'/'; }
    QString iniPath() const { return folder() + QStringLiteral("Vekora.ini"); }

    Platform platform() {
        Platform p;
        p.clock = &clock;
        p.attention = &attention;
        p.notifier = &notifier;
        p.opener = &opener;
        p.sleep = &sleep;
        p.wake = &wake;
        p.random = [this] { return draw; };
        p.programFolder = folder();
        p.dataFolder = folder();
        p.settingsFile = iniPath();
        p.runRecordFile = folder() + QStringLiteral("lastrun");
        return p;
    }

    void writeIni(const QStringList &lines) {
        QFile f(iniPath());
        f.open(QIODevice::WriteOnly);
        for (const QString &line : lines)
            f.write(line.toUtf8() + "\r\n");
    }

    QStringList iniLines() const {
        return decodeSettingsLines(readSettingsFile(iniPath()).value_or(QByteArray()));
    }

    // A main window whose own timer is stopped: the test drives every tick.
    std::unique_ptr<MainWindow> window() {
        return stopped(std::make_unique<MainWindow>(platform()));
    }
    static std::unique_ptr<MainWindow> stopped(std::unique_ptr<MainWindow> window) {
        window->findChild<QTimer *>(QStringLiteral("tickTimer"))->stop();
        return window;
    }

    // A started window over a settings file: the usual way into a test.
    std::unique_ptr<MainWindow> started(const QStringList &ini) {
        writeIni(ini);
        auto window = this->window();
        window->start();
        return window;
    }
};

// A control by its objectName, as the tests know the window.
template <typename T = QWidget> T *child(const QObject &parent, const char *name) {
    return parent.findChild<T *>(QString::fromLatin1(name));
}

inline bool minimised(const QWidget &w) {
    return w.windowState() & Qt::WindowMinimized;
}

// Answers the latest message box shown now that has `button`, giving its text.
inline QString answerMessage(const QWidget &window, QMessageBox::StandardButton button) {
    const QList<QMessageBox *> boxes = window.findChildren<QMessageBox *>();
    for (auto box = boxes.rbegin(); box != boxes.rend(); ++box) {
        if ((*box)->isVisible() && (*box)->button(button)) {
            const QString text = (*box)->text();
            (*box)->button(button)->click();
            return text;
        }
    }
    return QStringLiteral("(no message)");
}

// Runs action on the next modal window as soon as it is shown: tests answer dialogs themselves.
inline void onNextModal(std::function<void(QWidget *)> action) {
    auto *poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start();
}

// English, sound on, normal window, every day, the given alarm text, armed.
inline QStringList iniWithAlarm(const QString &alarm, int weekday = 0,
                                const QString &caption = QStringLiteral("On ((o))")) {
    return {"0", "1 0 ", " 0 ", " 0 ", QStringLiteral(" %1 ").arg(weekday), alarm, "", caption};
}

// A click on the alarm switch, as the user gives it.
inline void clickSwitch(MainWindow &window) {
    child<QPushButton>(window, "alarmSwitch")->click();
}
