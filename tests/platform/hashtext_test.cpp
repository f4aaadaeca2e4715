#include "platform/hashtext.h"

#include "testsupport.h"

#include <gtest/gtest.h>

TEST(HashText, HashToLinesAppendsThePieces)
{
    auto lines = [](const QString &text) {
        QStringList out;
        hashtolines(text, out);
        return out;
    };
    EXPECT_EQ(lines(""), QStringList());
    EXPECT_EQ(lines("a"), QStringList({"a"}));
    EXPECT_EQ(lines("a#"), QStringList({"a"}));
    EXPECT_EQ(lines("#a"), QStringList({"", "a"}));
    EXPECT_EQ(lines("a##b"), QStringList({"a", "", "b"}));
    EXPECT_EQ(lines("#"), QStringList({""}));
    EXPECT_EQ(lines("##"), QStringList({"", ""}));

    // The list is not cleared.
    QStringList list = {"kept"};
    hashtolines("x#y", list);
    hashtolines("z", list);
    EXPECT_EQ(list, QStringList({"kept", "x", "y", "z"}));
}

TEST(HashText, LinesToHashJoinsAndLosesOnlyATrailingEmptyLine)
{
    EXPECT_EQ(linestohash({}), QString());
    EXPECT_EQ(linestohash({""}), QString());
    EXPECT_EQ(linestohash({"a", "", "b"}), QStringLiteral("a##b"));

    QStringList back;
    hashtolines(linestohash({"a", ""}), back);
    EXPECT_EQ(back, QStringList({"a"}));
    back.clear();
    hashtolines(linestohash({"", "a"}), back);
    EXPECT_EQ(back, QStringList({"", "a"}));
}

// A text box's lines: the Enter typed after the last line adds no line, so
// "Dentist" followed by Enter is stored as "Dentist", never "Dentist#".
TEST(HashText, ATrailingLineBreakOfATextBoxAddsNoLine)
{
    EXPECT_EQ(linestohash(memolines(QStringLiteral("Dentist\n"))), QStringLiteral("Dentist"));
    EXPECT_EQ(linestohash(memolines(QStringLiteral("a\nb\n"))), QStringLiteral("a#b"));
    EXPECT_EQ(linestohash(memolines(QStringLiteral("a\n\n"))), QStringLiteral("a#"));
    EXPECT_EQ(linestohash(memolines(QStringLiteral("\na"))), QStringLiteral("#a"));
    EXPECT_TRUE(memolines(QString()).isEmpty());
    EXPECT_EQ(memolines(QStringLiteral("\n")), QStringList({""}));
}

TEST(HashText, FirstHashPartIsTheTitle)
{
    EXPECT_EQ(firsthashpart("Trip#bring a map#and food"), QStringLiteral("Trip"));
    EXPECT_EQ(firsthashpart("#a"), QString());
    EXPECT_EQ(firsthashpart("no lines"), QStringLiteral("no lines"));
}

TEST(HashText, NameExistsIgnoresTheCaseOfAToZOnly)
{
    const QStringList list = {QStringLiteral("Homework"), QStringLiteral("\u0160kola")};
    EXPECT_TRUE(nameexists("HOMEWORK", list));
    EXPECT_TRUE(nameexists("homework", list));
    EXPECT_FALSE(nameexists("Homework ", list));
    EXPECT_TRUE(nameexists(QStringLiteral("\u0160KOLA"), list));
    // An accented capital is another letter.
    EXPECT_FALSE(nameexists(QStringLiteral("\u0161kola"), list));
    EXPECT_FALSE(nameexists("x", {}));
}
