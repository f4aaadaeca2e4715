// Upgrading database folders of older versions, on folders written byte by
// byte in the old layouts.

#include "database/upgrade.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using testsupport::Bytes;
using testsupport::readfile;
using testsupport::writefile;

namespace {

// "Nezařazeno" in windows-1250, as old versions stored the default category.
const QByteArray oldunfiled("Neza\xf8" "azeno");

class UpgradeTest : public ::testing::Test
{
protected:
    UpgradeTest()
    {
        folder = dir.path() + QStringLiteral("/db/");
        QDir().mkpath(folder + QStringLiteral("subjects"));
        prompts.error = [this](const DbMessage &m) { errors << m.text(); };
        prompts.confirm = [this](const QString &q) {
            questions << q;
            return answer;
        };
    }

    QString file(const QString &name) const { return folder + name; }
    void put(const QString &name, const QByteArray &data) { ASSERT_TRUE(writefile(file(name), data)); }
    QByteArray get(const QString &name) const { return readfile(file(name)).value_or(QByteArray("<missing>")); }
    void version(const char *text) { put(QStringLiteral("dbversion.dat"), text); }

    // A loaded copy of the folder, as the program sees it after the upgrade.
    std::unique_ptr<Database> load()
    {
        auto db = std::make_unique<Database>(folder, [this](const DbMessage &m) { errors << m.text(); });
        db->loadall();
        return db;
    }

    QTemporaryDir dir;
    QString folder;
    DbPrompts prompts;
    QStringList errors, questions;
    bool answer = true;
};

// Old timetable grids: rows of counted strings of 255.
Bytes grid(int rows, int rowsize)
{
    return Bytes(qsizetype(rows) * rowsize);
}

QByteArray subject10(const QByteArray &name, std::initializer_list<int> marks, const QByteArray &pluses = {})
{
    Bytes b(744);
    b.str(0, name);
    int i = 0;
    for (int m : marks)
        b.le(32 + 2 * i++, m, 2);
    for (; i < 100; ++i)
        b.le(32 + 2 * i, -1, 2);
    b.str(232, pluses).str(488, "minus");
    return b.data();
}

QByteArray calitem10(const QByteArray &text, double date, int from)
{
    Bytes b(272);
    b.le(0, 3, 2).le(2, from, 2).le(4, from + 100, 2).u8(6, 2).str(7, text);
    QByteArray d(8, '\0');
    std::memcpy(d.data(), &date, 8);
    b.raw(264, d);
    return b.data();
}

QByteArray task(const QByteArray &text, const QByteArray &category, bool done = false)
{
    return Bytes(TTaskRec::size).u8(0, done).str(1, text).str(257, category).data();
}

QByteArray contact(const QByteArray &name, int photo)
{
    return Bytes(TContactRec::size).str(0, name).le(3840, photo, 2).data();
}

// A 1.6 to 2.0 grid (15 rows of 12 cells of 772 bytes) with the 1.4 times.
Bytes grid16()
{
    Bytes g = grid(15, 9264);
    const char *times[15][2] = {{"7:05", "7:50"},   {"8:00", "8:45"},   {"8:55", "9:40"},   {"10:00", "10:45"},
                                {"10:55", "11:40"}, {"11:50", "12:35"}, {"12:45", "13:30"}, {"13:40", "14:25"},
                                {"14:35", "15:20"}, {"15:30", "16:15"}, {"16:20", "17:05"}, {"17:35", "17:40"},
                                {"17:45", "18:30"}, {"18:35", "19:20"}, {"19:25", "20:10"}};
    for (int r = 0; r < 15; ++r) {
        g.str(r * 9264, times[r][0]).str(r * 9264 + 772, times[r][1]);
        for (int c = 2; c < 12; ++c)
            g.le(r * 9264 + c * 772 + 768, 0xFFFFFF, 4);
    }
    return g;
}

} // namespace

