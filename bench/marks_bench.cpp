// The Marks page with 30 subjects of 100 marks each: one typed mark reads
// every cell back, averages everything and saves. Run: build/bench/bench_marks

#include "database/database.h"
#include "database/recordrules.h"
#include "database/settings.h"
#include "platform/clock.h"
#include "school/marks.h"
#include "school/ui/markspage.h"
#include "school/ui/termmanager.h"

#include "qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

std::vector<TSubjectRec> fullterm()
{
    std::vector<TSubjectRec> subjects(30);
    for (int s = 0; s < 30; ++s) {
        newsubject(subjects[s], QStringLiteral("Subject %1").arg(s));
        for (int m = 0; m < TSubjectRec::markcount; ++m) {
            static const char *const marks[] = {"1", "2-", "3", "1+", "85", "2/"};
            subjects[s].marks[m].mark = QLatin1String(marks[(s + m) % 6]);
            subjects[s].marks[m].weight = markweights[(s * 7 + m) % markweights.size()];
        }
    }
    return subjects;
}

void BM_AverageFullTerm(benchmark::State &state)
{
    const std::vector<TSubjectRec> subjects = fullterm();
    for (auto _ : state) {
        Averages a = countaverages(subjects, marksaverages);
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(BM_AverageFullTerm)->Unit(benchmark::kMillisecond);

// What one key in a mark cell costs: read all 3,000 cells back, average, save.
void BM_TypedMarkFullTerm(benchmark::State &state)
{
    QTemporaryDir dir;
    Database db(dir.path() + QLatin1Char('/'));
    db.createfolders();
    db.subjects = fullterm();
    db.savesubjects();
    Settings settings;
    Clock clock;
    Tsubjfnameform termsform;
    // Nothing here asks for a name.
    const NameAsker nonames = [](const QString &, const QString &, const QString &, bool, NameKept) { return QString(); };
    MarksPage page(db, settings, clock, termsform, nonames);
    page.refreshmarks();
    for (auto _ : state)
        page.StringGrid1SetEditText();
}
BENCHMARK(BM_TypedMarkFullTerm)->Unit(benchmark::kMillisecond);

} // namespace

QM_BENCHMARK_MAIN_WITH_WIDGETS()
