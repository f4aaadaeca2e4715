#include "platform/pictures.h"

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

QColor wincolor(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QRegion regionwithout(const QImage &image, QRgb key)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    key |= 0xFF000000u;
    QRegion region;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        int x = 0;
        while (x < rgb.width()) {
            while (x < rgb.width() && line[x] == key)
                ++x;
            const int start = x;
            while (x < rgb.width() && line[x] != key)
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}
