#pragma once

class QWidget;

// What a ringing alarm does to get noticed.
class Attention {
public:
    virtual ~Attention() = default;
    virtual void beep() = 0;
    virtual void bringToFront(QWidget *window) = 0;
    // Two presses, so the Num Lock state ends as it was and only its light blinks.
    virtual void blinkNumLock() = 0;
};

// Plain Qt: the toolkit's beep, raise and activate, and no Num Lock.
class BasicAttention : public Attention {
public:
    void beep() override;
    void bringToFront(QWidget *window) override;
    void blinkNumLock() override {}
};
