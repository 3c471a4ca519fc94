#pragma once

// The alarm switch: what the alarm is doing, and what a click on the switch does next.
enum class SwitchState {
    Error,   // the alarm time cannot be read; nothing rings
    Ringing, // until stopped
    Armed,   // rings at its next moment
    Off,
};
