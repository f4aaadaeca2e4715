// Printing: where the timetable lands on the page, what the printed files
// hold (read back with pdftotext), text lines that wrap, and the checks for
// a printer.

#include "school/ui/timetableprint.h"

#include "organizer/contacts.h"
#include "organizer/tasks.h"
#include "organizer/ui/noteeditor.h"
#include "platform/ui/printer.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>

#include <sys/resource.h>

#include <functional>

using testsupport::RecordingPrompter;

namespace {

TLessonRec lesson(int day, int number, const char *subject, int week = -1, int start = 0, int end = 0)
{
    TLessonRec l;
    l.day = qint8(day);
    l.number = qint8(number);
    l.week = qint8(week);
    l.start = start;
    l.end = end;
    l.color = 0xFFFFFF;
    l.subject = QString::fromLatin1(subject);
    return l;
}

TtView tableview()
{
    TtView v;
    v.weekcode = -1;
    v.lessoninpixels = 75;
    v.showlessons = 8;
    return v;
}

// The text of a PDF, or nothing without pdftotext.
std::optional<QString> pdftext(const QString &path)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

void topdf(QPrinter &printer, const QString &path, int dpi = 600)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setResolution(dpi);
}

[[maybe_unused]] long maxrsskb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(TimetablePrint, GeometryAtTheChosenWidth)
{
    TtPrintGeometry at = ttprintgeometry(600, 600, 16, tableview());
    EXPECT_EQ(at.left, 472);
    EXPECT_EQ(at.top, 472);
    EXPECT_EQ(ttpicturesize(tableview(), at.scale, ttpictureheight).width(), 3780);

    TtView timeline;
    timeline.weekcode = 1;
    timeline.timelinetype = true;
    timeline.lessoninpixels = 75;
    ASSERT_EQ(ttpicturewidth(timeline), 810);
    at = ttprintgeometry(600, 300, 16, timeline);
    EXPECT_NEAR(at.scale, 4.67, 0.01);
    EXPECT_EQ(at.top, 236);
}

TEST(TimetablePrint, ThePrintedFileHoldsTheLessons)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("timetable.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    topdf(printer, path);
    const std::vector<TLessonRec> t = {lesson(1, 0, "Mathematics"), lesson(3, 2, "Chemistry"),
                                       lesson(2, 9, "Unshown")};
    ASSERT_TRUE(printtimetable(printer, t, tableview(), 16, QStringLiteral("Quillmoter Timetable")));
    const std::optional<QString> text = pdftext(path);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(text->contains(QStringLiteral("Mathematics"))) << qPrintable(*text);
    EXPECT_TRUE(text->contains(QStringLiteral("Chemistry")));
    EXPECT_TRUE(text->contains(QStringLiteral("Wednesday")));
    EXPECT_FALSE(text->contains(QStringLiteral("Unshown"))) << "column 9 of 8 shown";
}

TEST(TimetablePrint, AWidePrintAtHighResolutionNeedsNoPictureOfItsSize)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's own memory hides what the print takes";
#else
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    topdf(printer, dir.filePath(QStringLiteral("wide.pdf")), 1200);
    std::vector<TLessonRec> t;
    for (int day = 1; day <= 5; ++day) {
        for (int n = 0; n < 8; ++n)
            t.push_back(lesson(day, n, "Physics"));
    }
    const long before = maxrsskb();
    // 99 cm at 1200 dpi: a picture of it would be 46,772 pixels wide.
    ASSERT_TRUE(printtimetable(printer, t, tableview(), 99, QStringLiteral("wide")));
    EXPECT_LT(maxrsskb() - before, 100 * 1024);
#endif
}

