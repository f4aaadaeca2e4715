// The 50 ms tick on the Overview page with 10,000 calendar records (a third
// of them with an armed reminder at some other minute).
// Run: build/bench/bench_timer

#include "sampledata.h"

#include "database/settings.h"
#include "mainwindow/ui/mainwindow.h"
#include "mainwindow/ui/program.h"
#include "platform/clock.h"
#include "platform/melodyplayer.h"
#include "platform/ui/mediaplayer.h"
#include "widgets/language.h"

#include "qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <QTimer>

namespace {

void BM_TickOnTheOverview(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString dbpath = dir.path() + QStringLiteral("/Quillmoter/");
    {
        Database db(dbpath);
        db.createfolders();
        db.writeversion();
        for (int i = 0; i < 10000; ++i) {
            TCalItemRec r = samplecalitem(i);
            r.remind = i % 3 == 0;
            r.timefrom = qint16(600 + i % 12); // 6:00 to 6:11, never now
            db.calitems.push_back(r);
        }
        db.savecalitems();
    }
    Database db(dbpath);
    Settings settings;
    Language language;
    QDateTime now(QDate(2026, 12, 9), QTime(10, 0));
    Clock clock;
    clock.setsource([&] { return now; });
    const std::unique_ptr<MelodyPlayer> player(createmediaplayer(nullptr));
    ProgramWindows windows(db, settings, language, clock, *player, {}, [] { return false; });
    windows.create();
    TForm1 &form = windows.form1();
    form.programstart();
    form.findChild<QTimer *>(QStringLiteral("Timer1"))->stop();
    form.show();
    for (auto _ : state) {
        now = now.addMSecs(50); // the clock face changes every 20th tick
        form.Timer1Timer();
    }
}

} // namespace

BENCHMARK(BM_TickOnTheOverview)->Unit(benchmark::kMicrosecond);

QM_BENCHMARK_MAIN_WITH_WIDGETS()
