// Start-up over a well-filled database: from creating the main window to the
// window shown, with 2,000 contacts, 10,000 calendar records, 1,000 tasks and
// 20 subjects. Run: build/bench/bench_startup

#include "sampledata.h"

#include "database/settings.h"
#include "mainwindow/form1.h"
#include "platform/clock.h"
#include "widgets/language.h"

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
        TForm1 form(db, settings, language, clock, {}, [] { return false; });
        form.FormCreate();
        language.translate({&form});
        form.programstart();
        form.setcolors();
        form.showmainwindow();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.isVisible());
    }
}

} // namespace

BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond);

// "--write-sample DIR" only writes the sample database into DIR (for
// startup_process.sh, which times the real program).
int main(int argc, char **argv)
{
    if (argc == 3 && QByteArray(argv[1]) == "--write-sample") {
        Database db(QString::fromLocal8Bit(argv[2]));
        db.createfolders();
        db.writeversion();
        fillsample(db, 2000, 10000, 1000, 20);
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
