#include "mainwindow/ringform.h"

#include "organizer/melodies.h"
#include "platform/melodyplayer.h"
#include "platform/pictures.h"
#include "platform/prompter.h"
#include "widgets/language.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int bordertile = 18;
const QColor key(255, 0, 255); // shows as transparent

// The pop-up's picture: the frame tiles around a white inside, with the key
// colour outside the rounded corners.
QImage frame(QSize size)
{
    static const char *names[] = {"border0-topleft.svg", "border1-topright.svg", "border2-bottomright.svg",
                                  "border3-bottomleft.svg", "border4-top.svg", "border5-left.svg",
                                  "border6-right.svg", "border7-bottom.svg"};
    const int w = size.width(), h = size.height();
    QImage image(size, QImage::Format_RGB32);
    image.fill(key);
    QPainter p(&image);
    auto pic = [](int i, QSize s) { return iconpixmap(QLatin1String(names[i]), s); };
    p.drawPixmap(0, 0, pic(0, {bordertile, bordertile}));
    p.drawPixmap(w - bordertile, 0, pic(1, {bordertile, bordertile}));
    p.drawPixmap(w - bordertile, h - bordertile, pic(2, {bordertile, bordertile}));
    p.drawPixmap(0, h - bordertile, pic(3, {bordertile, bordertile}));
    const QRect top(18, 0, w - 17 - 18, 17), left(-1, 18, 18, h - 17 - 18);
    const QRect right(w - 17, 18, 16, h - 17 - 18), bottom(18, h - 17, w - 17 - 18, 17);
    p.drawPixmap(top, pic(4, top.size()));
    p.drawPixmap(left, pic(5, left.size()));
    p.drawPixmap(right, pic(6, right.size()));
    p.drawPixmap(bottom, pic(7, bottom.size()));
    p.fillRect(QRect(16, 16, w - 32, h - 32), Qt::white);
    return image;
}

} // namespace

Tringform::Tringform(MelodyPlayer &player, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool), player_(player)
{
    setFixedSize(329, 94);
    frame_ = frame(size());
    // Only the key colour outside the rounded corners is cut away.
    setMask(regionwithout(frame_, key.rgb()));

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
    titlelabel->setText(title);
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
    trans_messagebox(melodyplayfailed, {player_.file(), reason}, QStringLiteral("Error"), mb::iconerror);
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
