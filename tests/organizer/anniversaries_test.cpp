// Name days, birthdays and ages.

#include "organizer/anniversaries.h"

#include "platform/ansi.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

// A list whose every day line names its own date ("d.m."), with 29 February.
QStringList selfnaminglist()
{
    QStringList lines;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= QDate(2000, month, 1).daysInMonth(); ++day)
            lines << QStringLiteral("%1.%2.").arg(day).arg(month);
        lines << QString();
    }
    return lines;
}

} // namespace

using testsupport::contact;

TEST(NameDays, EveryDateReadsItsOwnLineInAnyYear)
{
    const QStringList list = selfnaminglist();
    ASSERT_EQ(list.size(), namedaylines);
    for (int year : {2023, 2024, 2100, 1900}) {
        for (QDate d(year, 1, 1); d.year() == year; d = d.addDays(1))
            ASSERT_EQ(getnameday(list, d), QStringLiteral("%1.%2.").arg(d.day()).arg(d.month())) << d.toString().toStdString();
    }
    EXPECT_EQ(getnameday(list, QDate(2024, 2, 29)), QStringLiteral("29.2."));
    EXPECT_EQ(getnameday(list, QDate(2023, 12, 31)), list.at(376));
    // No list loaded, or a short one: nothing.
    EXPECT_EQ(getnameday({}, QDate(2024, 5, 1)), QString());
    EXPECT_EQ(getnameday(list.mid(0, 40), QDate(2024, 5, 1)), QString());
}

TEST(NameDays, TheShippedListsHaveTheirShape)
{
    const QDir folder(QStringLiteral(QM_PROGRAM_FILES));
    const QStringList lists = folder.entryList({QStringLiteral("*.ani")}, QDir::Files);
    ASSERT_GE(lists.size(), 2);
    EXPECT_TRUE(lists.contains(QStringLiteral("czech.ani")));
    EXPECT_TRUE(lists.contains(QStringLiteral("slovak.ani")));
    for (const QString &name : lists) {
        const std::optional<QByteArray> bytes = testsupport::readfile(folder.filePath(name));
        ASSERT_TRUE(bytes);
        QStringList lines = ansi::decode(*bytes).split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.takeLast(), QString()) << name.toStdString() << ": ends with CR LF";
        ASSERT_EQ(lines.size(), namedaylines) << name.toStdString();
        int line = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= QDate(2000, month, 1).daysInMonth(); ++day, ++line)
                EXPECT_FALSE(lines[line].trimmed().isEmpty()) << name.toStdString() << " " << day << "." << month;
            EXPECT_TRUE(lines[line++].isEmpty()) << name.toStdString() << " separator after month " << month;
        }
        EXPECT_EQ(ansi::encode(ansi::decode(*bytes)), *bytes);
    }
}

TEST(Anniversaries, NextOccurrenceCopesWithLeapDaysAndImpossibleDates)
{
    const QDate today(2026, 12, 8);
    EXPECT_EQ(nextoccurrence(8, 12, today), today);
    EXPECT_EQ(nextoccurrence(7, 12, today), QDate(2027, 12, 7));
    EXPECT_EQ(nextoccurrence(1, 1, today), QDate(2027, 1, 1));
    // 29 February on the 28th in common years.
    EXPECT_EQ(nextoccurrence(29, 2, today), QDate(2027, 2, 28));
    EXPECT_EQ(nextoccurrence(29, 2, QDate(2028, 1, 1)), QDate(2028, 2, 29));
    EXPECT_EQ(nextoccurrence(29, 2, QDate(2027, 2, 28)), QDate(2027, 2, 28));
    EXPECT_EQ(nextoccurrence(29, 2, QDate(2027, 3, 1)), QDate(2028, 2, 29));
    for (auto [d, m] : {std::pair{31, 4}, {30, 2}, {0, 5}, {5, 0}, {1, 13}, {32, 1}, {65535, 65535}})
        EXPECT_FALSE(nextoccurrence(d, m, today)) << d << "." << m;
}

