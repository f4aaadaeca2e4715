// Contacts without a window: card, photo numbers and files, name-day
// detection and the import's mapping.

#include "organizer/contacts.h"

#include "database/database.h"
#include "platform/contactsource.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

using testsupport::contact;

namespace {

const QDate today(2026, 12, 8);

// A source of contacts held in maps, failing at one item when told to.
class FakeSource : public ContactSource
{
public:
    int count() const override { return int(items.size()); }
    QString text(int item, const QString &property) const override
    {
        if (item == failat)
            failed = QStringLiteral("The contacts folder went away.");
        for (auto it = items[item].cbegin(); it != items[item].cend(); ++it) {
            if (it.key().compare(property, Qt::CaseInsensitive) == 0)
                return it.value();
        }
        return {};
    }
    SourceDate birthday(int item) const override { return birthdays.value(item, SourceDate{}); }
    QString failure() const override { return failed; }

    QList<QMap<QString, QString>> items;
    QMap<int, SourceDate> birthdays;
    int failat = -1;
    mutable QString failed;
};

} // namespace

TEST(ContactCard, SparseAndFullContacts)
{
    TContactRec only = contact("Ema");
    only.cellphone = "777 123 456";
    EXPECT_EQ(contactcard(only, today), QStringList({"Cellphone: 777 123 456", "", "", ""}));

    // "http://" alone is no web page; nothing at all still gives the two fixed lines.
    TContactRec bare = contact("Jan");
    bare.webpage = "http://";
    EXPECT_EQ(contactcard(bare, today), QStringList({"", ""}));

    TContactRec full = contact("Ema", 10, 12, 2010, 8, 12);
    full.homephone = "123";
    full.homeaddress = "Long Street 5#Brno";
    full.workfax = "456";
    full.webpage = "http://ema.example.org";
    full.email1 = "ema@example.org";
    full.im2 = "ema42";
    full.note = "likes cats#and dogs";
    EXPECT_EQ(contactcard(full, today),
              QStringList({"Home:", "Phone: 123", "Long Street 5", "Brno", "", "Work:", "Fax: 456", "",
                           "WWW: http://ema.example.org", "email1: ema@example.org", "IM2: ema42", "",
                           "Name day: December 8", "Birthday: December 10 2010, age: 15", "", "likes cats",
                           "and dogs"}));

    // Unticking the age stores no year, and the tail goes.
    full.birthyear = 0;
    EXPECT_TRUE(contactcard(full, today).contains(QStringLiteral("Birthday: December 10")));
}

TEST(ContactCard, LeapDaysAndImpossibleDatesNeverFail)
{
    TContactRec leap = contact("Leo", 29, 2, 2000, 29, 2);
    const QStringList card = contactcard(leap, QDate(2027, 3, 1)); // 2027 has no 29 February
    EXPECT_TRUE(card.contains(QStringLiteral("Name day: February 29")));
    EXPECT_TRUE(card.contains(QStringLiteral("Birthday: February 29 2000, age: 27")));
    TContactRec broken = contact("Bad", 31, 2, 0, 40, 13);
    const QStringList odd = contactcard(broken, today);
    EXPECT_TRUE(odd.contains(QStringLiteral("Name day: 40.13.")));
    EXPECT_TRUE(odd.contains(QStringLiteral("Birthday: 31.2.")));
}

TEST(Photos, NumbersAreTheSmallestFreeAndAStrayFileIsRemoved)
{
    std::vector<TContactRec> contacts = {contact("A"), contact("B"), contact("")};
    contacts[0].photo = 1;
    contacts[1].photo = 2;
    contacts[2].photo = 3; // a contact deleted in this run keeps its number
    contacts.push_back(contact("new")); // the new record holds 0 while it is searched
    EXPECT_EQ(getnewphotoid(contacts), 4);
    EXPECT_EQ(getnewphotoid({contact("new")}), 1);
    EXPECT_EQ(getnewphotoid({}), 0);

    QTemporaryDir dir;
    Database db(dir.filePath(QStringLiteral("Quillmoter/")));
    ASSERT_TRUE(db.createfolders());
    ASSERT_TRUE(testsupport::writefile(photofile(db, 4), "someone else's face"));
    EXPECT_EQ(handoutphotoid(db, contacts), 4);
    EXPECT_FALSE(QFile::exists(photofile(db, 4)));
}

