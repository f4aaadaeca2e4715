#include "platform/ansi.h"

#include <gtest/gtest.h>

#include <QSet>

TEST(Ansi, EveryByteSurvivesDecodeAndEncode)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = ansi::decode(all);
    ASSERT_EQ(text.size(), 256);
    QSet<QChar> distinct(text.begin(), text.end());
    EXPECT_EQ(distinct.size(), 256) << "two bytes decode to the same character";
    EXPECT_EQ(ansi::encode(text), all);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(ansi::byteof(ansi::charof(uchar(b)).unicode()), char(b)) << b;
}

TEST(Ansi, CzechAndSlovakLettersUseTheirWindows1250Bytes)
{
    // "Příliš žluťoučký kůň úpěl ďábelské ódy" with Ľ and Ŕ.
    const QString text = QStringLiteral("P\u0159\u00edli\u0161 \u017elu\u0165ou\u010dk\u00fd k\u016f\u0148 "
                                        "\u00fap\u011bl \u010f\u00e1belsk\u00e9 \u00f3dy \u013d\u0154\u20ac");
    const QByteArray expected = "P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2 \xfap\xecl \xef\xe1"
                                "belsk\xe9 \xf3" "dy \xbc\xc0\x80";
    EXPECT_EQ(ansi::encode(text), expected);
    EXPECT_EQ(ansi::decode(expected), text);
}

TEST(Ansi, UndefinedBytesAreTheirC1Controls)
{
    for (int b : {0x81, 0x83, 0x88, 0x90, 0x98})
        EXPECT_EQ(ansi::charof(uchar(b)).unicode(), b);
}

TEST(Ansi, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach)
{
    // A CJK character, a character outside the BMP (two UTF-16 units) and a
    // lone surrogate each take exactly one byte.
    QString text = QStringLiteral("a\u4e2db");
    text += QString::fromUcs4(U"\U0001F600");
    text += QChar(0xD800);
    text += QLatin1Char('c');
    EXPECT_EQ(ansi::encode(text), QByteArray("a?b??c"));
    EXPECT_EQ(ansi::storedlength(text), 6);
    // Latin-1 characters that windows-1250 lacks are not silently kept.
    EXPECT_EQ(ansi::encode(QStringLiteral("\u00e0\u00f1")), QByteArray("??"));

    // Whether a text survives is known before it is written.
    EXPECT_TRUE(ansi::encodable(QStringLiteral("/home/\u017e\u00e1k/Hudba/zvon\u011bn\u00ed?.mp3")));
    EXPECT_FALSE(ansi::encodable(text));
    EXPECT_FALSE(ansi::encodable(QStringLiteral("/home/\u00e0/bell.mp3")));
}

// What a message names when a typed text cannot be stored: each character
// once, one outside the BMP as one, and what would not show by its code.
TEST(Ansi, TheCharactersThatCannotBeStoredAreNamed)
{
    EXPECT_EQ(ansi::unstorable(QStringLiteral("P\u0159\u00edli\u0161 \u017elu\u0165ou\u010dk\u00fd? \u00a7 \u2013")), QString())
        << "Czech letters, '?' and the code page's signs are stored";
    EXPECT_EQ(ansi::unstorable(QStringLiteral("\u0418\u0432\u0430\u043d \u0418\u0432\u0430\u043d\u043e\u0432")),
              QStringLiteral("\u0418\u0432\u0430\u043d\u043e"));
    const QString smiley = QString::fromUcs4(U"\U0001F600");
    QString odd = QStringLiteral("a") + smiley + QStringLiteral("\u200b\u0301") + QChar(0xD800) + smiley;
    EXPECT_EQ(ansi::unstorable(odd), smiley + QStringLiteral("\u200b\u0301") + QChar(0xD800));
    EXPECT_EQ(ansi::unstorablechars(odd), smiley + QStringLiteral(" U+200B U+0301 U+D800"));
    EXPECT_EQ(ansi::unstorablechars(QStringLiteral("\u03a9mega")), QStringLiteral("\u03a9"));
    // The undefined bytes' characters come back from a file, so they are stored.
    EXPECT_EQ(ansi::unstorable(ansi::decode(QByteArray("\x81\x83\x88\x90\x98"))), QString());
}

TEST(Ansi, CuttingCountsCharactersAndNeverSplitsAPair)
{
    const QString smiley = QString::fromUcs4(U"\U0001F600");
    const QString text = QStringLiteral("ab") + smiley + QStringLiteral("cd");
    EXPECT_EQ(ansi::cut(text, 3), QStringLiteral("ab") + smiley);
    EXPECT_EQ(ansi::cut(text, 2), QStringLiteral("ab"));
    EXPECT_EQ(ansi::cut(text, 10), text);
    EXPECT_EQ(ansi::cut(text, 0), QString());

    char out[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(ansi::encode(text, out, 3), 3);
    EXPECT_EQ(QByteArray(out, 4), QByteArray("ab?x"));
}
