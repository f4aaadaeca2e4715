// Editing the timetable on its page: the mouse on the box, the editors, and
// what reaches the file.

#include "school/ui/timetablepage.h"
#include "school/ui/timetableprint.h"

#include "database/database.h"
#include "database/settings.h"
#include "platform/clock.h"
#include "testsupport.h"
#include "uitestsupport.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    Database db{dir.path()};
    Settings settings;
    Clock clock;
    Tprintttform printform;
    std::unique_ptr<TimetablePage> page;

    explicit Fixture(int tttype)
    {
        db.loadtimetable(); // the default lessons of the Table mode
        settings.setnumber(Setting::tttype, tttype);
        clock.setsource([] { return QDateTime(QDate(2026, 12, 8), QTime(9, 0)); });
        page = std::make_unique<TimetablePage>(db, settings, clock, printform);
        page->BitBtn29Click();
    }

    template <class T>
    T *child(const char *name)
    {
        auto *w = page->findChild<T *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    int find(int day, int number, int week = -1) const
    {
        for (int i = 0; i < int(db.timetable.size()); ++i) {
            const TLessonRec &l = db.timetable[i];
            if (l.day == day && l.number == number && l.week == week)
                return i;
        }
        return -1;
    }

    // A point inside a lesson, clear of its edges.
    QPoint inside(int index) const
    {
        const TLessonRec &l = db.timetable[index];
        return {ttlessonx(page->view(), l, true) + 5, l.day * ttrowheight + tttop + 15};
    }

    void click(QPoint pos)
    {
        page->timetableboxMouseMove(pos);
        page->timetableboxMouseDown(pos);
        page->timetableboxMouseUp();
    }

    std::vector<TLessonRec> stored() const
    {
        Database reread(dir.path());
        reread.loadtimetable();
        return reread.timetable;
    }
};

} // namespace

TEST(TimetableEditing, HoveringShowsALessonButTypingStoresOnlyIntoTheSelectedOne)
{
    Fixture f(0);
    auto *subject = f.child<QLineEdit>("subjectedit");
    auto *teacher = f.child<QLineEdit>("teacheredit");
    EXPECT_FALSE(subject->isEnabled()) << "no lesson selected";
    const int a = f.find(1, 2);
    const int b = f.find(1, 4);
    f.db.timetable[b].subject = QStringLiteral("Biology");
    f.db.timetable[b].teacher = QStringLiteral("Mr Green");

    f.click(f.inside(a));
    EXPECT_EQ(f.page->selectedlesson, a);
    EXPECT_TRUE(subject->isEnabled());

    // The pointer over another lesson shows it in the editors.
    f.page->timetableboxMouseMove(f.inside(b));
    EXPECT_EQ(f.page->hoveredlesson, b);
    EXPECT_EQ(subject->text(), QStringLiteral("Biology"));
    QTest::keyClicks(subject, QStringLiteral("Maths"));
    // Whatever reaches a handler while another lesson is shown.
    emit teacher->textEdited(teacher->text());
    EXPECT_EQ(f.db.timetable[a].subject.text(), QString());
    EXPECT_EQ(f.db.timetable[a].teacher.text(), QString());
    EXPECT_EQ(f.db.timetable[b].subject.text(), QStringLiteral("Biology"));
    EXPECT_EQ(f.db.timetable[b].teacher.text(), QStringLiteral("Mr Green"));

    // Back off the box the editors show the selected lesson and store into it.
    f.page->timetableboxMouseLeave();
    EXPECT_EQ(subject->text(), QString());
    QTest::keyClicks(subject, QStringLiteral("Maths"));
    EXPECT_EQ(f.db.timetable[a].subject.text(), QStringLiteral("Maths"));
    EXPECT_EQ(f.stored()[a].subject.text(), QStringLiteral("Maths"));

    // A pointer over the selected lesson itself is no obstacle.
    f.page->timetableboxMouseMove(f.inside(a));
    QTest::keyClicks(teacher, QStringLiteral("Novak"));
    EXPECT_EQ(f.stored()[a].teacher.text(), QStringLiteral("Novak"));
}

