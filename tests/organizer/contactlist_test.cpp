// The rows of the contacts list: sorted as the user's language sorts,
// ignoring case, contacts of one name apart, whichever row is asked for first.

#include "organizer/contactlist.h"

#include "organizer/contactsample.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using contactsample::czech;
using contactsample::expectedorder;
using contactsample::manycontacts;
using testsupport::contact;

namespace {

std::vector<TContactRec> named(const QStringList &names)
{
    std::vector<TContactRec> out;
    for (const QString &name : names) {
        TContactRec c;
        c.name = name;
        out.push_back(c);
    }
    return out;
}

std::vector<int> listedorder(const ContactList &list)
{
    std::vector<int> out;
    for (int row = 0; row < list.rowCount(); ++row)
        out.push_back(list.record(row));
    return out;
}

} // namespace

TEST(ContactList, SortsAsTheLanguageDoesIgnoringCase)
{
    const auto contacts = named({QStringLiteral("Hora"), QStringLiteral("Chrudim"), QStringLiteral("sandra"),
                                 QStringLiteral("Šimon"), QStringLiteral("Tomáš"), QStringLiteral("adam"),
                                 QStringLiteral("Bob"), QStringLiteral("Sandra"), QString()});
    ContactList list(nullptr, czech);
    list.fill(contacts);
    QStringList shown;
    for (int row = 0; row < list.rowCount(); ++row)
        shown << list.data(list.index(row)).toString();
    // "Ch" comes after "H" in Czech, "Š" after "S"; the two Sandras in record order.
    EXPECT_EQ(shown, QStringList({"adam", "Bob", "Hora", "Chrudim", "sandra", "Sandra", QStringLiteral("Šimon"),
                                  QStringLiteral("Tomáš")}));
    EXPECT_EQ(list.record(4), 2);
    EXPECT_EQ(list.record(5), 7);
    EXPECT_EQ(list.record(8), -1);
    EXPECT_EQ(list.record(-1), -1);
    EXPECT_EQ(list.rowof(8), -1) << "a contact without a name has no row";
    EXPECT_EQ(list.rowof(-1), -1);
    EXPECT_FALSE(list.data(list.index(0), Qt::DecorationRole).isValid());
}

TEST(ContactList, WithoutALanguageCaseIsStillIgnored)
{
    const auto contacts = named({QStringLiteral("banana"), QStringLiteral("Cherry"), QStringLiteral("apple"),
                                 QStringLiteral("Apple")});
    ContactList list(nullptr, QLocale::c());
    list.fill(contacts);
    EXPECT_EQ(listedorder(list), std::vector<int>({2, 3, 0, 1}));
}

// However the rows are first reached (the first row at a start, the last as
// the view sizes its rows, a row in the middle by a scroll, a record by its
// number), every row is where a full sort puts it.
TEST(ContactList, EveryRowInItsPlaceWhicheverIsAskedFirst)
{
    const auto contacts = manycontacts();
    for (const QLocale &locale : {czech, QLocale::c()}) {
        const std::vector<int> expected = expectedorder(contacts, locale);
        const int count = int(expected.size());
        const std::function<void(ContactList &)> firsts[] = {
            [](ContactList &l) { (void)l.record(0); },
            [&](ContactList &l) { EXPECT_EQ(l.record(count - 1), expected.back()); },
            [&](ContactList &l) { EXPECT_EQ(l.record(count / 2), expected[size_t(count / 2)]); },
            [&](ContactList &l) { EXPECT_EQ(l.rowof(expected[300]), 300); },
            [&](ContactList &l) { EXPECT_EQ(l.rowof(expected[5]), 5); },
            [&](ContactList &l) { EXPECT_EQ(l.name(count - 2), contacts[size_t(expected[size_t(count - 2)])].name.text()); },
        };
        for (const auto &first : firsts) {
            ContactList list(nullptr, locale);
            list.fill(contacts);
            ASSERT_EQ(list.rowCount(), count);
            EXPECT_EQ(list.record(0), expected.front()) << locale.name().toStdString();
            first(list);
            EXPECT_EQ(listedorder(list), expected) << locale.name().toStdString();
        }
    }
}

TEST(ContactList, ANewContactGoesAfterItsNamesakesAndDeletedRowsGo)
{
    auto contacts = manycontacts();
    ContactList list(nullptr, czech);
    list.fill(contacts);
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);

    // Straight after a fill, before any row past the first was asked for.
    TContactRec twin;
    twin.name = contacts[size_t(list.record(0))].name;
    contacts.push_back(twin);
    const int added = int(contacts.size()) - 1;
    const int row = list.insert(contacts, added);
    EXPECT_EQ(inserted.size(), 1);
    EXPECT_EQ(list.record(row), added);
    EXPECT_EQ(list.rowof(added), row);
    EXPECT_EQ(list.name(row), twin.name.text());
    EXPECT_NE(list.name(row + 1), twin.name.text()) << "after every contact of its name";
    EXPECT_EQ(listedorder(list), expectedorder(contacts, czech));

    // Deleting: the record loses its name and its row.
    const int gone = list.record(250);
    list.removerow(250);
    contacts[size_t(gone)].name = QString();
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(list.rowof(gone), -1);
    EXPECT_EQ(listedorder(list), expectedorder(contacts, czech));
    list.removerow(list.rowCount()); // no such row
    EXPECT_EQ(removed.size(), 1);

    // And a new one into a short list, fully sorted from the start.
    auto few = named({QStringLiteral("Eva"), QStringLiteral("Adam")});
    ContactList small(nullptr, czech);
    small.fill(few);
    few.push_back(contact("Cyril"));
    EXPECT_EQ(small.insert(few, 2), 1);
    EXPECT_EQ(listedorder(small), std::vector<int>({1, 2, 0}));
    small.removerow(0);
    EXPECT_EQ(listedorder(small), std::vector<int>({2, 0}));
}