TEST(UpgradeSteps, RunFromTheStoredVersionInOrder)
{
    const struct {
        const char *version;
        const char *first; // the first step that runs
        size_t count;
    } table[] = {
        {"1.0", "convert10to11", 11}, {"1.0 BETA", "convert10to11", 11}, {"1.1", "convert11to12", 10},
        {"1.2", "convert12to13", 9},  {"1.25", "convert12to13", 9},      {"1.5", "convert15to16", 6},
        {"1.8", "convert18to19", 3},  {"1.9", "convert19to20", 2},       {"2.0", "convert20to21", 1},
        {"0.9", "convert10to11", 11},
    };
    for (const auto &row : table) {
        double from = -1;
        ASSERT_EQ(checkdbversion(QLatin1String(row.version), &from), DbVersion::older) << row.version;
        const std::vector<const UpgradeStep *> steps = stepsfrom(from);
        ASSERT_EQ(steps.size(), row.count) << row.version;
        EXPECT_EQ(steps.front()->name, QLatin1String(row.first)) << row.version;
        EXPECT_EQ(steps.back()->name, QStringLiteral("convert20to21")) << row.version;
    }
    for (const char *text : {"2.1", "2.10", "3", "abc", "nan", "inf", "", "1,5", "1.5x"})
        EXPECT_NE(checkdbversion(QLatin1String(text)), DbVersion::older) << text;
}

TEST_F(UpgradeTest, TheCheckRefusesWithItsMessagesAndTouchesNothing)
{
    EXPECT_FALSE(actualdb(folder, prompts)) << "no version file";
    EXPECT_EQ(errors, QStringList({dbversionmissing}));
    EXPECT_FALSE(QFileInfo::exists(file("dbversion.dat")));

    const struct {
        const char *text;
        QString message;
    } refused[] = {
        {"abc", QStringLiteral("abc") + dbversiondamaged},
        {"nan", QStringLiteral("nan") + dbversiondamaged},
        {"2.10", dbversionnewer()},
        {"2.2", dbversionnewer()},
    };
    for (const auto &row : refused) {
        errors.clear();
        version(row.text);
        EXPECT_FALSE(actualdb(folder, prompts)) << row.text;
        EXPECT_EQ(errors, QStringList({row.message})) << row.text;
        EXPECT_EQ(get("dbversion.dat"), QByteArray(row.text));
    }
    EXPECT_TRUE(questions.isEmpty());

    errors.clear();
    version("2.1\r\n1.0");
    EXPECT_TRUE(actualdb(folder, prompts)) << "only the first line counts";
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(UpgradeTest, DecliningLeavesTheFolderAsItWas)
{
    version("1.0");
    const QByteArray subjects = subject10("Math", {1, 2});
    put("subjects.dat", subjects);
    answer = false;
    EXPECT_FALSE(actualdb(folder, prompts));
    EXPECT_EQ(questions, QStringList({actualizequestion}));
    EXPECT_EQ(get("dbversion.dat"), QByteArray("1.0"));
    EXPECT_EQ(get("subjects.dat"), subjects);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"dbversion.dat", "subjects.dat"}));
}

