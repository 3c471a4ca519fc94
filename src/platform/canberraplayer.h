#pragma once

#include "platform/soundplayer.h"

struct ca_context;

// Event sounds through libcanberra, which follows the user's sound theme and sound server.
// The library, its context and with it the sound driver are loaded at the first sound: most runs
// never ring, and libcanberra brings five libraries of its own.
class CanberraPlayer final : public SoundPlayer {
public:
    CanberraPlayer() = default;
    ~CanberraPlayer() override;
    CanberraPlayer(const CanberraPlayer &) = delete;
    CanberraPlayer &operator=(const CanberraPlayer &) = delete;

    bool play(const char *eventId) override;
    void prepare(const char *eventId) override;

private:
    bool ensureContext();

    struct Api;
    const Api *m_api = nullptr;      // null until the first sound, and when the library is missing
    ca_context *m_context = nullptr; // likewise
    bool m_tried = false;
};
