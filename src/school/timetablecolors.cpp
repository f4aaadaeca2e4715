#include "school/timetablecolors.h"

namespace {

TtColor addttcolor(const char *name, int red, int green, int blue)
{
    return {QLatin1String(name), red + green * 256 + blue * 65536};
}

} // namespace

const QList<TtColor> &ttcolors()
{
    static const QList<TtColor> colors = {
        addttcolor("White", 255, 255, 255), addttcolor("Silver", 220, 220, 220), addttcolor("Gray", 180, 180, 180),
        addttcolor("Maroon", 153, 0, 48),   addttcolor("Red", 237, 28, 36),      addttcolor("Orange", 255, 126, 0),
        addttcolor("Ochre", 255, 194, 14),  addttcolor("Yellow", 255, 242, 0),   addttcolor("Lime", 168, 230, 29),
        addttcolor("Green", 34, 177, 76),   addttcolor("Sky blue", 0, 183, 239), addttcolor("Blue", 77, 109, 243),
        addttcolor("Navy", 47, 54, 153),    addttcolor("Purple", 171, 109, 212),
    };
    return colors;
}
