#include "mainwindow/ui/reminderpopup.h"

#include "organizer/melodies.h"
#include "organizer/ui/calendareditor.h"
#include "platform/melodyplayer.h"
#include "platform/pictures.h"
#include "platform/prompter.h"
#include "widgets/language.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

Tringform::Tringform(MelodyPlayer &player, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool), player_(player)
{
    setFixedSize(329, 94);
    frame_ = borderimage(size());
    // Only the key colour outside the rounded corners is cut away.
    setMask(regionwithout(frame_, borderkey));

    titlelabel = new QLabel(this);
    titlelabel->setGeometry(64, 20, 249, 24);
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    bold.setPixelSize(21);
    titlelabel->setFont(bold);
    titlelabel->setTextFormat(Qt::PlainText);
    settranslatable(titlelabel, TransKind::label, 1);
    closelabel = new QLabel(QStringLiteral("Click here to close"), this);
    closelabel->setGeometry(64, 55, 249, 20);
    settranslatable(closelabel, TransKind::label);
    picture = new QLabel(this);
    picture->setGeometry(16, 15, 33, 33);
    // A click anywhere closes the pop-up.
    for (QLabel *l : {titlelabel, closelabel, picture})
        l->setAttribute(Qt::WA_TransparentForMouseEvents);

    connect(&player_, &MelodyPlayer::failed, this, &Tringform::playerfailed);
}

void Tringform::showreminder(const QString &title, const QPixmap &pic)
{
    // A title longer than the line ends in "…" rather than mid-letter.
    titlelabel->setText(
        titlelabel->fontMetrics().elidedText(title, Qt::ElideRight, titlelabel->contentsRect().width()));
    picture->setPixmap(pic);
    const bool washidden = isHidden();
    if (washidden) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(ringposition(screen->availableGeometry(), size()));
    }
    show();
    raise();
    if (washidden)
        FormShow();
}

QPoint ringposition(const QRect &available, QSize size)
{
    // The corner of the area no panel covers, whichever edges carry panels.
    return {available.right() + 1 - size.width(), available.bottom() + 1 - size.height()};
}

void Tringform::FormShow()
{
    ringing_ = true;
    melodyfailed_ = false;
    // It sounds until the pop-up is clicked.
    player_.setlooping(true);
    player_.open();
    player_.play();
}

void Tringform::PaintBox1Click()
{
    ringing_ = false;
    player_.stop();
    hide();
}

void Tringform::playerfailed(const QString &reason)
{
    // Reported once; the melody is not retried until the next pop-up.
    if (!ringing_ || melodyfailed_)
        return;
    melodyfailed_ = true;
    // A machine without sound is told so once a run, not at every reminder.
    if (reason == melodyreason::nooutput) {
        if (nooutputtold_)
            return;
        nooutputtold_ = true;
    }
    reportmelodyfailure(player_.file(), reason);
}

void Tringform::paintEvent(QPaintEvent *)
{
    QPainter(this).drawImage(0, 0, frame_);
}

void Tringform::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        PaintBox1Click();
}
