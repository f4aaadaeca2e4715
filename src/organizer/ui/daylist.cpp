#include "organizer/ui/daylist.h"

#include "organizer/ui/calendaricons.h"

#include <QFont>
#include <QIcon>

DayList::DayList(const std::vector<TCalItemRec> &calitems, QObject *parent)
    : QAbstractListModel(parent), calitems_(calitems)
{
}

void DayList::showweek(QDate today, const QString &dateformat)
{
    beginResetModel();
    entries_ = sevendayentries(calitems_, today);
    dateformat_ = dateformat;
    endResetModel();
}

void DayList::showrecords(const QList<int> &records)
{
    beginResetModel();
    entries_.clear();
    entries_.reserve(records.size());
    for (int record : records)
        entries_.push_back({record, QDate()});
    endResetModel();
}

void DayList::rowschanged(int row, int other)
{
    emit dataChanged(index(row), index(row));
    emit dataChanged(index(other), index(other));
}

int DayList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant DayList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= entries_.size())
        return {};
    const DayEntry &entry = entries_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return dayrow(calitems_, entry, dateformat_).caption;
    case Qt::DecorationRole: {
        if (entry.record < 0 || entry.record >= int(calitems_.size()))
            return {};
        const TCalItemRec &r = calitems_[size_t(entry.record)];
        return calendaricon(itemimageindex(r.icon, r.remind));
    }
    case Qt::FontRole: {
        if (!entry.heading.isValid())
            return {};
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    default:
        return {};
    }
}
