#pragma once

// Plays a named event sound of the desktop's sound theme.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once; false when it could not be started.
    virtual bool play(const char *eventId) = 0;
};