// Each keystroke is stored into the lesson: a letter the file cannot hold
// never gets into the field, and the pupil is told which.
TEST(TimetableEditing, LettersTheFileCannotHoldNeverReachTheLesson)
{
    Fixture f(0);
    testsupport::RecordingPrompter answers;
    const int a = f.find(2, 1);
    f.click(f.inside(a));
    for (const char *name : {"subjectedit", "teacheredit", "classroomedit"}) {
        auto *edit = f.child<QLineEdit>(name);
        edit->selectAll();
        testsupport::typetext(edit, QStringLiteral("F\u0444yzika 2"));
        EXPECT_EQ(edit->text(), QStringLiteral("Fyzika 2")) << name;
    }
    const TLessonRec saved = f.stored()[a];
    EXPECT_EQ(saved.subject.text(), QStringLiteral("Fyzika 2"));
    EXPECT_EQ(saved.teacher.text(), QStringLiteral("Fyzika 2"));
    EXPECT_EQ(saved.classroom.text(), QStringLiteral("Fyzika 2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.boxes.size() == 3; }, 2000));
    for (const auto &box : answers.boxes)
        EXPECT_EQ(box.text, QStringLiteral("These characters cannot be stored: \u0444\nPlease use other characters."));
}

TEST(TimetableEditing, TableTimesChangeTheWholeColumnOfTheWeekShown)
{
    Fixture f(0);
    auto *starts = f.child<QTimeEdit>("lessonpicker1");
    auto *ends = f.child<QTimeEdit>("lessonpicker2");
    f.click(f.inside(f.find(2, 3)));
    EXPECT_EQ(starts->time(), QTime(10, 0));
    EXPECT_EQ(ends->time(), QTime(10, 45));

    starts->setTime(QTime(9, 50));
    for (const TLessonRec &l : f.stored()) {
        if (l.number == 3) {
            EXPECT_EQ(l.start, l.week == -1 ? 590 : 600) << "day " << int(l.day) << " week " << int(l.week);
        } else if (l.number == 2) {
            EXPECT_EQ(l.start, 535);
        }
    }

    // A start at or after the end is not stored, and not left shown either.
    starts->setTime(QTime(10, 45));
    EXPECT_EQ(f.db.timetable[f.find(5, 3)].start, 590);
    emit starts->editingFinished();
    EXPECT_EQ(starts->time(), QTime(9, 50));
    ends->setTime(QTime(9, 0));
    EXPECT_EQ(f.db.timetable[f.find(5, 3)].end, 645);
}

TEST(TimetableEditing, ColourAndTextsAreSavedAtOnce)
{
    Fixture f(0);
    auto *colour = f.child<QComboBox>("ttcolorbox");
    ASSERT_EQ(colour->count(), 14);
    const int a = f.find(3, 0);
    f.click(f.inside(a));
    EXPECT_EQ(colour->currentText(), QStringLiteral("White"));
    colour->setCurrentIndex(4);
    emit colour->activated(4);
    EXPECT_EQ(f.stored()[a].color, 237 + 28 * 256 + 36 * 65536);
    // Texts are cut to what the record holds.
    auto *room = f.child<QLineEdit>("classroomedit");
    room->setText(QString(254, QLatin1Char('x')));
    QTest::keyClick(room, Qt::Key_End);
    QTest::keyClicks(room, QStringLiteral("yz"));
    EXPECT_EQ(f.stored()[a].classroom.text().size(), 255);
}

TEST(TimetableEditing, PlacingDraggingAndDeletingOnTheTimeline)
{
    Fixture f(1);
    ASSERT_EQ(f.page->weekcode, 1);
    auto *newlesson = f.child<QToolButton>("ttnewlessonbutton");
    const TtView v = f.page->view();

    // "New lesson" holds a 45-minute lesson at its middle.
    newlesson->click();
    EXPECT_TRUE(newlesson->isChecked());
    const int grab = f.page->grabx;
    EXPECT_EQ(grab, ttround(75 / 60.0 * 22.5)); // 28.125
    f.page->timetableboxMouseMove({ttminutestox(v, 600) + grab, 2 * 30 + 20});
    f.page->timetableboxMouseDown({ttminutestox(v, 600) + grab, 2 * 30 + 20});
    f.page->timetableboxMouseUp();
    EXPECT_FALSE(newlesson->isChecked());
    std::vector<TLessonRec> saved = f.stored();
    const int placed = f.find(2, 0, 1);
    ASSERT_GE(placed, 0);
    EXPECT_EQ(f.page->selectedlesson, placed);
    EXPECT_EQ(saved.size(), 211u);
    EXPECT_EQ(saved[placed].start, 600);
    EXPECT_EQ(saved[placed].end, 645);
    EXPECT_EQ(saved[placed].subject.text(), QStringLiteral("New lesson"));

    // Dragged 25 pixels (20 minutes) right and one row down.
    const QPoint from = f.inside(placed);
    f.page->timetableboxMouseDown(from);
    EXPECT_TRUE(f.page->dragging);
    f.page->timetableboxMouseMove(from + QPoint(25, 30));
    f.page->timetableboxMouseUp();
    EXPECT_FALSE(f.page->dragging);
    saved = f.stored();
    const int moved = f.find(3, 0, 1);
    ASSERT_GE(moved, 0);
    EXPECT_EQ(saved[moved].start, 620);
    EXPECT_EQ(saved[moved].end, 665);
    EXPECT_EQ(f.find(2, 0, 1), -1);

    // A second press on the button lets the lesson go: nothing is added.
    newlesson->click();
    newlesson->click();
    f.page->timetableboxMouseDown({100, 200});
    f.page->timetableboxMouseUp();
    EXPECT_EQ(f.stored().size(), 211u);

    f.page->timetableboxMouseDown(f.inside(moved));
    f.page->timetableboxMouseUp();
    f.child<QPushButton>("ttdeletebutton")->click();
    EXPECT_EQ(f.page->selectedlesson, -1);
    EXPECT_EQ(f.stored().size(), 210u);
    EXPECT_FALSE(f.child<QLineEdit>("subjectedit")->isEnabled());
}

TEST(TimetableEditing, TableLessonsCannotBeDraggedOrDeleted)
{
    Fixture f(0);
    const int a = f.find(1, 1);
    const TLessonRec before = f.db.timetable[a];
    f.page->timetableboxMouseDown(f.inside(a));
    EXPECT_FALSE(f.page->dragging);
    f.page->timetableboxMouseMove(f.inside(a) + QPoint(200, 60));
    f.page->timetableboxMouseUp();
    EXPECT_EQ(f.db.timetable[a], before);
    f.page->ttdeletebuttonClick();
    EXPECT_EQ(f.stored().size(), 210u);
}

TEST(TimetableEditing, TimelineRangeRefusesAnEndNotAfterItsStartAndMendsADamagedOne)
{
    Fixture f(1);
    auto *starts = f.child<QTimeEdit>("timelinepicker1");
    auto *ends = f.child<QTimeEdit>("timelinepicker2");
    ends->setTime(QTime(16, 0));
    EXPECT_EQ(f.settings.time(Setting::timelinepicker2), QTime(16, 0));
    EXPECT_EQ(f.page->ttlastminute, 960);
    starts->setTime(QTime(16, 30));
    EXPECT_EQ(f.settings.time(Setting::timelinepicker1), QTime(8, 0));
    EXPECT_EQ(f.page->ttfirstminute, 480);
    emit starts->editingFinished();
    EXPECT_EQ(starts->time(), QTime(8, 0));

    // Stored damaged: the view and the pickers use 8:00 to 18:00.
    f.settings.settime(Setting::timelinepicker1, QTime(19, 0));
    f.settings.settime(Setting::timelinepicker2, QTime(7, 0));
    EXPECT_EQ(f.page->ttfirstminute, 480);
    EXPECT_EQ(f.page->ttlastminute, 1080);
    EXPECT_EQ(starts->time(), QTime(8, 0));
    EXPECT_EQ(ends->time(), QTime(18, 0));
    EXPECT_GT(ttpicturewidth(f.page->view()), ttleft);

    // The view settings reach the picture.
    f.child<QSpinBox>("lessoninpixelsspin")->setValue(30);
    EXPECT_EQ(f.settings.number(Setting::lessoninpixels), 30);
    EXPECT_EQ(ttpicturewidth(f.page->view()), 10 * 30 + 60);
}

TEST(TimetableEditing, TheBoxTakesRealMouseEvents)
{
    Fixture f(0);
    auto *box = f.child<QWidget>("timetablebox");
    f.page->resize(900, 600);
    f.page->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.page.get()));
    const int a = f.find(4, 5);
    f.db.timetable[a].subject = QStringLiteral("Old");
    QTest::mouseClick(box, Qt::LeftButton, {}, f.inside(a));
    EXPECT_EQ(f.page->selectedlesson, a);
    EXPECT_TRUE(f.child<QLineEdit>("subjectedit")->hasFocus());
    // Typing after the click replaces the subject, also after the pointer
    // moved off the lesson.
    f.page->timetableboxMouseMove(f.inside(a));
    f.page->timetableboxMouseMove(f.inside(a) + QPoint(0, 100));
    EXPECT_EQ(f.child<QLineEdit>("subjectedit")->selectedText(), QStringLiteral("Old"));
    QTest::keyClicks(f.child<QLineEdit>("subjectedit"), QStringLiteral("Art"));
    EXPECT_EQ(f.stored()[a].subject.text(), QStringLiteral("Art"));
    // The box shows the picture as the painter draws it.
    const QImage shown = box->grab().toImage();
    EXPECT_EQ(shown.pixelColor(f.inside(a) + QPoint(40, 10)).rgb(), qRgb(255, 255, 255));
}

