#pragma once
// Keeping a window that grew on the screen.

#include <QPoint>
#include <QRect>

// Where a window's frame goes so that its right and bottom edges lie on
// `available` (a screen's area without panels): moved left and up only as
// far as needed, and never past the area's left or top edge, so its title
// bar stays reachable even when it is larger than the area.
QPoint keptonscreen(const QRect &frame, const QRect &available);
