#include "core/windowplace.h"
#include "ui/onscreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

class TestWindowPlace : public QObject {
    Q_OBJECT
private slots:
    // A 1280 x 800 screen with a 30-pixel panel on top; a 160 x 100 window in a frame of
    // 3 pixels with a 20-pixel title bar, so the outer window is 166 x 123.
    void wholeFramedWindowOnScreen_data() {
        QTest::addColumn<QPoint>("wanted");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("inside stays") << QPoint(500, 300) << QPoint(500, 300);
        QTest::newRow("far left") << QPoint(-5000, 300) << QPoint(0, 300);
        QTest::newRow("far right") << QPoint(5000, 300) << QPoint(1280 - 166, 300);
        QTest::newRow("far up, under the panel") << QPoint(500, -5000) << QPoint(500, 30);
        QTest::newRow("far down") << QPoint(500, 5000) << QPoint(500, 800 - 123);
        QTest::newRow("border only off right")
            << QPoint(1280 - 164, 300) << QPoint(1280 - 166, 300);
        QTest::newRow("title bar only under panel") << QPoint(500, 20) << QPoint(500, 30);
        QTest::newRow("far corner") << QPoint(9000, 9000) << QPoint(1280 - 166, 800 - 123);
        QTest::newRow("int extremes") << QPoint(INT_MIN / 2, INT_MAX / 2) << QPoint(0, 800 - 123);
    }
    void wholeFramedWindowOnScreen() {
        QFETCH(QPoint, wanted);
        QFETCH(QPoint, expected);
        const QRect available(0, 30, 1280, 770);
        const QPoint place = placeWithin(wanted, {160, 100}, {3, 20, 3, 3}, available);
        QCOMPARE(place, expected);
        QVERIFY(available.contains(QRect(place, QSize(166, 123))));
    }

    // A second screen left of the first, and a screen smaller than the window: the title bar's
    // corner stays reachable.
    void otherAreas() {
        QCOMPARE(placeWithin({-5000, 100}, {160, 100}, {3, 20, 3, 3}, {-1024, 0, 1024, 768}),
                 QPoint(-1024, 100));
        QCOMPARE(placeWithin({50, 50}, {160, 100}, {3, 20, 3, 3}, {10, 20, 100, 80}),
                 QPoint(10, 20));
    }

    void clampsARealWindow() {
        QWidget window;
        window.resize(160, 100);
        window.move(100000, -100000);
        window.show();
        clampToScreen(&window);
        QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));
        window.showMinimized(); // a minimised window keeps its normal place
        window.move(100000, 100000);
        clampToScreen(&window);
        QCOMPARE(window.pos(), QPoint(100000, 100000));
    }
};

QTEST_MAIN(TestWindowPlace)
#include "tst_windowplace.moc"
