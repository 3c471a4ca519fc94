#include "ui/onscreen.h"

#include "core/windowplace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {
// How long to wait for the window manager's frame before trusting the frame we have.
constexpr int frameWaitMs = 5000;

// The frame's size is only known once the window manager has put the window into it, some time
// after show(): until then the outer window is taken for the inner one, which lets a window
// stored at the right edge keep its border off screen. This watches for that moment, clamps
// once more and goes away, so that later moves by the user are left alone.
class FrameWatch : public QObject {
public:
    explicit FrameWatch(QWidget *window) : QObject(window), m_window(window) {
        window->installEventFilter(this);
        QTimer::singleShot(frameWaitMs, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        const auto type = event->type();
        if (watched == m_window &&
            (type == QEvent::Move || type == QEvent::Show || type == QEvent::Resize)) {
            if (m_window->frameGeometry() != m_window->geometry()) {
                // Moving from inside the event that reports the frame would re-enter it.
                QTimer::singleShot(0, m_window, [w = m_window] { clampToScreen(w); });
                m_window->removeEventFilter(this);
                deleteLater();
            }
        }
        return false;
    }

private:
    QWidget *m_window;
};
} // namespace

void clampToScreen(QWidget *window) {
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    QScreen *screen = QGuiApplication::screenAt(outer.center());
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QPoint place =
        placeWithin(outer.topLeft(), inner.size(), frame, screen->availableGeometry());
    if (place != outer.topLeft())
        window->move(place);
}

void keepWholeOnScreen(QWidget *window) {
    clampToScreen(window);
    if (window->frameGeometry() == window->geometry())
        new FrameWatch(window);
}
