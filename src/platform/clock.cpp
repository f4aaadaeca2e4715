#include "platform/clock.h"

#include <limits>

namespace {

qint64 secondof(qint64 ms)
{
    return ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
}

} // namespace

QDateTime Clock::systemnow()
{
    thread_local qint64 zonesecond = std::numeric_limits<qint64>::min();
    thread_local int offset = 0;
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = secondof(ms);
    if (second != zonesecond) {
        offset = QDateTime::fromMSecsSinceEpoch(second * 1000).offsetFromUtc();
        zonesecond = second;
    }
    // Local wall time carried with its offset: dates and times read as the
    // local ones, and nothing asks the zone again.
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::OffsetFromUTC, offset);
}

Clock::Clock(QObject *parent) : QObject(parent), source_(&Clock::systemnow)
{
    lastday_ = today();
}

qint64 Clock::epochsecond() const
{
    return system_ ? secondof(QDateTime::currentMSecsSinceEpoch()) : source_().toSecsSinceEpoch();
}

void Clock::setsource(std::function<QDateTime()> source)
{
    source_ = std::move(source);
    system_ = false;
    lastday_ = today();
}

bool Clock::checkday(QDate day)
{
    if (day == lastday_)
        return false;
    // Settled before anyone hears of it: work started by the signal (a
    // question, say) may let the timer tick again meanwhile.
    lastday_ = day;
    emit daychanged(day);
    return true;
}
