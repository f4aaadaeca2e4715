#include "widgets/ui/pagewidget.h"

#include <QKeyEvent>

PageWidget::PageWidget(Database &db, Settings &settings, Clock &clock, QWidget *parent)
    : QWidget(parent), db_(db), settings_(settings), clock_(clock)
{
    // The colour settings paint every page's background.
    setAutoFillBackground(true);
}

bool PageWidget::listkeys(QEvent *event, const std::function<void()> &enter, const std::function<void()> &remove)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        enter();
        return true;
    }
    if (key == Qt::Key_Delete)
        remove();
    return false;
}
