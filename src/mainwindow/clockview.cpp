#include "mainwindow/clockview.h"

#include "mainwindow/lessonstatus.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

ClockView::ClockView(QImage face, QWidget *parent) : QWidget(parent), face_(std::move(face))
{
    setFixedSize(clocksize, clocksize);
    // Shaped like what it draws (the face, the reach of the hands and the
    // digital time) and opaque inside that shape: a new second repaints the
    // clock alone, and the box's frame shows around it untouched.
    QRegion shape(QBitmap::fromImage(face_.createAlphaMask()));
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
    // The white of the framed box the clock stands in (the mask keeps it
    // off the frame).
    painter.fillRect(rect(), Qt::white);
    if (time_.isValid())
        drawclock(painter, face_, time_, digital_);
}
