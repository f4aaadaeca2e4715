// The old-layout readers of the upgrade chain, on files in memory: the first
// byte picks a step, the rest stands in every file the steps read. A step
// converts or refuses with a reason; what it leaves reads as today's records.

#include "database/records.h"
#include "database/upgrade.h"
#include "platform/ansi.h"
#include "platform/wholefile.h"

#include "fuzzcheck.h"

#include <QMap>

namespace {

// Decodes every whole record of `data`, as a load does.
template <class Rec>
void decodeall(const QByteArray &data)
{
    for (qsizetype at = 0; at + Rec::size <= data.size(); at += Rec::size)
        (void)Rec::decode(data.constData() + at);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray content = fuzzcheck::bytes(data + 1, size - 1);
    QMap<QString, QByteArray> files;
    for (const char *name : {"timetable.dat", "contacts.dat", "calitems.dat", "tasks.dat", "subjects.dat",
                             "categories.dat", "memocategories.dat", "subjects/term.dat"})
        files.insert(QLatin1String(name), content);
    const std::vector<UpgradeStep> &steps = upgradesteps();
    const UpgradeStep &step = steps[data[0] % steps.size()];
    QString error;
    if (!runstep(files, step, &error)) {
        fuzzcheck::require(!error.isEmpty(), "a refused step says why");
        return 0;
    }
    fuzzcheck::require(files.value(QStringLiteral("dbversion.dat")) == ansi::encode(step.target),
                       "a step writes its version");
    decodeall<TContactRec>(files.value(QStringLiteral("contacts.dat")));
    decodeall<TCalItemRec>(files.value(QStringLiteral("calitems.dat")));
    decodeall<TTaskRec>(files.value(QStringLiteral("tasks.dat")));
    decodeall<TLessonRec>(files.value(QStringLiteral("timetable.dat")));
    decodeall<TSubjectRec>(files.value(QStringLiteral("subjects.dat")));
    decodeall<TSubjectRec>(files.value(QStringLiteral("subjects/term.dat")));
    for (const char *list : {"categories.dat", "memocategories.dat"})
        (void)wholefile::splitlines(ansi::decode(files.value(QLatin1String(list))));
    return 0;
}
