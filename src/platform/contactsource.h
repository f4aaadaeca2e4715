#pragma once
// Where imported contacts come from: items by index, and each item's
// properties by name (names match without regard to case), as the mail
// client's contact folder gives them.

#include <QString>

// A date as a source gives it; year 4501 stands for "no date", and year 0
// for a date given without a year.
struct SourceDate
{
    int day = 1;
    int month = 1;
    int year = 4501;
};

class ContactSource
{
public:
    virtual ~ContactSource() = default;

    // How many items the source holds.
    virtual int count() const = 0;
    // The text of a property of item `item` (0 to count() - 1); empty when
    // the item has none. Several lines (an address) are joined with "\r\n".
    virtual QString text(int item, const QString &property) const = 0;
    // The item's "birthday".
    virtual SourceDate birthday(int item) const = 0;
    // Why reading went wrong, once it has (the importer asks after each
    // item and then keeps nothing of the import); empty while all is well.
    virtual QString failure() const { return {}; }
};
