#pragma once

// The alarm switch's states; the numbers are those its caption table is indexed by.
enum class SwitchState { Error = 0, Ringing = 1, Armed = 3, Off = 4 };
