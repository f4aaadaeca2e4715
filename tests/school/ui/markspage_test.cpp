// The Marks page, the subjects list window and the term manager as a pupil
// uses them: typing marks, the mark editors, the result modes, editing the
// subjects and switching terms.

#include "school/marks.h"
#include "school/ui/markspage.h"
#include "school/ui/subjectslist.h"
#include "school/ui/termmanager.h"

#include "database/database.h"
#include "database/settings.h"
#include "platform/clock.h"
#include "testsupport.h"
#include "uitestsupport.h"
#include "widgets/ui/colorbox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using testsupport::RecordingPrompter;

namespace {

struct MarksFixture : ::testing::Test
{
    QTemporaryDir dir;
    Database db{dir.path() + QLatin1Char('/')};
    Settings settings;
    Clock clock;
    // The term manager and the names the name dialog gives, in turn.
    Tsubjfnameform manager;
    QStringList names;
    std::unique_ptr<MarksPage> page;
    RecordingPrompter answers;

    MarksFixture()
    {
        db.createfolders();
        db.loadsubjects(); // the twelve default subjects
        page = std::make_unique<MarksPage>(db, settings, clock, manager,
                                           [this](const QString &, const QString &, const QString &, bool,
                                                  NameKept) { return names.takeFirst(); });
        page->refreshmarks();
    }

