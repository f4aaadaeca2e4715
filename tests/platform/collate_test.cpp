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
