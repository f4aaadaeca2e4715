#include "platform/rtflists.h"

#include <QTextBlock>
#include <QTextList>

#include <algorithm>

namespace rtf::reading {

namespace {

QTextListFormat::Style liststyle(Numbering numbering)
{
    switch (numbering) {
    case Numbering::decimal:
        return QTextListFormat::ListDecimal;
    case Numbering::loweralpha:
        return QTextListFormat::ListLowerAlpha;
    case Numbering::upperalpha:
        return QTextListFormat::ListUpperAlpha;
    case Numbering::lowerroman:
        return QTextListFormat::ListLowerRoman;
    case Numbering::upperroman:
        return QTextListFormat::ListUpperRoman;
    case Numbering::none:
    case Numbering::bullet:
        break;
    }
    return QTextListFormat::ListDisc;
}

} // namespace

void ListReader::numberingword(const WordInfo &info)
{
    switch (info.word) {
    case Word::pnbullet:
        pnnumbering_ = Numbering::bullet;
        break;
    case Word::pnnumbered:
        if (pnnumbering_ == Numbering::none)
            pnnumbering_ = Numbering::decimal;
        break;
    case Word::pncontinued: // an item's further paragraph, without a number
        if (pnnumbering_ == Numbering::none)
            pnnumbering_ = Numbering::bullet;
        break;
    case Word::pnstyle:
        if (pnnumbering_ != Numbering::bullet)
            pnnumbering_ = info.numbering;
        break;
    default:
        break;
    }
}

void ListReader::listtableword(Word w, int param)
{
    switch (w) {
    case Word::list:
        listlevels_.clear();
        listid_ = INT_MIN;
        return;
    case Word::listlevel:
        // A level numbers in arabic until its "\levelnfc" says otherwise.
        if (listlevels_.size() < size_t(maxlistlevels))
            listlevels_.push_back(Numbering::decimal);
        break;
    case Word::levelnfc:
        if (!listlevels_.empty())
            listlevels_.back() = numberingoflevel(param);
        break;
    case Word::listid:
        listid_ = param;
        break;
    default:
        return;
    }
    if (listid_ != INT_MIN)
        lists_[listid_] = listlevels_;
}

void ListReader::overridetableword(Word w, int param)
{
    switch (w) {
    case Word::listoverride:
        overrideid_ = INT_MIN;
        overridels_ = 0;
        return;
    case Word::listid:
        overrideid_ = param;
        break;
    case Word::ls:
        overridels_ = param;
        break;
    default:
        return;
    }
    if (overrideid_ != INT_MIN && overridels_ > 0)
        overrides_[overridels_] = overrideid_;
}

void ListReader::numberinggroup()
{
    pnnumbering_ = Numbering::none; // each group says it all
    listwords_ = true;
}

void ListReader::itemtextgroup(bool pntext)
{
    pntextseen_ = pntextseen_ || pntext;
    listwords_ = true;
    itemtext_.clear();
}

void ListReader::itemtextchar(QChar ch)
{
    if (itemtext_.size() < 32)
        itemtext_ += ch;
}

void ListReader::pard()
{
    pnnumbering_ = Numbering::none;
    pntextseen_ = false;
    ls_ = 0;
    ilvl_ = 0;
}

void ListReader::ls(int param)
{
    ls_ = std::max(param, 0);
    listwords_ = true;
}

void ListReader::ilvl(int param)
{
    ilvl_ = std::clamp(param, 0, int(maxlistlevels) - 1);
}

void ListReader::endparagraph(QTextCursor &cursor, bool last)
{
    // After a list's last "\par" comes no item, unless something says so.
    const bool trailing = last && cursor.block().length() == 1 && !listwords_;
    const Numbering numbering = trailing ? Numbering::none : paragraphnumbering();
    if (numbering != Numbering::none)
        placeinlist(cursor, numbering);
    itemtext_.clear();
    listwords_ = false;
}

// How the paragraph's list marks it: by its "\ls" and the list table,
// else by its "\pn"; a "\pntext" alone is a bullet.
Numbering ListReader::paragraphnumbering() const
{
    if (ls_ > 0) {
        const auto listid = overrides_.find(ls_);
        const auto levels = listid == overrides_.end() ? lists_.end() : lists_.find(listid->second);
        if (levels != lists_.end() && size_t(ilvl_) < levels->second.size())
            return levels->second[size_t(ilvl_)];
        // No table says: an item that shows a number is numbered.
        return itemnumber(itemtext_, Numbering::decimal) > 0 ? Numbering::decimal : Numbering::bullet;
    }
    if (pnnumbering_ != Numbering::none)
        return pnnumbering_;
    return pntextseen_ ? Numbering::bullet : Numbering::none;
}

// Makes the paragraph an item of a list. A numbered item goes on the
// latest list of its kind that has one item less than the number it
// shows, so numbering goes on across other paragraphs and starts again
// at 1; without a number it goes on the list of the paragraph before.
void ListReader::placeinlist(QTextCursor &cursor, Numbering numbering)
{
    const QTextListFormat::Style style = liststyle(numbering);
    const QTextBlock previous = cursor.block().previous();
    QTextList *before = previous.isValid() ? previous.textList() : nullptr;
    if (before && before->format().style() != style)
        before = nullptr;
    const int number = itemnumber(itemtext_, numbering);
    QTextList *list = number > 1 ? numberedlist(numbering, number - 1) : nullptr;
    if (!list && number != 1)
        list = before;
    if (list) {
        list->add(cursor.block());
    } else {
        QTextListFormat format;
        format.setStyle(style);
        list = cursor.createList(format);
    }
    if (numbering != Numbering::bullet)
        numberedlists_[{int(numbering), list->count()}].push_back(list);
}

// The latest numbered list of `numbering` with `count` items.
QTextList *ListReader::numberedlist(Numbering numbering, int count)
{
    const auto found = numberedlists_.find({int(numbering), count});
    if (found == numberedlists_.end())
        return nullptr;
    std::vector<QTextList *> &lists = found->second;
    // Lists that have grown since they were filed here are dropped.
    while (!lists.empty() && lists.back()->count() != count)
        lists.pop_back();
    return lists.empty() ? nullptr : lists.back();
}

} // namespace rtf::reading