    template <class T>
    T *child(const char *name)
    {
        auto *w = page->findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QTableWidget *marks() { return child<QTableWidget>("StringGrid1"); }

    // The page as the window a pupil sees, holding the keyboard focus.
    void showpage()
    {
        if (page->isVisible())
            return;
        page->resize(1000, 600);
        page->show();
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    }

    // Each key goes where the keyboard focus is when it comes, as a
    // pupil's do.
    static void typekeys(const QString &text)
    {
        for (const QChar c : text) {
            ASSERT_NE(QApplication::focusWidget(), nullptr);
            testsupport::typetext(QApplication::focusWidget(), QString(c));
        }
    }

    void clickcell(QTableWidget *grid, int row, int column)
    {
        showpage();
        QCoreApplication::processEvents(); // what came before is over, as by a pupil's click
        const QModelIndex cell = grid->model()->index(row, column);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    }

    // Types into a cell of a grid as a pupil does: a click on the cell, the
    // keys at once, Enter.
    void typeinto(QTableWidget *grid, int row, int column, const QString &text)
    {
        clickcell(grid, row, column);
        typekeys(text);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    QString result(int row) { return child<QTableWidget>("StringGrid3")->item(row, 0)->text(); }

    std::vector<TSubjectRec> stored()
    {
        Database reread(db.dbpath());
        reread.loadsubjects();
        return reread.subjects;
    }
};

// Closes the next modal window once it is up.
void closesoon(QDialog *dialog, std::function<void()> before = {})
{
    QTimer::singleShot(0, dialog, [dialog, before] {
        if (before)
            before();
        dialog->accept();
    });
}

} // namespace

TEST_F(MarksFixture, TypedMarksAreStoredWithoutBlanksAndAveragedAtOnce)
{
    ASSERT_EQ(marks()->rowCount(), 12);
    EXPECT_EQ(marks()->verticalHeaderItem(6)->text(), QStringLiteral("Mathematics"));
    typeinto(marks(), 6, 0, QStringLiteral("1"));
    EXPECT_EQ(result(6), QStringLiteral("1"));
    typeinto(marks(), 6, 1, QStringLiteral("2 -"));
    EXPECT_EQ(db.subjects[6].marks[1].mark.text(), QStringLiteral("2-"));
    EXPECT_EQ(result(6), QStringLiteral("1.75"));
    EXPECT_EQ(child<QLabel>("totallabel")->text(), QStringLiteral("1.75"));
    EXPECT_EQ(stored()[6].marks[1].mark.text(), QStringLiteral("2-"));
    typeinto(marks(), 6, 2, QStringLiteral("1234"));
    EXPECT_EQ(stored()[6].marks[2].mark.text(), QStringLiteral("123"));

    // An unreadable mark shows the warning until it is mended.
    auto *warning = child<QLabel>("warninglabel");
    typeinto(marks(), 6, 2, QStringLiteral("x"));
    EXPECT_FALSE(warning->isHidden());
    EXPECT_EQ(result(6), QStringLiteral("1.75"));
    typeinto(marks(), 6, 2, QStringLiteral("3"));
    EXPECT_TRUE(warning->isHidden());

    // Pluses and minuses are stored as typed.
    typeinto(child<QTableWidget>("StringGrid4"), 6, 0, QStringLiteral("++ homework"));
    typeinto(child<QTableWidget>("StringGrid5"), 2, 0, QStringLiteral("-"));
    EXPECT_EQ(stored()[6].pluses.text(), QStringLiteral("++ homework"));
    EXPECT_EQ(stored()[2].minuses.text(), QStringLiteral("-"));
}

TEST_F(MarksFixture, TypingAfterAClickEditsTheClickedCellOnly)
{
    db.subjects[0].marks[1].mark = QStringLiteral("1");
    db.subjects[0].pluses = QStringLiteral("+ reading");
    db.savesubjects();
    page->refreshmarks();

    // A fresh page: the first cell is current already; a click on it and a
    // mark typed at once.
    typeinto(marks(), 0, 0, QStringLiteral("3"));
    EXPECT_EQ(stored()[0].marks[0].mark.text(), QStringLiteral("3"));

    // A click on the current cell and typing: no other row's matching mark
    // is found and overwritten.
    typeinto(marks(), 6, 1, QStringLiteral("2"));
    typeinto(marks(), 6, 1, QStringLiteral("15"));
    std::vector<TSubjectRec> saved = stored();
    EXPECT_EQ(saved[6].marks[1].mark.text(), QStringLiteral("15"));
    EXPECT_EQ(saved[0].marks[1].mark.text(), QStringLiteral("1")) << "English keeps its mark";
    EXPECT_EQ(marks()->currentRow(), 6);

    // The pluses alike.
    auto *pluses = child<QTableWidget>("StringGrid4");
    typeinto(pluses, 6, 0, QStringLiteral("x"));
    typeinto(pluses, 6, 0, QStringLiteral("+ test"));
    saved = stored();
    EXPECT_EQ(saved[6].pluses.text(), QStringLiteral("+ test"));
    EXPECT_EQ(saved[0].pluses.text(), QStringLiteral("+ reading"));

    // Keys typed into the grid without an open editor go to the current cell.
    clickcell(marks(), 6, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_EQ(QApplication::focusWidget(), marks());
    typekeys(QStringLiteral("1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    saved = stored();
    EXPECT_EQ(saved[6].marks[1].mark.text(), QStringLiteral("1"));
    EXPECT_EQ(saved[0].marks[1].mark.text(), QStringLiteral("1"));
}

// Width the grid's style needs to show a cell's text whole.
int neededwidth(QTableWidget *grid, int row, int column)
{
    QStyleOptionViewItem option;
    option.initFrom(grid);
    option.widget = grid;
    option.font = grid->font();
    const QModelIndex cell = grid->model()->index(row, column);
    option.rect = grid->visualRect(cell);
    return grid->itemDelegate()->sizeHint(option, cell).width();
}

TEST_F(MarksFixture, ThreeCharacterMarksShowWholeInTheirCells)
{
    const QStringList marks3 = {"100", "85-", "123", "B+-", "888", "MMM"};
    for (int i = 0; i < marks3.size(); ++i)
        db.subjects[1].marks[i].mark = marks3[i];
    db.subjects[1].marks[10].mark = QStringLiteral("1");
    page->refreshmarks();
    showpage();
    for (int i = 0; i < marks3.size(); ++i) {
        EXPECT_EQ(marks()->columnWidth(i), 25) << "the grid keeps its columns";
        EXPECT_LE(neededwidth(marks(), 1, i), marks()->columnWidth(i)) << marks3[i].toStdString();
    }
    EXPECT_LE(neededwidth(marks(), 1, 10), 25);

    // Typed: the editor shows the three characters whole too.
    clickcell(marks(), 3, 4);
    typekeys(QStringLiteral("100"));
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("100"));
    // Its margins and the cursor beside the text.
    EXPECT_LE(editor->fontMetrics().horizontalAdvance(QStringLiteral("100")) + 5, editor->width());
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(stored()[3].marks[4].mark.text(), QStringLiteral("100"));
    EXPECT_LE(neededwidth(marks(), 3, 4), 25);
}

TEST_F(MarksFixture, TheEditorsShowAndStoreTheSelectedMark)
{
    TMarkRec &mark = db.subjects[1].marks[3];
    mark.mark = QStringLiteral("2");
    mark.note = QStringLiteral("oral");
    mark.weight = 2;
    mark.color = 0x0000FF;
    page->refreshmarks();
    auto *colour = child<ColorBox>("ColorBox1");
    auto *weight = child<QComboBox>("ComboBox1");
    auto *note = child<QLineEdit>("Edit4");
    marks()->setCurrentCell(1, 3);
    EXPECT_EQ(note->text(), QStringLiteral("oral"));
    EXPECT_EQ(weight->currentText(), QStringLiteral("Double"));
    EXPECT_EQ(colour->colour(), 0x0000FF);
    EXPECT_EQ(colour->currentText(), QStringLiteral("Red"));

    // A weight the list lacks leaves the list as it was.
    db.subjects[1].marks[4].weight = 1.5;
    db.subjects[1].marks[4].color = 0x123456;
    marks()->setCurrentCell(1, 4);
    EXPECT_EQ(weight->currentText(), QStringLiteral("Double"));
    EXPECT_EQ(colour->currentIndex(), 0) << "an unlisted colour shows as the custom one";
    EXPECT_EQ(colour->colour(), 0x123456);

    marks()->setCurrentCell(1, 3);
    QTest::keyClicks(note, QStringLiteral(" exam"));
    weight->setCurrentIndex(0);
    emit weight->activated(0);
    colour->setCurrentIndex(18); // Sky Blue
    emit colour->activated(18);
    const TMarkRec saved = stored()[1].marks[3];
    EXPECT_EQ(saved.note.text(), QStringLiteral("oral exam"));
    EXPECT_EQ(saved.weight, 0.25);
    EXPECT_EQ(saved.color, 0xF0CAA6);
    EXPECT_EQ(result(1), QStringLiteral("2"));

    // Selecting another cell fills the editors and stores nothing.
    marks()->setCurrentCell(0, 0);
    EXPECT_EQ(note->text(), QString());
    EXPECT_EQ(stored()[1].marks[3].note.text(), QStringLiteral("oral exam"));
}

TEST_F(MarksFixture, TheMarksFormatChangesCaptionsAndResults)
{
    db.subjects[0].marks[0].mark = QStringLiteral("10");
    db.subjects[0].marks[1].mark = QStringLiteral("5");
    db.subjects[0].marks[1].weight = 3;
    page->refreshmarks();
    EXPECT_EQ(result(0), QStringLiteral("6.25"));
    EXPECT_FALSE(child<QComboBox>("ComboBox1")->isHidden());
    settings.setnumber(Setting::suma, markssums);
    EXPECT_EQ(result(0), QStringLiteral("15"));
    EXPECT_TRUE(child<QComboBox>("ComboBox1")->isHidden());
    EXPECT_EQ(child<QLabel>("totalcaption")->text(), QStringLiteral("Total sum:"));
    EXPECT_EQ(child<QLabel>("resultscaption")->text(), QStringLiteral("Sums:"));
    settings.setnumber(Setting::suma, marksabcdf);
    EXPECT_EQ(child<QLabel>("totalcaption")->text(), QStringLiteral("Total average:"));
    EXPECT_EQ(result(0), QStringLiteral("/"));
    EXPECT_FALSE(child<QLabel>("warninglabel")->isHidden());
}

TEST_F(MarksFixture, WithoutSubjectsNothingIsStored)
{
    db.subjects.clear();
    db.savesubjects();
    EXPECT_EQ(marks()->rowCount(), 1);
    EXPECT_EQ(child<QLabel>("totallabel")->text(), QStringLiteral("/"));
    marks()->setCurrentCell(0, 0);
    auto *note = child<QLineEdit>("Edit4");
    QTest::keyClicks(note, QStringLiteral("x"));
    EXPECT_TRUE(db.subjects.empty());
    EXPECT_EQ(marks()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(MarksFixture, SubjectsWindowKeepsRowsAndSubjectsInStep)
{
    db.subjects[2].marks[0].mark = QStringLiteral("1"); // Spanish
    db.subjects[3].marks[0].mark = QStringLiteral("4"); // Sociology
    db.savesubjects();
    TForm6 form(db);
    auto *list = form.findChild<QListWidget *>(QStringLiteral("ListBox1"));
    auto *name = form.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    closesoon(&form, [&] {
        EXPECT_EQ(list->count(), 12);
        EXPECT_EQ(name->text(), QStringLiteral("English"));
        // Spanish emptied, Geography renamed.
        list->setCurrentRow(2);
        name->clear();
        emit name->textEdited(QString());
        list->setCurrentRow(5);
        EXPECT_EQ(name->text(), QStringLiteral("Geography"));
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Geo"));
        EXPECT_EQ(list->item(5)->text(), QStringLiteral("Geo"));
    });
    form.editsubjects();
    ASSERT_EQ(db.subjects.size(), 11u);
    EXPECT_EQ(stored().size(), 11u);
    // The page followed: Sociology's row holds Sociology's marks.
    EXPECT_EQ(marks()->rowCount(), 11);
    EXPECT_EQ(marks()->verticalHeaderItem(2)->text(), QStringLiteral("Sociology"));
    EXPECT_EQ(marks()->item(2, 0)->text(), QStringLiteral("4"));
    EXPECT_EQ(marks()->verticalHeaderItem(4)->text(), QStringLiteral("Geo"));
    // A mark typed now lands in the subject of its row.
    typeinto(marks(), 2, 1, QStringLiteral("2"));
    EXPECT_EQ(stored()[2].name.text(), QStringLiteral("Sociology"));
    EXPECT_EQ(stored()[2].marks[1].mark.text(), QStringLiteral("2"));
}

// The grids, the mark's note and the subjects' names store while they are
// typed in: a letter their file cannot hold never gets in, and the pupil is
// told which, so nothing shown turns into "?" after a restart.
TEST_F(MarksFixture, LettersTheFileCannotHoldNeverReachTheMarks)
{
    typeinto(marks(), 6, 0, QStringLiteral("1\u0416"));
    typeinto(child<QTableWidget>("StringGrid4"), 6, 0, QStringLiteral("+ \u00fakol \u2713"));
    typeinto(child<QTableWidget>("StringGrid5"), 6, 0, QStringLiteral("\u2212"));
    marks()->setCurrentCell(6, 0);
    testsupport::typetext(child<QLineEdit>("Edit4"), QStringLiteral("\u00fastn\u00ed \u03b1"));
    EXPECT_EQ(child<QLineEdit>("Edit4")->text(), QStringLiteral("\u00fastn\u00ed "));

    TForm6 form(db);
    auto *list = form.findChild<QListWidget *>(QStringLiteral("ListBox1"));
    auto *name = form.findChild<QLineEdit *>(QStringLiteral("Edit1"));
    closesoon(&form, [&] {
        list->setCurrentRow(0);
        name->selectAll();
        testsupport::typetext(name, QStringLiteral("\u0395\u03bb"));
        EXPECT_EQ(name->text(), QStringLiteral("English")) << "nothing was replaced";
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("English"));
        testsupport::typetext(name, QStringLiteral("Greek"));
    });
    form.editsubjects();

    const TSubjectRec saved = stored()[6];
    EXPECT_EQ(saved.marks[0].mark.text(), QStringLiteral("1"));
    EXPECT_EQ(saved.pluses.text(), QStringLiteral("+ \u00fakol "));
    EXPECT_EQ(saved.minuses.text(), QString());
    EXPECT_EQ(saved.marks[0].note.text(), QStringLiteral("\u00fastn\u00ed "));
    EXPECT_EQ(stored()[0].name.text(), QStringLiteral("Greek"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.boxes.size() >= 5; }, 2000));
    QStringList named;
    for (const auto &box : answers.boxes)
        named << box.text.section(QStringLiteral(": "), 1).section(u'\n', 0, 0);
    EXPECT_EQ(named, QStringList({"\u0416", "\u2713", "\u2212", "\u03b1", "\u0395"}));
}

TEST_F(MarksFixture, SubjectsWindowAddsDeletesAndMoves)
{
    TForm6 form(db);
    auto *list = form.findChild<QListWidget *>(QStringLiteral("ListBox1"));
    auto click = [&](const char *name) { form.findChild<QPushButton *>(QLatin1String(name))->click(); };
    closesoon(&form, [&] {
        click("BitBtn1"); // Add
        EXPECT_EQ(list->count(), 13);
        EXPECT_EQ(list->item(12)->text(), QStringLiteral("New subject"));
        EXPECT_EQ(list->currentRow(), 0) << "the selection stays";
        list->setCurrentRow(1);
        click("BitBtn4"); // Move down
        EXPECT_EQ(list->currentRow(), 2);
        EXPECT_EQ(db.subjects[2].name.text(), QStringLiteral("French"));
        click("BitBtn3"); // Move up
        click("BitBtn3");
        EXPECT_EQ(db.subjects[0].name.text(), QStringLiteral("French"));
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("French"));
        click("BitBtn3"); // already first
        EXPECT_EQ(list->currentRow(), 0);
        answers.answer = mb::idno;
        click("BitBtn2");
        EXPECT_EQ(list->count(), 13);
        answers.answer = mb::idyes;
        click("BitBtn2");
        EXPECT_EQ(list->count(), 12);
        EXPECT_EQ(list->currentRow(), -1);
        click("BitBtn2"); // nothing selected: nothing asked
        EXPECT_EQ(answers.questions.size(), 2u);
    });
    form.editsubjects();
    EXPECT_EQ(db.subjects.front().name.text(), QStringLiteral("English"));
    EXPECT_EQ(db.subjects.back().name.text(), QStringLiteral("New subject"));
    EXPECT_EQ(stored().size(), 12u);
}

TEST_F(MarksFixture, TermsFromTheActionMenuAndTheManager)
{
    names = {QStringLiteral("Spring")};
    typeinto(marks(), 0, 0, QStringLiteral("1"));
    page->Novobdob1Click();
    EXPECT_EQ(page->terms().getsubjfname(), QStringLiteral("Spring"));
    EXPECT_EQ(marks()->item(0, 0)->text(), QString()) << "the new term has no marks";

    auto *list = manager.findChild<QListWidget *>(QStringLiteral("ListBox1"));
    auto click = [&](const char *name) { manager.findChild<QPushButton *>(QLatin1String(name))->click(); };
    // Renaming to a listed name is refused; deleting the open term too.
    QTimer::singleShot(0, &manager, [&] {
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Previous term"));
        names = {QStringLiteral("Spring")};
        click("BitBtn1");
        list->setCurrentRow(1);
        click("BitBtn4");
        ASSERT_EQ(answers.boxes.size(), 2u);
        EXPECT_EQ(answers.boxes[0].text, Terms::existsmessage);
        EXPECT_EQ(answers.boxes[1].text, Terms::openmessage);
        names = {QStringLiteral("Autumn")};
        list->setCurrentRow(0);
        click("BitBtn1");
        EXPECT_EQ(list->item(0)->text(), QStringLiteral("Autumn"));
        click("BitBtn5"); // Load
    });
    manager.showterms(page->terms(), [&](const QString &, const QString &, const QString &, bool, NameKept) {
        return names.takeFirst();
    });
    EXPECT_EQ(page->terms().getsubjfname(), QStringLiteral("Autumn"));
    EXPECT_EQ(marks()->item(0, 0)->text(), QStringLiteral("1")) << "the page shows the opened term";
    EXPECT_TRUE(page->terms().termexists(QStringLiteral("Spring")));
}
