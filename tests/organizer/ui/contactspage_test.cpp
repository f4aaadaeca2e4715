// The Contacts page and the contact editor.

#include "organizer/ui/contactspage.h"

#include "database/database.h"
#include "database/settings.h"
#include "organizer/ui/contacteditor.h"
#include "platform/clock.h"
#include "testsupport.h"
#include "uitestsupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QItemSelectionModel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using testsupport::contact;
using testsupport::RecordingPrompter;

namespace {

const QDate today(2026, 12, 8);

class ContactsTest : public ::testing::Test
{
protected:
    ContactsTest()
    {
        db.createfolders();
        clock.setsource([] { return QDateTime(today, QTime(10, 0)); });
    }

    // Loads `contacts` as a start does.
    void load(const std::vector<TContactRec> &contacts)
    {
        db.contacts = contacts;
        db.savecontacts();
        db.loadall();
    }

    QListView *list() const { return page.findChild<QListView *>(QStringLiteral("ListBox1")); }
    QStringList rows() const { return testsupport::listrows(list()); }
    // Makes `row` current and selected, as a click does.
    void setrow(int row) const
    {
        list()->setCurrentIndex(list()->model()->index(row, 0));
    }
    int currentrow() const { return list()->currentIndex().row(); }
    QString card() const { return page.findChild<QPlainTextEdit *>(QStringLiteral("Memo2"))->toPlainText(); }
    template <class W>
    W *field(const char *name) const
    {
        return editor.findChild<W *>(QLatin1String(name));
    }

    // Runs `steps` in the editor once it is up, then presses OK (when it is still open).
    void whileediting(std::function<void()> steps, bool ok = true)
    {
        QTimer::singleShot(0, [this, steps, ok] {
            steps();
            if (editor.isVisible()) {
                if (ok)
                    editor.BitBtn1Click();
                if (editor.isVisible())
                    editor.reject();
            }
        });
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    Clock clock;
    RecordingPrompter answers;
    TForm2 editor{db, clock};
    ContactsPage page{db, settings, clock, editor};
};

} // namespace

TEST_F(ContactsTest, ContactsOfTheSameNameStayApart)
{
    TContactRec first = contact("Jan Novak");
    first.cellphone = "111";
    TContactRec second = contact("Jan Novak");
    second.cellphone = "222";
    load({contact("\u0160imon"), first, contact("Sandra"), second});
    EXPECT_EQ(rows(), QStringList({"Jan Novak", "Jan Novak", "Sandra", QStringLiteral("\u0160imon")}));
    setrow(0);
    const QString one = card();
    setrow(1);
    const QString other = card();
    EXPECT_NE(one, other);
    EXPECT_TRUE((one + other).contains(QStringLiteral("111")));
    EXPECT_TRUE((one + other).contains(QStringLiteral("222")));

    // Deleting the second deletes that record, not the other of its name.
    const int record = page.getcontactindex();
    page.BitBtn2Click();
    EXPECT_TRUE(db.contacts[record].name.isEmpty());
    int left = 0;
    for (const TContactRec &c : db.contacts)
        left += c.name == QStringLiteral("Jan Novak") ? 1 : 0;
    EXPECT_EQ(left, 1);
}

// A new contact's row may become the current one without being selected;
// a click on it must still show its card.
TEST_F(ContactsTest, AClickOnTheOnlyRowShowsItsCard)
{
    load({});
    whileediting([this] {
        field<QLineEdit>("Edit1")->setText(QStringLiteral("Jan"));
        field<QLineEdit>("Edit7")->setText(QStringLiteral("603"));
    });
    page.BitBtn1Click();
    ASSERT_EQ(rows(), QStringList({"Jan"}));
    page.show();
    const QRect first = list()->visualRect(list()->model()->index(0, 0));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_TRUE(card().contains(QStringLiteral("Cellphone: 603")));
    page.hide();
}

// A class's worth of contacts, stored out of order: keys and clicks move
// through the sorted list, each showing its own contact's card, and the
// card's text copies as shown.
TEST_F(ContactsTest, KeysAndClicksInALongListShowTheirContactsCard)
{
    std::vector<TContactRec> pupils;
    for (int i = 0; i < 300; ++i) {
        const int n = (i * 37) % 300;
        TContactRec c = contact(QStringLiteral("pupil %1").arg(n, 3, 10, QLatin1Char('0')).toUtf8().constData());
        if (n % 2)
            c.name = QStringLiteral("Pupil %1").arg(n, 3, 10, QLatin1Char('0')); // case does not count
        c.cellphone = QStringLiteral("777 %1").arg(n);
        pupils.push_back(c);
    }
    load(pupils);
    page.resize(700, 400);
    page.show();
    auto name = [this] { return page.findChild<QLabel *>(QStringLiteral("Label8"))->text(); };
    EXPECT_EQ(name(), QStringLiteral("pupil 000")) << "the first row is chosen after a load";
    EXPECT_EQ(rows().size(), 300);

    QTest::keyClick(list(), Qt::Key_End);
    EXPECT_EQ(name(), QStringLiteral("Pupil 299"));
    EXPECT_TRUE(card().contains(QStringLiteral("Cellphone: 777 299")));
    QTest::keyClick(list(), Qt::Key_Up);
    EXPECT_EQ(name(), QStringLiteral("pupil 298"));
    QTest::keyClick(list(), Qt::Key_Home);
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(name(), QStringLiteral("Pupil 001"));
    const QRect third = list()->visualRect(list()->model()->index(2, 0));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(name(), QStringLiteral("pupil 002"));

    // The Delete key deletes the selected contact; the next takes its row.
    QTest::keyClick(list(), Qt::Key_Delete);
    EXPECT_EQ(answers.questions.back(), ContactsPage::deletequestion);
    EXPECT_EQ(name(), QStringLiteral("Pupil 003"));
    EXPECT_EQ(currentrow(), 2);
    EXPECT_EQ(rows().size(), 299);
    EXPECT_FALSE(rows().contains(QStringLiteral("pupil 002")));
    Database reread(db.dbpath());
    reread.loadcontacts();
    EXPECT_EQ(reread.contacts.size(), 299u);

    auto *text = page.findChild<QPlainTextEdit *>(QStringLiteral("Memo2"));
    text->selectAll();
    page.Koprovat1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), card());
    EXPECT_TRUE(card().contains(QStringLiteral("777 3\n")));
    page.hide();
}

