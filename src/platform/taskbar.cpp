#include "platform/taskbar.h"

int gettaskbarposition(const QRect &screen, const QRect &available, QRect *taskbar)
{
    // Taskbars are the bands the available area leaves free; with several
    // (a top bar and a bottom dock) they are tried in the order of the edge
    // tests below, bottom first.
    const QRect bands[] = {
        QRect(QPoint(screen.left(), available.bottom() + 1), screen.bottomRight()),
        QRect(screen.topLeft(), QPoint(screen.right(), available.top() - 1)),
        QRect(screen.topLeft(), QPoint(available.left() - 1, screen.bottom())),
        QRect(QPoint(available.right() + 1, screen.top()), screen.bottomRight()),
    };
    const int w = screen.width(), h = screen.height();
    for (const QRect &bar : bands) {
        if (bar.isEmpty())
            continue;
        if (taskbar)
            *taskbar = bar;
        const int left = bar.left() - screen.left(), top = bar.top() - screen.top();
        const int right = left + bar.width(), bottom = top + bar.height();
        if (top > h / 2 && right >= w)
            return 1;
        if (top < h / 2 && bottom <= h / 2)
            return 0;
        if (left < w / 2 && top <= 0)
            return 2;
        if (left >= w / 2)
            return 3;
        return -1;
    }
    if (taskbar)
        *taskbar = QRect();
    return -1;
}
