// Loading and saving large record files: 10,000 contacts (38 MB) and 10,000
// calendar records, and the heap the loaded records hold (heap_per_record,
// glibc's count of allocated chunks, so malloc's own overhead included).
// Run: build/bench/bench_database

#include "sampledata.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <malloc.h>

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

// Bytes of the heap in use; the benchmarks run on one thread, so the main
// arena and the mapped chunks are all of it.
double heapinuse()
{
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd);
}

// What a load of the records leaves on the heap, per record.
template <class Rec>
double heapperrecord(std::vector<Rec> &records, bool (Database::*load)())
{
    Database &db = fixture().db;
    std::vector<Rec>().swap(records);
    const double before = heapinuse();
    (db.*load)();
    return (heapinuse() - before) / double(records.size());
}

void BM_LoadContacts(benchmark::State &state)
{
    Database &db = fixture().db;
    for (auto _ : state) {
        db.loadcontacts();
        benchmark::DoNotOptimize(db.contacts.data());
    }
    state.SetBytesProcessed(state.iterations() * count * TContactRec::size);
    state.counters["heap_per_record"] = heapperrecord(db.contacts, &Database::loadcontacts);
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
    state.counters["heap_per_record"] = heapperrecord(db.calitems, &Database::loadcalitems);
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
