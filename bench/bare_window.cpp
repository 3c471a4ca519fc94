// The yardstick for bench/run: the least a Qt Widgets clock can be. One window of the main
// window's size (2430 x 1515 twips, 162 x 101 px) with one label whose text is set once a
// second, started the way the real program is started.

#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare clock"));
    window.setFixedSize(162, 101);
    QLabel label(&window);
    label.setGeometry(window.rect());
    label.setAlignment(Qt::AlignCenter);
    const auto show = [&label] {
        label.setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    };
    show();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &label, show);
    timer.start(1000);
    window.show();
    return app.exec();
}
