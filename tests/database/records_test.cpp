// Byte-exact layouts of the record files, against records built byte by byte.

#include "database/records.h"

#include "testsupport.h"

#include <gtest/gtest.h>

using testsupport::Bytes;

namespace {

template <class Rec>
QByteArray encoded(const Rec &r)
{
    QByteArray out(Rec::size, 'J'); // junk, to show every byte is written
    r.encode(out.data());
    return out;
}

const QByteArray halfpastnoon = QByteArray::fromHex("0000000090a3e640"); // 46364.5
const QByteArray quarter = QByteArray::fromHex("000000000000d03f");      // 0.25
const QByteArray one = QByteArray::fromHex("000000000000f03f");          // 1.0

} // namespace

TEST(Records, ContactLayout)
{
    TContactRec c;
    c.name = QStringLiteral("Anna Nov\u00e1kov\u00e1");
    c.company = "School";
    c.webpage = "http://";
    c.note = "line 1#line 2";
    c.photo = -3;
    c.birthday = 29;
    c.birthmonth = 2;
    c.birthyear = 2008;
    c.nameday = 26;
    c.namedaymonth = 7;

    Bytes b(3852);
    b.str(0, "Anna Nov\xe1kov\xe1").str(256, "School").str(2304, "http://").str(3584, "line 1#line 2");
    b.le(3840, -3, 2).le(3842, 29, 2).le(3844, 2, 2).le(3846, 2008, 2).le(3848, 26, 2).le(3850, 7, 2);

    EXPECT_EQ(encoded(c), b.data());
    EXPECT_EQ(TContactRec::decode(b.constData()), c);
}

TEST(Records, CalendarRecordLayout)
{
    TCalItemRec r;
    r.icon = 3;
    r.timefrom = 830;
    r.timeto = 1745;
    r.timemode = timemode_both;
    r.melody = 7;
    r.remind = true;
    r.text = "Trip#bring a map";
    r.repetition = "w1010100";
    r.date = 46364.5;

    Bytes b(288);
    b.le(0, 3, 2).le(2, 830, 2).le(4, 1745, 2).u8(6, 2).u8(7, 7).u8(8, 1);
    b.str(9, "Trip#bring a map").str(265, "w1010100").raw(280, halfpastnoon);

    EXPECT_EQ(encoded(r), b.data());
    EXPECT_EQ(TCalItemRec::decode(b.constData()), r);
}

TEST(Records, TaskLayout)
{
    TTaskRec t;
    t.done = true;
    t.text = "Homework";
    t.category = "School";

    Bytes b(513);
    b.u8(0, 1).str(1, "Homework").str(257, "School");
    EXPECT_EQ(encoded(t), b.data());
    EXPECT_EQ(TTaskRec::decode(b.constData()), t);

    // Any non-zero flag byte reads as done and is written back as 1.
    b.u8(0, 7);
    const TTaskRec read = TTaskRec::decode(b.constData());
    EXPECT_TRUE(read.done);
    EXPECT_EQ(encoded(read).at(0), char(1));
}

TEST(Records, LessonLayoutWithANegativeWeekCode)
{
    TLessonRec l;
    l.subject = "Maths";
    l.teacher = "Mr Brown";
    l.classroom = "B12";
    l.start = 480;
    l.end = 525;
    l.day = 5;
    l.week = -2;
    l.number = 14;
    l.color = 0x00FF8000;

    Bytes b(784);
    b.str(0, "Maths").str(256, "Mr Brown").str(512, "B12");
    b.le(768, 480, 4).le(772, 525, 4).u8(776, 5).u8(777, 0xFE).u8(778, 14).le(780, 0x00FF8000, 4);

    EXPECT_EQ(encoded(l), b.data());
    const TLessonRec read = TLessonRec::decode(b.constData());
    EXPECT_EQ(read, l);
    EXPECT_EQ(read.week, -2);
}

TEST(Records, SubjectLayoutWithItsMarks)
{
    TSubjectRec s;
    s.name = "Physics";
    s.marks[0].mark = "1-";
    s.marks[0].note = "test";
    s.marks[0].color = 0xFFFFFF;
    s.marks[0].weight = 0.25;
    s.marks[99].mark = "5";
    s.marks[99].weight = 1.0;
    s.pluses = "++";
    s.minuses = "-";

    Bytes b(27744);
    b.str(0, "Physics");
    b.str(32, "1-").str(32 + 4, "test").le(32 + 260, 0xFFFFFF, 4).raw(32 + 264, quarter);
    const qsizetype last = 32 + 99 * 272;
    b.str(last, "5").raw(last + 264, one);
    b.str(27232, "++").str(27488, "-");

    EXPECT_EQ(encoded(s), b.data());
    EXPECT_EQ(TSubjectRec::decode(b.constData()), s);
}