TEST(TimetableEditing, ATimeTypedOverTheSelectedOneIsStoredAsTyped)
{
    Fixture f(0);
    auto *box = f.child<QWidget>("timetablebox");
    auto *starts = f.child<QTimeEdit>("lessonpicker1");
    f.page->resize(900, 600);
    f.page->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.page.get()));
    auto typeover = [&](QTimeEdit *picker, const QString &typed) {
        QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(8, picker->height() / 2));
        QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(picker, typed);
    };
    auto column = [&](int number) {
        QList<int> starts;
        for (const TLessonRec &l : f.stored()) {
            if (l.week == -1 && l.number == number)
                starts << l.start;
        }
        return starts;
    };

    // The 8:55-9:40 column, started at 9:00.
    const int a = f.find(2, 2);
    ASSERT_EQ(f.db.timetable[a].start, 535);
    QTest::mouseClick(box, Qt::LeftButton, {}, f.inside(a));
    typeover(starts, QStringLiteral("9:00"));
    EXPECT_EQ(starts->text(), QStringLiteral("9:00"));
    EXPECT_EQ(column(2), QList<int>(7, 540));
    EXPECT_EQ(column(1), QList<int>(7, 480)) << "the column before is untouched";

    // Two-digit hours, and an end typed the same way.
    const int b = f.find(3, 5);
    QTest::mouseClick(box, Qt::LeftButton, {}, f.inside(b));
    typeover(f.child<QTimeEdit>("lessonpicker2"), QStringLiteral("12:20"));
    typeover(starts, QStringLiteral("11:35"));
    for (const TLessonRec &l : f.stored()) {
        if (l.week == -1 && l.number == 5) {
            EXPECT_EQ(l.start, 695);
            EXPECT_EQ(l.end, 740);
        }
    }
}