TEST_F(ContactsTest, DeletingTheOnlyAndTheLastRow)
{
    load({contact("Ann"), contact("Bob")});
    setrow(1);
    answers.answer = mb::idno;
    page.BitBtn2Click();
    EXPECT_EQ(rows().size(), 2);
    answers.answer = mb::idyes;
    page.BitBtn2Click();
    EXPECT_EQ(answers.questions.back(), ContactsPage::deletequestion);
    EXPECT_EQ(rows(), QStringList({"Ann"}));
    EXPECT_EQ(currentrow(), 0) << "the new last row";
    EXPECT_TRUE(card().startsWith(QString()) && page.findChild<QLabel *>(QStringLiteral("Label8"))->text() == "Ann");

    page.BitBtn2Click();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(page.getcontactindex(), -1);
    EXPECT_TRUE(card().isEmpty());
    EXPECT_TRUE(page.findChild<QLabel *>(QStringLiteral("Label8"))->text().isEmpty());
    Database reread(db.dbpath());
    reread.loadcontacts();
    EXPECT_TRUE(reread.contacts.empty());
}

TEST_F(ContactsTest, ANewContactIsListedOnlyWithANameAndGetsAFreshPhoto)
{
    load({contact("Ann")});
    db.contacts[0].photo = 0;
    ASSERT_TRUE(testsupport::writefile(photofile(db, 1), "a stranger's face"));
    whileediting([] {}, false); // closed with the close box
    page.BitBtn1Click();
    EXPECT_EQ(rows(), QStringList({"Ann"}));
    EXPECT_FALSE(QFile::exists(photofile(db, 1))) << "no stranger's photo for the new contact";
    ASSERT_EQ(db.contacts.size(), 2u);
    EXPECT_EQ(db.contacts[1].photo, 1);
    EXPECT_EQ(db.contacts[1].webpage, QStringLiteral("http://"));

    whileediting([this] { field<QLineEdit>("Edit1")->setText(QStringLiteral("Zoe")); });
    page.BitBtn1Click();
    EXPECT_EQ(db.contacts[2].photo, 2) << "the abandoned one keeps its number until the next load";
    EXPECT_EQ(rows(), QStringList({"Ann", "Zoe"}));
    EXPECT_EQ(currentrow(), 0) << "the new row is not selected";
    Database reread(db.dbpath());
    reread.loadcontacts();
    EXPECT_EQ(reread.contacts.size(), 2u);
}

TEST_F(ContactsTest, EditingKeepsTheRowSelectedInItsNewPlace)
{
    load({contact("Ann"), contact("Bob"), contact("Cyril")});
    setrow(0);
    whileediting([this] {
        field<QLineEdit>("Edit1")->setText(QStringLiteral("Zuzana"));
        field<QLineEdit>("Edit7")->setText(QStringLiteral("777"));
    });
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(rows(), QStringList({"Bob", "Cyril", "Zuzana"}));
    EXPECT_EQ(list()->currentIndex().data().toString(), QStringLiteral("Zuzana"));
    EXPECT_TRUE(card().contains(QStringLiteral("Cellphone: 777")));
    Database reread(db.dbpath());
    reread.loadcontacts();
    EXPECT_EQ(reread.contacts[0].name, QStringLiteral("Zuzana"));
}

