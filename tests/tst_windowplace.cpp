#include "core/windowplace.h"
#include "ui/onscreen.h"

#include <QScreen>
#include <QTest>
#include <QWidget>

class TestWindowPlace : public QObject {
    Q_OBJECT
private slots:
    // A 1280 x 800 screen with a 30-pixel panel on top; a 160 x 100 window in a frame of
    // 3 pixels with a 20-pixel title bar, so the outer window is 166 x 123.
    void wholeFramedWindowOnScreen() {
        const QRect available(0, 30, 1280, 770);
        // Where the window is wanted, where it goes.
        const std::pair<QPoint, QPoint> cases[] = {{{500, 300}, {500, 300}},
                                                   {{-5000, 300}, {0, 300}},
                                                   {{5000, 300}, {1280 - 166, 300}},
                                                   {{500, -5000}, {500, 30}}, // under the panel
                                                   {{500, 5000}, {500, 800 - 123}},
                                                   {{1280 - 164, 300}, {1280 - 166, 300}}, // border
                                                   {{500, 20}, {500, 30}}, // title bar only
                                                   {{9000, 9000}, {1280 - 166, 800 - 123}},
                                                   {{INT_MIN / 2, INT_MAX / 2}, {0, 800 - 123}}};
        for (const auto &[wanted, expected] : cases) {
            const QPoint place = placeWithin(wanted, {160, 100}, {3, 20, 3, 3}, available);
            QCOMPARE(place, expected);
            QVERIFY(available.contains(QRect(place, QSize(166, 123))));
        }
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
