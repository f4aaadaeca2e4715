#include "mainwindow/ui/navbar.h"

#include "platform/ui/icons.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace {

const char *const pageicons[] = {
    "page0-overview.svg", "page1-contacts.svg", "page2-calendar.svg", "page3-tasks.svg",
    "page4-marks.svg",    "page5-notes.svg",    "page6-timetable.svg", "page7-settings.svg",
};

} // namespace

NavigationBar::NavigationBar(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setFixedWidth(barwidth);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void NavigationBar::clear()
{
    items_.clear();
    selected_ = -1;
    hovered_ = -1;
    focused_ = -1;
    setFixedHeight(0);
    update();
}

void NavigationBar::additem(const QString &caption, int imageindex)
{
    items_.push_back({caption, imageindex});
    setFixedHeight(int(items_.size()) * buttonheight);
    update();
}

QStringList NavigationBar::itemcaptions() const
{
    QStringList out;
    for (const Item &item : items_)
        out << item.caption;
    return out;
}

void NavigationBar::setitemcaptions(const QStringList &captions)
{
    for (qsizetype i = 0; i < items_.size() && i < captions.size(); ++i)
        items_[i].caption = captions[i];
    update();
}

void NavigationBar::selectimage(int imageindex)
{
    selected_ = -1;
    for (qsizetype i = 0; i < items_.size(); ++i) {
        if (items_[i].imageindex == imageindex)
            selected_ = int(i);
    }
    update();
}

QSize NavigationBar::sizeHint() const
{
    return QSize(barwidth, int(items_.size()) * buttonheight);
}

int NavigationBar::buttonat(QPoint pos) const
{
    if (pos.x() < 0 || pos.x() >= width() || pos.y() < 0)
        return -1;
    const int index = pos.y() / buttonheight;
    return index < items_.size() ? index : -1;
}

void NavigationBar::ButtonGroup1DrawButton(QPainter &painter, int index, QPoint at) const
{
    const bool selected = index == selected_;
    const bool lit = selected || index == hovered_;
    painter.drawPixmap(at, iconpixmap(QLatin1String(lit ? "navbutton1.svg" : "navbutton0.svg"),
                                      QSize(137, buttonheight)));
    const int d = selected ? 2 : 0; // a selected button's icon and caption sit lower right
    const Item &item = items_[index];
    if (item.imageindex >= 0 && item.imageindex < int(std::size(pageicons)))
        painter.drawPixmap(at.x() + 8 + d, at.y() + 4 + d,
                           iconpixmap(QLatin1String(pageicons[item.imageindex]), QSize(32, 32)));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(at.x() + 48 + d, at.y() + 14 + d, barwidth - 48 - d, buttonheight - 14),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, item.caption);
    if (index == focused_ && showfocus_ && hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = QRect(at, QSize(barwidth, buttonheight)).adjusted(3, 3, -3, -3);
        focus.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void NavigationBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int i = 0; i < items_.size(); ++i)
        ButtonGroup1DrawButton(painter, i, QPoint(0, i * buttonheight));
}

void NavigationBar::mouseMoveEvent(QMouseEvent *event)
{
    const int over = buttonat(event->position().toPoint());
    if (over != hovered_) {
        hovered_ = over;
        update();
    }
}

void NavigationBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    showfocus_ = false;
    click(buttonat(event->position().toPoint()));
}

void NavigationBar::click(int index)
{
    if (index < 0 || index >= items_.size())
        return;
    selected_ = index;
    focused_ = index;
    update();
    emit buttonclicked(items_[index].imageindex);
}

void NavigationBar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right: {
        if (items_.isEmpty())
            break;
        const bool back = event->key() == Qt::Key_Up || event->key() == Qt::Key_Left;
        focused_ = std::clamp(focused_ + (back ? -1 : 1), 0, int(items_.size()) - 1);
        showfocus_ = true;
        update();
        return;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        showfocus_ = true;
        click(focused_);
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void NavigationBar::focusInEvent(QFocusEvent *event)
{
    // The keyboard starts at the shown page's button.
    if (focused_ < 0 || focused_ >= items_.size())
        focused_ = selected_ >= 0 ? selected_ : (items_.isEmpty() ? -1 : 0);
    // As with other buttons, a click or the window's activation shows no frame.
    const Qt::FocusReason why = event->reason();
    showfocus_ = why == Qt::TabFocusReason || why == Qt::BacktabFocusReason || why == Qt::ShortcutFocusReason;
    update();
    QWidget::focusInEvent(event);
}

void NavigationBar::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void NavigationBar::leaveEvent(QEvent *)
{
    if (hovered_ != -1) {
        hovered_ = -1;
        update();
    }
}
