#pragma once
// The program's pictures: icons drawn from their SVG files at the size they
// are shown, and colours as the settings store them.

#include <QColor>
#include <QPixmap>
#include <QRegion>
#include <QString>

// The icon ":/icons/<name>" drawn at `size` on a transparent background
// (an empty transparent pixmap when there is no such icon). Cached.
QPixmap iconpixmap(const QString &name, QSize size);

// A colour value $00BBGGRR as a QColor.
QColor wincolor(quint32 value);

// The window shape of a picture drawn with a key colour around it: every
// pixel that is not exactly `key`.
QRegion regionwithout(const QImage &image, QRgb key);
