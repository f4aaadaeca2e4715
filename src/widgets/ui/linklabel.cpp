#include "widgets/ui/linklabel.h"

#include "platform/pictures.h"
#include "widgets/language.h"
#include "widgets/ui/translation.h"

#include <QMouseEvent>

namespace {
const QColor linkblue(0, 0, 255);
const quint32 skyblue = 0xF0CAA6;
} // namespace

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setcolour(linkblue);
}

void LinkLabel::setcolour(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    setcolour(wincolor(skyblue));
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    setcolour(linkblue);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

LinkLabel *namedlink(const char *name, const QString &text, QWidget *parent)
{
    auto *link = new LinkLabel(text, parent);
    link->setObjectName(QLatin1String(name));
    settranslatable(link, TransKind::label);
    return link;
}
