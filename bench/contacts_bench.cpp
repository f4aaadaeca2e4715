// The Contacts page with 10,000 contacts: loading the file, listing them
// sorted and showing the first card, as a start does.
// Run: build/bench/bench_contacts

#include "sampledata.h"

#include "database/settings.h"
#include "organizer/contactspage.h"
#include "platform/clock.h"

#include "qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <QListWidget>
#include <QTemporaryDir>

namespace {

void BM_LoadAndListContacts(benchmark::State &state)
{
    QTemporaryDir dir;
    Database db(dir.path());
    db.createfolders();
    fillsample(db, 10000, 0, 0, 0);
    Settings settings;
    Clock clock;
    ContactsPage page(db, settings, clock);
    page.resize(780, 550);
    for (auto _ : state) {
        db.loadall(); // the contacts and the few other files; the page lists and shows the first card
        benchmark::DoNotOptimize(page.getcontactindex());
    }
    state.counters["rows"] = page.findChild<QListWidget *>(QStringLiteral("ListBox1"))->count();
}

} // namespace

BENCHMARK(BM_LoadAndListContacts)->Unit(benchmark::kMillisecond);

QM_BENCHMARK_MAIN_WITH_WIDGETS()