TEST_F(UpgradeTest, AWholeChainFromTheFirstVersion)
{
    version("1.0 BETA");
    // Timetable: Monday of the first lesson is Math with its times.
    Bytes g = grid(10, 1792);
    g.str(0, "7:55").str(256, "8:40").str(2 * 256, "Math").str(6 * 256, "Art");
    g.str(9 * 1792, "15:30").str(9 * 1792 + 256, "16:15");
    put("timetable.dat", g.data());
    put("subjects.dat", subject10("Math", {1, -1, 1234, -123}, "++") + subject10("", {1}) + subject10("Bio", {5}));
    put("subjects/first term.dat", subject10("Chem", {2}));
    put("calitems.dat", calitem10("Test#chapter 4", 46000.5, 800) + calitem10("", 1, 900) + "tail");
    put("categories.dat", "School\r\n" + oldunfiled + "\r\nHome\r\n");
    put("memocategories.dat", oldunfiled + "\r\n");
    put("tasks.dat", task("Read", oldunfiled) + task("Write", "School", true));
    put("contacts.dat", contact("Ann", 0) + contact("Bob", 0) + contact("Cyril", 0));

    ASSERT_TRUE(actualdb(folder, prompts)) << errors.join('\n').toStdString();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(get("dbversion.dat"), QByteArray("2.1"));
    EXPECT_TRUE(QDir(folder).entryList({"*.upgrade"}, QDir::Files).isEmpty());

    auto db = load();
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    ASSERT_EQ(db->contacts.size(), 3u);
    EXPECT_EQ(db->contacts[0].photo, 1);
    EXPECT_EQ(db->contacts[1].photo, 2);
    EXPECT_EQ(db->contacts[2].photo, 3);

    ASSERT_EQ(db->timetable.size(), 210u);
    const TLessonRec *math = nullptr;
    for (const TLessonRec &l : db->timetable) {
        if (l.subject == QStringLiteral("Math"))
            math = &l;
        if (l.number == 0) {
            EXPECT_EQ(l.start, 7 * 60 + 5) << "the new first lesson";
            EXPECT_EQ(l.end, 7 * 60 + 50);
        }
        if (l.number == 11) {
            EXPECT_EQ(l.start, 17 * 60 + 35);
        }
        EXPECT_LT(l.week, 0);
    }
    ASSERT_NE(math, nullptr);
    EXPECT_EQ(math->number, 1);
    EXPECT_EQ(math->day, 1);
    EXPECT_EQ(math->start, 7 * 60 + 55);
    EXPECT_EQ(math->end, 8 * 60 + 40);
    EXPECT_EQ(math->color, 0xFFFFFF);
    int mathlessons = 0, artlessons = 0;
    for (const TLessonRec &l : db->timetable) {
        mathlessons += l.subject == QStringLiteral("Math");
        artlessons += l.subject == QStringLiteral("Art") && l.day == 5 && l.number == 1;
    }
    EXPECT_EQ(mathlessons, 2) << "the second week started as a copy of the first";
    EXPECT_EQ(artlessons, 2);

    ASSERT_EQ(db->subjects.size(), 2u);
    const TSubjectRec &s = db->subjects[0];
    EXPECT_EQ(s.name, QStringLiteral("Math"));
    EXPECT_EQ(s.marks[0].mark, QStringLiteral("1"));
    EXPECT_EQ(s.marks[1].mark, QString());
    EXPECT_EQ(s.marks[2].mark, QStringLiteral("123"));
    EXPECT_EQ(s.marks[3].mark, QStringLiteral("-12"));
    EXPECT_EQ(s.marks[99].mark, QString());
    for (const TMarkRec &m : s.marks) {
        EXPECT_EQ(m.color, 0xFFFFFF);
        EXPECT_EQ(m.weight, 1.0);
        EXPECT_EQ(m.note, QString());
    }
    EXPECT_EQ(s.pluses, QStringLiteral("++"));
    EXPECT_EQ(s.minuses, QStringLiteral("minus"));
    EXPECT_EQ(db->subjects[1].marks[0].mark, QStringLiteral("5"));

    // The stored term went through the same steps.
    const QByteArray term = get("subjects/first term.dat");
    ASSERT_EQ(term.size(), TSubjectRec::size);
    const TSubjectRec chem = TSubjectRec::decode(term.constData());
    EXPECT_EQ(chem.name, QStringLiteral("Chem"));
    EXPECT_EQ(chem.marks[0].mark, QStringLiteral("2"));
    EXPECT_EQ(chem.marks[0].weight, 1.0);

    ASSERT_EQ(db->calitems.size(), 1u);
    const TCalItemRec &r = db->calitems[0];
    EXPECT_EQ(r.text, QStringLiteral("Test#chapter 4"));
    EXPECT_EQ(r.icon, 3);
    EXPECT_EQ(r.timefrom, 800);
    EXPECT_EQ(r.timeto, 900);
    EXPECT_EQ(r.timemode, 2);
    EXPECT_EQ(r.melody, 0);
    EXPECT_FALSE(r.remind);
    EXPECT_EQ(r.repetition, QStringLiteral("0"));
    EXPECT_EQ(r.date, 46000.5);

    EXPECT_EQ(get("categories.dat"), QByteArray("School\r\nHome\r\n"));
    EXPECT_EQ(get("memocategories.dat"), QByteArray(""));
    ASSERT_EQ(db->tasks.size(), 2u);
    EXPECT_EQ(db->tasks[0].category, QString());
    EXPECT_EQ(db->tasks[1].category, QStringLiteral("School"));
    EXPECT_TRUE(db->tasks[1].done);
}

