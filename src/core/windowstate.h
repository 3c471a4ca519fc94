#pragma once

// How the main window is shown; the settings file stores the number.
enum class WindowState { Normal = 0, Minimised = 1, Maximised = 2 };
