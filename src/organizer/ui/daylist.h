#pragma once
// A day list as a model: the seven-day list or the records of one day.
// Which rows there are is found at once, the text and picture of a row only
// when it shows: a busy week of repeating records gives thousands of rows,
// of which a window shows a dozen.

#include "organizer/calendar.h"

#include <QAbstractListModel>

class DayList : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit DayList(const std::vector<TCalItemRec> &calitems, QObject *parent = nullptr);

    // The next seven days from `today`, headings in `dateformat`.
    void showweek(QDate today, const QString &dateformat);
    // The records `records`, in that order.
    void showrecords(const QList<int> &records);
    // Rows whose records changed in place.
    void rowschanged(int row, int other);

    int rowCount(const QModelIndex &parent = {}) const override;
    // The row's text, its picture (records) and a bold font (headings).
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<TCalItemRec> &calitems_;
    QList<DayEntry> entries_;
    QString dateformat_;
};