TEST_F(UpgradeTest, PhotoNumbersAreTheSmallestFreeAtEachContact)
{
    version("1.0");
    put("contacts.dat", contact("Ann", 0) + contact("Bob", 1) + contact("", 5) + contact("Cyril", 0));
    QString error;
    ASSERT_TRUE(convert10to11(folder, &error)) << error.toStdString();
    auto db = load();
    ASSERT_EQ(db->contacts.size(), 3u) << "the contact without a name is dropped";
    // Ann: 0, 1, 5 held -> 2. Bob: its own 1 counts as held -> 3. The
    // nameless one takes the freed 1 before it is dropped. Cyril -> 4.
    EXPECT_EQ(db->contacts[0].photo, 2);
    EXPECT_EQ(db->contacts[1].photo, 3);
    EXPECT_EQ(db->contacts[2].photo, 4);
    EXPECT_EQ(get("dbversion.dat"), QByteArray("1.1"));
}

TEST_F(UpgradeTest, TheDefaultCategoryGoesIgnoringCaseFromListsAndTasks)
{
    version("1.9");
    put("categories.dat", "School\r\nneza\xf8" "azeno\r\n" + oldunfiled + "\r\n");
    put("memocategories.dat", "Ideas\r\nDiary");
    put("tasks.dat", task("Read", "NEZA\xd8" "AZENO") + task("", "School") + task("Write", "Nezarazeno")
                         + task("Draw", oldunfiled));
    ASSERT_TRUE(actualdb(folder, prompts));
    EXPECT_EQ(get("categories.dat"), "School\r\n" + oldunfiled + "\r\n") << "only the first match goes";
    EXPECT_EQ(get("memocategories.dat"), QByteArray("Ideas\r\nDiary\r\n"));
    auto db = load();
    ASSERT_EQ(db->tasks.size(), 3u);
    EXPECT_EQ(db->tasks[0].category, QString());
    EXPECT_EQ(db->tasks[1].category, QStringLiteral("Nezarazeno")) << "another name";
    EXPECT_EQ(db->tasks[2].category, QString());
}

TEST_F(UpgradeTest, TheGridBecomesLessonsInDayColumnOrder)
{
    version("2.0");
    Bytes g = grid16();
    // Row 0: Monday first week Math; Friday second week a teacher only.
    g.str(2 * 772, "Math").str(2 * 772 + 256, "Smith").str(2 * 772 + 512, "A1").le(2 * 772 + 768, 0x00FF00, 4);
    g.str(11 * 772 + 256, "Nobody").le(11 * 772 + 768, 0x0000FF, 4);
    g.str(14 * 9264, "").str(14 * 9264 + 772, ""); // no times: 0 minutes
    put("timetable.dat", g.data());
    ASSERT_TRUE(actualdb(folder, prompts)) << errors.join('\n').toStdString();

    const QByteArray data = get("timetable.dat");
    ASSERT_EQ(data.size(), 210 * TLessonRec::size);
    auto lesson = [&](int i) { return TLessonRec::decode(data.constData() + i * TLessonRec::size); };
    const TLessonRec first = lesson(0);
    EXPECT_EQ(first.subject, QStringLiteral("Math"));
    EXPECT_EQ(first.teacher, QStringLiteral("Smith"));
    EXPECT_EQ(first.classroom, QStringLiteral("A1"));
    EXPECT_EQ(first.color, 0x00FF00);
    EXPECT_EQ(first.start, 425);
    EXPECT_EQ(first.end, 470);
    EXPECT_EQ(first.day, 1);
    EXPECT_EQ(first.week, -1);
    EXPECT_EQ(first.number, 0);
    EXPECT_EQ(data.at(779), '\0');

    const struct {
        int index, day, week, number;
    } order[] = {{14, 1, -1, 14}, {15, 2, -1, 0}, {75, 1, -2, 0}, {149, 5, -2, 14},
                 {150, 6, -2, 0}, {165, 6, -1, 0}, {180, 7, -2, 0}, {209, 7, -1, 14}};
    for (const auto &o : order) {
        const TLessonRec l = lesson(o.index);
        EXPECT_EQ(l.day, o.day) << o.index;
        EXPECT_EQ(l.week, o.week) << o.index;
        EXPECT_EQ(l.number, o.number) << o.index;
        EXPECT_EQ(l.subject, QString()) << o.index;
    }
    const TLessonRec teacheronly = lesson(135); // Friday, second week, row 0
    EXPECT_EQ(teacheronly.day, 5);
    EXPECT_EQ(teacheronly.teacher, QString());
    EXPECT_EQ(teacheronly.color, 0xFFFFFF);
    EXPECT_EQ(lesson(14).start, 0);
    EXPECT_EQ(lesson(14).end, 0);
    EXPECT_EQ(lesson(11).start, 17 * 60 + 35) << "row 11";
    EXPECT_EQ(lesson(11).end, 17 * 60 + 40);
}

