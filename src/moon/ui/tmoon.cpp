#include "moon/ui/tmoon.h"

#include "moon/moonphase.h"
#include "platform/daynumber.h"

#include <QColor>
#include <QPainter>

#include <cmath>

namespace moon {
namespace {

// The integer nearest to x, halves to the even one.
int roundhalfeven(long double x)
{
    const long double below = std::floor(x);
    const long double rest = x - below;
    long double result = below;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(below, 2.0L) != 0))
        result = below + 1;
    return int(result);
}

// The pixels from x1 towards x2 on row y, x2 itself not painted.
void blackline(QImage &picture, int x1, int x2, int y)
{
    if (y < 0 || y >= picture.height())
        return;
    const int step = x2 > x1 ? 1 : -1;
    for (int x = x1; x != x2; x += step) {
        if (x >= 0 && x < picture.width())
            picture.setPixelColor(x, y, QColor(0, 0, 0));
    }
}

} // namespace

void drawmoonshadow(QImage &picture, QPoint centre, int radius, long double phase)
{
    if (picture.isNull() || !std::isfinite(phase) || radius < 0)
        return;
    if (picture.format() == QImage::Format_Indexed8 || picture.format() == QImage::Format_Mono
        || picture.format() == QImage::Format_MonoLSB)
        picture.convertTo(QImage::Format_ARGB32);
    const long double c = cosdeg(phase);
    const int cx = centre.x();
    const int cy = centre.y();
    for (int k = 0; k <= radius; ++k) {
        const long double h = std::sqrt(static_cast<long double>(radius * radius - k * k));
        const int a = roundhalfeven(h);
        const int b = roundhalfeven(h * c);
        int x1, x2;
        if (phase < 180) { // waxing: the unlit part on the left
            x1 = cx - b;
            x2 = cx - a - 1;
        } else {
            x1 = cx + b;
            x2 = cx + a + 1;
        }
        blackline(picture, x1, x2, cy + k);
        blackline(picture, x1, x2, cy - k);
    }
}

} // namespace moon

TMoon::TMoon(QWidget *parent) : QWidget(parent)
{
    setdate(QDateTime::currentDateTime());
    setmoonsize(ms64);
}

void TMoon::setmoonsize(TMoonSize size)
{
    moonsize_ = size;
    const TMoonSizeRow &row = moonsizes[size];
    setFixedSize(row.width, row.height);
    loadmoonbitmap();
}

void TMoon::setdate(double date)
{
    date_ = date;
    phase_ = moon::putin360(moon::moonphaseangle(date));
    loadmoonbitmap();
    drawmoonshadow(); // once more; painting black twice changes nothing
    update();
}

void TMoon::setdate(const QDateTime &when)
{
    setdate(daynumber::fromdatetime(when));
}

void TMoon::loadmoonbitmap()
{
    const TMoonSizeRow &row = moonsizes[moonsize_];
    if (!work_.load(moonresnames[moonsize_])) {
        // Not reached with the pictures compiled in; keeps the size anyway.
        work_ = QImage(row.width, row.height, QImage::Format_ARGB32);
        work_.fill(Qt::transparent);
    }
    picture_ = work_.convertToFormat(QImage::Format_ARGB32);
    drawmoonshadow();
    update();
}

void TMoon::drawmoonshadow()
{
    const TMoonSizeRow &row = moonsizes[moonsize_];
    moon::drawmoonshadow(picture_, row.centre, row.radius, phase_);
}

void TMoon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}