TEST(Records, BytesAfterTheTextAndPadBytesAreIgnoredAndWrittenAsZero)
{
    Bytes b(288);
    b.str(9, "Party");
    b.raw(9 + 1 + 5, "leftover text"); // after the text, inside the field
    b.u8(279, 0xAA);                    // pad byte
    const TCalItemRec r = TCalItemRec::decode(b.constData());
    EXPECT_EQ(r.text, QStringLiteral("Party"));

    Bytes clean(288);
    clean.str(9, "Party");
    EXPECT_EQ(encoded(r), clean.data());

    Bytes lesson(784);
    lesson.u8(779, 0x55);
    EXPECT_EQ(encoded(TLessonRec::decode(lesson.constData())), Bytes(784).data());

    Bytes subject(27744);
    subject.str(0, "Art").u8(31, 0x77);
    Bytes subjectclean(27744);
    subjectclean.str(0, "Art");
    EXPECT_EQ(encoded(TSubjectRec::decode(subject.constData())), subjectclean.data());
}

TEST(Records, LengthBytesBeyondTheCapacityAreCapped)
{
    // Repetition (13 characters) with length 255: the pad byte after it and
    // the date are not read into the text.
    Bytes cal(288);
    cal.str(265, "m111111111111").u8(265, 255).u8(279, 'X');
    cal.str(9, "x");
    EXPECT_EQ(TCalItemRec::decode(cal.constData()).repetition, QStringLiteral("m111111111111"));

    // A mark (3 characters) claiming 200, and a subject name claiming 40.
    Bytes subject(27744);
    subject.raw(0, QByteArray(1, char(40)) + QByteArray(31, 'N')); // runs into the pad byte
    subject.raw(32, QByteArray(1, char(200)) + "123"); // the next byte is the note's length
    const TSubjectRec s = TSubjectRec::decode(subject.constData());
    EXPECT_EQ(s.name.text().size(), 30);
    EXPECT_EQ(s.marks[0].mark, QStringLiteral("123"));
    EXPECT_EQ(s.marks[0].note, QString());
}

TEST(Records, LongTextsAreCutToTheirFields)
{
    TContactRec c;
    c.name = "x";
    c.note = QString(300, QLatin1Char('n'));
    EXPECT_EQ(c.note.text().size(), 255);
    const QByteArray bytes = encoded(c);
    EXPECT_EQ(quint8(bytes.at(3584)), 255);
    EXPECT_EQ(bytes.mid(3585, 255), QByteArray(255, 'n'));

    TSubjectRec s;
    s.name = QString(35, QLatin1Char('s'));
    EXPECT_EQ(s.name, QString(30, QLatin1Char('s')));
    EXPECT_EQ(quint8(encoded(s).at(0)), 30);

    TMarkRec m;
    m.mark = "1234";
    EXPECT_EQ(m.mark, QStringLiteral("123"));

    // "m" and twelve flags fill the repetition field exactly.
    TCalItemRec r;
    r.repetition = "m101010101010";
    EXPECT_EQ(r.repetition, QStringLiteral("m101010101010"));
    const QByteArray cal = encoded(r);
    EXPECT_EQ(quint8(cal.at(265)), 13);
    EXPECT_EQ(cal.mid(266, 13), QByteArray("m101010101010"));
    EXPECT_EQ(cal.at(279), '\0');
}

TEST(Records, TextsAreStoredInWindows1250)
{
    TTaskRec t;
    t.text = QStringLiteral("\u017dlu\u0165ou\u010dk\u00fd k\u016f\u0148");
    t.category = QString(QChar(0x2014)); // a separator character
    Bytes b(513);
    b.str(1, "\x8elu\x9dou\xe8k\xfd k\xf9\xf2").str(257, "\x97");
    EXPECT_EQ(encoded(t), b.data());
    EXPECT_EQ(TTaskRec::decode(b.constData()), t);
}
