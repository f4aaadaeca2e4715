// Text fields of records: what is assigned reads back unchanged whatever the
// field keeps in memory, and a save writes the same bytes as before.

#include "database/records.h"

#include "testsupport.h"

#include <gtest/gtest.h>

namespace {

QByteArray contactbytes(const TContactRec &c)
{
    QByteArray out(TContactRec::size, 'J');
    c.encode(out.data());
    return out;
}

// The bytes a field of a contact was written as: its length byte's worth.
QByteArray fieldbytes(const QByteArray &record, int offset)
{
    return record.mid(offset + 1, quint8(record.at(offset)));
}

} // namespace

TEST(ShortString, CharactersTheCodePageLacksReadBackAsAssignedAndAreWrittenAsQuestionMarks)
{
    // A letter it has, two it lacks, a character outside the BMP (a pair),
    // a lone surrogate.
    const QString mixed = QStringLiteral("Zo\u00eb \u65e5\u672c \U0001F600 ") + QChar(0xD800);
    TContactRec c;
    c.name = mixed;
    c.note = QString(300, QChar(0x65E5)); // cut to 255 characters
    EXPECT_EQ(c.name.text(), mixed);
    EXPECT_EQ(c.note.text(), QString(255, QChar(0x65E5)));
    const QByteArray bytes = contactbytes(c);
    EXPECT_EQ(fieldbytes(bytes, 0), QByteArray("Zo\xeb ?? ? ?"));
    EXPECT_EQ(fieldbytes(bytes, 3584), QByteArray(255, '?'));

    // 255 pairs are 255 characters, 510 units.
    QString pairs;
    for (int i = 0; i < 300; ++i)
        pairs += QStringLiteral("\U0001F600");
    c.company = pairs;
    EXPECT_EQ(c.company.text(), pairs.left(510));
    EXPECT_EQ(fieldbytes(contactbytes(c), 256), QByteArray(255, '?'));

    // A short field too.
    TCalItemRec r;
    r.repetition = mixed + QStringLiteral("abcdef"); // 16 characters, the pair one of them
    EXPECT_EQ(r.repetition.text(), mixed + QStringLiteral("abc"));
    QByteArray cal(TCalItemRec::size, 'J');
    r.encode(cal.data());
    EXPECT_EQ(fieldbytes(cal, 265), QByteArray("Zo\xeb ?? ? ?abc"));
}

TEST(ShortString, EveryByteReadsBackAsItsCharacterAndIsWrittenBackUnchanged)
{
    testsupport::Bytes b(TContactRec::size);
    QByteArray low, high;
    for (int i = 0; i < 128; ++i) {
        low.append(char(i));
        high.append(char(128 + i));
    }
    b.str(0, low).str(3584, high);
    const TContactRec c = TContactRec::decode(b.constData());
    EXPECT_EQ(c.name.text(), ansi::decode(low));
    EXPECT_EQ(c.note.text(), ansi::decode(high));
    EXPECT_EQ(contactbytes(c), b.data());

    // Assigned as text, the same characters make the same record.
    TContactRec typed;
    typed.name = ansi::decode(low);
    typed.note = ansi::decode(high);
    EXPECT_EQ(typed, c);
}

TEST(ShortString, FieldsAreEqualOnlyWithTheSameText)
{
    TTaskRec read = TTaskRec::decode(testsupport::Bytes(TTaskRec::size).str(1, "\x8elu\x9d").constData());
    TTaskRec typed;
    typed.text = QStringLiteral("\u017dlu\u0165");
    EXPECT_EQ(read, typed);

    // A character the code page lacks is not the '?' it is saved as.
    TTaskRec a, b;
    a.text = QStringLiteral("\u65e5");
    b.text = QStringLiteral("?");
    EXPECT_FALSE(a == b);
    // Two bytes against the one UTF-16 unit of the same two bytes.
    a.text = QString(QChar(0x6261));
    b.text = QStringLiteral("ab");
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(a.text == QStringLiteral("ab"));
    EXPECT_TRUE(a.text == QString(QChar(0x6261)));

    // An empty text is no text, however it was given.
    a.text = QString();
    b.text = QStringLiteral("");
    EXPECT_TRUE(a.text.isEmpty() && b.text.isEmpty());
    EXPECT_EQ(a, b);
    EXPECT_FALSE(a.stored());
    b.category = "x";
    EXPECT_FALSE(a == b);
}

TEST(ShortString, CopiesAndMovesKeepTheirOwnTexts)
{
    TContactRec original = testsupport::contact("Ann");
    original.note = QStringLiteral("\u65e5 note");
    TContactRec copy = original;
    original.name = "Bob";
    original.note = QString();
    EXPECT_EQ(copy.name, QStringLiteral("Ann"));
    EXPECT_EQ(copy.note, QStringLiteral("\u65e5 note"));

    copy = original; // over texts already there
    EXPECT_EQ(copy.name, QStringLiteral("Bob"));
    EXPECT_TRUE(copy.note.isEmpty());

    const TContactRec &same = copy;
    copy = same;
    EXPECT_EQ(copy.name, QStringLiteral("Bob"));

    TContactRec moved = std::move(copy);
    EXPECT_EQ(moved.name, QStringLiteral("Bob"));
    std::vector<TContactRec> many(3, original);
    many.push_back(moved); // a reallocation moves the records
    many.insert(many.begin(), testsupport::contact("Cid"));
    EXPECT_EQ(many.front().name, QStringLiteral("Cid"));
    EXPECT_EQ(many.back().name, QStringLiteral("Bob"));
}
