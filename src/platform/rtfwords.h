#pragma once
// The vocabulary of the RTF reader: the control words it knows and the code
// pages a file's bytes are read in.

#include <QChar>

#include <array>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace rtf::reading {

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

// The code page a font's character set stands for (0 when unknown: the
// document's own).
int codepageofcharset(int charset);

} // namespace rtf::reading