TEST_F(ContactsTest, TheEditorWantsANameAndKeepsDatesAsTheBoxesSay)
{
    load({contact("Ann", 29, 2, 2004, 26, 7)});
    setrow(0);
    whileediting([this] {
        field<QLineEdit>("Edit1")->clear();
        editor.BitBtn1Click();
        EXPECT_TRUE(editor.isVisible()) << "stays open without a name";
        field<QLineEdit>("Edit1")->setText(QStringLiteral("Ann"));
        EXPECT_TRUE(field<QCheckBox>("CheckBox1")->isChecked());
        EXPECT_TRUE(field<QCheckBox>("CheckBox3")->isChecked());
        field<QCheckBox>("CheckBox3")->setChecked(false); // no more age
    });
    page.BitBtn9Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, TForm2::entername);
    EXPECT_EQ(db.contacts[0].birthday, 29) << "29 February stays as stored";
    EXPECT_EQ(db.contacts[0].birthmonth, 2);
    EXPECT_EQ(db.contacts[0].birthyear, 0);
    EXPECT_EQ(db.contacts[0].nameday, 26);

    whileediting([this] {
        field<QCheckBox>("CheckBox2")->setChecked(false);
        field<QDateEdit>("DateTimePicker1")->setDate(QDate(1990, 5, 17));
        field<QCheckBox>("CheckBox3")->setChecked(true);
    });
    page.BitBtn9Click();
    EXPECT_EQ(db.contacts[0].nameday, 0);
    EXPECT_EQ(db.contacts[0].namedaymonth, 0);
    EXPECT_EQ(db.contacts[0].birthday, 17);
    EXPECT_EQ(db.contacts[0].birthyear, 1990);
    EXPECT_TRUE(card().contains(QStringLiteral("Birthday: May 17 1990, age: 36")));
}

// A contact's texts are kept in windows-1250: letters it lacks are named by
// OK, the editor stays open with the typed text, and nothing is stored
// until it is mended, so what the list shows is what comes back.
TEST_F(ContactsTest, LettersTheFileCannotHoldStayInTheEditorToMend)
{
    load({contact("Eva")});
    setrow(0);
    whileediting([this] {
        auto *name = field<QLineEdit>("Edit1");
        name->selectAll();
        testsupport::typetext(name, QStringLiteral("\u0418\u0432\u0430\u043d Petrov"));
        testsupport::typetext(field<QPlainTextEdit>("Memo3"), QStringLiteral("\u03a9 club"));
        QTest::mouseClick(field<QPushButton>("BitBtn1"), Qt::LeftButton);
        EXPECT_TRUE(editor.isVisible()) << "stays open to mend";
        EXPECT_EQ(name->text(), QStringLiteral("\u0418\u0432\u0430\u043d Petrov"));
        EXPECT_EQ(editor.focusWidget(), name);

        name->setText(QStringLiteral("Ivan Petrov"));
        QTest::mouseClick(field<QPushButton>("BitBtn1"), Qt::LeftButton);
        EXPECT_TRUE(editor.isVisible()) << "the note still holds one";
        EXPECT_EQ(editor.focusWidget(), field<QPlainTextEdit>("Memo3"));
        field<QPlainTextEdit>("Memo3")->setPlainText(QStringLiteral("Omega club"));
        QTest::mouseClick(field<QPushButton>("BitBtn1"), Qt::LeftButton);
        EXPECT_FALSE(editor.isVisible());
    }, false);
    page.BitBtn9Click();
    ASSERT_EQ(answers.boxes.size(), 2u);
    EXPECT_EQ(answers.boxes[0].text, QStringLiteral("These characters cannot be stored: \u0418 \u0432 \u0430 "
                                                    "\u043d\nPlease use other characters."));
    EXPECT_TRUE(answers.boxes[1].text.contains(QStringLiteral(": \u03a9\n")));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("Ivan Petrov")});
    db.loadall();
    EXPECT_EQ(db.contacts[0].name, QStringLiteral("Ivan Petrov")) << "what was shown is what is stored";
    EXPECT_EQ(db.contacts[0].note, QStringLiteral("Omega club"));
}

