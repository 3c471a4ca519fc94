#pragma once

#include "platform/basicattention.h"

#include <functional>

class SoundPlayer;

// The real desktop: the alarm sound of the sound theme, XTest Num Lock presses on X11, the
// toolkit's raise and activate, and a request the window manager grants for a user's click.
class DesktopAttention final : public BasicAttention {
public:
    // `player` must outlive this object. `lastResort` sounds when the theme has no sound to play;
    // by default the toolkit's beep.
    explicit DesktopAttention(SoundPlayer &player, std::function<void()> lastResort = {});

    void beep() override;
    void prepareBeep() override;
    void bringToFrontAsked(QWidget *window, const QString &activationToken) override;
    void pressNumLock() override;

private:
    SoundPlayer &m_player;
    std::function<void()> m_lastResort;
};
