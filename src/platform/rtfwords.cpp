#include "platform/rtfwords.h"

#include "platform/ansi.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

namespace rtf::reading {

const std::unordered_map<std::string_view, WordInfo> &words()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t;
        for (std::string_view w :
             {"stylesheet", "info",
              "xe", "tc", "txe", "rxe", "fldinst", "pntxta",
              "pntxtb", "nonshppict", "revtbl", "upr", "template", "atnid", "atnauthor", "atndate", "atnref",
              "atrfstart", "atrfend", "private", "bkmkstart", "bkmkend",
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
        for (std::string_view w : {"header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
                                   "footerf", "footnote", "annotation"})
            t[w] = {Word::aside};
        t["pnlvlblt"] = {Word::pnbullet};
        t["pnlvlbody"] = {Word::pnnumbered};
        t["pnlvl"] = {Word::pnnumbered};
        t["pnlvlcont"] = {Word::pncontinued};
        for (std::string_view w : {"pndec", "pncard", "pnord", "pnordt"})
            t[w] = {Word::pnstyle, 0, Numbering::decimal};
        t["pnlcltr"] = {Word::pnstyle, 0, Numbering::loweralpha};
        t["pnucltr"] = {Word::pnstyle, 0, Numbering::upperalpha};
        t["pnlcrm"] = {Word::pnstyle, 0, Numbering::lowerroman};
        t["pnucrm"] = {Word::pnstyle, 0, Numbering::upperroman};
        t["listtable"] = {Word::listtable};
        t["listoverridetable"] = {Word::listoverridetable};
        t["listtext"] = {Word::listtext};
        t["list"] = {Word::list};
        t["listlevel"] = {Word::listlevel};
        t["levelnfc"] = {Word::levelnfc};
        t["levelnfcn"] = {Word::levelnfc};
        t["listid"] = {Word::listid};
        t["listoverride"] = {Word::listoverride};
        t["ilvl"] = {Word::ilvl};
        t["v"] = {Word::hidden};
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

namespace {

// windows-1252 from 0x80 to 0x9F (Latin-1 elsewhere), for a Qt that knows
// no code pages of its own: the code page RTF reads when a file names none.
constexpr char16_t windows1252high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QChar windows1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? QChar(windows1252high[byte - 0x80]) : QChar(byte);
}

} // namespace

const QChar &CodePages::charof(int codepage, unsigned char byte)
{
    auto &table = tables_[codepage];
    if (!table) {
        table = std::make_unique<std::array<QChar, 256>>();
        QStringDecoder decoder;
        if (codepage != 1250)
            decoder = QStringDecoder(QByteArray("windows-" + QByteArray::number(codepage)).constData());
        for (int b = 0; b < 256; ++b) {
            QChar c = codepage == 1252 ? windows1252(static_cast<unsigned char>(b))
                                       : ansi::charof(static_cast<unsigned char>(b));
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

Numbering numberingoflevel(int nfc)
{
    switch (nfc) {
    case 1:
        return Numbering::upperroman;
    case 2:
        return Numbering::lowerroman;
    case 3:
        return Numbering::upperalpha;
    case 4:
        return Numbering::loweralpha;
    case 23:  // a bullet
    case 255: // no number
        return Numbering::bullet;
    default: // arabic, ordinals, leading zeros and the numbers of other scripts
        return Numbering::decimal;
    }
}

namespace {

constexpr int largestnumber = 1000000; // far beyond any list, and no overflow

int romanvalue(QChar c)
{
    switch (c.toLower().unicode()) {
    case u'i':
        return 1;
    case u'v':
        return 5;
    case u'x':
        return 10;
    case u'l':
        return 50;
    case u'c':
        return 100;
    case u'd':
        return 500;
    case u'm':
        return 1000;
    default:
        return 0;
    }
}

} // namespace

int itemnumber(QStringView text, Numbering numbering)
{
    qsizetype end = text.size();
    while (end > 0 && !text[end - 1].isLetterOrNumber())
        --end;
    qsizetype start = end;
    while (start > 0 && text[start - 1].isLetterOrNumber())
        --start;
    const QStringView run = text.sliced(start, end - start);
    if (run.isEmpty() || run.size() > 16)
        return 0;

    int number = 0;
    switch (numbering) {
    case Numbering::decimal:
        for (QChar c : run) {
            if (c < u'0' || c > u'9' || number > largestnumber)
                return 0;
            number = number * 10 + (c.unicode() - u'0');
        }
        break;
    case Numbering::loweralpha:
    case Numbering::upperalpha:
        // a to z, then aa, ab, ...: letters counted from 1, without a zero.
        for (QChar c : run) {
            const char16_t l = c.toLower().unicode();
            if (l < u'a' || l > u'z' || number > largestnumber / 26)
                return 0;
            number = number * 26 + (l - u'a' + 1);
        }
        break;
    case Numbering::lowerroman:
    case Numbering::upperroman:
        for (qsizetype k = 0; k < run.size(); ++k) {
            const int v = romanvalue(run[k]);
            if (v == 0)
                return 0;
            const int next = k + 1 < run.size() ? romanvalue(run[k + 1]) : 0;
            number += next > v ? -v : v;
        }
        break;
    case Numbering::none:
    case Numbering::bullet:
        return 0;
    }
    return number > 0 && number <= largestnumber ? number : 0;
}

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

} // namespace rtf::reading
