#include "school/marks.h"

#include <cmath>
#include <optional>

namespace {

// A whole number as typed: an optional sign and decimal digits.
std::optional<int> wholenumber(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || text.isEmpty() || !(text.front().isDigit() || text.front() == u'+' || text.front() == u'-'))
        return std::nullopt;
    // toInt accepts surrounding blanks; a mark has none, and none may pass.
    for (QChar c : text) {
        if (c.isSpace())
            return std::nullopt;
    }
    return value;
}

// The value a mark counts with in the average modes, or nothing.
std::optional<double> averagevalue(const QString &text, bool letters)
{
    // The last modifier found wins: "-" and "/" make a mark half worse, "+"
    // half better.
    double d = 0;
    if (text.contains(u'-'))
        d = 0.5;
    if (text.contains(u'/'))
        d = 0.5;
    if (text.contains(u'+'))
        d = -0.5;
    const QString t = abcdftodigit(text, letters);
    if (d == 0) {
        const std::optional<int> v = wholenumber(t);
        return v ? std::optional<double>(*v) : std::nullopt;
    }
    // With a modifier only the first character counts ("10-" is 1.5).
    if (t.isEmpty() || t.front() < u'0' || t.front() > u'9')
        return std::nullopt;
    return (t.front().unicode() - u'0') + d;
}

} // namespace

QString normalizemark(const QString &typed)
{
    QString text;
    for (QChar c : typed) {
        if (c != u' ')
            text += c;
    }
    return text.left(3);
}

QString abcdftodigit(const QString &text, bool flag)
{
    if (!flag || text.isEmpty())
        return text;
    QString result = text;
    for (QChar &c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    }
    static const QString letters = QStringLiteral("ABCDF");
    const qsizetype at = letters.indexOf(result.front());
    result[0] = at >= 0 ? QChar(char16_t(u'1' + at)) : QChar(u'#');
    return result;
}

QString digittoabcdf(const QString &text, bool flag)
{
    if (!flag || text.isEmpty() || text.front() < u'1' || text.front() > u'5')
        return text;
    static const QString letters = QStringLiteral("ABCDF");
    QString result = text;
    result[0] = letters[text.front().unicode() - u'1'];
    return result;
}

QString formatresult(double value)
{
    QString text = QString::number(value, 'f', 2);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

int weightindex(double weight)
{
    const double hundredths = std::nearbyint(weight * 100);
    for (int i = 0; i < int(markweights.size()); ++i) {
        if (hundredths == markweights[i] * 100)
            return i;
    }
    return -1;
}

Averages countaverages(const std::vector<TSubjectRec> &subjects, int mode)
{
    Averages a;
    const bool letters = mode == marksabcdf;
    double total = 0;
    int counted = 0;
    for (const TSubjectRec &subject : subjects) {
        double sum = 0;
        double count = 0;
        for (const TMarkRec &mark : subject.marks) {
            const QString &text = mark.mark.text();
            if (text.isEmpty())
                continue;
            // A damaged weight would turn every result of the subject into nothing.
            if (mode != markssums && !std::isfinite(mark.weight)) {
                a.warning = true;
                continue;
            }
            if (mode == markssums) {
                const std::optional<int> v = wholenumber(text);
                if (!v) {
                    a.warning = true;
                    continue;
                }
                sum += *v;
                count += 1;
            } else {
                const std::optional<double> v = averagevalue(text, letters);
                if (!v) {
                    a.warning = true;
                    continue;
                }
                sum += *v * (mark.weight * 4);
                // Halves to even, as the weights' quarters always were.
                count += std::nearbyint(mark.weight * 4);
            }
        }
        if (count > 0) {
            const double result = mode == markssums ? sum : sum / count;
            a.results << digittoabcdf(formatresult(result), letters);
            total += result;
            ++counted;
        } else {
            a.results << QStringLiteral("/");
        }
    }
    if (counted > 0)
        a.total = digittoabcdf(formatresult(mode == markssums ? total : total / counted), letters);
    else
        a.total = QStringLiteral("/");
    return a;
}

void dropunnamedsubjects(std::vector<TSubjectRec> &subjects)
{
    std::erase_if(subjects, [](const TSubjectRec &s) { return s.name.isEmpty(); });
}
