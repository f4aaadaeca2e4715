#include "platform/rtf.h"

#include "platform/ansi.h"

#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <vector>

namespace {

constexpr int defaulthalfpoints = 20;

// ---------------------------------------------------------------- writing

struct RunFormat
{
    QString family;
    int halfpoints = defaulthalfpoints;
    QRgb colour = qRgb(0, 0, 0);
    bool bold = false, italic = false, underline = false, strike = false;

    bool operator==(const RunFormat &) const = default;
};

// The font's name as the font table can hold it: without what the text
// escaping leaves out or turns into a control word (objects, line breaks,
// control characters), with "," for ";", which would end the name early, and
// without the spaces around it, which reading trims.
// Cleaned before fonts are numbered, so two names that write alike share one
// entry and a name that writes as nothing is the default font.
QString familyof(const QTextCharFormat &format)
{
    const QStringList families = format.fontFamilies().toStringList();
    QString name = families.isEmpty() ? QString() : families.first();
    name.removeIf([](QChar ch) {
        return ch.unicode() < 0x20 || ch == QChar::ObjectReplacementCharacter || ch == QChar::LineSeparator;
    });
    name.replace(QLatin1Char(';'), QLatin1Char(','));
    name = name.trimmed();
    return name.isEmpty() ? rtf::defaultfamily : name;
}

RunFormat runformat(const QTextCharFormat &format)
{
    RunFormat r;
    r.family = familyof(format);
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        r.halfpoints = std::clamp(int(format.fontPointSize() * 2 + 0.5), 2, rtf::maxhalfpoints);
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        r.colour = format.foreground().color().rgb() | 0xFF000000u;
    r.bold = format.fontWeight() >= QFont::DemiBold;
    r.italic = format.fontItalic();
    r.underline = format.fontUnderline();
    r.strike = format.fontStrikeOut();
    return r;
}

class Writer
{
public:
    explicit Writer(const QTextDocument &document) : document_(document) {}

    QByteArray write()
    {
        QByteArray body;
        body.reserve(document_.characterCount() * 2 + 256);
        bool first = true;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            if (!first)
                body += "\\par\r\n";
            first = false;
            writeblock(body, block);
        }

        QByteArray out = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\uc1{\\fonttbl";
        for (qsizetype i = 0; i < fonts_.size(); ++i) {
            out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset238 ";
            appendtext(out, fonts_[i]);
            out += ";}";
        }
        out += "}\r\n{\\colortbl ;";
        for (QRgb c : colours_)
            out += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) + "\\blue" +
                   QByteArray::number(qBlue(c)) + ';';
        out += "}\r\n\\viewkind4";
        out += body;
        out += "}\r\n";
        return out;
    }

private:
    int fontindex(const QString &family)
    {
        auto it = fontindex_.constFind(family);
        if (it != fontindex_.cend())
            return *it;
        fonts_ << family;
        fontindex_.insert(family, int(fonts_.size() - 1));
        return int(fonts_.size() - 1);
    }

    int colourindex(QRgb colour)
    {
        auto it = colourindex_.constFind(colour);
        if (it != colourindex_.cend())
            return *it;
        colours_.push_back(colour);
        colourindex_.insert(colour, int(colours_.size())); // entry 0 is "auto"
        return int(colours_.size());
    }

    void appendformat(QByteArray &out, const RunFormat &r)
    {
        out += "\\f" + QByteArray::number(fontindex(r.family));
        out += "\\fs" + QByteArray::number(r.halfpoints);
        out += "\\cf" + QByteArray::number(colourindex(r.colour));
        if (r.bold)
            out += "\\b";
        if (r.italic)
            out += "\\i";
        if (r.underline)
            out += "\\ul";
        if (r.strike)
            out += "\\strike";
    }

