// The calendar record editor and the custom melodies.

#include "organizer/ui/calendareditor.h"

#include "database/database.h"
#include "database/settings.h"
#include "organizer/melodies.h"
#include "platform/daynumber.h"
#include "platform/folders.h"
#include "platform/melodyplayer.h"
#include "platform/ui/mediaplayer.h"
#include "testsupport.h"
#include "uitestsupport.h"
#include "widgets/ui/fittedcontrols.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QAudioDevice>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMediaDevices>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

using testsupport::FakePlayer;
using testsupport::RecordingPrompter;

namespace {

class EditorTest : public ::testing::Test
{
protected:
    EditorTest()
    {
        db.createfolders();
        editor.setcustommelodyentries(custommelodyentries(db.custommelodies));
    }

    int add(const TCalItemRec &r)
    {
        db.calitems.push_back(r);
        return int(db.calitems.size()) - 1;
    }

    // Shows record `index`, lets `steps` act, then presses OK.
    void edit(int index, const std::function<void()> &steps = {})
    {
        editor.caleditindex = index;
        editor.FormShow();
        if (steps)
            steps();
        editor.BitBtn1Click();
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    FakePlayer player;
    RecordingPrompter answers;
    TForm3 editor{db, settings, player};
};

TCalItemRec newrecord()
{
    TCalItemRec r;
    r.date = daynumber::fromdate(QDate(2026, 12, 8));
    r.timefrom = 800;
    r.timeto = 900;
    r.repetition = "0";
    return r;
}

} // namespace

TEST_F(EditorTest, ARecordMakesTheRoundTripThroughOk)
{
    TCalItemRec r = newrecord();
    r.text = "Trip#take a map#and food";
    r.icon = 5;
    r.timemode = 2;
    r.timefrom = 805;
    r.timeto = 1730;
    r.remind = true;
    r.melody = 3;
    r.repetition = "w1010100";
    const int i = add(r);
    edit(i);
    EXPECT_EQ(db.calitems[i], r) << "OK without changes writes the record back unchanged";

    edit(i, [&] {
        EXPECT_EQ(editor.DateTimePicker1->time(), QTime(8, 5));
        EXPECT_EQ(editor.Memo1->toPlainText(), QStringLiteral("Trip\ntake a map\nand food"));
        editor.DateTimePicker1->setTime(QTime(12, 30));
        editor.Memo1->setPlainText(QStringLiteral("Exam\nchapter 4"));
        editor.RadioButton2->click();
    });
    EXPECT_EQ(db.calitems[i].timefrom, 1230);
    EXPECT_EQ(db.calitems[i].timemode, 1);
    EXPECT_EQ(db.calitems[i].text, QStringLiteral("Exam#chapter 4"));
}

TEST_F(EditorTest, ANewRecordKeepsItsHiddenTimes)
{
    const int i = add(newrecord());
    edit(i, [&] {
        EXPECT_TRUE(editor.RadioButton1->isChecked());
        EXPECT_FALSE(editor.DateTimePicker1->isVisibleTo(&editor));
        EXPECT_FALSE(editor.DateTimePicker2->isVisibleTo(&editor));
        EXPECT_FALSE(editor.reminderpanel->isVisibleTo(&editor));
    });
    EXPECT_EQ(db.calitems[i].timefrom, 800);
    EXPECT_EQ(db.calitems[i].timeto, 900);
    EXPECT_EQ(db.calitems[i].repetition, QStringLiteral("0"));
}

TEST_F(EditorTest, WeekdaysAreStoredMondayFirstInEitherLayout)
{
    const int i = add(newrecord());
    settings.setnumber(Setting::weekstarts, 1); // Sunday first
    edit(i, [&] {
        editor.weeklybutton->click();
        editor.weekdays->item(0)->setCheckState(Qt::Checked); // Sunday
    });
    EXPECT_EQ(db.calitems[i].repetition, QStringLiteral("w0000001"));

    db.calitems[i].repetition = "w1000000";
    edit(i, [&] {
        EXPECT_EQ(editor.weekdays->item(1)->checkState(), Qt::Checked) << "Monday is the second entry";
        EXPECT_EQ(editor.weekdays->item(0)->checkState(), Qt::Unchecked);
    });

    settings.setnumber(Setting::weekstarts, 0);
    edit(i, [&] {
        for (int row = 0; row < 7; ++row)
            editor.weekdays->item(row)->setCheckState(row == 0 || row == 6 ? Qt::Checked : Qt::Unchecked);
    });
    EXPECT_EQ(db.calitems[i].repetition, QStringLiteral("w1000001"));

    edit(i, [&] {
        editor.monthlybutton->click();
        editor.months->item(0)->setCheckState(Qt::Checked);
        editor.months->item(11)->setCheckState(Qt::Checked);
    });
    EXPECT_EQ(db.calitems[i].repetition, QStringLiteral("m100000000001"));

    edit(i, [&] { editor.nonebutton->click(); });
    EXPECT_EQ(db.calitems[i].repetition, QStringLiteral("0"));
}

TEST_F(EditorTest, UnknownRepetitionAndBadTimesShowAsOnceAtMidnight)
{
    TCalItemRec odd = newrecord();
    odd.repetition = "w1111111";
    odd.timemode = 2;
    odd.timefrom = 1500;
    const int weekly = add(odd);
    edit(weekly); // leaves "Weekly" down and 15:00 in the picker

    TCalItemRec bad = newrecord();
    bad.repetition = "x??";
    bad.timemode = 2;
    bad.timefrom = 2575; // no time of day
    bad.timeto = -5;
    const int i = add(bad);
    edit(i, [&] {
        EXPECT_TRUE(editor.nonebutton->isChecked());
        EXPECT_EQ(editor.DateTimePicker1->time(), QTime(0, 0));
    });
    EXPECT_EQ(db.calitems[i].repetition, QStringLiteral("0"));
    EXPECT_EQ(db.calitems[i].timefrom, 0);
    EXPECT_EQ(db.calitems[i].timeto, 0);
}

TEST_F(EditorTest, TheIconGridNeverPicksBeyondItsNineIcons)
{
    TCalItemRec r = newrecord();
    r.icon = 12; // from a damaged file
    const int i = add(r);
    edit(i, [&] {
        EXPECT_EQ(editor.chosenicon, 0);
        editor.BitBtn26Click();
        QTest::mouseClick(editor.DrawGrid1, Qt::LeftButton, {}, QPoint(41 + 5, 82 + 5));
        EXPECT_EQ(editor.chosenicon, 7);
        editor.BitBtn26Click();
        QTest::mouseRelease(editor.DrawGrid1, Qt::LeftButton, {}, QPoint(500, 500));
        EXPECT_EQ(editor.chosenicon, 8);
    });
    EXPECT_EQ(db.calitems[i].icon, 8);
}

TEST_F(EditorTest, MelodiesPlayTheirFiles)
{
    const QString bell = dir.filePath(QStringLiteral("bell.mp3"));
    const QString gone = dir.filePath(QStringLiteral("gone.wav"));
    testsupport::writefile(bell, "ID3");
    db.custommelodies = {bell, gone};
    EXPECT_EQ(melodyfile(5, db.custommelodies), bell);
    EXPECT_EQ(melodyfile(6, db.custommelodies), folders::programfile(QStringLiteral("Nylon.mp3")));
    EXPECT_EQ(melodyfile(8, db.custommelodies), folders::programfile(QStringLiteral("Alarm.mp3")));
    EXPECT_EQ(melodyfile(3, db.custommelodies), folders::programfile(QStringLiteral("Probuzeni.mp3")));
    player.setfile(QStringLiteral("kept"));
    setplayermelody(player, -1, db.custommelodies);
    EXPECT_EQ(player.file(), QStringLiteral("kept"));
    EXPECT_EQ(melodyname(QStringLiteral("/music/my.bell.mp3")), QStringLiteral("my.bell"));
    EXPECT_EQ(custommelodyentries({bell}).last(), QStringLiteral("bell.mp3"));

    // A record whose melody lies past the box shows the first melody.
    TCalItemRec r = newrecord();
    r.melody = 9;
    const int i = add(r);
    editor.setcustommelodyentries(custommelodyentries(db.custommelodies));
    editor.caleditindex = i;
    editor.FormShow();
    EXPECT_EQ(editor.melodybox->currentIndex(), 0);
    EXPECT_EQ(db.calitems[i].melody, 0);

    // The preview plays the chosen file and the buttons follow the player.
    editor.melodybox->setCurrentIndex(5);
    player.looping = true; // as a reminder's pop-up left it
    editor.SpeedButton5Click();
    EXPECT_EQ(player.opened, bell);
    EXPECT_FALSE(player.looping) << "a preview plays once";
    EXPECT_FALSE(editor.stopbutton->isHidden());
    EXPECT_TRUE(editor.playbutton->isHidden());
    editor.SpeedButton4Click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !editor.playbutton->isHidden(); }, 5000));
    EXPECT_TRUE(editor.stopbutton->isHidden());
}

