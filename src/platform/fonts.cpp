#include "platform/fonts.h"

#include "platform/collate.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

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

QFont cellfont(QFont font, double points)
{
    const double cell = points * 96.0 / 72.0;
    // A face's line is a little taller than its pixel size, by a ratio of
    // its own: measure it once at a large size, where rounding is small.
    font.setPixelSize(100);
    const double ratio = QFontMetricsF(font).height() / 100.0;
    font.setPixelSize(qMax(1, int(std::lround(cell / ratio))));
    return font;
}

QStringList fontboxfamilies(const QStringList &families)
{
    static const QRegularExpression foundry(QStringLiteral(R"(\s*\[[^\[\]]*\]$)"));
    QStringList out;
    QSet<QString> seen;
    for (QString family : families) {
        family.remove(foundry);
        if (!family.isEmpty() && !seen.contains(family)) {
            seen.insert(family);
            out << family;
        }
    }
    sortalphabetically(out);
    return out;
}
