#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

// The text caret blinks only for a while after the user's last key, click or return to a window,
// then stays shown without blinking, as GTK does: a clock window that keeps the focus all day
// would otherwise repaint its message field and everything under it twice a second for nothing.
class CaretRest : public QObject {
public:
    explicit CaretRest(QObject *parent = nullptr,
                       std::chrono::milliseconds after = std::chrono::seconds(10));
    // Gives the application its blinking back.
    ~CaretRest() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wake();
    void rest();

    QTimer m_timer;
    int m_flashTime; // the desktop's own blink period
    bool m_resting = false;
};
