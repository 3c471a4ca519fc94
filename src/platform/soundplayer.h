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
class CanberraPlayer final : public SoundPlayer {
public:
    CanberraPlayer();
    ~CanberraPlayer() override;
    CanberraPlayer(const CanberraPlayer &) = delete;
    CanberraPlayer &operator=(const CanberraPlayer &) = delete;

    bool play(const char *eventId) override;

private:
    ca_context *m_context = nullptr; // null when libcanberra could not set up a context
};
