#include "platform/desktopattention.h"

#include "platform/activewindow.h"
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

void DesktopAttention::prepareBeep() {
    m_player.prepare("alarm-clock-elapsed");
}

void DesktopAttention::bringToFrontAsked(QWidget *window, const QString &activationToken) {
    // Under native Wayland only the compositor's token lets a window take the focus. Qt 6.4 has
    // no call to hand one to a window; its Wayland plugin looks for this variable when asked to
    // activate one, and the help viewer started later must not inherit a spent token.
    const bool wayland = QGuiApplication::platformName().startsWith(u"wayland");
    if (wayland && !activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    bringToFront(window);
    if (wayland)
        qunsetenv("XDG_ACTIVATION_TOKEN");
    requestActiveWindow(window, activationToken);
}

void DesktopAttention::pressNumLock() {
    pressNumLockOnDesktop();
}