TEST(TextPrint, ContactAndTaskLines)
{
    EXPECT_EQ(contactprintlines(QStringLiteral("Ann"), QString(), {}),
              (QStringList{QString(), QString(), QStringLiteral("Ann"), QString(), QString()}));
    EXPECT_EQ(contactprintlines(QStringLiteral("Ann"), QStringLiteral("School"),
                                {QStringLiteral("Phone: 1"), QStringLiteral("Note")})
                  .mid(2),
              (QStringList{QStringLiteral("Ann"), QStringLiteral("School"), QString(), QStringLiteral("Phone: 1"),
                           QStringLiteral("Note")}));

    const QList<TaskRow> rows = {{true, QStringLiteral("Essay")},
                                 {false, headlineseparator(QStringLiteral("Exams"))},
                                 {false, QStringLiteral("Revise")},
                                 {false, lineseparator()}};
    const QStringList lines = taskprintlines(QStringLiteral("Unfiled"), rows);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.mid(0, 4), (QStringList{QString(), QString(), QStringLiteral("Unfiled"), QString()}));
    EXPECT_EQ(lines[4], QStringLiteral("[x] Essay"));
    EXPECT_EQ(lines[5], QStringLiteral("[ ] ") + headlineseparator(QStringLiteral("Exams")));
    EXPECT_EQ(lines[6], QStringLiteral("[ ] Revise"));
    EXPECT_EQ(taskprintlines(QStringLiteral("Empty"), {}).size(), 4) << "an empty category prints its name";
}

TEST(TextPrint, LongLinesWrapAtBlanksAndPagesFollow)
{
    auto fits = [](int width) { return [width](const QString &piece) { return piece.size() <= width; }; };
    EXPECT_EQ(printing::wrapat(QStringLiteral("short"), fits(10)), 5);
    EXPECT_EQ(printing::wrapat(QStringLiteral("one two three"), fits(10)), 8); // "one two "
    EXPECT_EQ(printing::wrapat(QStringLiteral("abcdefghijkl"), fits(5)), 5);
    EXPECT_EQ(printing::wrapat(QStringLiteral("abc"), fits(0)), 1) << "always at least one character";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lines.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    topdf(printer, path);
    QStringList lines = {QStringLiteral("Start")};
    QString longline;
    for (int i = 0; i < 60; ++i)
        longline += QStringLiteral("word%1 ").arg(i);
    lines << longline.trimmed();
    for (int i = 0; i < 150; ++i)
        lines << QStringLiteral("line %1").arg(i);
    ASSERT_TRUE(printing::printlines(printer, QStringLiteral("test"), lines));
    const std::optional<QString> text = pdftext(path);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(text->contains(QStringLiteral("word59"))) << "the end of the long line is printed";
    EXPECT_TRUE(text->contains(QStringLiteral("line 149")));
    EXPECT_GE(text->count(QChar(u'\f')), 2) << "more than one page";
}

TEST(TextPrint, NothingPrintsWithoutAPrinterOrWhenTheDialogIsCancelled)
{
    RecordingPrompter answers;
    QTemporaryDir dir;
    QPrinter &printer = printing::printer();
    printer.setOutputFileName(QString());
    printer.setPrinterName(QStringLiteral("no such printer"));
    printing::setsetupdialog([](QPrinter &, QWidget *) { return false; });
    EXPECT_FALSE(printing::printtext(nullptr, QStringLiteral("t"), {QStringLiteral("x")}));
    EXPECT_TRUE(answers.boxes.empty()) << "cancelled: nothing to say";

    printing::setsetupdialog([](QPrinter &, QWidget *) { return true; });
    EXPECT_FALSE(printing::printtext(nullptr, QStringLiteral("t"), {QStringLiteral("x")}));
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, QStringLiteral("Printer is not accessible!"));
    EXPECT_EQ(answers.boxes[0].flags, mb::iconwarning);

    // The dialog's print to a PDF file counts as a printer.
    const QString path = dir.filePath(QStringLiteral("card.pdf"));
    printing::setsetupdialog([path](QPrinter &p, QWidget *) {
        topdf(p, path);
        return true;
    });
    EXPECT_TRUE(printing::printtext(nullptr, QStringLiteral("t"), contactprintlines(QStringLiteral("Ann Smith"),
                                                                                     QString(), {})));
    EXPECT_TRUE(QFileInfo(path).size() > 0);
    printing::setsetupdialog({});
    printer.setOutputFileName(QString());
}

