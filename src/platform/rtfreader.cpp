#include "platform/rtf.h"

#include "platform/ansi.h"
#include "platform/rtflists.h"
#include "platform/rtfwords.h"

#include <QColor>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace {

using namespace rtf::reading;

enum class Dest {
    text,       // the document's text
    skip,       // read over
    fonttable,
    colourtable,
    numbering,  // "\pn": paragraph numbering properties
    listtable,
    overridetable,
    itemtext,   // "\pntext", "\listtext": the number or bullet an item shows
    aside,      // headers, footers, footnotes and comments: left out
};

struct CharState
{
    int font = -1; // -1: the default font
    int halfpoints = 24; // RTF's own default size
    int colour = 0;
    bool bold = false, italic = false, underline = false, strike = false;
    bool hidden = false; // "\v": not shown, so not read

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
                paragraphmark();
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
        case Word::listtext:
            // The number or bullet a paragraph shows. "\pntext" alone makes
            // the paragraph a list item; what the number is tells which.
            if (state.dest == Dest::text) {
                lists_.itemtextgroup(w == Word::pntext);
                state.dest = Dest::itemtext;
            } else {
                state.dest = Dest::skip;
            }
            return;
        case Word::pn:
            if (state.dest == Dest::text)
                lists_.numberinggroup();
            state.dest = Dest::numbering;
            return;
        case Word::listtable:
            state.dest = Dest::listtable;
            return;
        case Word::listoverridetable:
            state.dest = Dest::overridetable;
            return;
        case Word::aside:
            state.dest = Dest::aside;
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
            lists_.numberingword(info);
            return;
        case Dest::listtable:
            lists_.listtableword(w, param);
            return;
        case Dest::overridetable:
            lists_.overridetableword(w, param);
            return;
        case Dest::aside:
            if (w == Word::u || w == Word::character)
                dropped_.asides = true;
            return;
        case Dest::text:
            textword(info, hasparam, param);
            return;
        case Dest::itemtext:
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
            paragraphmark();
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
        case Word::hidden:
            chars.hidden = on;
            break;
        case Word::f:
            chars.font = fonts_.count(param) ? param : -1;
            break;
        case Word::deff:
            deffont_ = param;
            break;
        case Word::fs:
            if (hasparam && param >= 2 && param <= rtf::maxhalfpoints)
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
            lists_.pard();
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
            lists_.ls(param);
            break;
        case Word::ilvl:
            lists_.ilvl(param);
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
        if (state.dest == Dest::aside) {
            if (byte > 0x20)
                dropped_.asides = true;
            return;
        }
        const QChar ch =
            byte < 0x80 ? QChar(byte) : codepages_.charof(codepageof(fontcodepage(state.chars.font)), byte);
        if (state.dest == Dest::itemtext) {
            lists_.itemtextchar(ch);
            return;
        }
        textchar(ch);
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
        if (top().chars.hidden) {
            dropped_.hidden = true;
            return;
        }
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
        f.setFontFamilies(QStringList{entry != fonts_.end() ? entry->second.name : rtf::defaultfamily});
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

    // "\par": a hidden one joins its paragraph to the next, as word
    // processors show it.
    void paragraphmark()
    {
        if (top().chars.hidden) {
            dropped_.hidden = true;
            return;
        }
        endparagraph();
    }

    void endparagraph()
    {
        flush();
        pendingcell_ = false;
        closeblock(top().chars);
        cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }

    // Gives the current block its paragraph properties and the format of its
    // paragraph mark. `last`: the paragraph after the last "\par".
    void closeblock(const CharState &mark, bool last = false)
    {
        QTextBlockFormat block;
        block.setAlignment(alignment_);
        cursor_.setBlockFormat(block);
        cursor_.setBlockCharFormat(charformat(mark));
        lists_.endparagraph(cursor_, last);
    }

    void finish()
    {
        flush();
        closeblock(closing_ ? *closing_ : top().chars, true);
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
    int documentcodepage_ = 1252; // RTF's own, until "\ansicpg" names another
    CodePages codepages_;

    std::vector<QColor> colours_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colourset_ = false;

    Qt::Alignment alignment_ = Qt::AlignLeft;
    ListReader lists_;
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

} // namespace rtf
