#pragma once
// The vocabulary of the RTF reader: the control words it knows and the code
// pages a file's bytes are read in.

#include <QChar>
#include <QStringView>

#include <array>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace rtf::reading {

// How the items of a list are marked.
enum class Numbering { none, bullet, decimal, loweralpha, upperalpha, lowerroman, upperroman };

enum class Word {
    unknown,
    // destinations
    fonttbl, colortbl, pict, object, pntext, listtext, pn, listtable, listoverridetable, passthrough, skipped,
    aside, // headers, footers, footnotes and comments: left out, and reported when they hold text
    // inside tables
    f, fcharset, cpg, red, green, blue, list, listlevel, levelnfc, listid, listoverride,
    // inside "\pn"
    pnbullet, pnnumbered, pncontinued, pnstyle,
    // text
    par, line, tab, u, uc, plain, b, i, ul, ulnone, strike, hidden, deff, fs, cf, ansicpg,
    pard, ql, qc, qr, qj, ls, ilvl, table, cell, row, character,
};

struct WordInfo
{
    Word word;
    char16_t character = 0;                 // for Word::character
    Numbering numbering = Numbering::none; // for Word::pnstyle
};

// Every control word the reader acts on, by name.
const std::unordered_map<std::string_view, WordInfo> &words();

// The character of one byte in one code page.
class CodePages
{
public:
    const QChar &charof(int codepage, unsigned char byte);

private:
    std::map<int, std::unique_ptr<std::array<QChar, 256>>> tables_;
};

// The numbering of a list level's "\\levelnfc" (bullet for none at all).
Numbering numberingoflevel(int nfc);

// The number a list item's text shows ("3.", "(c)", "iv.", "1.2."): its
// last run of letters or digits read as `numbering` counts; 0 when it is
// none.
int itemnumber(QStringView text, Numbering numbering);

// The code page a font's character set stands for (0 when unknown: the
// document's own).
int codepageofcharset(int charset);

} // namespace rtf::reading
