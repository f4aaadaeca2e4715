// "dbversion.dat": its first line is classified, and a damaged one is quoted
// briefly.

#include "database/dbversion.h"

#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = dbversionline(fuzzcheck::bytes(data, size));
    fuzzcheck::require(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')), "one line");
    double from = -1;
    if (checkdbversion(line, &from) == DbVersion::older)
        fuzzcheck::require(from < currentdbversion.toDouble(), "an older version is older");
    fuzzcheck::require(quotedversion(line).size() <= 40, "a quote is short");
    return 0;
}
