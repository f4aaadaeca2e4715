// The Tasks and Notes pages with a well-used database: switching the task
// category refills the check list (5,000 tasks in 40 categories); choosing a
// note category lists its notes from the folder (2,000 notes, all of them in
// the chosen category: the longest list).
// Run: build/bench/bench_tasksnotes

#include "database/database.h"
#include "database/settings.h"
#include "organizer/notes.h"
#include "organizer/ui/notespage.h"
#include "organizer/ui/taskspage.h"
#include "platform/clock.h"

#include "qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

// Nothing here asks for a name.
const NameAsker nonames = [](const QString &, const QString &, const QString &, bool, NameKept) { return QString(); };

QString categoryname(int i)
{
    return QStringLiteral("P\u0159edm\u011bt %1").arg(i);
}

// A database folder with `count` categories; the page is made on it once
// the records are in place (load).
struct Sample
{
    explicit Sample(int count)
    {
        db.createfolders();
        for (int c = 0; c < count; ++c)
            categories << categoryname(c);
    }
    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    QStringList categories;
    Settings settings;
    Clock clock;
};

void BM_SwitchTaskCategory(benchmark::State &state)
{
    Sample sample(40);
    Database &db = sample.db;
    for (int i = 0; i < 5000; ++i) {
        TTaskRec t;
        t.text = QStringLiteral("Read chapter %1 of the reader and write the summary").arg(i);
        t.category = categoryname(i % 40);
        t.done = i % 3 == 0;
        db.tasks.push_back(t);
    }
    db.savetasks();
    db.savelist(dbfile::categories, sample.categories);
    TasksPage page(db, sample.settings, sample.clock, nonames);
    page.resize(780, 550);
    db.loadall();
    auto *list = page.findChild<QListWidget *>(QStringLiteral("ListBox2"));
    int row = 0;
    for (auto _ : state) {
        row = (row + 7) % list->count();
        list->setCurrentRow(row); // as a click does: the check list is filled for it
    }
    state.counters["rows"] = page.findChild<QListWidget *>(QStringLiteral("CheckListBox1"))->count();
}

void BM_ListNotes(benchmark::State &state)
{
    Sample sample(20);
    Database &db = sample.db;
    const QDir memos(db.path(dbfolder::memos));
    for (int i = 0; i < 2000; ++i) {
        QFile file(memos.filePath(notefilename(QString(), QStringLiteral("Pozn\u00e1mka %1").arg(i))));
        file.open(QIODevice::WriteOnly);
        file.write(emptynote());
    }
    db.savelist(dbfile::memocategories, sample.categories);
    NotesPage page(db, sample.settings, sample.clock, nonames, [](const QString &, const QString &) {});
    page.resize(780, 550);
    db.loadall();
    auto *categories = page.findChild<QListWidget *>(QStringLiteral("ListBox3"));
    categories->setCurrentRow(int(db.memocategories.indexOf(db.unfiled)));
    for (auto _ : state)
        page.ListBox3Click(); // what a click on the category runs
    state.counters["rows"] = page.findChild<QListWidget *>(QStringLiteral("memoslistbox"))->count();
}

} // namespace

BENCHMARK(BM_SwitchTaskCategory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListNotes)->Unit(benchmark::kMillisecond);

QM_BENCHMARK_MAIN_WITH_WIDGETS()
