#pragma once
// The calendar icons: picture 2n is icon n (0 to 8), picture 2n + 1 the same
// icon with the reminder bell.

#include <QIcon>
#include <QPixmap>

constexpr int calendarpicturecount = 18;

// Picture `index` at `size`; an index outside the list gives icon 0.
QPixmap calendarpicture(int index, QSize size = QSize(32, 32));

// The same as an icon for list rows (made once and shared).
QIcon calendaricon(int index);
