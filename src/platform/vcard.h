#pragma once
// Contacts read from a vCard file (versions 2.1, 3.0 and 4.0): one item per
// BEGIN:VCARD ... END:VCARD block, in file order, answering the property
// names the contact import asks for (see text()). The whole file is read and
// decoded at once; the source keeps only the answers.

#include "platform/contactsource.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

class VCardSource : public ContactSource
{
public:
    // Reads the file at `path`. Gives nothing, with the reason in `error`
    // (when given), only when the file cannot be read. A file without any
    // card is an empty source; cards of groups (KIND:group) are no items;
    // damaged cards are read as far as they go, and a card cut off by the
    // end of the file keeps what it has.
    static std::optional<VCardSource> readvcard(const QString &path, QString *error = nullptr);
    // The same for the content of a file already read.
    static VCardSource fromdata(QByteArray data);

    int count() const override;
    // Names the import asks for (any case): fullname, companyname, Department,
    // HomeTelephoneNumber, Home2TelephoneNumber, HomeFaxNumber,
    // Businesstelephonenumber, business2telephonenumber, businessfaxnumber,
    // mobiletelephonenumber, ISDNnumber, CompanyMainTelephoneNumber,
    // PrimaryTelephoneNumber, OtherTelephoneNumber (the numbers that found
    // no field of their own, joined with ", "), email1address to
    // email3address, homeaddress, businessaddress, mailingaddress, nickname,
    // jobtitle, Profession, Language, Hobby, webpage, businesshomepage,
    // personalhomepage. Any other name, and an item out of range, gives an
    // empty text.
    QString text(int item, const QString &property) const override;
    // SourceDate{} when the card has no usable BDAY; year 0 when it gave none.
    SourceDate birthday(int item) const override;

private:
    struct Item
    {
        QHash<QString, QString> texts; // by lowercase property name, only non-empty ones
        SourceDate birthday;
    };

    VCardSource() = default;

    std::vector<Item> items_;
};
