#include "platform/rtf.h"

#include "platform/ansi.h"

#include <QColor>
#include <QHash>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

const QString arial = QStringLiteral("Arial");
constexpr int defaulthalfpoints = 20;
// Sizes the editor accepts run from 1 to 1638 points.
constexpr int maxhalfpoints = 3276;

// ---------------------------------------------------------------- writing

struct RunFormat
{
    QString family;
    int halfpoints = defaulthalfpoints;
    QRgb colour = qRgb(0, 0, 0);
    bool bold = false, italic = false, underline = false, strike = false;
};

QString familyof(const QTextCharFormat &format)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() || families.first().isEmpty() ? arial : families.first();
}

RunFormat runformat(const QTextCharFormat &format)
{
    RunFormat r;
    r.family = familyof(format);
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        r.halfpoints = std::clamp(int(format.fontPointSize() * 2 + 0.5), 2, maxhalfpoints);
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
            // A ";" would end the name early.
            appendtext(out, QString(fonts_[i]).replace(QLatin1Char(';'), QLatin1String(",")));
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
        if (block.textList())
            out += "{\\pntext\\'95\\tab}{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb\\'95}}\\fi-360\\li360";
        // The paragraph's own format: what an empty line shows and new text gets.
        out += "\\plain";
        appendformat(out, runformat(block.charFormat()));
        out += ' ';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            // Each piece states its whole format, inheriting nothing from the mark's.
            out += "{\\plain";
            appendformat(out, runformat(fragment.charFormat()));
            out += ' ';
            appendtext(out, fragment.text());
            out += '}';
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
            } else if (!ch.isSurrogate() && ansi::encodable(QString(ch))) {
                const auto byte = static_cast<unsigned char>(ansi::byteof(u));
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
};

// ---------------------------------------------------------------- reading

// The character of one byte in one code page.
class CodePages
{
public:
    const QChar &charof(int codepage, unsigned char byte)
    {
        auto &table = tables_[codepage];
        if (!table) {
            table = std::make_unique<std::array<QChar, 256>>();
            QStringDecoder decoder;
            if (codepage != 1250)
                decoder = QStringDecoder(QByteArray("windows-" + QByteArray::number(codepage)).constData());
            for (int b = 0; b < 256; ++b) {
                QChar c = ansi::charof(static_cast<unsigned char>(b));
                if (decoder.isValid()) {
                    const char byte = char(b);
                    const QString s = decoder.decode(QByteArrayView(&byte, 1));
                    if (s.size() == 1 && !decoder.hasError())
                        c = s.at(0);
                    decoder.resetState();
                }
                (*table)[b] = c;
            }
        }
        return (*table)[byte];
    }

private:
    std::map<int, std::unique_ptr<std::array<QChar, 256>>> tables_;
};

// The code page a font's character set stands for (1250 when unknown).
int codepageofcharset(int charset)
{
    switch (charset) {
    case 0:
    case 1:
    case 2:
        return 1252;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 238:
        return 1250;
    default:
        return 0; // the document's code page
    }
}

enum class Dest {
    text,       // the document's text
    skip,       // read over
    fonttable,
    colourtable,
    numbering,  // "\pn": paragraph numbering properties
};

enum class Word {
    unknown,
    // destinations
    fonttbl, colortbl, pict, object, pntext, pn, passthrough, skipped,
    // inside tables
    f, fcharset, cpg, red, green, blue, pnlevel,
    // text
    par, line, tab, u, uc, plain, b, i, ul, ulnone, strike, deff, fs, cf, ansicpg,
    pard, ql, qc, qr, qj, ls, table, cell, row, character,
};

struct WordInfo
{
    Word word;
    char16_t character = 0; // for Word::character
};

