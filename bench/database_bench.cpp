// Loading and saving large record files: 10,000 contacts (38 MB) and 10,000
// calendar records. Run: build/bench/bench_database

#include "sampledata.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

constexpr int count = 10000;

struct Fixture
{
    QTemporaryDir dir;
    Database db{dir.path()};

    Fixture()
    {
        db.contacts.reserve(count);
        db.calitems.reserve(count);
        for (int i = 0; i < count; ++i) {
            db.contacts.push_back(samplecontact(i));
            db.calitems.push_back(samplecalitem(i));
        }
        db.savecontacts();
        db.savecalitems();
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_LoadContacts(benchmark::State &state)
{
    Database &db = fixture().db;
    for (auto _ : state) {
        db.loadcontacts();
        benchmark::DoNotOptimize(db.contacts.data());
    }
    state.SetBytesProcessed(state.iterations() * count * TContactRec::size);
}

void BM_SaveContacts(benchmark::State &state)
{
    Database &db = fixture().db;
    for (auto _ : state)
        db.savecontacts();
    state.SetBytesProcessed(state.iterations() * count * TContactRec::size);
}

void BM_LoadCalItems(benchmark::State &state)
{
    Database &db = fixture().db;
    for (auto _ : state) {
        db.loadcalitems();
        benchmark::DoNotOptimize(db.calitems.data());
    }
}

void BM_SaveCalItems(benchmark::State &state)
{
    Database &db = fixture().db;
    for (auto _ : state)
        db.savecalitems();
}

} // namespace

BENCHMARK(BM_LoadContacts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveContacts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCalItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCalItems)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
