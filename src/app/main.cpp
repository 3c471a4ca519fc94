#include "app/commandline.h"
#include "platform/clock.h"
#include "platform/dbusnotifier.h"
#include "platform/desktopattention.h"
#include "platform/opener.h"
#include "platform/paths.h"
#include "platform/qpachoice.h"
#include "platform/soundplayer.h"
#include "ui/form1.h"

#include <QApplication>
#include <QDBusConnection>
#include <QProcessEnvironment>
#include <QRandomGenerator>

int main(int argc, char *argv[]) {
    if (const auto status = handleStartup(argc, argv))
        return *status;
    // Where both exist, X11 lets the window keep its place, come to the front and blink Num Lock.
    if (const QByteArray qpa = chooseQtPlatform(QProcessEnvironment::systemEnvironment());
        !qpa.isEmpty())
        qputenv("QT_QPA_PLATFORM", qpa);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vekora"));
    QApplication::setApplicationVersion(QStringLiteral(VEKORA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("vekora"));

    SystemClock clock;
    CanberraPlayer player;
    DesktopAttention attention(player);
    DBusNotifier notifier([] { return QDBusConnection::sessionBus(); });
    DesktopOpener opener;
    QRandomGenerator random(QRandomGenerator::securelySeeded());

    Platform platform;
    platform.clock = &clock;
    platform.attention = &attention;
    platform.notifier = &notifier;
    platform.opener = &opener;
    platform.random = [&random] { return random.generateDouble(); };
    platform.programFolder = programFolder();
    platform.dataFolder = dataFolder(platform.programFolder);
    platform.settingsFile = settingsFilePath(platform.programFolder);

    Form1 form1(platform);
    QObject::connect(&form1, &Form1::quitRequested, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    form1.Form_Load();
    if (!form1.isVisible())
        form1.show();
    return app.exec();
}
