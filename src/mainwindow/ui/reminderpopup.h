#pragma once
// The reminder pop-up: a small window at the screen's edge beside the
// taskbar with the record's title and icon, playing its melody until it is
// clicked.

#include <QImage>
#include <QWidget>

class MelodyPlayer;
class QLabel;

// Where the pop-up of `size` goes: the bottom-right corner of the screen's
// available area, so no panel covers it.
QPoint ringposition(const QRect &available, QSize size);

class Tringform : public QWidget
{
    Q_OBJECT

public:
    explicit Tringform(MelodyPlayer &player, QWidget *parent = nullptr);

    // Shows a reminder. When the pop-up was hidden it is placed and starts
    // the melody the player was pointed at; when it is already up only its
    // title and picture change. A melody that cannot be played is reported
    // once per pop-up; a system without any sound output once a run.
    void showreminder(const QString &title, const QPixmap &picture);
    // Stops the melody and hides the pop-up.
    void PaintBox1Click(); // a click anywhere on the pop-up

    // The melody could not be played since the pop-up was shown: the timer
    // stops restarting it.
    bool melodyfailed() const { return melodyfailed_; }

    QLabel *titlelabel = nullptr;
    QLabel *closelabel = nullptr;
    QLabel *picture = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void FormShow(); // the pop-up came up: its melody starts, looping
    void playerfailed(const QString &reason);

    MelodyPlayer &player_;
    QImage frame_;
    bool melodyfailed_ = false;
    bool ringing_ = false; // shown by a reminder and not yet clicked away
    bool nooutputtold_ = false; // "no audio output" was said this run
};