const std::unordered_map<std::string_view, WordInfo> &words()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t;
        for (std::string_view w :
             {"stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
              "footerf", "footnote", "annotation", "xe", "tc", "txe", "rxe", "fldinst", "listtext", "pntxta",
              "pntxtb", "nonshppict", "revtbl", "upr", "template", "atnid", "atnauthor", "atndate", "atnref",
              "atrfstart", "atrfend", "private", "bkmkstart", "bkmkend", "listtable", "listoverridetable",
              "rsidtbl", "generator", "themedata", "colorschememapping", "latentstyles", "datastore",
              "xmlnstbl", "filetbl", "pgdsctbl", "comment", "title", "subject", "author", "operator",
              "keywords", "doccomm", "company", "objdata", "objclass", "fontemb", "fontfile", "falt",
              "panose", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "userprops",
              "pnseclvl", "nesttableprops", "shpinst", "shprslt"})
            t[w] = {Word::skipped};
        for (std::string_view w : {"shppict", "fldrslt", "field"})
            t[w] = {Word::passthrough};
        for (std::string_view w : {"object", "shp", "do", "shpgrp"})
            t[w] = {Word::object};
        for (std::string_view w : {"ul", "uld", "uldb", "ulw", "ulth", "uldash", "ulwave", "uldashd", "uldashdd"})
            t[w] = {Word::ul};
        for (std::string_view w : {"par", "sect", "page"})
            t[w] = {Word::par};
        for (std::string_view w : {"pnlvlblt", "pnlvlbody", "pnlvl", "pnlvlcont"})
            t[w] = {Word::pnlevel};
        for (std::string_view w : {"trowd", "intbl"})
            t[w] = {Word::table};
        for (std::string_view w : {"cell", "nestcell"})
            t[w] = {Word::cell};
        for (std::string_view w : {"row", "nestrow"})
            t[w] = {Word::row};
        t["fonttbl"] = {Word::fonttbl};
        t["colortbl"] = {Word::colortbl};
        t["pict"] = {Word::pict};
        t["pntext"] = {Word::pntext};
        t["pn"] = {Word::pn};
        t["f"] = {Word::f};
        t["fcharset"] = {Word::fcharset};
        t["cpg"] = {Word::cpg};
        t["red"] = {Word::red};
        t["green"] = {Word::green};
        t["blue"] = {Word::blue};
        t["line"] = {Word::line};
        t["tab"] = {Word::tab};
        t["u"] = {Word::u};
        t["uc"] = {Word::uc};
        t["plain"] = {Word::plain};
        t["b"] = {Word::b};
        t["i"] = {Word::i};
        t["ulnone"] = {Word::ulnone};
        t["strike"] = {Word::strike};
        t["striked"] = {Word::strike};
        t["deff"] = {Word::deff};
        t["fs"] = {Word::fs};
        t["cf"] = {Word::cf};
        t["ansicpg"] = {Word::ansicpg};
        t["pard"] = {Word::pard};
        t["ql"] = {Word::ql};
        t["qc"] = {Word::qc};
        t["qr"] = {Word::qr};
        t["qj"] = {Word::qj};
        t["ls"] = {Word::ls};
        t["emdash"] = {Word::character, 0x2014};
        t["endash"] = {Word::character, 0x2013};
        t["bullet"] = {Word::character, 0x2022};
        t["lquote"] = {Word::character, 0x2018};
        t["rquote"] = {Word::character, 0x2019};
        t["ldblquote"] = {Word::character, 0x201C};
        t["rdblquote"] = {Word::character, 0x201D};
        return t;
    }();
    return table;
}

struct CharState
{
    int font = -1; // -1: the default font
    int halfpoints = 24; // RTF's own default size
    int colour = 0;
    bool bold = false, italic = false, underline = false, strike = false;

    bool operator==(const CharState &) const = default;
};

struct GroupState
{
    Dest dest = Dest::text;
    CharState chars;
    int skipafterunicode = 1; // "\ucN"
    bool starred = false;     // "\*" seen and no control word since
};

struct FontEntry
{
    QString name;
    int codepage = 0;
};

class Reader
{
public:
    Reader(const QByteArray &data, QTextDocument &document) : data_(data), cursor_(&document)
    {
    }

    rtf::Dropped read()
    {
        const char *p = data_.constData();
        const qsizetype n = data_.size();
        stack_.reserve(64);
        stack_.push_back(GroupState{});
        qsizetype pos = 0;
        while (pos < n) {
            const char c = p[pos];
            if (c == '{') {
                ++pos;
                opengroup();
            } else if (c == '}') {
                ++pos;
                closegroup();
            } else if (c == '\\') {
                pos = control(pos + 1);
            } else if (c == '\r' || c == '\n') {
                ++pos;
            } else {
                ++pos;
                textbyte(static_cast<unsigned char>(c));
            }
        }
        finish();
        return dropped_;
    }

private:
    GroupState &top() { return stack_.back(); }
    bool skipping() const { return overflow_ > 0 || stack_.back().dest == Dest::skip; }

