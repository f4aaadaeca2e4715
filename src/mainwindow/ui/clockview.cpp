#include "mainwindow/ui/clockview.h"

#include "mainwindow/lessonstatus.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

ClockView::ClockView(const QImage &face, QWidget *parent)
    : QWidget(parent), face_(clocksize, clocksize, QImage::Format_RGB32)
{
    setFixedSize(clocksize, clocksize);
    // Each second copies this picture and draws the hands on it: nothing
    // to blend, nothing to fill first.
    face_.fill(Qt::white);
    QPainter(&face_).drawImage(0, 0, face);
    // Shaped like what it draws (the face, the reach of the hands and the
    // digital time) and opaque inside that shape: a new second repaints the
    // clock alone, and the box's frame shows around it untouched.
    QRegion shape = face.hasAlphaChannel() ? QRegion(QBitmap::fromImage(face.createAlphaMask())) : QRegion(face.rect());
    const int reach = clocksize / 3 + 2;
    shape += QRegion(clocksize / 2 - reach, clocksize / 2 - reach, 2 * reach, 2 * reach, QRegion::Ellipse);
    const DigitalClockFonts &fonts = digitalclockfonts();
    const int digitalheight = std::max(QFontMetrics(fonts.time).height(), 4 + QFontMetrics(fonts.seconds).height());
    shape += QRect(20, 44, clocksize - 20, digitalheight);
    setMask(shape);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ClockView::showtime(QTime time, bool digital)
{
    const QTime second(time.hour(), time.minute(), time.second());
    if (second == time_ && digital == digital_)
        return;
    time_ = second;
    digital_ = digital;
    update();
}

void ClockView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The face on the white of the framed box the clock stands in (the mask
    // keeps that white off the frame).
    painter.drawImage(0, 0, face_);
    if (time_.isValid())
        drawclockhands(painter, time_, digital_);
}
