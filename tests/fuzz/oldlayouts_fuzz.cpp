// The old-layout readers of the upgrade chain: the first byte picks a step,
// the rest stands in every file the steps read. A step converts or refuses;
// what it leaves loads.

#include "database/database.h"
#include "database/upgrade.h"

#include "fuzzcheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // In memory where the system has it: every save syncs to disk.
    static QTemporaryDir root(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/qmfuzz-XXXXXX")
                                                                        : QDir::tempPath() + QStringLiteral("/qmfuzz-XXXXXX"));
    const QString folder = root.path() + QStringLiteral("/db/");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder + QStringLiteral("subjects"));
    const QByteArray content = fuzzcheck::bytes(data + 1, size - 1);
    for (const char *name : {"timetable.dat", "contacts.dat", "calitems.dat", "tasks.dat", "subjects.dat",
                             "categories.dat", "memocategories.dat", "subjects/term.dat"}) {
        QFile file(folder + QLatin1String(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return 0;
    }
    const std::vector<UpgradeStep> &steps = upgradesteps();
    const UpgradeStep &step = steps[data[0] % steps.size()];
    QString error;
    if (!step.run(folder, &error))
        fuzzcheck::require(!error.isEmpty(), "a refused step says why");
    Database db(folder, [](const DbMessage &) {});
    db.loadall();
    return 0;
}
