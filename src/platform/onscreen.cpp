#include "platform/onscreen.h"

#include <algorithm>

namespace {

// One axis: the start moved back until the end fits, not before `from`.
int keptinside(int start, int length, int from, int to)
{
    if (start + length <= to)
        return start;
    return std::min(start, std::max(from, to - length));
}

} // namespace

QPoint keptonscreen(const QRect &frame, const QRect &available)
{
    return {keptinside(frame.x(), frame.width(), available.x(), available.x() + available.width()),
            keptinside(frame.y(), frame.height(), available.y(), available.y() + available.height())};
}
