#pragma once
// Colours as the settings store them, and the shapes of pictures drawn
// with a key colour around them.

#include <QColor>
#include <QImage>
#include <QRegion>

// A colour value $00BBGGRR as a QColor.
QColor wincolor(quint32 value);

// The window shape of a picture drawn with a key colour around it: every
// pixel that is not exactly `key`.
QRegion regionwithout(const QImage &image, QRgb key);
