#include "app/commandline.h"
#include "platform/canberraplayer.h"
#include "platform/dbusnotifier.h"
#include "platform/dbuswakescheduler.h"
#include "platform/desktopattention.h"
#include "platform/desktopopener.h"
#include "platform/logindinhibitor.h"
#include "platform/paths.h"
#include "platform/qpachoice.h"
#include "platform/qtenvironment.h"
#include "platform/runrecord.h"
#include "platform/signalwatcher.h"
#include "platform/singleinstance.h"
#include "platform/systemclock.h"
#include "ui/mainwindow.h"
#include "ui/onscreen.h"

#include <QApplication>
#include <QDBusConnection>
#include <QRandomGenerator>
#include <QSessionManager>
#include <QStandardPaths>
#include <csignal>

int main(int argc, char *argv[]) {
    if (const auto status = handleStartup(argc, argv))
        return *status;
    QtEnvironment qtEnvironment;
    // Where both exist, X11 lets the window keep its place, come to the front and blink Num Lock.
    if (const QByteArray qpa = chooseQtPlatform(ownEnvironmentVariable); !qpa.isEmpty())
        qtEnvironment.request("QT_QPA_PLATFORM", qpa);
    // On X11 the window's pixels go to the X server through its socket, not in shared memory:
    // with shared memory Qt waits before each paint for the server to be done with the last one,
    // a round trip that wakes the program twice more every second all night, for a strip of
    // clock that goes through the socket as quickly. Qt takes the variable being set at all as
    // "no shared memory".
    qtEnvironment.request("QT_XCB_NO_MITSHM", "1");

    QApplication app(argc, argv);
    qtEnvironment.restore();
    QApplication::setApplicationName(QStringLiteral("Vekora"));
    QApplication::setApplicationVersion(QStringLiteral(VEKORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("vekora"));

    SystemClock clock;
    CanberraPlayer player;
    DesktopAttention attention(player);
    DBusNotifier notifier([] { return QDBusConnection::sessionBus(); });
    DesktopOpener opener;
    LogindInhibitor sleep(QDBusConnection::systemBus());
    DBusWakeScheduler wake(QDBusConnection::systemBus());
    QRandomGenerator random(QRandomGenerator::securelySeeded());

    Platform platform;
    platform.clock = &clock;
    platform.attention = &attention;
    platform.notifier = &notifier;
    platform.opener = &opener;
    platform.sleep = &sleep;
    platform.wake = &wake;
    platform.random = [&random] { return random.generateDouble(); };
    platform.programFolder = programFolder();
    platform.dataFolder = dataFolder(platform.programFolder);
    platform.settingsFile = settingsFilePath(platform.programFolder);
    platform.settingsReadFile = settingsReadPath(platform.programFolder);
    platform.cacheFolder = helpCacheFolder();
    platform.runRecordFile = RunRecord::pathFor(platform.settingsFile);

    // Before the window reads or writes anything: a copy already running with these settings
    // gets its window back, and this one leaves the settings alone.
    SingleInstance instance(platform.settingsFile);
    if (!instance.claim())
        return 0;

    MainWindow window(platform);
    QObject::connect(&instance, &SingleInstance::activationRequested, &window,
                     &MainWindow::showAgain);
    // A quit asked for while the start-up's modal windows run would be forgotten by app.exec(),
    // and quit() itself does nothing before app.exec(): a session's end while the start-up's
    // About window was open (one start in fifteen) waited for someone to close that window.
    // exit() ends the modal window's loop, and any loop still to come, at once.
    std::optional<int> quitAsked;
    QObject::connect(
        &window, &MainWindow::quitRequested, &app,
        [&quitAsked](int status) {
            quitAsked = status;
            QApplication::exit(status);
        },
        Qt::QueuedConnection);

    // The end of the session saves at once and asks nothing: nobody is there to answer.
    SignalWatcher sessionSignals({SIGTERM, SIGHUP, SIGINT});
    QObject::connect(&sessionSignals, &SignalWatcher::received, &window, &MainWindow::saveAndQuit);
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager &) { window.saveAndQuit(); });
#endif

    window.start();
    if (quitAsked)
        return *quitAsked;
    if (!window.isVisible())
        window.show();
    keepWholeOnScreen(&window);
    return app.exec();
}
