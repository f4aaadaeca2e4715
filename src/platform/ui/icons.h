#pragma once
// The program's icons, drawn from their SVG files at the size they are shown.

#include <QPixmap>
#include <QString>

// The icon ":/icons/<name>" drawn at `size` on a transparent background
// (an empty transparent pixmap when there is no such icon). Cached.
QPixmap iconpixmap(const QString &name, QSize size);
