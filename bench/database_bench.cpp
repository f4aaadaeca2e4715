// Loading and saving large record files: 10,000 contacts (38 MB) and 10,000
// calendar records. Run: build/bench/bench_database

#include "database/database.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

constexpr int count = 10000;

// A contact with every field in use, as a well-kept address book has them.
TContactRec samplecontact(int i)
{
    TContactRec c;
    c.name = QStringLiteral("Kate\u0159ina Nov\u00e1kov\u00e1 %1").arg(i);
    c.company = QStringLiteral("Gymn\u00e1zium Jana Nerudy");
    c.homephone = QStringLiteral("+420 601 234 %1").arg(i % 1000, 3, 10, QLatin1Char('0'));
    c.homeaddress = QStringLiteral("Hlavn\u00ed 12#110 00 Praha 1");
    c.workaddress = QStringLiteral("\u0160koln\u00ed 3#120 00 Praha 2");
    c.cellphone = QStringLiteral("+420 777 123 456");
    c.webpage = QStringLiteral("http://example.org/~student%1").arg(i);
    c.email1 = QStringLiteral("student%1@example.org").arg(i);
    c.email2 = QStringLiteral("home%1@example.org").arg(i);
    c.note = QString(200, QLatin1Char('n'));
    c.birthday = quint16(1 + i % 28);
    c.birthmonth = quint16(1 + i % 12);
    c.birthyear = 2008;
    return c;
}

TCalItemRec samplecalitem(int i)
{
    TCalItemRec r;
    r.text = QStringLiteral("Test z matematiky %1#kapitola 4 a 5").arg(i);
    r.repetition = (i % 3 == 0) ? "w1010100" : "0";
    r.date = 46000 + i % 400;
    r.timefrom = 800;
    r.timeto = 900;
    return r;
}

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
