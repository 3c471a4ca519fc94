#include "platform/desktopattention.h"

#include "platform/numlock.h"
#include "platform/soundplayer.h"

#include <QApplication>

DesktopAttention::DesktopAttention(SoundPlayer &player, std::function<void()> lastResort)
    : m_player(player), m_lastResort(lastResort ? std::move(lastResort) : &QApplication::beep) {}

void DesktopAttention::beep() {
    // Older or minimal sound themes lack the alarm sound but nearly all have the bell; with no
    // sound server at all only the toolkit's beep is left.
    if (m_player.play("alarm-clock-elapsed") || m_player.play("bell"))
        return;
    m_lastResort();
}

void DesktopAttention::blinkNumLock() {
    blinkNumLockOnDesktop();
}
