#pragma once

#include "platform/attention.h"

// Plain Qt: the toolkit's beep, raise and activate, and no Num Lock.
class BasicAttention : public Attention {
public:
    void beep() override;
    void prepareBeep() override {}
    void bringToFront(QWidget *window) override;
    void bringToFrontAsked(QWidget *window, const QString &) override { bringToFront(window); }
    void pressNumLock() override {}
};
