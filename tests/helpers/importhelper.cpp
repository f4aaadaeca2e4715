// A backup import run as the backup window runs it (an older backup is
// upgraded after a Yes), for tests that stop the process in the middle or
// run it on a full disk. It prints each step of the import as it is done.
//   qm_importhelper <database folder> <backup folder> [<step>]
// With a step k > 0 the process kills itself (SIGKILL) right after step k.
// Exit status 0 when the import is done, 1 with "error: ..." when it failed.

#include "database/backup.h"
#include "database/journal.h"
#include "database/upgrade.h"

#include <QCoreApplication>
#include <QString>

#include <csignal>
#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <database folder> <backup folder> [<step>]\n", argv[0]);
        return 2;
    }
    const QString db = QString::fromLocal8Bit(argv[1]);
    const QString source = QString::fromLocal8Bit(argv[2]);
    const int stopafter = argc > 3 ? std::atoi(argv[3]) : 0;
    int steps = 0;
    journal::setstephook([&](const QString &step) {
        std::printf("%d %s\n", ++steps, step.toUtf8().constData());
        std::fflush(stdout);
        if (steps == stopafter)
            ::kill(::getpid(), SIGKILL);
    });

    DbPrompts prompts;
    QString error;
    prompts.error = [&](const DbMessage &m) { error = m.text(); };
    prompts.confirm = [](const QString &) { return true; };
    const VersionCheck check = checkfolderversion(source, prompts);
    bool ok = check.result != VersionCheck::refused;
    if (ok) {
        backup::Import import(db, source);
        ok = import.stage(check, nullptr, &error) && import.replace(&error);
        if (!ok)
            import.discard();
    }
    if (!ok) {
        std::printf("error: %s\n", error.toUtf8().constData());
        return 1;
    }
    return 0;
}
