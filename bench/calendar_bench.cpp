// The Calendar page with 10,000 calendar records: painting the months, the
// day list and the Overview's seven-day list. Run: build/bench/bench_calendar

#include "sampledata.h"

#include "database/settings.h"
#include "organizer/ui/calendareditor.h"
#include "organizer/ui/calendarpage.h"
#include "organizer/ui/daylist.h"
#include "platform/clock.h"
#include "platform/melodyplayer.h"
#include "platform/ui/mediaplayer.h"

#include "qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QTemporaryDir>
#include <QTreeView>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    Database db{dir.path()};
    Settings settings;
    Clock clock;
    std::unique_ptr<MelodyPlayer> player{createmediaplayer(nullptr)};
    TForm3 editor{db, settings, *player};
    CalendarPage page{db, settings, clock, editor};
    DayList sevendays{db.calitems};
    QTreeView sevendaysview;

    Fixture()
    {
        for (int i = 0; i < 10000; ++i)
            db.calitems.push_back(samplecalitem(i));
        sevendaysview.setUniformRowHeights(true);
        sevendaysview.setModel(&sevendays);
        page.resize(780, 550);
        page.resetday();
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_PaintMonths(benchmark::State &state)
{
    Fixture &f = fixture();
    QImage image(201, 700, QImage::Format_RGB32); // four month blocks
    for (auto _ : state) {
        QPainter painter(&image);
        f.page.calendarPaint(painter, image.size());
    }
}

void BM_RefreshCalItems(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        f.page.refreshcalitems(0);
}

void BM_Refresh7Days(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        f.sevendays.showweek(f.clock.today(), f.settings.text(Setting::dateformat));
}

} // namespace

BENCHMARK(BM_PaintMonths)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshCalItems)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Refresh7Days)->Unit(benchmark::kMillisecond);

QM_BENCHMARK_MAIN_WITH_WIDGETS()
