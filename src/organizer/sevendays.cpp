#include "organizer/sevendays.h"

#include "organizer/calendaricons.h"

#include <QFont>
#include <QIcon>

SevenDayList::SevenDayList(const std::vector<TCalItemRec> &calitems, QObject *parent)
    : QAbstractListModel(parent), calitems_(calitems)
{
}

void SevenDayList::fill(QDate today, const QString &dateformat)
{
    beginResetModel();
    entries_ = sevendayentries(calitems_, today);
    dateformat_ = dateformat;
    endResetModel();
}

int SevenDayList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant SevenDayList::data(const QModelIndex &index, int role) const
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