TEST_F(EditorTest, CustomMelodiesAreAddedChangedAndDeletedWithTheRecords)
{
    const int i = add(newrecord());
    db.calitems[i].text = "Mine";
    QString next = dir.filePath(QStringLiteral("bell.mp3"));
    editor.setfilechooser([&](const QString &) { return next; });
    editor.caleditindex = i;
    editor.FormShow();
    for (const char *name : {"bell.mp3", "horn.mp3", "drum.wav", "gong.mp3"}) {
        next = dir.filePath(QLatin1String(name));
        editor.SpeedButton1Click();
    }
    EXPECT_EQ(editor.melodybox->itemText(5), QStringLiteral("bell"));
    EXPECT_EQ(editor.melodybox->currentIndex(), 8);
    EXPECT_EQ(db.custommelodies.size(), 4);
    EXPECT_EQ(testsupport::readfile(db.path(dbfile::custommelodies))->count("\r\n"), 4);

    next = dir.filePath(QStringLiteral("flute.mp3"));
    editor.melodybox->setCurrentIndex(2);
    editor.SpeedButton2Click(); // a built-in melody: nothing
    EXPECT_EQ(editor.melodybox->itemText(2), QStringLiteral("Budoucnost"));
    editor.melodybox->setCurrentIndex(7);
    editor.SpeedButton2Click();
    EXPECT_EQ(editor.melodybox->itemText(7), QStringLiteral("flute"));
    EXPECT_EQ(db.custommelodies[2], next);

    // Records with 5, 6, 7, 8 become 5, 0, 6, 7 when 6 is deleted.
    db.calitems.resize(4);
    for (int k = 0; k < 4; ++k) {
        db.calitems[k].text = QStringLiteral("r%1").arg(k);
        db.calitems[k].melody = quint8(5 + k);
    }
    editor.melodybox->setCurrentIndex(6);
    answers.answer = mb::idno;
    editor.SpeedButton3Click();
    EXPECT_EQ(db.custommelodies.size(), 4) << "No changes nothing";
    answers.answer = mb::idyes;
    editor.SpeedButton3Click();
    EXPECT_EQ(answers.questions.back(), TForm3::deletequestion);
    EXPECT_EQ(db.calitems[0].melody, 5);
    EXPECT_EQ(db.calitems[1].melody, 0);
    EXPECT_EQ(db.calitems[2].melody, 6);
    EXPECT_EQ(db.calitems[3].melody, 7);
    EXPECT_EQ(editor.melodybox->currentIndex(), 0);
    EXPECT_EQ(db.custommelodies.size(), 3);
    Database reread(db.dbpath());
    reread.loadcalitems();
    ASSERT_EQ(reread.calitems.size(), 4u);
    EXPECT_EQ(reread.calitems[3].melody, 7) << "the records were saved";
}

