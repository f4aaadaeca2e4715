#include "platform/ui/icons.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

QPixmap iconpixmap(const QString &name, QSize size)
{
    static QHash<QString, QPixmap> cache;
    const QString key = name + QLatin1Char('@') + QString::number(size.width()) + QLatin1Char('x')
                        + QString::number(size.height());
    if (const auto found = cache.constFind(key); found != cache.constEnd())
        return *found;

    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/") + name);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(0, 0), size));
    }
    cache.insert(key, pixmap);
    return pixmap;
}
