#include "platform/fonts.h"

#include <QFontMetrics>

QFont fittingfont(QFont font, const QStringList &samples, int width, int smallest)
{
    int size = font.pixelSize() > 0 ? font.pixelSize() : QFontMetrics(font).height();
    for (; size > smallest; --size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        bool fits = true;
        for (const QString &sample : samples) {
            if (metrics.horizontalAdvance(sample) > width) {
                fits = false;
                break;
            }
        }
        if (fits)
            return font;
    }
    font.setPixelSize(smallest);
    return font;
}

QFont condensedfont(int pixelsize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setStretch(QFont::SemiCondensed);
    font.setPixelSize(pixelsize);
    font.setBold(bold);
    return font;
}