TEST(Photos, TheLongerSideIsEightyAndTheLastColumnAndRowStayWhite)
{
    EXPECT_EQ(photosize({640, 480}), QSize(80, 60));
    EXPECT_EQ(photosize({100, 33}), QSize(80, 26));
    EXPECT_EQ(photosize({1, 200}), QSize(1, 80)) << "never a side of 0";
    EXPECT_EQ(photosize({500, 500}), QSize(80, 80));
    EXPECT_EQ(photosize({}), QSize(80, 80));

    QImage red(640, 480, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QImage photo = makephoto(red);
    ASSERT_EQ(photo.size(), QSize(80, 60));
    EXPECT_EQ(photo.pixelColor(40, 30), QColor(Qt::red));
    EXPECT_EQ(photo.pixelColor(79, 30), QColor(Qt::white));
    EXPECT_EQ(photo.pixelColor(40, 59), QColor(Qt::white));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("7.bmp"));
    ASSERT_TRUE(savephoto(photo, path));
    EXPECT_EQ(QImage(path).size(), QSize(80, 60));
    EXPECT_EQ(testsupport::readfile(path)->left(2), QByteArray("BM"));
}

TEST(Photos, APictureThatCannotBeReadShowsTheNoPhotoPicture)
{
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("1.bmp"));
    ASSERT_TRUE(testsupport::writefile(garbage, "BM not a bitmap at all"));
    for (const QString &path : {garbage, dir.filePath(QStringLiteral("missing.bmp"))}) {
        const QImage shown = contactphoto(path);
        EXPECT_FALSE(shown.isNull()) << path.toStdString();
        EXPECT_EQ(shown.size(), QSize(80, 80));
    }
}

TEST(NameDayDetection, WordsBlanksCaseAndTheLine)
{
    // A list laid out as the shipped ones: each month's days, then one empty line.
    QStringList list;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= QDate(2000, month, 1).daysInMonth(); ++day)
            list << QStringLiteral("x");
        list << QString();
    }
    ASSERT_EQ(list.size(), 378);
    list[0] = QStringLiteral("Nov\u00fd rok");
    list[6] = QStringLiteral(" vilma , Bohdan ");
    list[32 + 16] = QStringLiteral("\u0160imon");
    list[32 + 28] = QStringLiteral("Leap");
    // Two blanks between the words: both are tried, the first first.
    auto found = detectnameday(QStringLiteral("  Bohdan  Vilma "), list);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->size(), 2);
    EXPECT_EQ((*found)[0].word, QStringLiteral("Bohdan"));
    EXPECT_EQ((*found)[0].line, 6);
    EXPECT_EQ((*found)[1].word, QStringLiteral("Vilma")) << "case of A to Z does not count";
    EXPECT_EQ(namedayofline(list, 6), std::make_pair(7, 1));
    // An accented letter must match exactly.
    EXPECT_TRUE(detectnameday(QStringLiteral("\u0161imon"), list)->isEmpty());
    found = detectnameday(QStringLiteral("\u0160imon"), list);
    ASSERT_EQ(found->size(), 1);
    EXPECT_EQ(namedayofline(list, found->first().line), std::make_pair(17, 2));
    EXPECT_EQ(namedayofline(list, 32 + 28), std::make_pair(29, 2)) << "February always has 29 lines";
    EXPECT_EQ(namedayofline(list, 62), std::make_pair(1, 3));
    EXPECT_TRUE(detectnameday(QStringLiteral("Nobody"), list)->isEmpty());
    EXPECT_TRUE(detectnameday(QString(), list)->isEmpty());
}

TEST(NameDayDetection, TwentyMatchesAtMostAndImpossibleLines)
{
    QStringList list(30, QStringLiteral("Jan"));
    list[0] = QStringLiteral("Jan, Jan"); // two matches on one line
    QStringList twenty = list.mid(0, 19);
    ASSERT_TRUE(detectnameday(QStringLiteral("Jan"), twenty));
    EXPECT_EQ(detectnameday(QStringLiteral("Jan"), twenty)->size(), 20);
    EXPECT_FALSE(detectnameday(QStringLiteral("Jan"), list.mid(0, 20))) << "the 21st match ends it";

    // Past the end of a month, past December, and lines that do not exist.
    QStringList days(40, QStringLiteral("x"));
    EXPECT_EQ(namedayofline(days, 30), std::make_pair(31, 1));
    EXPECT_FALSE(namedayofline(days, 31)) << "32 January";
    QStringList months(13, QString());
    months << QStringLiteral("x");
    EXPECT_FALSE(namedayofline(months, 13)) << "a thirteenth month";
    EXPECT_FALSE(namedayofline(days, 40));
    EXPECT_FALSE(namedayofline(days, -1));
}