TEST_F(UpgradeTest, AFolderWithoutTimetableIsCurrentAfterTheLastStep)
{
    version("2.0");
    ASSERT_TRUE(actualdb(folder, prompts));
    EXPECT_EQ(get("dbversion.dat"), QByteArray("2.1"));
    EXPECT_FALSE(QFileInfo::exists(file("timetable.dat")));
    EXPECT_TRUE(actualdb(folder, prompts));
    EXPECT_EQ(questions.size(), 1) << "no question at the next start";

    // Missing files of any step count as nothing to convert.
    version("1.0");
    ASSERT_TRUE(actualdb(folder, prompts)) << errors.join('\n').toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"dbversion.dat"}));
}

TEST_F(UpgradeTest, AFailedStepKeepsTheStepsBeforeAndTheNextRunResumes)
{
    version("1.8");
    Bytes old(280);
    old.le(0, 2, 2).le(2, 730, 2).u8(6, 1).u8(7, 6).u8(8, 1).str(9, "Dentist");
    old.raw(272, QByteArray("\0\0\0\0\0\x76\xe6\x40", 8));
    put("calitems.dat", old.data());
    Bytes g = grid16();
    g.str(3 * 9264, "half past"); // not a time of day
    put("timetable.dat", g.data());
    put("tasks.dat", task("Read", oldunfiled));

    EXPECT_FALSE(actualdb(folder, prompts));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("half past"))) << errors[0].toStdString();
    EXPECT_EQ(get("dbversion.dat"), QByteArray("2.0")) << "the steps that ran are recorded";
    EXPECT_EQ(get("timetable.dat"), g.data()) << "the failed step wrote nothing";
    const QByteArray calitems = get("calitems.dat");
    ASSERT_EQ(calitems.size(), TCalItemRec::size);
    const TCalItemRec r = TCalItemRec::decode(calitems.constData());
    EXPECT_EQ(r.text, QStringLiteral("Dentist"));
    EXPECT_EQ(r.melody, 6);
    EXPECT_TRUE(r.remind);
    EXPECT_EQ(r.timefrom, 730);
    EXPECT_EQ(r.date, 46000.0);

    // Mended, the next run does only what is left.
    g.str(3 * 9264, "10:00");
    put("timetable.dat", g.data());
    errors.clear();
    ASSERT_TRUE(actualdb(folder, prompts)) << errors.join('\n').toStdString();
    EXPECT_EQ(get("dbversion.dat"), QByteArray("2.1"));
    EXPECT_EQ(get("calitems.dat"), calitems) << "not converted twice";
    EXPECT_EQ(get("timetable.dat").size(), 210 * TLessonRec::size);
}

TEST_F(UpgradeTest, ADamagedGridStopsTheChainBeforeItsStep)
{
    version("1.3");
    put("timetable.dat", QByteArray(33791, '\0'));
    EXPECT_FALSE(actualdb(folder, prompts));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(get("dbversion.dat"), QByteArray("1.3"));
    EXPECT_EQ(get("timetable.dat").size(), 33791);
}

TEST(GridTimes, ReadHoursAndMinutes)
{
    EXPECT_EQ(gridtime(QStringLiteral("7:05")), 425);
    EXPECT_EQ(gridtime(QStringLiteral("17:40:59")), 1060);
    EXPECT_EQ(gridtime(QStringLiteral(" 8:00 ")), 480);
    EXPECT_EQ(gridtime(QString()), 0);
    for (const char *bad : {"24:00", "7:60", "7", "7.05", "abc", "7:05 pm", "-1:00"})
        EXPECT_FALSE(gridtime(QLatin1String(bad)).has_value()) << bad;
}
