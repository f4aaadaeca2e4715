// The Contacts page with 10,000 contacts: loading the file, listing them
// sorted and showing the first card, as a start does; the page's part of it
// (the list filled, its first row chosen and shown on the card); the list's
// rows on their own; and a switch to the page, as a click on its navigation
// button makes it after a start. The order is the user's language's: run
// with LANG set to compare (C.UTF-8 has no language's collation).
// Run: build/bench/bench_contacts

#include "sampledata.h"

#include "database/settings.h"
#include "organizer/contactlist.h"
#include "organizer/ui/contacteditor.h"
#include "organizer/ui/contactspage.h"
#include "platform/clock.h"

#include "qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <QStackedWidget>
#include <QTemporaryDir>

namespace {

constexpr int contactcount = 10000;

struct Loaded
{
    QTemporaryDir dir;
    Database db{dir.path()};
    Settings settings;
    Clock clock;
    TForm2 editor{db, clock};

    Loaded()
    {
        db.createfolders();
        fillsample(db, contactcount, 0, 0, 0);
    }
};

int listed(const ContactsPage &page)
{
    return page.findChild<QAbstractItemView *>(QStringLiteral("ListBox1"))->model()->rowCount();
}

void BM_LoadAndListContacts(benchmark::State &state)
{
    Loaded data;
    ContactsPage page(data.db, data.settings, data.clock, data.editor);
    page.resize(780, 550);
    for (auto _ : state) {
        data.db.loadall(); // the contacts and the few other files; the page lists and shows the first card
        benchmark::DoNotOptimize(page.getcontactindex());
    }
    state.counters["rows"] = listed(page);
}

// What the page does once the records are loaded: its list filled, the
// first row chosen and its card shown.
void BM_FillContactsPage(benchmark::State &state)
{
    Loaded data;
    data.db.loadcontacts();
    ContactsPage page(data.db, data.settings, data.clock, data.editor);
    page.resize(780, 550);
    for (auto _ : state) {
        emit data.db.reloaded();
        benchmark::DoNotOptimize(page.getcontactindex());
    }
    state.counters["rows"] = listed(page);
}

// The rows made anew from the records, in a list view on screen.
void BM_FillContactsList(benchmark::State &state)
{
    Loaded data;
    data.db.loadcontacts();
    ContactList rows;
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&rows);
    view.resize(300, 500);
    view.show();
    for (auto _ : state) {
        rows.fill(data.db.contacts);
        benchmark::DoNotOptimize(rows.rowCount());
    }
    state.counters["rows"] = rows.rowCount();
}

// From another page to the Contacts page, painted, with the list as a start
// leaves it (filled, never shown yet).
void BM_SwitchToContactsPage(benchmark::State &state)
{
    Loaded data;
    QStackedWidget pages;
    auto *other = new QWidget(&pages);
    auto *page = new ContactsPage(data.db, data.settings, data.clock, data.editor, &pages);
    pages.addWidget(other);
    pages.addWidget(page);
    pages.resize(628, 550); // the page area of the main window
    pages.show();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        pages.setCurrentWidget(other);
        data.db.loadall();
        QApplication::processEvents();
        state.ResumeTiming();
        pages.setCurrentWidget(page);
        // The list lays its rows out in a posted event; then the page paints.
        QApplication::processEvents();
        pages.repaint();
    }
    state.counters["rows"] = listed(*page);
}

} // namespace

BENCHMARK(BM_LoadAndListContacts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillContactsPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillContactsList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SwitchToContactsPage)->Unit(benchmark::kMillisecond);

QM_BENCHMARK_MAIN_WITH_WIDGETS()
