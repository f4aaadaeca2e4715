// Upgrading a large 1.0 database (2,000 contacts, 10,000 calendar records)
// and exporting and importing a 50 MB data folder.
// Run: build/bench/bench_backup

#include "sampledata.h"

#include "database/backup.h"
#include "database/recordbytes.h"
#include "platform/wholefile.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

// A 1.0 database folder: the old grid, subjects and calendar layouts.
void writeversion10(const QString &folder)
{
    QDir().mkpath(folder + "subjects");
    QByteArray contacts(2000 * TContactRec::size, '\0');
    for (int i = 0; i < 2000; ++i)
        samplecontact(i).encode(contacts.data() + i * TContactRec::size);
    wholefile::save(folder + "contacts.dat", contacts);

    QByteArray calitems(10000 * 272, '\0');
    for (int i = 0; i < 10000; ++i) {
        char *rec = calitems.data() + i * 272;
        recordbytes::putint<qint16>(rec, 2, 800);
        recordbytes::putstr(rec, 7, samplecalitem(i).text, 255);
        recordbytes::putdouble(rec, 264, 46000 + i % 400);
    }
    wholefile::save(folder + "calitems.dat", calitems);

    QByteArray grid(17920, '\0');
    for (int r = 0; r < 10; ++r) {
        recordbytes::putstr(grid.data(), r * 1792, QStringLiteral("%1:00").arg(8 + r), 255);
        recordbytes::putstr(grid.data(), r * 1792 + 256, QStringLiteral("%1:45").arg(8 + r), 255);
        for (int c = 2; c < 7; ++c)
            recordbytes::putstr(grid.data(), r * 1792 + c * 256, QStringLiteral("Subject %1").arg(r + c), 255);
    }
    wholefile::save(folder + "timetable.dat", grid);

    QByteArray subjects(12 * 744, '\0');
    for (int i = 0; i < 12; ++i) {
        recordbytes::putstr(subjects.data() + i * 744, 0, QStringLiteral("Subject %1").arg(i), 30);
        for (int m = 0; m < 100; ++m)
            recordbytes::putint<qint16>(subjects.data() + i * 744, 32 + 2 * m, qint16(m < 20 ? 1 + m % 5 : -1));
    }
    wholefile::save(folder + "subjects.dat", subjects);
    wholefile::save(folder + "subjects/Autumn.dat", subjects);
    wholefile::save(folder + "tasks.dat", {});
    wholefile::save(folder + "categories.dat", "School\r\nNeza\xf8" "azeno\r\n");
    wholefile::save(folder + "dbversion.dat", "1.0");
}

void BM_UpgradeFrom10(benchmark::State &state)
{
    QTemporaryDir dir(QDir::currentPath() + "/bench-XXXXXX");
    const QString folder = dir.path() + "/db/";
    const DbPrompts yes{[](const DbMessage &) {}, [](const QString &) { return true; }};
    for (auto _ : state) {
        state.PauseTiming();
        QDir(folder).removeRecursively();
        writeversion10(folder);
        state.ResumeTiming();
        if (!actualdb(folder, yes))
            state.SkipWithError("upgrade failed");
    }
}

// A well-used folder of about 50 MB: 10,000 contacts (38 MB), 10,000
// calendar records, 200 photos of 50 kB, 300 notes.
void writefolder50(const QString &folder)
{
    Database db(folder);
    db.createfolders();
    fillsample(db, 10000, 10000, 2000, 12);
    db.loadtimetable();
    wholefile::save(folder + "dbversion.dat", "2.1");
    wholefile::save(folder + "categories.dat", "School\r\n");
    wholefile::save(folder + "memocategories.dat", "Home\r\n");
    wholefile::save(folder + "subjfname.dat", "Autumn");
    const QByteArray photo(50000, 'p');
    for (int i = 0; i < 200; ++i)
        wholefile::save(folder + QStringLiteral("photos/%1.bmp").arg(i), photo);
    const QByteArray note(2000, 'n');
    for (int i = 0; i < 300; ++i)
        wholefile::save(folder + QStringLiteral("memos/Home.Note %1.rtf").arg(i), note);
}

struct Folders
{
    QTemporaryDir dir{QDir::currentPath() + "/bench-XXXXXX"};
    QString db = dir.path() + "/db/";
    QString backup = dir.path() + "/backup/";
    Folders()
    {
        writefolder50(db);
        writefolder50(backup);
    }
};

void BM_Export50MB(benchmark::State &state)
{
    Folders f;
    const QString target = f.dir.path() + "/QMTR_0302261405/";
    for (auto _ : state) {
        state.PauseTiming();
        QDir(target).removeRecursively();
        QDir().mkpath(target);
        state.ResumeTiming();
        const backup::ExportResult result = backup::exportdatabase(f.db, target);
        if (!result.failed.empty())
            state.SkipWithError("export failed");
    }
    state.SetBytesProcessed(state.iterations() * backup::itemsize(f.db, backup::exportitems()));
}

void BM_Import50MB(benchmark::State &state)
{
    Folders f;
    VersionCheck current;
    current.result = VersionCheck::current;
    for (auto _ : state) {
        backup::Import import(f.db, f.backup);
        QString error;
        if (!import.stage(current, nullptr, &error) || !import.replace(&error))
            state.SkipWithError(error.toStdString().c_str());
    }
    state.SetBytesProcessed(state.iterations() * backup::itemsize(f.backup, backup::importitems()));
}

} // namespace

BENCHMARK(BM_UpgradeFrom10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import50MB)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