TEST(TextPrint, ThePrintDialogRefusesWithoutAPrinter)
{
    RecordingPrompter answers;
    QPrinter &printer = printing::printer();
    printer.setOutputFileName(QString());
    printer.setPrinterName(QStringLiteral("no such printer"));
    Tprintttform form;
    EXPECT_EQ(form.getprintername(), QStringLiteral("None "));
    form.BitBtn1Click();
    ASSERT_EQ(answers.boxes.size(), 1u);
    EXPECT_EQ(answers.boxes[0].text, QStringLiteral("Printer is not accessible!"));
}

namespace {

// Where each word of a PDF's first page sits: its text and top-left corner
// in points, from pdftotext's bounding boxes.
struct PlacedWord
{
    QString text;
    double x, y;
};
std::optional<std::vector<PlacedWord>> pdfwords(const QString &path)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                          QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re"));
    std::vector<PlacedWord> out;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return out;
}

} // namespace

// The prints share one printer for the run: a text or note print after a
// timetable print starts where it would have started alone, and loses no
// line at a page's end.
TEST(TextPrint, PrintsAfterATimetablePrintStartFromACleanPage)
{
    QTemporaryDir dir;
    QList<TaskRow> rows;
    QStringList names;
    for (int i = 1; i <= 150; ++i) {
        names << QStringLiteral("Task%1").arg(i, 3, 10, QLatin1Char('0'));
        rows.push_back({false, names.back()});
    }
    const QStringList lines = taskprintlines(QStringLiteral("Homework"), rows);
    QTextDocument note;
    note.setPlainText(QStringLiteral("Homework\n") + names.join(u'\n'));

    const std::vector<std::pair<const char *, std::function<bool(QPrinter &)>>> prints = {
        {"tasks", [&](QPrinter &p) { return printing::printlines(p, QStringLiteral("tasks"), lines); }},
        {"note",
         [&](QPrinter &p) {
             memo::print(note, p, QStringLiteral("note"));
             return true;
         }},
    };
    for (const auto &[what, print] : prints) {
        SCOPED_TRACE(what);
        // Alone, on a printer of its own.
        const QString alone = dir.filePath(QStringLiteral("alone-%1.pdf").arg(QLatin1String(what)));
        {
            QPrinter fresh(QPrinter::HighResolution);
            topdf(fresh, alone);
            ASSERT_TRUE(print(fresh));
        }
        // After the timetable, on the shared printer.
        QPrinter &shared = printing::printer();
        topdf(shared, dir.filePath(QStringLiteral("timetable.pdf")));
        ASSERT_TRUE(
            printtimetable(shared, {lesson(1, 0, "Mathematics")}, tableview(), 16, QStringLiteral("timetable")));
        const QString after = dir.filePath(QStringLiteral("after-%1.pdf").arg(QLatin1String(what)));
        topdf(shared, after);
        ASSERT_TRUE(print(shared));
        shared.setOutputFileName(QString());

        const std::optional<QString> text = pdftext(after);
        const std::optional<std::vector<PlacedWord>> first = pdfwords(alone), second = pdfwords(after);
        if (!text || !first || !second)
            GTEST_SKIP() << "pdftotext is not installed";
        for (const QString &name : names)
            EXPECT_TRUE(text->contains(name)) << qPrintable(name) << " is missing";
        ASSERT_FALSE(first->empty());
        ASSERT_FALSE(second->empty());
        EXPECT_EQ(second->front().text, QStringLiteral("Homework"));
        EXPECT_NEAR(second->front().x, first->front().x, 0.5);
        EXPECT_NEAR(second->front().y, first->front().y, 0.5);
        EXPECT_EQ(second->size(), first->size()) << "the first page holds as many words as alone";
    }
}