    void opengroup()
    {
        pendingskip_ = 0;
        if (overflow_ > 0 || int(stack_.size()) >= rtf::maxdepth) {
            ++overflow_;
            return;
        }
        GroupState next = stack_.back();
        next.starred = false;
        stack_.push_back(next);
    }

    void closegroup()
    {
        pendingskip_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.size() == 1)
            return; // an unmatched "}"
        const GroupState &closed = stack_.back();
        if (closed.dest == Dest::fonttable)
            endfontentry();
        if (stack_.size() == 2 && closed.dest == Dest::text)
            closing_ = closed.chars; // the format at the document's end
        stack_.pop_back();
    }

    // Reads a control word or symbol starting after its backslash; returns
    // the position after it.
    qsizetype control(qsizetype pos)
    {
        const char *p = data_.constData();
        const qsizetype n = data_.size();
        if (pos >= n)
            return n;
        const char c = p[pos];
        if (!isletter(c))
            return symbol(pos);

        const qsizetype start = pos;
        while (pos < n && isletter(p[pos]))
            ++pos;
        // Longer words than any RTF defines are read over as unknown.
        const std::string_view word = pos - start <= 32 ? std::string_view(p + start, size_t(pos - start)) : std::string_view();
        bool hasparam = false;
        bool negative = false;
        qint64 value = 0;
        if (pos < n && p[pos] == '-' && pos + 1 < n && isdigit(p[pos + 1])) {
            negative = true;
            ++pos;
        }
        while (pos < n && isdigit(p[pos])) {
            hasparam = true;
            if (value < 100000000000LL)
                value = value * 10 + (p[pos] - '0');
            ++pos;
        }
        if (pos < n && p[pos] == ' ')
            ++pos;
        if (negative)
            value = -value;
        const int param = int(std::clamp<qint64>(value, INT_MIN + 1, INT_MAX));

        if (word == "bin") {
            // Binary data of `param` bytes, never read as text.
            const qsizetype length = hasparam && param > 0 ? param : 0;
            return std::min(n, pos + length);
        }
        keyword(word, hasparam, param);
        return pos;
    }

    qsizetype symbol(qsizetype pos)
    {
        const char *p = data_.constData();
        const qsizetype n = data_.size();
        const char c = p[pos];
        if (c == '\'') {
            const int high = pos + 1 < n ? hexvalue(p[pos + 1]) : -1;
            const int low = pos + 2 < n ? hexvalue(p[pos + 2]) : -1;
            if (high < 0 || low < 0)
                return std::min(n, pos + 1);
            if (!skipping())
                textbyte(static_cast<unsigned char>(high * 16 + low), true);
            return pos + 3;
        }
        if (skipping()) {
            return pos + 1;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            textbyte(static_cast<unsigned char>(c));
            break;
        case '~':
            textchar(QChar(0x00A0));
            break;
        case '_':
            textchar(QChar(0x2011));
            break;
        case '*':
            top().starred = true;
            break;
        case '\r':
        case '\n':
            if (top().dest == Dest::text)
                endparagraph();
            break;
        default: // "\-" optional hyphen, "\|", "\:" and unknown symbols
            break;
        }
        return pos + 1;
    }

    void keyword(std::string_view word, bool hasparam, int param)
    {
        GroupState &state = top();
        const bool starred = state.starred;
        state.starred = false;
        if (overflow_ > 0 || state.dest == Dest::skip)
            return;
        if (pendingskip_ > 0) {
            // A control word stands for one of the fallback characters after "\uN".
            --pendingskip_;
            return;
        }
        const auto found = words().find(word);
        const WordInfo info = found == words().end() ? WordInfo{Word::unknown} : found->second;
        const Word w = info.word;

        // Destinations first: they decide how the rest of the group is read.
        switch (w) {
        case Word::fonttbl:
            state.dest = Dest::fonttable;
            return;
        case Word::colortbl:
            state.dest = Dest::colourtable;
            colourset_ = false;
            return;
        case Word::pict:
            dropped_.pictures = true;
            state.dest = Dest::skip;
            return;
        case Word::object:
            dropped_.objects = true;
            state.dest = Dest::skip;
            return;
        case Word::pntext:
            // The number or bullet a paragraph shows: the paragraph is a list item.
            if (state.dest == Dest::text)
                bullet_ = true;
            state.dest = Dest::skip;
            return;
        case Word::pn:
            state.dest = Dest::numbering;
            return;
        case Word::passthrough:
            return; // read as the text around it (a picture in it reports itself)
        case Word::skipped:
            state.dest = Dest::skip;
            return;
        default:
            if (starred) {
                state.dest = Dest::skip;
                return;
            }
            break;
        }

        switch (state.dest) {
        case Dest::fonttable:
            fonttableword(w, param);
            return;
        case Dest::colourtable:
            colourtableword(w, param);
            return;
        case Dest::numbering:
            if (w == Word::pnlevel)
                bullet_ = true;
            return;
        case Dest::text:
            textword(info, hasparam, param);
            return;
        case Dest::skip:
            return;
        }
    }

    void fonttableword(Word w, int param)
    {
        switch (w) {
        case Word::f:
            endfontentry();
            fontnumber_ = param;
            fontentry_ = FontEntry{};
            break;
        case Word::fcharset:
            fontentry_.codepage = codepageofcharset(param);
            break;
        case Word::cpg:
            if (param > 0 && param < 100000)
                fontentry_.codepage = param;
            break;
        case Word::u:
            if (fontnumber_ != INT_MIN && fontentry_.name.size() < 256 && (param & 0xFFFF) >= 0x20)
                fontentry_.name += unicodechar(param);
            pendingskip_ = top().skipafterunicode;
            break;
        default:
            break;
        }
    }

    void endfontentry()
    {
        if (fontnumber_ == INT_MIN)
            return;
        QString name = fontentry_.name.trimmed();
        if (!name.isEmpty() && !fonts_.count(fontnumber_))
            fonts_[fontnumber_] = FontEntry{name, fontentry_.codepage};
        fontnumber_ = INT_MIN;
        fontentry_ = FontEntry{};
    }

    void colourtableword(Word w, int param)
    {
        const int v = std::clamp(param, 0, 255);
        if (w == Word::red)
            red_ = v;
        else if (w == Word::green)
            green_ = v;
        else if (w == Word::blue)
            blue_ = v;
        else
            return;
        colourset_ = true;
    }

    void textword(WordInfo info, bool hasparam, int param)
    {
        const Word w = info.word;
        GroupState &state = top();
        CharState &chars = state.chars;
        const bool on = !hasparam || param != 0;
        switch (w) {
        case Word::par:
            endparagraph();
            break;
        case Word::line:
            textchar(QChar::LineSeparator);
            break;
        case Word::tab:
            textchar(QChar('\t'));
            break;
        case Word::u:
            for (QChar ch : unicodechar(param))
                textchar(ch);
            pendingskip_ = state.skipafterunicode;
            break;
        case Word::uc:
            state.skipafterunicode = std::clamp(param, 0, 16);
            break;
        case Word::plain:
            chars = CharState{};
            break;
        case Word::b:
            chars.bold = on;
            break;
        case Word::i:
            chars.italic = on;
            break;
        case Word::ul:
            chars.underline = on;
            break;
        case Word::ulnone:
            chars.underline = false;
            break;
        case Word::strike:
            chars.strike = on;
            break;
        case Word::f:
            chars.font = fonts_.count(param) ? param : -1;
            break;
        case Word::deff:
            deffont_ = param;
            break;
        case Word::fs:
            if (hasparam && param >= 2 && param <= maxhalfpoints)
                chars.halfpoints = param;
            break;
        case Word::cf:
            chars.colour = param > 0 && param < qsizetype(colours_.size()) ? param : 0;
            break;
        case Word::ansicpg:
            if (param > 0 && param < 100000)
                documentcodepage_ = param;
            break;
        case Word::pard:
            alignment_ = Qt::AlignLeft;
            bullet_ = false;
            break;
        case Word::ql:
            alignment_ = Qt::AlignLeft;
            break;
        case Word::qc:
            alignment_ = Qt::AlignHCenter;
            break;
        case Word::qr:
            alignment_ = Qt::AlignRight;
            break;
        case Word::qj:
            alignment_ = Qt::AlignJustify;
            break;
        case Word::ls:
            bullet_ = param > 0;
            break;
        case Word::table:
            dropped_.tables = true;
            break;
        case Word::cell:
            dropped_.tables = true;
            pendingcell_ = true;
            break;
        case Word::row:
            pendingcell_ = false;
            endparagraph();
            break;
        case Word::character:
            textchar(QChar(info.character));
            break;
        default:
            break;
        }
    }

    // The text of "\uN": N is a signed 16-bit unit. Halves of a surrogate
    // pair are joined; a lone half and non-characters become U+FFFD.
    QString unicodechar(int param)
    {
        const char16_t unit = char16_t(param & 0xFFFF);
        QString out;
        if (QChar::isHighSurrogate(unit)) {
            if (highsurrogate_)
                out += QChar(QChar::ReplacementCharacter);
            highsurrogate_ = unit;
            return out;
        }
        if (QChar::isLowSurrogate(unit)) {
            if (highsurrogate_) {
                out += QChar(highsurrogate_);
                out += QChar(unit);
                highsurrogate_ = 0;
            } else {
                out += QChar(QChar::ReplacementCharacter);
            }
            return out;
        }
        if (highsurrogate_) {
            out += QChar(QChar::ReplacementCharacter);
            highsurrogate_ = 0;
        }
        out += (unit == 0xFFFF || unit == 0xFFFE) ? QChar(QChar::ReplacementCharacter) : QChar(unit);
        return out;
    }

    void textbyte(unsigned char byte, bool escaped = false)
    {
        if (pendingskip_ > 0) {
            --pendingskip_;
            return;
        }
        GroupState &state = top();
        if (overflow_ > 0 || state.dest == Dest::skip || state.dest == Dest::numbering)
            return;
        if (state.dest == Dest::colourtable) {
            if (byte == ';') {
                colours_.push_back(colourset_ ? QColor(red_, green_, blue_) : QColor());
                red_ = green_ = blue_ = 0;
                colourset_ = false;
            }
            return;
        }
        if (state.dest == Dest::fonttable) {
            if (byte == ';' && !escaped)
                endfontentry();
            else if (fontnumber_ != INT_MIN && fontentry_.name.size() < 256 && byte >= 0x20)
                fontentry_.name += codepages_.charof(codepageof(fontentry_.codepage), byte);
            return;
        }
        if (byte < 0x80)
            textchar(QChar(byte));
        else
            textchar(codepages_.charof(codepageof(fontcodepage(state.chars.font)), byte));
    }

    int codepageof(int fontcodepage) const { return fontcodepage ? fontcodepage : documentcodepage_; }

    int fontcodepage(int font) const
    {
        const int f = font >= 0 ? font : deffont_;
        auto it = fonts_.find(f);
        return it == fonts_.end() ? 0 : it->second.codepage;
    }

    void textchar(QChar ch)
    {
        if (top().dest != Dest::text || overflow_ > 0)
            return;
        if (highsurrogate_ && !ch.isLowSurrogate()) {
            highsurrogate_ = 0;
            textchar(QChar(QChar::ReplacementCharacter));
        }
        const char16_t u = ch.unicode();
        if (u == QChar::ParagraphSeparator) {
            endparagraph();
            return;
        }
        // Control characters and object places would put into the document
        // what no RTF of ours can say.
        if ((u < 0x20 && u != '\t') || u == 0x7F || u == QChar::ObjectReplacementCharacter)
            return;
        if (pendingcell_) {
            pendingcell_ = false;
            addtorun(QChar('\t'));
        }
        addtorun(ch);
    }

    void addtorun(QChar ch)
    {
        if (!run_.isEmpty() && runchars_ != top().chars)
            flush();
        if (run_.isEmpty())
            runchars_ = top().chars;
        run_ += ch;
    }

    QTextCharFormat charformat(const CharState &chars)
    {
        const FormatKey key{chars.font, chars.halfpoints, chars.colour,
                            int(chars.bold) | int(chars.italic) << 1 | int(chars.underline) << 2 |
                                int(chars.strike) << 3};
        auto it = formats_.find(key);
        if (it != formats_.end())
            return it->second;
        QTextCharFormat f;
        const int font = chars.font >= 0 ? chars.font : deffont_;
        auto entry = fonts_.find(font);
        f.setFontFamilies(QStringList{entry != fonts_.end() ? entry->second.name : arial});
        f.setFontPointSize(chars.halfpoints / 2.0);
        const QColor colour = chars.colour > 0 && chars.colour < qsizetype(colours_.size())
                                  ? colours_[size_t(chars.colour)]
                                  : QColor();
        f.setForeground(colour.isValid() ? colour : QColor(Qt::black));
        f.setFontWeight(chars.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(chars.italic);
        f.setFontUnderline(chars.underline);
        f.setFontStrikeOut(chars.strike);
        formats_.emplace(key, f);
        return f;
    }

    void flush()
    {
        if (run_.isEmpty())
            return;
        cursor_.insertText(run_, charformat(runchars_));
        run_.clear();
    }

    void endparagraph()
    {
        flush();
        pendingcell_ = false;
        closeblock(top().chars);
        cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }

    // Gives the current block its paragraph properties and the format of its
    // paragraph mark.
    void closeblock(const CharState &mark)
    {
        QTextBlockFormat block;
        block.setAlignment(alignment_);
        cursor_.setBlockFormat(block);
        cursor_.setBlockCharFormat(charformat(mark));
        if (bullet_) {
            if (list_ && cursor_.block().previous().isValid() && cursor_.block().previous().textList() == list_) {
                list_->add(cursor_.block());
            } else {
                QTextListFormat format;
                format.setStyle(QTextListFormat::ListDisc);
                list_ = cursor_.createList(format);
            }
        }
    }

    void finish()
    {
        flush();
        closeblock(closing_ ? *closing_ : top().chars);
    }

    static bool isletter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isdigit(char c) { return c >= '0' && c <= '9'; }
    static int hexvalue(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    const QByteArray &data_;
    QTextCursor cursor_;
    std::vector<GroupState> stack_;
    int overflow_ = 0; // groups opened beyond maxdepth and not yet closed
    int pendingskip_ = 0; // fallback characters after "\uN" still to skip
    char16_t highsurrogate_ = 0;
    rtf::Dropped dropped_;

    std::map<int, FontEntry> fonts_;
    int fontnumber_ = INT_MIN;
    FontEntry fontentry_;
    int deffont_ = 0;
    int documentcodepage_ = 1250;
    CodePages codepages_;

    std::vector<QColor> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourset_ = false;

    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool bullet_ = false;
    QTextList *list_ = nullptr;
    bool pendingcell_ = false;

    QString run_;
    CharState runchars_;
    std::optional<CharState> closing_;
    using FormatKey = std::array<int, 4>;
    std::map<FormatKey, QTextCharFormat> formats_;
};

bool isrtf(const QByteArray &data)
{
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
}

void readplain(const QByteArray &data, QTextDocument &document)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (utf8.hasError())
        text = ansi::decode(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    // What the RTF reader keeps out of a document, so both roads give the same.
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != '\t' && u != '\n') || u == 0x7F || u == QChar::ObjectReplacementCharacter;
    });
    QTextCursor cursor(&document);
    cursor.setBlockCharFormat(rtf::defaultformat());
    cursor.insertText(text, rtf::defaultformat());
}

} // namespace

namespace rtf {

QFont defaultfont()
{
    QFont font(arial);
    font.setPointSize(10);
    return font;
}

QTextCharFormat defaultformat()
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{arial});
    f.setFontPointSize(10);
    f.setForeground(QColor(Qt::black));
    f.setFontWeight(QFont::Normal);
    f.setFontItalic(false);
    f.setFontUnderline(false);
    f.setFontStrikeOut(false);
    return f;
}

Dropped read(const QByteArray &data, QTextDocument &document)
{
    document.setUndoRedoEnabled(false);
    document.clear();
    document.setDefaultFont(defaultfont());
    Dropped dropped;
    if (isrtf(data))
        dropped = Reader(data, document).read();
    else
        readplain(data, document);
    document.setUndoRedoEnabled(true);
    return dropped;
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
