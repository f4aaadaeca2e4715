#include "platform/collate.h"

#include "testsupport.h"

#include <gtest/gtest.h>

TEST(Alphabetical, FollowsTheLanguageAndIgnoresCase)
{
    QStringList names = {"Zahrada", QStringLiteral("\u0160kola"), "Sport", "unfiled", "sport"};
    sortalphabetically(names, QLocale(QLocale::Czech, QLocale::Czechia));
    EXPECT_EQ(names, QStringList({"Sport", "sport", QStringLiteral("\u0160kola"), "unfiled", "Zahrada"}));

    // "Ch" is one letter after "H" in Czech, but not in English.
    QStringList words = {"Chemie", "Hudba", "Dejepis"};
    sortalphabetically(words, QLocale(QLocale::Czech, QLocale::Czechia));
    EXPECT_EQ(words, QStringList({"Dejepis", "Hudba", "Chemie"}));
    sortalphabetically(words, QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(words, QStringList({"Chemie", "Dejepis", "Hudba"}));
}

TEST(Alphabetical, ANewNameGoesToItsSortedPlace)
{
    const QLocale czech(QLocale::Czech, QLocale::Czechia);
    const QStringList sorted = {"Arial", "DejaVu Sans", "Hudba", "Chemie", "Zeta"};
    EXPECT_EQ(sortedplace(sorted, "arial", czech), 1) << "after an equal name";
    EXPECT_EQ(sortedplace(sorted, "Calibri", czech), 1);
    EXPECT_EQ(sortedplace(sorted, "Ch", czech), 3) << "Czech \"Ch\" after \"H\"";
    EXPECT_EQ(sortedplace(sorted, "Zz", czech), 5);
    EXPECT_EQ(sortedplace({}, "A", czech), 0);
}
