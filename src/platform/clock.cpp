#include "platform/clock.h"

#include <limits>

QDateTime Clock::systemnow()
{
    thread_local qint64 zonesecond = std::numeric_limits<qint64>::min();
    thread_local int offset = 0;
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
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

void Clock::setsource(std::function<QDateTime()> source)
{
    source_ = std::move(source);
    lastday_ = today();
}

bool Clock::checkday()
{
    const QDate day = today();
    if (day == lastday_)
        return false;
    // Settled before anyone hears of it: work started by the signal (a
    // question, say) may let the timer tick again meanwhile.
    lastday_ = day;
    emit daychanged(day);
    return true;
}
