// Start-up over a well-filled database: from creating the main window (and
// the dialogs and pages the start makes with it) to the window shown, with 2,000 contacts, 10,000 calendar records, 1,000 tasks and
// 20 subjects. Run: build/bench/bench_startup

#include "sampledata.h"

#include "platform/daynumber.h"

#include "database/settings.h"
#include "mainwindow/ui/mainwindow.h"
#include "mainwindow/ui/program.h"
#include "platform/clock.h"
#include "platform/melodyplayer.h"
#include "platform/ui/mediaplayer.h"
#include "widgets/language.h"
#include "widgets/ui/translation.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString dbpath = dir.path() + QStringLiteral("/Quillmoter/");

    Fixture()
    {
        Database db(dbpath);
        db.createfolders();
        db.writeversion();
        fillsample(db, 2000, 10000, 1000, 20);
    }
};

void BM_StartupToShownWindow(benchmark::State &state)
{
    static Fixture fixture;
    for (auto _ : state) {
        Database db(fixture.dbpath);
        Settings settings;
        Language language;
        Clock clock;
        const std::unique_ptr<MelodyPlayer> player(createmediaplayer(nullptr));
        ProgramWindows windows(db, settings, language, clock, *player, {}, [] { return false; });
        windows.create();
        TForm1 &form = windows.form1();
        translate(language, windows.windows(), windows.memos());
        form.programstart();
        form.setcolors();
        form.showmainwindow();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.isVisible());
    }
}

} // namespace

BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond);

// "--write-sample DIR [CONTACTS [REMINDERS]]" only writes the sample
// database into DIR (for the scripts that time the real program): 2,000
// contacts unless told, and the last REMINDERS calendar records armed for
// today, one each minute from this one on.
int main(int argc, char **argv)
{
    if (argc >= 3 && QByteArray(argv[1]) == "--write-sample") {
        Database db(QString::fromLocal8Bit(argv[2]));
        db.createfolders();
        db.writeversion();
        const int contacts = argc >= 4 ? QByteArray(argv[3]).toInt() : 2000;
        const int reminders = argc >= 5 ? QByteArray(argv[4]).toInt() : 0;
        fillsample(db, contacts, 10000, 1000, 20);
        const QDateTime now = QDateTime::currentDateTime();
        for (int k = 0; k < reminders && k < int(db.calitems.size()); ++k) {
            TCalItemRec &r = db.calitems[db.calitems.size() - 1 - size_t(k)];
            const QTime at = now.time().addSecs(60 * k);
            r.date = daynumber::fromdate(now.date());
            r.repetition = "0";
            r.timemode = timemode_both;
            r.timefrom = qint16(at.hour() * 100 + at.minute());
            r.remind = true;
        }
        db.savecalitems();
        return 0;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