    void writeblock(QByteArray &out, const QTextBlock &block)
    {
        out += "\\pard";
        const Qt::Alignment align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            out += "\\qc";
        else if (align & Qt::AlignRight)
            out += "\\qr";
        else if (align & Qt::AlignJustify)
            out += "\\qj";
        else
            out += "\\ql";
        if (const QTextList *list = block.textList())
            writenumbering(out, block, *list);
        // The paragraph's own format: what an empty line shows and new text gets.
        out += "\\plain";
        appendformat(out, runformat(block.charFormat()));
        out += ' ';
        // Pieces that differ only in what is not written are one run, and a
        // piece that writes as nothing is left out: the note read back then
        // saves to the very same bytes.
        std::vector<std::pair<RunFormat, QByteArray>> pieces;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            QByteArray text;
            appendtext(text, fragment.text());
            if (text.isEmpty())
                continue;
            RunFormat format = runformat(fragment.charFormat());
            if (!pieces.empty() && pieces.back().first == format)
                pieces.back().second += text;
            else
                pieces.emplace_back(std::move(format), std::move(text));
        }
        for (const auto &[format, text] : pieces) {
            // Each piece states its whole format, inheriting nothing from the mark's.
            out += "{\\plain";
            appendformat(out, format);
            out += ' ';
            out += text;
            out += '}';
        }
    }

    // The classic paragraph numbering that word processors read, after the
    // text they show in its place: the bullet, or the item's number.
    void writenumbering(QByteArray &out, const QTextBlock &block, const QTextList &list)
    {
        const char *style = numberingword(list.format().style());
        if (!style) {
            out += "{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb\\'95}}\\fi-360\\li360";
            return;
        }
        // A run of items goes on from the number of its first: after other
        // paragraphs a list goes on counting.
        const int number = list.itemNumber(block) + 1;
        const QTextBlock previous = block.previous();
        if (!previous.isValid() || previous.textList() != &list)
            runstart_ = number;
        out += "{\\pntext ";
        appendtext(out, list.itemText(block));
        out += "\\tab}{\\*\\pn\\pnlvlbody\\pnindent360\\pnstart" + QByteArray::number(runstart_) + style +
               "{\\pntxta .}}\\fi-360\\li360";
    }

    // The "\\pn" word of a numbered list style; none for bullets.
    static const char *numberingword(QTextListFormat::Style style)
    {
        switch (style) {
        case QTextListFormat::ListDecimal:
            return "\\pndec";
        case QTextListFormat::ListLowerAlpha:
            return "\\pnlcltr";
        case QTextListFormat::ListUpperAlpha:
            return "\\pnucltr";
        case QTextListFormat::ListLowerRoman:
            return "\\pnlcrm";
        case QTextListFormat::ListUpperRoman:
            return "\\pnucrm";
        default:
            return nullptr;
        }
    }

    // Text escaped for RTF: windows-1250 as "\'hh", the rest as "\uN?".
    static void appendtext(QByteArray &out, const QString &text)
    {
        static const char hex[] = "0123456789abcdef";
        for (QChar ch : text) {
            const char16_t u = ch.unicode();
            if (u == '\\' || u == '{' || u == '}') {
                out += '\\';
                out += char(u);
            } else if (u == '\t') {
                out += "\\tab ";
            } else if (u == QChar::LineSeparator || u == '\n' || u == '\r') {
                out += "\\line ";
            } else if (u == QChar::ObjectReplacementCharacter || u < 0x20) {
                // Objects are not stored; other control characters carry nothing.
            } else if (u < 0x80) {
                out += char(u);
            } else if (char stored; ansi::encodeexactly(&u, 1, &stored)) {
                const auto byte = static_cast<unsigned char>(stored);
                out += "\\'";
                out += hex[byte >> 4];
                out += hex[byte & 0xF];
            } else {
                out += "\\u" + QByteArray::number(qint16(u)) + '?';
            }
        }
    }

    const QTextDocument &document_;
    QStringList fonts_;
    QHash<QString, int> fontindex_;
    std::vector<QRgb> colours_;
    QHash<QRgb, int> colourindex_;
    int runstart_ = 1; // the number of the current run of list items' first
};

} // namespace

namespace rtf {

QFont defaultfont()
{
    QFont font(rtf::defaultfamily);
    font.setPointSize(10);
    return font;
}

QTextCharFormat defaultformat()
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{rtf::defaultfamily});
    f.setFontPointSize(10);
    f.setForeground(QColor(Qt::black));
    f.setFontWeight(QFont::Normal);
    f.setFontItalic(false);
    f.setFontUnderline(false);
    f.setFontStrikeOut(false);
    return f;
}

QByteArray write(const QTextDocument &document)
{
    return Writer(document).write();
}

QByteArray emptynote()
{
    QTextDocument document;
    QTextCursor(&document).setBlockCharFormat(defaultformat());
    return write(document);
}

} // namespace rtf
