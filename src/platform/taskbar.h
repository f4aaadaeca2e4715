#pragma once
// The taskbar stand-in: a desktop's panels are the parts of a screen outside
// its available area.

#include <QRect>

// Which edge of the screen the taskbar (the part of the screen outside the
// available area) lies on: 0 top, 1 bottom, 2 left, 3 right, -1 none.
int gettaskbarposition(const QRect &screen, const QRect &available, QRect *taskbar = nullptr);
