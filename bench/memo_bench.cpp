// The note editor on a note of about 1 MB of RTF (some 150 pages of
// formatted text): reading it, opening the window on it, saving it, and one
// key typed into it.
// Run: build/bench/bench_memo

#include "database/settings.h"
#include "organizer/memo.h"
#include "organizer/ui/noteeditor.h"
#include "platform/clock.h"
#include "platform/wholefile.h"

#include "qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextList>

namespace {

// Paragraphs of Czech school notes with a styled word or two in most of
// them, a bullet list now and then, until the RTF is `bytes` long.
QByteArray samplenote(qsizetype bytes)
{
    static const QStringList words = QString::fromUtf8(
        "příklad rovnice žluťoučký kůň úpěl ďábelské ódy fotosyntéza chlorofyl mitóza buňka Pythagorova věta "
        "přepona odvěsna integrál derivace limita funkce vektor matice slovní druhy podstatné jméno sloveso "
        "příslovce předložka Karel IV. Praha Vltava 1348 univerzita zeměpis podnebí srážky teplota").split(u' ');
    const QStringList families = {QStringLiteral("Arial"), QStringLiteral("Times New Roman"),
                                  QStringLiteral("Verdana")};
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat plain = rtf::defaultformat();
    int n = 0;
    QByteArray rtfdata;
    while (true) {
        for (int p = 0; p < 200; ++p, ++n) {
            if (n > 0)
                c.insertBlock(QTextBlockFormat(), plain);
            if (n % 7 == 0) {
                QTextListFormat disc;
                disc.setStyle(QTextListFormat::ListDisc);
                c.createList(disc);
            }
            for (int w = 0; w < 60; ++w) {
                QTextCharFormat f = plain;
                const int k = (n * 61 + w * 7) % 97;
                if (k == 3) {
                    f.setFontWeight(QFont::Bold);
                } else if (k == 11) {
                    f.setFontItalic(true);
                    f.setForeground(QColor(200, 30, 40));
                } else if (k == 29) {
                    f.setFontPointSize(14);
                    f.setFontFamilies(QStringList{families[n % 3]});
                } else if (k == 41) {
                    f.setFontUnderline(true);
                }
                c.insertText(words[(n * 13 + w) % words.size()] + u' ', f);
            }
        }
        rtfdata = rtf::write(doc);
        if (rtfdata.size() >= bytes)
            return rtfdata;
    }
}

struct Sample
{
    Sample()
    {
        path = dir.filePath(QStringLiteral("plan.rtf"));
        wholefile::save(path, samplenote(1024 * 1024));
    }
    QTemporaryDir dir;
    QString path;
};

Sample &sample()
{
    static Sample s;
    return s;
}

void BM_ReadNote(benchmark::State &state)
{
    sample();
    for (auto _ : state) {
        std::optional<memo::Loaded> loaded = memo::load(sample().path);
        benchmark::DoNotOptimize(loaded->document->blockCount());
    }
    state.counters["bytes"] = double(QFileInfo(sample().path).size());
}

// Show to the first painted screen of the note, as the user sees it open;
// with `whole`, until the whole note is laid out (what scrolling to its end needs).
void opennote(benchmark::State &state, bool whole)
{
    Settings settings;
    Clock clock;
    Tmemoform form(settings, clock);
    form.memopath = sample().path;
    for (auto _ : state) {
        form.show();
        QCoreApplication::processEvents();
        if (whole)
            benchmark::DoNotOptimize(form.findChild<QTextEdit *>(QStringLiteral("RichEdit1"))
                                         ->document()->documentLayout()->documentSize());
        state.PauseTiming();
        form.close();
        state.ResumeTiming();
    }
}

void BM_OpenNoteWindow(benchmark::State &state)
{
    opennote(state, false);
}

void BM_OpenNoteWindowAndLayOutAll(benchmark::State &state)
{
    opennote(state, true);
}

void BM_SaveNote(benchmark::State &state)
{
    std::optional<memo::Loaded> loaded = memo::load(sample().path);
    const QString out = sample().dir.filePath(QStringLiteral("saved.rtf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(memo::save(out, *loaded->document));
}

// One key typed in the middle of the note, with the repaint it causes.
void BM_TypeKey(benchmark::State &state)
{
    Settings settings;
    Clock clock;
    Tmemoform form(settings, clock);
    form.memopath = sample().path;
    form.show();
    QCoreApplication::processEvents();
    QTextEdit *edit = form.findChild<QTextEdit *>(QStringLiteral("RichEdit1"));
    QTextCursor c = edit->textCursor();
    c.setPosition(edit->document()->characterCount() / 2);
    edit->setTextCursor(c);
    edit->ensureCursorVisible();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(edit, Qt::Key_A);
        QCoreApplication::processEvents();
    }
    edit->document()->setModified(false);
    form.close();
}

} // namespace

BENCHMARK(BM_ReadNote)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenNoteWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenNoteWindowAndLayOutAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveNote)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeKey)->Unit(benchmark::kMillisecond);

QM_BENCHMARK_MAIN_WITH_WIDGETS()
