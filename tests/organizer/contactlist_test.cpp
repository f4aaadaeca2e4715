// The rows of the contacts list: sorted as the user's language sorts,
// ignoring case, contacts of one name apart, whichever row is asked for first.

#include "organizer/contactlist.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCollator>
#include <QListView>
#include <QSignalSpy>

#include <algorithm>

using testsupport::contact;

namespace {

const QLocale czech(QLocale::Czech, QLocale::Czechia);

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

// The records in the order a sorted list control shows them: named ones,
// ordered by the collator, equal names in record order.
std::vector<int> expectedorder(const std::vector<TContactRec> &contacts, const QLocale &locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<int> records;
    for (int i = 0; i < int(contacts.size()); ++i) {
        if (!contacts[size_t(i)].name.isEmpty())
            records.push_back(i);
    }
    std::stable_sort(records.begin(), records.end(), [&](int a, int b) {
        return collator.compare(contacts[size_t(a)].name, contacts[size_t(b)].name) < 0;
    });
    return records;
}

std::vector<int> listedorder(const ContactList &list)
{
    std::vector<int> out;
    for (int row = 0; row < list.rowCount(); ++row)
        out.push_back(list.record(row));
    return out;
}

// A class of pupils and then some: many more names than the list sorts at
// once, in mixed case, with Czech letters, and several of them twice.
std::vector<TContactRec> manycontacts()
{
    const QStringList first = {QStringLiteral("Chrudoš"), QStringLiteral("hana"), QStringLiteral("Šárka"),
                               QStringLiteral("Sandra"), QStringLiteral("Čeněk"), QStringLiteral("cyril"),
                               QStringLiteral("Žofie"), QStringLiteral("Zdeněk"), QStringLiteral("Ivo")};
    const QStringList last = {QStringLiteral("Novák"), QStringLiteral("dvořák"), QStringLiteral("Horák"),
                              QStringLiteral("Řezníček"), QStringLiteral("Adámek"), QStringLiteral("chalupa")};
    std::vector<TContactRec> out;
    quint32 seed = 7;
    for (int i = 0; i < 700; ++i) {
        seed = seed * 1103515245u + 12345u;
        const QString name = first[int(seed >> 8) % first.size()] + QLatin1Char(' ')
                             + last[int(seed >> 16) % last.size()];
        TContactRec c;
        // Every so often a deleted contact, which is not listed.
        c.name = (i % 97 == 13) ? QString() : name;
        out.push_back(c);
    }
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

// A view shows the names; a refill tells it so that it starts afresh.
TEST(ContactList, AViewShowsTheNames)
{
    const auto contacts = manycontacts();
    ContactList list(nullptr, czech);
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&list);
    view.resize(200, 300);
    view.show();
    QSignalSpy reset(&list, &QAbstractItemModel::modelReset);
    list.fill(contacts);
    EXPECT_EQ(reset.size(), 1);
    view.setCurrentIndex(list.index(3));
    view.scrollToBottom();
    view.repaint();
    EXPECT_EQ(testsupport::listrows(&view).size(), list.rowCount());
    EXPECT_EQ(view.currentIndex().data().toString(), contacts[size_t(expectedorder(contacts, czech)[3])].name.text());
    list.fill({});
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_FALSE(view.currentIndex().isValid());
}
