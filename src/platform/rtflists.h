#pragma once
// The RTF reader's lists: the list table, each paragraph's numbering, and
// the lists of the document its items go on.

#include "platform/rtfwords.h"

#include <QString>
#include <QTextCursor>

#include <climits>
#include <map>
#include <utility>
#include <vector>

class QTextList;

namespace rtf::reading {

class ListReader
{
public:
    // The words of the list table, of its override table and of a "\pn" group.
    void listtableword(Word w, int param);
    void overridetableword(Word w, int param);
    void numberingword(const WordInfo &info);

    // A paragraph's words: a "\pn" group, a "\pntext" or "\listtext"
    // group and its text, "\pard", "\ls" and "\ilvl".
    void numberinggroup();
    void itemtextgroup(bool pntext);
    void itemtextchar(QChar ch);
    void pard();
    void ls(int param);
    void ilvl(int param);

    // At a paragraph's end: makes the cursor's block an item of its list
    // when it is one. `last`: the paragraph after the last "\par".
    void endparagraph(QTextCursor &cursor, bool last);

private:
    static constexpr int maxlistlevels = 9;

    Numbering paragraphnumbering() const;
    void placeinlist(QTextCursor &cursor, Numbering numbering);
    QTextList *numberedlist(Numbering numbering, int count);

    // Lists: what the paragraph's "\pn" says (until "\pard"), whether it
    // has a "\pntext", its "\ls" and "\ilvl", and the text its number shows.
    Numbering pnnumbering_ = Numbering::none;
    bool pntextseen_ = false;
    bool listwords_ = false; // "\pntext", "\listtext", "\pn" or "\ls" since the last paragraph
    int ls_ = 0;
    int ilvl_ = 0;
    QString itemtext_;
    // The list table: each list's levels by list id, the list being read,
    // and the lists "\ls" numbers stand for.
    std::map<int, std::vector<Numbering>> lists_;
    std::vector<Numbering> listlevels_;
    int listid_ = INT_MIN;
    std::map<int, int> overrides_;
    int overrideid_ = INT_MIN;
    int overridels_ = 0;
    // Numbered lists by numbering and item count, the latest last.
    std::map<std::pair<int, int>, std::vector<QTextList *>> numberedlists_;
};

} // namespace rtf::reading
