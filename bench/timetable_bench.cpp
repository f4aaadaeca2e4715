// The Timetable page with a full week: 15 lessons a day on all seven days.
// Painting the whole picture in both modes, and one drag step of a lesson
// followed by the sort and save of its release.
// Run: build/bench/bench_timetable

#include "database/database.h"
#include "database/settings.h"
#include "platform/clock.h"
#include "school/timetableview.h"
#include "school/ui/timetablepage.h"
#include "school/ui/timetableprint.h"

#include "qtbenchmain.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

namespace {

// 105 lessons of the week shown with subjects, the rest of the file as new.
std::vector<TLessonRec> fullweek(int week)
{
    std::vector<TLessonRec> t;
    for (int day = 1; day <= 7; ++day) {
        for (int n = 0; n < 15; ++n) {
            TLessonRec l;
            l.subject = QStringLiteral("Subject %1").arg(n);
            l.teacher = QStringLiteral("Teacher");
            l.day = qint8(day);
            l.week = qint8(week);
            l.number = qint8(n);
            l.start = 7 * 60 + n * 50;
            l.end = l.start + 45;
            l.color = 0x00F2FF;
            t.push_back(l);
        }
    }
    return t;
}

void paintweek(benchmark::State &state, bool timeline)
{
    const std::vector<TLessonRec> t = fullweek(timeline ? 1 : -1);
    TtView v;
    v.weekcode = timeline ? 1 : -1;
    v.timelinetype = timeline;
    v.showlessons = 15;
    v.firstminute = 7 * 60;
    v.lastminute = 20 * 60;
    v.weekendeducation = true;
    v.showelapsed = true;
    v.now = QDateTime(QDate(2026, 12, 9), QTime(11, 0));
    v.hovered = 20;
    for (auto _ : state) {
        QImage picture = ttpaint(t, v, 1.0, ttpictureheight);
        benchmark::DoNotOptimize(picture);
    }
}

void BM_PaintTableWeek(benchmark::State &state)
{
    paintweek(state, false);
}
BENCHMARK(BM_PaintTableWeek)->Unit(benchmark::kMillisecond);

void BM_PaintTimelineWeek(benchmark::State &state)
{
    paintweek(state, true);
}
BENCHMARK(BM_PaintTimelineWeek)->Unit(benchmark::kMillisecond);

// One pointer move of a dragged lesson (including painting the box) and the
// release that sorts and saves all 315 lessons.
void BM_DragStepAndSave(benchmark::State &state)
{
    QTemporaryDir dir;
    Database db(dir.path());
    db.loadtimetable();
    for (const TLessonRec &l : fullweek(1))
        db.timetable.push_back(l);
    Settings settings;
    settings.setnumber(Setting::tttype, 1);
    settings.setflag(Setting::weekendeducation, true);
    settings.settime(Setting::timelinepicker1, QTime(7, 0));
    settings.settime(Setting::timelinepicker2, QTime(20, 0));
    Clock clock;
    Tprintttform printform;
    TimetablePage page(db, settings, clock, printform);
    page.BitBtn29Click();
    page.resize(1200, 500);
    page.show();
    int step = 0;
    for (auto _ : state) {
        const int index = 210 + 16; // Monday's second lesson of the timeline week
        const TLessonRec &l = db.timetable[index];
        const QPoint at(ttlessonx(page.view(), l, true) + 10, l.day * ttrowheight + tttop + 10);
        page.timetableboxMouseDown(at);
        page.timetableboxMouseMove(at + QPoint(step % 2 ? -25 : 25, 0));
        page.repaint();
        page.timetableboxMouseUp();
        ++step;
    }
}
BENCHMARK(BM_DragStepAndSave)->Unit(benchmark::kMillisecond);

} // namespace

QM_BENCHMARK_MAIN_WITH_WIDGETS()
