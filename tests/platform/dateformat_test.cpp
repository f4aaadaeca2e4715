#include "platform/dateformat.h"

#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
const QDate tuesday(2026, 2, 3);

} // namespace

TEST(DateFormat, EveryOfferedPatternOnAFixedDate)
{
    const std::pair<QString, QString> expected[] = {
        {"dddd, d. mmmm yyyy", "Tuesday, 3. February 2026"},
        {"dddd, d. mmmm", "Tuesday, 3. February"},
        {"d. mmmm yyyy", "3. February 2026"},
        {"d. mmmm", "3. February"},
        {"d.mm.yyy", "3.02.2026"},
        {"d.mm", "3.02"},
        {"dddd, mmmm dd, yyyy", "Tuesday, February 03, 2026"},
        {"dddd, mmmm dd", "Tuesday, February 03"},
        {"mmmm dd, yyyy", "February 03, 2026"},
        {"mmmm dd", "February 03"},
        {"mm/dd/yyyy", "02/03/2026"},
        {"mm/dd", "02/03"},
        {"yyyy/mm/dd", "2026/02/03"},
        {"mm-dd-yyyy", "02-03-2026"},
        {"mm-dd", "02-03"},
        {"yyyy-mm-dd", "2026-02-03"},
    };
    ASSERT_EQ(dateformats().size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < dateformats().size(); ++i) {
        EXPECT_EQ(dateformats().at(i), expected[i].first);
        EXPECT_EQ(formatdate(expected[i].first, tuesday, english), expected[i].second);
    }
    EXPECT_EQ(defaultdateformat, dateformats().first());
}

TEST(DateFormat, NamesComeFromTheLocale)
{
    EXPECT_EQ(formatdate("dddd, d. mmmm yyyy", tuesday, czech), QStringLiteral("úterý, 3. února 2026"));
    EXPECT_EQ(formatdate("ddd d. mmm", tuesday, czech), QStringLiteral("út 3. úno"));
    EXPECT_EQ(formatdate("ddd, mmm d", tuesday, english), QStringLiteral("Tue, Feb 3"));
}

TEST(DateFormat, RunLengthsAndCase)
{
    const QDate late(2005, 11, 25);
    EXPECT_EQ(formatdate("d dd m mm y yy yyy yyyy", late, english), QStringLiteral("25 25 11 11 05 05 2005 2005"));
    EXPECT_EQ(formatdate("DDDD, D. MMMM YYYY", tuesday, english), QStringLiteral("Tuesday, 3. February 2026"));
    EXPECT_EQ(formatdate("dDdD mMmM", tuesday, english), QStringLiteral("Tuesday February"));
    // Runs longer than the longest field still give the long name.
    EXPECT_EQ(formatdate("dddddd mmmmmm", tuesday, english), QStringLiteral("Tuesday February"));
    // Four-digit years keep their leading zeros.
    EXPECT_EQ(formatdate("yyyy/yy", QDate(987, 6, 1), english), QStringLiteral("0987/87"));
    // Adjacent different letters are separate runs.
    EXPECT_EQ(formatdate("ddmmyy", tuesday, english), QStringLiteral("030226"));
}

TEST(DateFormat, QuotedAndOtherTextIsLiteral)
{
    EXPECT_EQ(formatdate("'day' d \"of mm\" mm", tuesday, english), QStringLiteral("day 3 of mm 02"));
    EXPECT_EQ(formatdate("d 'yy", tuesday, english), QStringLiteral("3 yy")); // unclosed quote
    EXPECT_EQ(formatdate("''d\"\"", tuesday, english), QStringLiteral("3"));
    // Qt's and other systems' letters mean nothing here.
    EXPECT_EQ(formatdate("h:n:s t M/D ap", tuesday, english), QStringLiteral("h:n:s t 2/3 ap"));
    EXPECT_EQ(formatdate("", tuesday, english), QString());
    EXPECT_EQ(formatdate("d", QDate(), english), QString());
}

TEST(DateFormat, EntriesAreFoundIgnoringCase)
{
    EXPECT_EQ(dateformatindex("D. MMMM YYYY"), 2);
    EXPECT_EQ(dateformatindex("yyyy-mm-dd"), 15);
    EXPECT_EQ(dateformatindex("d. mmmm  yyyy"), -1);
    EXPECT_EQ(dateformatindex(""), -1);
}
