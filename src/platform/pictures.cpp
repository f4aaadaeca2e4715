#include "platform/pictures.h"

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
