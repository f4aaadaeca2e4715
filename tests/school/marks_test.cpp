// What marks add up to in the three result modes, and what a typed mark
// stores.

#include "school/marks.h"

#include "database/recordrules.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// A subject holding `marks` (text and weight) from the first column on.
TSubjectRec subject(const char *name, std::initializer_list<std::pair<const char *, double>> marks)
{
    TSubjectRec s;
    newsubject(s, QString::fromLatin1(name));
    int i = 0;
    for (const auto &[text, weight] : marks) {
        s.marks[i].mark = QString::fromUtf8(text);
        s.marks[i].weight = weight;
        ++i;
    }
    return s;
}

} // namespace

TEST(Marks, AveragesWithModifiersAndWeights)
{
    // (1 * 4 + 2.5 * 4) / 8
    Averages a = countaverages({subject("Maths", {{"1", 1}, {"2-", 1}})}, marksaverages);
    EXPECT_EQ(a.results, QStringList{QStringLiteral("1.75")});
    EXPECT_EQ(a.total, QStringLiteral("1.75"));
    EXPECT_FALSE(a.warning);
    // A double weight counts twice: (4 + 24) / 12.
    a = countaverages({subject("Physics", {{"1", 1}, {"3", 2}})}, marksaverages);
    EXPECT_EQ(a.results.front(), QStringLiteral("2.33"));
    // A quarter weight counts once in four.
    a = countaverages({subject("Art", {{"1", 0.25}, {"5", 1}})}, marksaverages);
    EXPECT_EQ(a.results.front(), QStringLiteral("4.2")); // (1 + 20) / 5

    // With a modifier only the first character is read.
    const std::pair<const char *, const char *> cases[] = {
        {"10-", "1.5"}, {"85", "85"}, {"2/", "2.5"}, {"1+", "0.5"}, {"3-/", "3.5"}, {"3/+", "2.5"},
    };
    for (const auto &[mark, result] : cases) {
        a = countaverages({subject("X", {{mark, 1}})}, marksaverages);
        EXPECT_EQ(a.results.front(), QLatin1String(result)) << mark;
        EXPECT_FALSE(a.warning) << mark;
    }
}

TEST(Marks, UnreadableMarksAreSkippedWithTheWarning)
{
    Averages a = countaverages({subject("X", {{"-", 1}, {"2", 1}})}, marksaverages);
    EXPECT_TRUE(a.warning);
    EXPECT_EQ(a.results.front(), QStringLiteral("2")) << "the other marks still count";
    for (const char *bad : {"x", "1.5", "+", "a", "1 "}) {
        a = countaverages({subject("X", {{bad, 1}})}, marksaverages);
        EXPECT_TRUE(a.warning) << bad;
        EXPECT_EQ(a.results.front(), QStringLiteral("/")) << bad;
    }
    // A damaged weight is no number to count with.
    a = countaverages({subject("X", {{"1", std::numeric_limits<double>::quiet_NaN()}, {"3", 1}})}, marksaverages);
    EXPECT_TRUE(a.warning);
    EXPECT_EQ(a.results.front(), QStringLiteral("3"));
}

TEST(Marks, SubjectsWithoutMarksAndTotals)
{
    Averages a = countaverages({}, marksaverages);
    EXPECT_TRUE(a.results.isEmpty());
    EXPECT_EQ(a.total, QStringLiteral("/"));

    // The total is the mean of the subjects that have a result.
    a = countaverages({subject("A", {{"1", 1}}), subject("B", {}), subject("C", {{"2", 1}})}, marksaverages);
    EXPECT_EQ(a.results, (QStringList{QStringLiteral("1"), QStringLiteral("/"), QStringLiteral("2")}));
    EXPECT_EQ(a.total, QStringLiteral("1.5"));

    // An old weight that rounds to no quarter adds to the sum but not to the
    // count: alone it leaves the subject without a result.
    a = countaverages({subject("A", {{"2", 0.1}})}, marksaverages);
    EXPECT_EQ(a.results.front(), QStringLiteral("/"));
    // Weights not in the list count as they are.
    a = countaverages({subject("A", {{"2", 1.5}, {"4", 1}})}, marksaverages);
    EXPECT_EQ(a.results.front(), QStringLiteral("2.8")); // (12 + 16) / 10, 6 rounds to 6
}