TEST_F(ContactsTest, DetectionAsksAboutEachMatchUntilAYes)
{
    QStringList list;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= QDate(2000, month, 1).daysInMonth(); ++day)
            list << QStringLiteral("x");
        list << QString();
    }
    list[4] = QStringLiteral("Jan");
    list[32 + 9] = QStringLiteral("Ema, Jan");
    db.setnamedays(list);
    load({contact("Jan  Ema")});
    setrow(0);
    answers.answer = mb::idno;
    whileediting([this] { editor.BitBtn2Click(); }, false);
    page.BitBtn9Click();
    EXPECT_EQ(answers.questions.size(), 3u) << "Jan twice, then Ema";
    EXPECT_EQ(answers.questions[0], QStringLiteral("Is the first name of contact Jan?"));

    answers.questions.clear();
    answers.answer = mb::idyes;
    whileediting([this] {
        editor.BitBtn2Click();
        EXPECT_TRUE(field<QCheckBox>("CheckBox2")->isChecked());
        EXPECT_EQ(field<QDateEdit>("DateTimePicker2")->date(), QDate(2026, 1, 5));
    });
    page.BitBtn9Click();
    EXPECT_EQ(answers.questions.size(), 1u);
    EXPECT_EQ(db.contacts[0].nameday, 5);
    EXPECT_EQ(db.contacts[0].namedaymonth, 1);

    answers.boxes.clear();
    whileediting([this] {
        field<QLineEdit>("Edit1")->setText(QStringLiteral("Nobody"));
        editor.BitBtn2Click();
    }, false);
    page.BitBtn9Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, TForm2::nodetection);
}

TEST_F(ContactsTest, APickedPictureIsStoredAtOnceAndABadOneIsReported)
{
    load({contact("Ann")});
    setrow(0);
    const QString picture = dir.filePath(QStringLiteral("face.png"));
    QImage face(300, 150, QImage::Format_RGB32);
    face.fill(Qt::blue);
    ASSERT_TRUE(face.save(picture));
    QString chosen = picture;
    editor.setpicturechooser([&] { return chosen; });
    whileediting([this] { editor.BitBtn3Click(); }, false);
    page.BitBtn9Click();
    EXPECT_EQ(QImage(photofile(db, db.contacts[0].photo)).size(), QSize(80, 40));

    chosen = dir.filePath(QStringLiteral("notapicture.png"));
    ASSERT_TRUE(testsupport::writefile(chosen, "no picture here"));
    whileediting([this] { editor.BitBtn3Click(); }, false);
    page.BitBtn9Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_TRUE(answers.boxes[0].text.contains(QStringLiteral("notapicture.png")));
    EXPECT_EQ(QImage(photofile(db, db.contacts[0].photo)).size(), QSize(80, 40)) << "the old photo stays";
}

TEST_F(ContactsTest, ImportAsksThenListsWhatTheFileHolds)
{
    load({contact("Ann")});
    const QString file = dir.filePath(QStringLiteral("contacts.vcf"));
    ASSERT_TRUE(testsupport::writefile(file, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bob Brown\r\nTEL;TYPE=CELL:555\r\n"
                                             "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:Cyril\r\nEND:VCARD\r\n"));
    page.setcontactfilechooser([&] { return file; });
    answers.answer = mb::idno;
    page.BitBtn5Click();
    EXPECT_EQ(rows(), QStringList({"Ann"}));
    answers.answer = mb::idyes;
    page.BitBtn5Click();
    EXPECT_EQ(answers.questions.back(), ContactsPage::importquestion);
    EXPECT_EQ(rows(), QStringList({"Ann", "Bob Brown", "Cyril"}));
    Database reread(db.dbpath());
    reread.loadcontacts();
    ASSERT_EQ(reread.contacts.size(), 3u);
    EXPECT_EQ(reread.contacts[1].cellphone, QStringLiteral("555"));

    page.setcontactfilechooser([&] { return dir.filePath(QStringLiteral("gone.vcf")); });
    page.BitBtn5Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(rows().size(), 3);
}

TEST_F(ContactsTest, AFileWithoutContactsSaysSo)
{
    load({contact("Ann")});
    page.setcontactfilechooser([&] { return dir.filePath(QStringLiteral("notes.txt")); });
    answers.answer = mb::idyes;
    const QByteArray files[] = {
        "Shopping: milk, bread\r\n",
        // Only a group of other cards.
        "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Class\r\nEND:VCARD\r\n",
    };
    for (const QByteArray &content : files) {
        ASSERT_TRUE(testsupport::writefile(dir.filePath(QStringLiteral("notes.txt")), content));
        answers.boxes.clear();
        page.BitBtn5Click();
        ASSERT_EQ(answers.boxes.size(), 1u) << content.constData();
        EXPECT_EQ(answers.boxes[0].text, QStringLiteral("No contacts were found in %1.")
                                             .arg(dir.filePath(QStringLiteral("notes.txt"))));
        EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(rows(), QStringList({"Ann"}));
    }
}
