#include "organizer/ui/calendaricons.h"

#include "platform/ui/icons.h"

#include <QPainter>

#include <array>

QPixmap calendarpicture(int index, QSize size)
{
    if (index < 0 || index >= calendarpicturecount)
        index = 0;
    QPixmap picture = iconpixmap(QStringLiteral("cal%1.svg").arg(index / 2), size);
    if (index % 2 == 1) {
        QPainter painter(&picture);
        painter.drawPixmap(0, 0, iconpixmap(QStringLiteral("calbell.svg"), size));
    }
    return picture;
}

QIcon calendaricon(int index)
{
    static const std::array<QIcon, calendarpicturecount> icons = [] {
        std::array<QIcon, calendarpicturecount> all;
        for (int i = 0; i < calendarpicturecount; ++i)
            all[i] = QIcon(calendarpicture(i));
        return all;
    }();
    return icons[(index >= 0 && index < calendarpicturecount) ? index : 0];
}