TEST_F(EditorTest, AMelodyDeletionThatCannotBeWrittenRenumbersNothing)
{
    db.custommelodies = {dir.filePath("a.mp3"), dir.filePath("b.mp3")};
    db.savelist(dbfile::custommelodies, db.custommelodies);
    db.calitems.resize(1);
    db.calitems[0].text = "r";
    db.calitems[0].melody = 6;
    editor.setcustommelodyentries(custommelodyentries(db.custommelodies));
    editor.caleditindex = 0;
    editor.FormShow();
    editor.melodybox->setCurrentIndex(5);
    {
        testsupport::FileSizeLimit limit(5);
        editor.SpeedButton3Click();
    }
    EXPECT_EQ(db.custommelodies.size(), 2);
    EXPECT_EQ(db.calitems[0].melody, 6);
    EXPECT_EQ(editor.melodybox->count(), 7);
}

// A path windows-1250 cannot hold would be stored with "?" and later play
// another melody without a word: it is refused when it is chosen.
TEST_F(EditorTest, AMelodyPathTheListFileCannotHoldIsRefused)
{
    const int i = add(newrecord());
    editor.caleditindex = i;
    editor.FormShow();
    const QString cjk = dir.filePath(QStringLiteral("\u97f3\u697d.mp3"));
    editor.setfilechooser([&](const QString &) { return cjk; });
    editor.SpeedButton1Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(answers.boxes[0].text.contains(cjk));
    EXPECT_EQ(editor.melodybox->count(), builtinmelodycount);
    EXPECT_TRUE(db.custommelodies.isEmpty());

    // Czech letters are fine; a change to a refused path keeps the old one.
    const QString czech = dir.filePath(QStringLiteral("zvon\u011bn\u00ed.mp3"));
    editor.setfilechooser([&](const QString &) { return czech; });
    editor.SpeedButton1Click();
    ASSERT_EQ(db.custommelodies, QStringList({czech}));
    editor.setfilechooser([&](const QString &) { return cjk; });
    editor.SpeedButton2Click();
    EXPECT_EQ(answers.boxes.size(), 2u);
    EXPECT_EQ(db.custommelodies, QStringList({czech}));
    EXPECT_EQ(editor.melodybox->itemText(5), QStringLiteral("zvon\u011bn\u00ed"));
}

