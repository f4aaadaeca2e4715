#include "platform/ansi.h"

#include <QStringList>

#include <array>

namespace ansi {
namespace {

// windows-1250, bytes 0x80 to 0xFF; 0x81, 0x83, 0x88, 0x90 and 0x98 are
// undefined there and kept as the C1 control of the same value.
constexpr char16_t high[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

struct Tables {
    std::array<char16_t, 256> tochar{};
    // Byte for each BMP code unit; 0 doubles as "not representable" for every
    // unit but U+0000 itself.
    std::array<unsigned char, 65536> tobyte{};

    Tables()
    {
        for (int b = 0; b < 128; ++b)
            tochar[b] = char16_t(b);
        for (int b = 0; b < 128; ++b)
            tochar[128 + b] = high[b];
        for (int b = 255; b >= 0; --b)
            tobyte[tochar[b]] = static_cast<unsigned char>(b);
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

inline char bytefor(const Tables &t, char16_t unit)
{
    const unsigned char b = t.tobyte[unit];
    if (b == 0 && unit != 0)
        return '?';
    return static_cast<char>(b);
}

// Walks the code points of `text`, calling `put` with each one's byte;
// stops after `limit` characters.
template <class Put>
qsizetype encodeeach(const QString &text, qsizetype limit, Put put)
{
    const Tables &t = tables();
    const char16_t *p = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    qsizetype written = 0;
    for (qsizetype i = 0; i < n && written < limit; ++i) {
        const char16_t u = p[i];
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(p[i + 1])) {
            ++i; // a character outside the BMP is one character, and not in the code page
            put('?');
        } else if (QChar::isSurrogate(u)) {
            put('?');
        } else {
            put(bytefor(t, u));
        }
        ++written;
    }
    return written;
}

} // namespace

QString decode(const char *data, qsizetype length)
{
    const Tables &t = tables();
    QString s(length, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(s.data());
    const unsigned char *in = reinterpret_cast<const unsigned char *>(data);
    for (qsizetype i = 0; i < length; ++i)
        out[i] = t.tochar[in[i]];
    return s;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    encodeeach(text, text.size(), [&](char c) { out.append(c); });
    return out;
}

qsizetype encode(const QString &text, char *out, qsizetype capacity)
{
    return encodeeach(text, capacity, [&](char c) { *out++ = c; });
}

bool encodeexactly(const char16_t *text, qsizetype length, char *out)
{
    const Tables &t = tables();
    for (qsizetype i = 0; i < length; ++i) {
        const unsigned char b = t.tobyte[text[i]];
        // Surrogates and units the code page lacks find no byte that reads back.
        if (t.tochar[b] != text[i])
            return false;
        out[i] = static_cast<char>(b);
    }
    return true;
}

bool encodable(const QString &text)
{
    return unstorable(text).isEmpty();
}

QString unstorable(const QString &text)
{
    QString missing;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (char byte; encodeexactly(&unit, 1, &byte))
            continue;
        // A pair is one character; a lone surrogate is one too.
        const qsizetype length =
            QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = QStringView(text).mid(i, length);
        i += length - 1;
        if (!missing.contains(character))
            missing += character;
    }
    return missing;
}

QString unstorablechars(const QString &text)
{
    QStringList shown;
    const QString missing = unstorable(text);
    for (qsizetype i = 0; i < missing.size(); ++i) {
        char32_t c = missing[i].unicode();
        if (missing[i].isHighSurrogate() && i + 1 < missing.size() && missing[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(missing[i], missing[i + 1]);
            ++i;
        }
        // Controls, blanks, lone marks and surrogates would not show by themselves.
        const QChar::Category category = QChar::category(c);
        const bool shows = QChar::isPrint(c) && !QChar::isSpace(c) && !QChar::isSurrogate(c)
                           && category != QChar::Mark_NonSpacing && category != QChar::Mark_SpacingCombining
                           && category != QChar::Mark_Enclosing;
        shown << (shows ? QString::fromUcs4(&c, 1)
                        : QStringLiteral("U+") + QString::number(c, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    }
    return shown.join(QLatin1Char(' '));
}

char byteof(char32_t codepoint)
{
    if (codepoint > 0xFFFF || QChar::isSurrogate(codepoint))
        return '?';
    return bytefor(tables(), char16_t(codepoint));
}

QChar charof(unsigned char byte)
{
    return QChar(tables().tochar[byte]);
}

qsizetype storedlength(const QString &text)
{
    return encodeeach(text, text.size(), [](char) {});
}

QString cut(const QString &text, qsizetype count)
{
    if (text.size() <= count)
        return text;
    const char16_t *p = reinterpret_cast<const char16_t *>(text.utf16());
    qsizetype i = 0;
    for (qsizetype kept = 0; kept < count && i < text.size(); ++kept) {
        if (QChar::isHighSurrogate(p[i]) && i + 1 < text.size() && QChar::isLowSurrogate(p[i + 1]))
            i += 2;
        else
            i += 1;
    }
    return text.left(i);
}

} // namespace ansi