TEST(Anniversaries, AgeIsTheYearsCompletedBeforeTheNextBirthday)
{
    const TContactRec c = contact("Eva", 10, 12, 2000);
    EXPECT_EQ(countage(c, QDate(2026, 12, 9)), 25);
    EXPECT_EQ(countage(c, QDate(2026, 12, 10)), 25) << "on the day, the age of the day before";
    EXPECT_EQ(countage(c, QDate(2026, 12, 11)), 26);
    const TContactRec leap = contact("Leo", 29, 2, 2008);
    EXPECT_EQ(countage(leap, QDate(2027, 2, 27)), 18);
    EXPECT_EQ(countage(leap, QDate(2027, 3, 1)), 19);
    EXPECT_EQ(countage(contact("Nobody", 31, 4, 2000), QDate(2026, 1, 1)), 0);
}

TEST(Anniversaries, TheNextBirthdayAndNameDayTexts)
{
    const QDate today(2026, 12, 8);
    std::vector<TContactRec> contacts = {
        contact("", 9, 12, 2000),             // deleted: skipped
        contact("Adam", 11, 12, 2001),         // three days away, first in the array
        contact("Bara", 11, 12, 1990),         // also three days away
        contact("Cyril", 7, 12, 2000),         // just past: next year
        contact("Dana", 31, 4, 2000, 8, 12),   // impossible birthday, name day today
        contact("Emil", 0, 12, 2000, 9, 0),    // no day
    };
    EXPECT_EQ(getremainingdays(Anniversary::birthday, contacts, today), QStringLiteral("Adam(25), in 3 days"));
    EXPECT_EQ(getremainingdays(Anniversary::nameday, contacts, today), QStringLiteral("Dana, TODAY!"));

    contacts.push_back(contact("Filip", 8, 12, 2001));
    EXPECT_EQ(getremainingdays(Anniversary::birthday, contacts, today), QStringLiteral("Filip(25), TODAY!"));
    contacts.push_back(contact("Gita", 8, 12, 0));
    EXPECT_EQ(getremainingdays(Anniversary::birthday, {contacts.back()}, today), QStringLiteral("Gita, TODAY!"));

    // Across the year end, and a leap-day birthday in a common year.
    EXPECT_EQ(getremainingdays(Anniversary::birthday, {contact("Hana", 2, 1, 0)}, QDate(2026, 12, 31)),
              QStringLiteral("Hana, in 2 days"));
    EXPECT_EQ(getremainingdays(Anniversary::birthday, {contact("Ivo", 29, 2, 2004)}, QDate(2027, 2, 20)),
              QStringLiteral("Ivo(23), in 8 days"));

    EXPECT_EQ(getremainingdays(Anniversary::birthday, {}, today), QStringLiteral("nobody"));
    EXPECT_EQ(getremainingdays(Anniversary::nameday, {contact("Jan", 1, 1, 2000)}, today), QStringLiteral("nobody"));

    AnniversaryCaptions czech{"nikdo", "za", "dn\u00ed", "DNES!", "z kontakt\u016f"};
    EXPECT_EQ(getremainingdays(Anniversary::birthday, {contact("Adam", 11, 12)}, today, czech),
              QStringLiteral("Adam, za 3 dn\u00ed"));
}

TEST(Anniversaries, TodaysNameDayNamesTheContactsWhoCelebrateIt)
{
    QStringList list = selfnaminglist();
    const QDate today(2026, 12, 8);
    EXPECT_EQ(namedaytext(list, {}, today), QStringLiteral("8.12."));
    const std::vector<TContactRec> contacts = {contact("Ema", 0, 0, 0, 8, 12), contact("", 0, 0, 0, 8, 12),
                                               contact("Olga", 0, 0, 0, 8, 11), contact("Iva", 0, 0, 0, 8, 12)};
    EXPECT_EQ(namedaytext(list, contacts, today), QStringLiteral("8.12., from contacts: Ema, Iva"));
    // Without a list the text starts with the separator.
    EXPECT_EQ(namedaytext({}, contacts, today), QStringLiteral(", from contacts: Ema, Iva"));
    // A leap-day name day is celebrated on 28 February in common years.
    EXPECT_EQ(namedaytext(list, {contact("Horymir", 0, 0, 0, 29, 2)}, QDate(2027, 2, 28)),
              QStringLiteral("28.2., from contacts: Horymir"));
}
