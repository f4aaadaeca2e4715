#include "widgets/ui/framedbox.h"

#include "platform/ui/icons.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>

namespace {
constexpr int tile = 18;
}

namespace {

FrameTiles loadtiles(const char *prefix)
{
    const char *names[] = {"0-topleft", "1-topright", "2-bottomright", "3-bottomleft",
                           "4-top",     "5-left",     "6-right",       "7-bottom"};
    FrameTiles t;
    for (int i = 0; i < 8; ++i)
        t[i] = iconpixmap(QLatin1String(prefix) + QLatin1String(names[i]) + QStringLiteral(".svg"), QSize(tile, tile));
    return t;
}

} // namespace

const FrameTiles &frametiles()
{
    static const FrameTiles tiles = loadtiles("frame");
    return tiles;
}

const FrameTiles &bordertiles()
{
    static const FrameTiles tiles = loadtiles("border");
    return tiles;
}

void PaintBox1Paint(QPainter &painter, QSize size, const FrameTiles &tiles)
{
    const int w = size.width();
    const int h = size.height();
    painter.drawPixmap(0, 0, tiles[0]);
    painter.drawPixmap(w - tile, 0, tiles[1]);
    painter.drawPixmap(w - tile, h - tile, tiles[2]);
    painter.drawPixmap(0, h - tile, tiles[3]);
    painter.drawPixmap(QRect(18, 0, w - 17 - 18, 17), tiles[4]);
    painter.drawPixmap(QRect(-1, 18, 18, h - 17 - 18), tiles[5]);
    painter.drawPixmap(QRect(w - 17, 18, 16, h - 17 - 18), tiles[6]);
    painter.drawPixmap(QRect(18, h - 17, w - 17 - 18, 17), tiles[7]);
    painter.fillRect(QRect(16, 16, w - 32, h - 32), Qt::white);
}

void PaintBox2Paint(QPainter &painter, QSize size, const QColor &background, const FrameTiles &tiles)
{
    const int w = size.width();
    const int h = size.height();
    painter.drawPixmap(0, 0, tiles[0]);
    painter.drawPixmap(w - tile, 0, tiles[1]);
    painter.drawPixmap(0, h - tile, tiles[3]);
    painter.drawPixmap(QRect(tile, 0, w - 17 - tile, 17), tiles[4]);
    painter.drawPixmap(QRect(0, tile, 17, h - 17 - tile), tiles[5]);
    for (int i = 1; i <= h / tile - 1; ++i)
        painter.drawPixmap(w - tile, tile * i, tiles[6]);
    for (int i = 1; i <= w / tile - 1; ++i)
        painter.drawPixmap(tile * i, h - tile, tiles[7]);
    painter.fillRect(QRect(w - tile, h - tile, tile, tile), background);
    painter.drawPixmap(w - tile, h - tile, tiles[2]);
    painter.fillRect(QRect(16, 16, w - 32, h - 32), Qt::white);
}

QImage borderimage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(borderkey));
    QPainter painter(&image);
    PaintBox1Paint(painter, size);
    return image;
}

FramedBox::FramedBox(QWidget *parent) : QWidget(parent) {}

void FramedBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintBox2Paint(painter, size(), palette().color(QPalette::Window));
}

namespace {

class KeepUnminimised : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::WindowStateChange && dialog->isMinimized()) {
            QTimer::singleShot(0, dialog, [dialog] {
                dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
                dialog->show();
                dialog->raise();
                dialog->activateWindow();
            });
        }
        return false;
    }
};

void keepunminimised(QWidget *dialog)
{
    dialog->installEventFilter(new KeepUnminimised(dialog));
}

} // namespace

void setfixeddialogframe(QWidget *dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    keepunminimised(dialog);
}

void setresizabledialogframe(QWidget *dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                           | Qt::WindowMaximizeButtonHint);
    keepunminimised(dialog);
}

