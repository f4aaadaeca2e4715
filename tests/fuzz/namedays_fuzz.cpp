// The name-day list reader: any list gives a line (or nothing) for every day
// of a leap year, and a list written out reads back to the same lines.

#include "organizer/anniversaries.h"
#include "platform/ansi.h"
#include "platform/wholefile.h"

#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = wholefile::splitlines(ansi::decode(fuzzcheck::bytes(data, size)));
    fuzzcheck::require(wholefile::splitlines(ansi::decode(wholefile::joinlines(lines))) == lines,
                       "a name-day list reloads to the same lines");
    const std::vector<TContactRec> nobody;
    for (QDate day(2024, 1, 1); day.year() == 2024; day = day.addDays(1))
        (void)getnameday(lines, day);
    (void)namedaytext(lines, nobody, QDate(2024, 2, 29));
    return 0;
}
