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

const QChar &CodePages::charof(int codepage, unsigned char byte)
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
