#pragma once
// The rows of the contacts list: one per contact with a name, in the order a
// sorted list control keeps them (the user's language, ignoring case; equal
// names in record order). Each row keeps the record it lists, so contacts of
// one name stay apart. A plain list of names and record numbers behind the
// view: ten thousand contacts take no item objects.

#include "database/records.h"

#include <QAbstractListModel>
#include <QCollator>
#include <QLocale>

#include <vector>

class ContactList : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ContactList(QObject *parent = nullptr, const QLocale &locale = QLocale());

    // Lists every record of `contacts` that has a name, anew.
    void fill(const std::vector<TContactRec> &contacts);
    // Adds record `record`, the newest, in its sorted place after the rows
    // of an equal name (as a sorted list adds an entry); returns its row.
    int insert(const std::vector<TContactRec> &contacts, int record);
    void removerow(int row);

    // The record of a row, -1 outside the rows.
    int record(int row) const;
    // The row of a record, -1 when it is not listed.
    int rowof(int record) const;
    // The text a row shows: the name as it was listed.
    QString name(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    struct Row
    {
        QString name;
        int record;
    };
    // The list's order: the collator's, then the record's.
    bool before(const Row &a, const Row &b) const;
    // The row, sorting the middle first when it lies there; nullptr outside
    // the rows.
    const Row *at(int row) const;
    void sortmiddle() const;

    // Only the ends of the list are put in place when it is filled, with
    // about one comparison per contact: the head, enough rows for a tall
    // window (a start selects the first row, the page shows the head), and
    // the last row (the view sizes its rows by it). The middle, with a sort
    // key per name, waits until a row of it is needed.
    static constexpr qsizetype headrows = 128;
    // Rows [0, head_) are the smallest in order, the last tail_ rows the
    // largest in order; those between follow in no particular order.
    mutable std::vector<Row> rows_;
    mutable qsizetype head_ = 0;
    mutable qsizetype tail_ = 0;
    QCollator collator_;
};