TEST(Marks, SumsOfWholeNumbers)
{
    Averages a = countaverages({subject("A", {{"10", 3}, {"5", 0.25}}), subject("B", {{"-2", 1}})}, markssums);
    EXPECT_EQ(a.results, (QStringList{QStringLiteral("15"), QStringLiteral("-2")}));
    EXPECT_EQ(a.total, QStringLiteral("13"));
    EXPECT_FALSE(a.warning);
    a = countaverages({subject("A", {{"5-", 1}, {"7", 1}})}, markssums);
    EXPECT_TRUE(a.warning);
    EXPECT_EQ(a.results.front(), QStringLiteral("7"));
}

TEST(Marks, LettersAverageAsDigitsAndShowAsLetters)
{
    // (1.5 * 4 + 1 * 4) / 8 = 1.25
    Averages a = countaverages({subject("A", {{"b+", 1}, {"A", 1}})}, marksabcdf);
    EXPECT_EQ(a.results.front(), QStringLiteral("A.25"));
    EXPECT_EQ(a.total, QStringLiteral("A.25"));
    a = countaverages({subject("A", {{"2", 1}, {"E", 1}, {"c", 1}})}, marksabcdf);
    EXPECT_TRUE(a.warning);
    EXPECT_EQ(a.results.front(), QStringLiteral("C"));
    // A result past the letters stays a number.
    a = countaverages({subject("A", {{"F/", 1}})}, marksabcdf);
    EXPECT_EQ(a.results.front(), QStringLiteral("5.5").replace(0, 1, QLatin1Char('F')));

    EXPECT_EQ(abcdftodigit(QStringLiteral("d-"), true), QStringLiteral("4-"));
    EXPECT_EQ(abcdftodigit(QStringLiteral("d-"), false), QStringLiteral("d-"));
    EXPECT_EQ(abcdftodigit(QStringLiteral("E"), true), QStringLiteral("#"));
    EXPECT_EQ(abcdftodigit(QString(), true), QString());
    EXPECT_EQ(digittoabcdf(QStringLiteral("4.5"), true), QStringLiteral("D.5"));
    EXPECT_EQ(digittoabcdf(QStringLiteral("6"), true), QStringLiteral("6"));
    EXPECT_EQ(digittoabcdf(QStringLiteral("0.5"), true), QStringLiteral("0.5"));
    EXPECT_EQ(digittoabcdf(QStringLiteral("2"), false), QStringLiteral("2"));
}

TEST(Marks, TypedMarksAndShownResults)
{
    EXPECT_EQ(normalizemark(QStringLiteral("1 -")), QStringLiteral("1-"));
    EXPECT_EQ(normalizemark(QStringLiteral("1234")), QStringLiteral("123"));
    EXPECT_EQ(normalizemark(QStringLiteral(" 2 / ")), QStringLiteral("2/"));
    EXPECT_EQ(normalizemark(QString()), QString());

    EXPECT_EQ(formatresult(2.0), QStringLiteral("2"));
    EXPECT_EQ(formatresult(2.10), QStringLiteral("2.1"));
    EXPECT_EQ(formatresult(2.125), QStringLiteral("2.13"));
    EXPECT_EQ(formatresult(1.0 / 3), QStringLiteral("0.33"));
    EXPECT_EQ(formatresult(-0.001), QStringLiteral("0"));
    EXPECT_EQ(formatresult(150), QStringLiteral("150"));

    EXPECT_EQ(weightindex(0.25), 0);
    EXPECT_EQ(weightindex(1.0), 3);
    EXPECT_EQ(weightindex(4.0), 6);
    EXPECT_EQ(weightindex(1.5), -1);
    EXPECT_EQ(weightindex(0.2501), 0) << "compared in hundredths";
}

TEST(Marks, UnnamedSubjectsAreDropped)
{
    std::vector<TSubjectRec> s = {subject("A", {}), subject("", {{"1", 1}}), subject("C", {})};
    dropunnamedsubjects(s);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[1].name.text(), QStringLiteral("C"));
}
