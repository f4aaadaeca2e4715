#pragma once
// The seven-day list as a model: which rows there are is found at once, the
// text and picture of a row only when it shows. A busy week of repeating
// records gives thousands of rows, of which a window shows a dozen.

#include "organizer/calendar.h"

#include <QAbstractListModel>

class SevenDayList : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit SevenDayList(const std::vector<TCalItemRec> &calitems, QObject *parent = nullptr);

    // The next seven days from `today`, headings in `dateformat`.
    void fill(QDate today, const QString &dateformat);

    int rowCount(const QModelIndex &parent = {}) const override;
    // The row's text, its picture (records) and a bold font (headings).
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const std::vector<TCalItemRec> &calitems_;
    QList<DayEntry> entries_;
    QString dateformat_;
};
