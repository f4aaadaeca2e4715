#pragma once
// The moon picture control: a stored picture of the full Moon
// with the unlit part of the given date painted black.

#include <QDateTime>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>

enum TMoonSize { ms64, ms32 };

// One row of the size table (`moonsizes`).
struct TMoonSizeRow {
    int width, height;
    QPoint centre; // of the disc
    int radius;
};

inline constexpr std::array<TMoonSizeRow, 2> moonsizes{{
    {64, 64, QPoint(31, 28), 28}, // ms64
    {32, 32, QPoint(15, 14), 14}, // ms32
}};

// The compiled-in pictures (`moonresnames`), as resource paths.
inline const std::array<QString, 2> moonresnames{
    QStringLiteral(":/moon/MOON_LARGE"),
    QStringLiteral(":/moon/MOON_SMALL"),
};

namespace moon {

// Paints the unlit part of a disc black for a phase in degrees (180 new,
// 0 and 360 full, below 180 waxing with the dark part on the left). Pixels
// outside the image are skipped. Needs no window.
void drawmoonshadow(QImage &picture, QPoint centre, int radius, long double phase);

} // namespace moon

class TMoon : public QWidget
{
    Q_OBJECT

public:
    // Shows the current date and time in the large size.
    explicit TMoon(QWidget *parent = nullptr);

    TMoonSize MoonSize() const { return moonsize_; }
    void setmoonsize(TMoonSize size);

    // Day number with the time as fraction (platform/daynumber.h).
    double Date() const { return date_; }
    void setdate(double date);
    void setdate(const QDateTime &when);

    // 0 <= phase < 360: 180 new moon, falling to 0 (full) while waxing, 360 down to 180 while waning.
    long double phase() const { return phase_; }
    // What the control shows: the picture with the shadow.
    const QImage &picture() const { return picture_; }

    void loadmoonbitmap();
    void drawmoonshadow();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage work_;
    QImage picture_;
    TMoonSize moonsize_ = ms64;
    long double phase_ = 0;
    double date_ = 0;
};
