#pragma once

// Plays a named event sound of the desktop's sound theme.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once; false when it could not be started.
    virtual bool play(const char *eventId) = 0;
};

struct ca_context;

// Event sounds through libcanberra, which follows the user's sound theme and sound server.
// Its context, and with it the sound driver, is made at the first sound: most runs ring never.
class CanberraPlayer final : public SoundPlayer {
public:
    CanberraPlayer() = default;
    ~CanberraPlayer() override;
    CanberraPlayer(const CanberraPlayer &) = delete;
    CanberraPlayer &operator=(const CanberraPlayer &) = delete;

    bool play(const char *eventId) override;

private:
    bool ensureContext();

    ca_context *m_context = nullptr; // null until the first sound, and when it could not be made
    bool m_tried = false;
};
