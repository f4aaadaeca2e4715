#include "platform/clock.h"

Clock::Clock(QObject *parent) : QObject(parent), source_([] { return QDateTime::currentDateTime(); })
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