// The record's text is kept in windows-1250: OK names the letters it lacks
// and the editor stays open with the text to mend; the record is untouched.
TEST_F(EditorTest, ATextTheFileCannotHoldStaysInTheEditorToMend)
{
    TCalItemRec r = newrecord();
    r.text = "Exam";
    const int i = add(r);
    QTimer::singleShot(0, [this] {
        editor.Memo1->moveCursor(QTextCursor::End);
        testsupport::typetext(editor.Memo1, QStringLiteral(" \u2211 \u221e"));
        QTest::mouseClick(editor.okbutton, Qt::LeftButton);
        EXPECT_TRUE(editor.isVisible()) << "stays open to mend";
        EXPECT_EQ(editor.Memo1->toPlainText(), QStringLiteral("Exam \u2211 \u221e"));
        editor.Memo1->setPlainText(QStringLiteral("Exam: sums"));
        QTest::mouseClick(editor.okbutton, Qt::LeftButton);
        if (editor.isVisible())
            editor.reject();
    });
    EXPECT_TRUE(editor.editrecord(i));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text,
              QStringLiteral("These characters cannot be stored: \u2211 \u221e\nPlease use other characters."));
    EXPECT_EQ(db.calitems[i].text, QStringLiteral("Exam: sums"));
}

// A preview that cannot play says so once and gives "Play" back.
TEST_F(EditorTest, APreviewThatCannotPlayIsReportedAndTheButtonsReturnToPlay)
{
    const int i = add(newrecord());
    editor.caleditindex = i;
    editor.FormShow();
    player.failure = QStringLiteral("The file does not exist.");
    editor.SpeedButton5Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_TRUE(answers.boxes[0].text.contains(QStringLiteral("The file does not exist.")));
    // Nothing plays, so "Stop" is never shown.
    EXPECT_FALSE(editor.playbutton->isHidden());
    EXPECT_TRUE(editor.stopbutton->isHidden());

    // A failure of the pop-up's melody is not the editor's to report.
    emit player.failed(QStringLiteral("elsewhere"));
    EXPECT_EQ(answers.boxes.size(), 1u);
}

TEST_F(EditorTest, TheBuiltInMelodyNamesKeepTheirTranslationWhenTheListIsReloaded)
{
    editor.melodybox->setItemText(3, QStringLiteral("Probuzen\u00ed (cs)")); // as a language file made it
    editor.setcustommelodyentries({QStringLiteral("bell.mp3")});
    editor.setcustommelodyentries({QStringLiteral("bell.mp3"), QStringLiteral("horn.wav")});
    ASSERT_EQ(editor.melodybox->count(), builtinmelodycount + 2);
    EXPECT_EQ(editor.melodybox->itemText(3), QStringLiteral("Probuzen\u00ed (cs)"));
    EXPECT_EQ(editor.melodybox->itemText(5), QStringLiteral("bell.mp3"));
    EXPECT_EQ(editor.melodybox->itemText(6), QStringLiteral("horn.wav"));
}

TEST_F(EditorTest, ATrailingEnterIsNotStoredAsAnEmptyLine)
{
    const int i = add(newrecord());
    edit(i, [&] { editor.Memo1->setPlainText(QStringLiteral("Dentist\nbring the card\n")); });
    EXPECT_EQ(db.calitems[i].text, QStringLiteral("Dentist#bring the card"));
}

