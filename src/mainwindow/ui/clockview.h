#pragma once

// The Overview's clock: the face with analog hands or the digital time.
// It paints itself rather than showing a new picture each second, and it is
// opaque on the box's white, so a new second repaints this square alone.

#include <QImage>
#include <QTime>
#include <QWidget>

class ClockView : public QWidget
{
public:
    explicit ClockView(const QImage &face, QWidget *parent = nullptr);

    // Shows `time` (to the second); repaints only when that changes.
    void showtime(QTime time, bool digital);
    QTime time() const { return time_; }
    bool digital() const { return digital_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage face_; // on the box's white, made opaque once
    QTime time_;
    bool digital_ = false;
};
