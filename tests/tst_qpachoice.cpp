#include "platform/qpachoice.h"

#include <QTest>

class TestQpaChoice : public QObject {
    Q_OBJECT
private slots:
    void choice_data() {
        QTest::addColumn<QStringList>("vars"); // NAME=value; a bare "NAME=" is set but empty
        QTest::addColumn<QByteArray>("expected");
        const QByteArray xcb("xcb"), qt; // empty: leave Qt's own choice
        QTest::newRow("wayland + xwayland")
            << QStringList{"WAYLAND_DISPLAY=w", "DISPLAY=:0"} << xcb;
        QTest::newRow("session type only")
            << QStringList{"XDG_SESSION_TYPE=wayland", "DISPLAY=:1"} << xcb;
        QTest::newRow("empty platform var")
            << QStringList{"WAYLAND_DISPLAY=w", "DISPLAY=:0", "QT_QPA_PLATFORM="} << xcb;
        QTest::newRow("user's choice wins")
            << QStringList{"WAYLAND_DISPLAY=w", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"} << qt;
        QTest::newRow("wayland without x") << QStringList{"WAYLAND_DISPLAY=w"} << qt;
        QTest::newRow("empty DISPLAY") << QStringList{"WAYLAND_DISPLAY=w", "DISPLAY="} << qt;
        QTest::newRow("empty WAYLAND_DISPLAY on x11")
            << QStringList{"WAYLAND_DISPLAY=", "DISPLAY=:0"} << qt;
    }
    void choice() {
        QFETCH(QStringList, vars);
        QFETCH(QByteArray, expected);
        QProcessEnvironment env;
        for (const QString &var : vars)
            env.insert(var.section(u'=', 0, 0), var.section(u'=', 1));
        QCOMPARE(chooseQtPlatform(env), expected);
    }
};

QTEST_GUILESS_MAIN(TestQpaChoice)
#include "tst_qpachoice.moc"
