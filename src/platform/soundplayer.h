#pragma once

// Plays a named event sound of the desktop's sound theme.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once; false when it could not be started.
    virtual bool play(const char *eventId) = 0;
    // Makes ready what playing it will need (the sound server's connection, the sound itself), so
    // that a later play starts at once.
    virtual void prepare(const char *eventId) = 0;
};
