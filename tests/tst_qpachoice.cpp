#include "platform/qpachoice.h"

#include <QTest>

class TestQpaChoice : public QObject {
    Q_OBJECT
private slots:
    // xcb only where Wayland is the session, X is there too and the user chose nothing; an
    // empty variable counts as unset.
    void choice() {
        QStringList chosen;
        for (const char *vars : {"XDG_SESSION_TYPE=wayland DISPLAY=:1 QT_QPA_PLATFORM=",
                                 "WAYLAND_DISPLAY=w DISPLAY=:0 QT_QPA_PLATFORM=wayland",
                                 "WAYLAND_DISPLAY=w DISPLAY=", "WAYLAND_DISPLAY= DISPLAY=:0"}) {
            QProcessEnvironment env;
            for (const QString &var : QString::fromLatin1(vars).split(u' '))
                env.insert(var.section(u'=', 0, 0), var.section(u'=', 1));
            chosen << QString::fromLatin1(chooseQtPlatform(env));
        }
        QCOMPARE(chosen, (QStringList{"xcb", "", "", ""}));
    }
};

QTEST_GUILESS_MAIN(TestQpaChoice)
#include "tst_qpachoice.moc"
