#include "organizer/contactlist.h"

#include <algorithm>

ContactList::ContactList(QObject *parent, const QLocale &locale) : QAbstractListModel(parent), collator_(locale)
{
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

bool ContactList::before(const Row &a, const Row &b) const
{
    const int order = collator_.compare(a.name, b.name);
    return order != 0 ? order < 0 : a.record < b.record;
}

void ContactList::fill(const std::vector<TContactRec> &contacts)
{
    beginResetModel();
    rows_.clear();
    rows_.reserve(contacts.size());
    for (int i = 0; i < int(contacts.size()); ++i) {
        if (!contacts[size_t(i)].name.isEmpty())
            rows_.push_back({contacts[size_t(i)].name, i});
    }
    const auto order = [this](const Row &a, const Row &b) { return before(a, b); };
    const qsizetype count = qsizetype(rows_.size());
    head_ = std::min(count, headrows);
    tail_ = 0;
    std::partial_sort(rows_.begin(), rows_.begin() + head_, rows_.end(), order);
    if (count - head_ <= 1) {
        head_ = count;
    } else {
        std::iter_swap(std::max_element(rows_.begin() + head_, rows_.end(), order), rows_.end() - 1);
        tail_ = 1;
    }
    endResetModel();
}

void ContactList::sortmiddle() const
{
    if (head_ + tail_ >= qsizetype(rows_.size()))
        return;
    const auto rest = rows_.begin() + head_;
    const auto end = rows_.end() - tail_;
    head_ = qsizetype(rows_.size());
    tail_ = 0;
    // Without a language's collation (the "C" locale) sort keys would tell
    // case apart, so the comparison itself sorts there.
    if (collator_.locale().language() == QLocale::C) {
        std::sort(rest, end, [this](const Row &a, const Row &b) { return before(a, b); });
        return;
    }
    // Elsewhere a key per name, then byte comparisons: several times faster.
    struct Keyed
    {
        QCollatorSortKey key;
        Row row;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(end - rest));
    for (auto r = rest; r != end; ++r)
        keyed.push_back({collator_.sortKey(r->name), std::move(*r)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.row.record < b.row.record;
    });
    auto out = rest;
    for (Keyed &k : keyed)
        *out++ = std::move(k.row);
}

const ContactList::Row *ContactList::at(int row) const
{
    if (row < 0 || row >= int(rows_.size()))
        return nullptr;
    if (row >= head_ && row < qsizetype(rows_.size()) - tail_)
        sortmiddle();
    return &rows_[size_t(row)];
}

int ContactList::insert(const std::vector<TContactRec> &contacts, int record)
{
    sortmiddle();
    const Row added{contacts[size_t(record)].name, record};
    const auto place = std::upper_bound(rows_.begin(), rows_.end(), added,
                                        [this](const Row &a, const Row &b) { return before(a, b); });
    const int row = int(place - rows_.begin());
    beginInsertRows({}, row, row);
    rows_.insert(place, added);
    head_ = qsizetype(rows_.size());
    endInsertRows();
    return row;
}

void ContactList::removerow(int row)
{
    if (row < 0 || row >= int(rows_.size()))
        return;
    sortmiddle();
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    head_ = qsizetype(rows_.size());
    endRemoveRows();
}

int ContactList::record(int row) const
{
    const Row *r = at(row);
    return r ? r->record : -1;
}

int ContactList::rowof(int record) const
{
    const auto found =
        std::find_if(rows_.begin(), rows_.end(), [record](const Row &r) { return r.record == record; });
    if (found == rows_.end())
        return -1;
    const qsizetype row = found - rows_.begin();
    if (row < head_ || row >= qsizetype(rows_.size()) - tail_)
        return int(row);
    sortmiddle();
    return rowof(record);
}

QString ContactList::name(int row) const
{
    const Row *r = at(row);
    return r ? r->name : QString();
}

int ContactList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant ContactList::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const Row *r = at(index.row());
    return r ? QVariant(r->name) : QVariant();
}