// The captions go with their pickers, and the mode buttons stay put when
// the pickers come and go.
TEST_F(EditorTest, TimeCaptionsFollowTheirPickersAndTheModeButtonsStayPut)
{
    const int i = add(newrecord());
    editor.caleditindex = i;
    editor.FormShow();
    editor.show();
    QApplication::processEvents();
    auto captions = editor.findChildren<QLabel *>();
    QLabel *fromcaption = nullptr, *tocaption = nullptr;
    for (QLabel *l : captions) {
        if (l->text() == QStringLiteral("From:"))
            fromcaption = l;
        if (l->text() == QStringLiteral("To:"))
            tocaption = l;
    }
    ASSERT_TRUE(fromcaption && tocaption);
    QList<QPoint> places;
    for (QRadioButton *b : {editor.RadioButton1, editor.RadioButton2, editor.RadioButton3}) {
        b->click();
        QApplication::processEvents();
        const int mode = b == editor.RadioButton1 ? 0 : b == editor.RadioButton2 ? 1 : 2;
        EXPECT_EQ(fromcaption->isVisible(), mode >= 1);
        EXPECT_EQ(tocaption->isVisible(), mode == 2);
        EXPECT_EQ(editor.DateTimePicker1->isVisible(), mode >= 1);
        EXPECT_EQ(editor.DateTimePicker2->isVisible(), mode == 2);
        places << editor.RadioButton1->pos() << editor.RadioButton2->pos() << editor.RadioButton3->pos();
    }
    for (int k = 3; k < places.size(); ++k)
        EXPECT_EQ(places[k], places[k % 3]);
    editor.hide();
}

TEST_F(EditorTest, TheEditorIsAFixedDialogWithoutMinimiseOrMaximise)
{
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("Record"));
    EXPECT_FALSE(editor.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(editor.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(editor.windowFlags() & Qt::WindowCloseButtonHint);

    // A window manager that minimises it anyway gets it straight back.
    editor.show();
    editor.setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !editor.isMinimized(); }));
    EXPECT_TRUE(editor.isVisible());
    editor.hide();
}

// A long custom melody name is cut with "…" and does not widen the window.
TEST_F(EditorTest, ALongMelodyNameIsElidedInsteadOfWideningTheWindow)
{
    TCalItemRec r = newrecord();
    r.timemode = 1;
    editor.caleditindex = add(r);
    editor.FormShow();
    const int width = editor.width();
    editor.setcustommelodyentries({QStringLiteral("A very long melody name that would never fit into the box.mp3")});
    editor.melodybox->setCurrentIndex(5);
    editor.show();
    QApplication::processEvents();
    EXPECT_EQ(editor.width(), width);
    EXPECT_LE(editor.melodybox->geometry().right(), editor.width());
    const QString shown = editor.melodybox->showntext();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(editor.melodybox->fontMetrics().horizontalAdvance(shown), editor.melodybox->width());
    editor.melodybox->setCurrentIndex(0);
    EXPECT_EQ(editor.melodybox->showntext(), QStringLiteral("Nylon"));
    editor.hide();
}

TEST(RepeatPanel, OpensAndClosesInGrowingSteps)
{
    auto run = [](int width, double step) {
        QList<int> widths = {width};
        bool done = false;
        while (!done && widths.size() < 50) {
            width = repeatpanel::nextwidth(width, step, done);
            widths << width;
        }
        return widths;
    };
    EXPECT_EQ(run(400, 10.0), QList<int>({400, 410, 422, 436, 453, 474, 499, 529, 597}));
    EXPECT_EQ(run(597, -10.0), QList<int>({597, 587, 575, 561, 544, 523, 498, 468, 400}));
}

// With no sound output at all the real player refuses: a click on "Play"
// says so once, and "Stop" never shows for a melody no one hears.
TEST(EditorSound, WithoutASoundOutputPlaySaysSoOnceAndNeverShowsStop)
{
    if (!QMediaDevices::audioOutputs().isEmpty())
        GTEST_SKIP() << "this machine has a sound output";
    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    db.createfolders();
    Settings settings;
    RecordingPrompter answers;
    std::unique_ptr<MelodyPlayer> player(createmediaplayer(nullptr));
    TForm3 editor{db, settings, *player};
    db.calitems.push_back(newrecord());
    db.calitems.back().timemode = 1;
    editor.caleditindex = 0;
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    ASSERT_TRUE(editor.playbutton->isVisible());

    // Counts every time "Stop" would show, however briefly.
    struct ShowCounter : QObject
    {
        int shows = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Show)
                ++shows;
            return false;
        }
    } stopshows;
    editor.stopbutton->installEventFilter(&stopshows);

    QTest::mouseClick(editor.playbutton, Qt::LeftButton);
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_TRUE(answers.boxes[0].text.contains(melodyreason::nooutput)) << qPrintable(answers.boxes[0].text);
    EXPECT_EQ(answers.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_TRUE(editor.playbutton->isVisible());
    EXPECT_EQ(stopshows.shows, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(answers.boxes.size(), 1u) << "said once";

    // Each press is answered, once.
    QTest::mouseClick(editor.playbutton, Qt::LeftButton);
    EXPECT_EQ(answers.boxes.size(), 2u);
    EXPECT_EQ(stopshows.shows, 0);
    editor.stopbutton->removeEventFilter(&stopshows);
}
