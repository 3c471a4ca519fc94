#pragma once

class QWidget;

// Moves a window in normal state so that all of it, frame and title bar included, lies on the
// available area of the screen it is mostly on (or its own screen when it is on none).
void clampToScreen(QWidget *window);

// Keeps the whole framed window on screen, now and once the window manager has framed it.
void keepWholeOnScreen(QWidget *window);