TEST(ContactImport, FieldsAreMappedAsTheMailClientGivesThem)
{
    FakeSource source;
    source.items = {
        {{"fullname", "Ema Nov\u00e1"}, {"HomeTelephoneNumber", "123"}, {"webpage", ""},
         {"businesshomepage", "http://work.example"}, {"personalhomepage", ""}, {"nickname", "Emi"},
         {"homeaddress", "Long Street 5\r\nBrno"}, {"mailingaddress", "Long Street 5\r\nBrno"},
         {"email3address", "e3@example.org"}, {"PrimaryTelephoneNumber", "999"},
         {"OtherTelephoneNumber", "5, 6"}},
        {{"FULLNAME", "Jan"}, {"webpage", "http://jan.example"}, {"personalhomepage", "http://jan.example"},
         {"businesshomepage", "http://firm.example"}, {"jobtitle", QString(300, QLatin1Char('j'))},
         {"Department", "never reached"}},
    };
    source.birthdays = {{0, SourceDate{1, 1, 4501}}, {1, SourceDate{17, 5, 1990}}};

    const TContactRec ema = importedcontact(source, 0);
    EXPECT_EQ(ema.name, QStringLiteral("Ema Nov\u00e1"));
    EXPECT_EQ(ema.homephone, QStringLiteral("123 ")) << "the blank stands even without a second number";
    EXPECT_EQ(ema.workphone, QStringLiteral(" "));
    EXPECT_EQ(ema.webpage, QStringLiteral(", http://work.example"));
    EXPECT_EQ(ema.homeaddress, QStringLiteral("Long Street 5#Brno"));
    EXPECT_EQ(ema.note,
              QStringLiteral("#email3: e3@example.org#Nickname: Emi#Primary telephone: 999#Other telephone: 5, 6"))
        << "a mailing address equal to the home one adds no line";
    EXPECT_EQ(ema.birthday, 0);
    EXPECT_EQ(ema.birthyear, 0);

    const TContactRec jan = importedcontact(source, 1);
    EXPECT_EQ(jan.webpage, QStringLiteral("http://jan.example, http://firm.example"));
    EXPECT_EQ(jan.note.text().size(), 255) << "a full note takes no more lines";
    EXPECT_FALSE(jan.note.text().contains(QStringLiteral("never")));
    EXPECT_EQ(jan.birthday, 17);
    EXPECT_EQ(jan.birthmonth, 5);
    EXPECT_EQ(jan.birthyear, 1990);
}

TEST(ContactImport, AllOrNothingWithAPhotoEachAndNamesAsStored)
{
    QTemporaryDir dir;
    Database db(dir.filePath(QStringLiteral("Quillmoter/")));
    ASSERT_TRUE(db.createfolders());
    db.contacts = {contact("Old")};
    db.contacts[0].photo = 0;
    FakeSource source;
    source.items = {{{"fullname", "Ann"}}, {{"fullname", ""}}, {{"fullname", QStringLiteral("Li \u674e")}}};

    source.failat = 1;
    EXPECT_FALSE(importcontacts(db, source).isEmpty());
    EXPECT_EQ(db.contacts.size(), 1u) << "a failure part-way adds nothing";

    source.failat = -1;
    source.failed.clear();
    int added = 0;
    EXPECT_TRUE(importcontacts(db, source, {}, &added).isEmpty());
    EXPECT_EQ(added, 2) << "an item without a name is skipped";
    ASSERT_EQ(db.contacts.size(), 3u);
    EXPECT_EQ(db.contacts[1].photo, 1);
    EXPECT_EQ(db.contacts[2].photo, 2);
    EXPECT_EQ(db.contacts[2].name, QStringLiteral("Li ?")) << "the name as the file will hold it";
    Database reread(db.dbpath());
    reread.loadcontacts();
    EXPECT_EQ(reread.contacts.size(), 3u);
}

TEST(ContactImport, NoImportedContactGetsPhotoZero)
{
    QTemporaryDir dir;
    Database db(dir.filePath(QStringLiteral("Quillmoter/")));
    ASSERT_TRUE(db.createfolders());
    FakeSource source;
    source.items = {{{"fullname", "Ann"}}, {{"fullname", "Bob"}}};
    EXPECT_TRUE(importcontacts(db, source).isEmpty());
    ASSERT_EQ(db.contacts.size(), 2u);
    EXPECT_EQ(db.contacts[0].photo, 1) << "a new record holds 0 while its number is looked for";
    EXPECT_EQ(db.contacts[1].photo, 2);
}
