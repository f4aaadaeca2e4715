// Data files that are not plain files, or cannot be examined: each load
// reports once and leaves them as they are; damaged version files are
// quoted briefly; leftovers of killed saves go away.

#include "database/database.h"
#include "database/upgrade.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using testsupport::Odd;
using testsupport::oddname;

namespace {

struct Loader
{
    const QString *name;
    bool (Database::*load)();
    bool (Database::*save)();
};

const Loader loaders[] = {
    {&dbfile::contacts, &Database::loadcontacts, &Database::savecontacts},
    {&dbfile::calitems, &Database::loadcalitems, &Database::savecalitems},
    {&dbfile::tasks, &Database::loadtasks, &Database::savetasks},
    {&dbfile::timetable, &Database::loadtimetable, &Database::savetimetable},
    {&dbfile::subjects, &Database::loadsubjects, &Database::savesubjects},
};

} // namespace

TEST(OddFiles, ARecordFileThatIsNoPlainFileIsReportedAndKept)
{
    for (const Loader &loader : loaders) {
        for (Odd odd : testsupport::oddthings) {
            QTemporaryDir dir;
            QStringList messages;
            Database db(dir.path(), [&](const DbMessage &m) { messages << m.text(); });
            const QString path = db.path(*loader.name);
            ASSERT_TRUE(testsupport::makeodd(path, odd));
            const QString what = *loader.name + QStringLiteral(" as ") + QLatin1String(oddname(odd));

            EXPECT_FALSE((db.*loader.load)()) << what.toStdString();
            ASSERT_EQ(messages.size(), 1) << what.toStdString();
            EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(path))) << what.toStdString();
            EXPECT_TRUE(db.readonly(*loader.name)) << what.toStdString();
            // Nothing is created in its place, and later saves stay away.
            EXPECT_FALSE((db.*loader.save)()) << what.toStdString();
            EXPECT_TRUE(testsupport::isodd(path, odd)) << what.toStdString();
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                      QStringList{*loader.name})
                << what.toStdString();
        }
    }
}

TEST(OddFiles, AListFileThatIsNoPlainFileIsReportedAndKept)
{
    for (Odd odd : testsupport::oddthings) {
        QTemporaryDir dir;
        QStringList messages;
        Database db(dir.path(), [&](const DbMessage &m) { messages << m.text(); });
        const QString path = db.path(dbfile::categories);
        ASSERT_TRUE(testsupport::makeodd(path, odd));
        db.taskcategories = QStringList{QStringLiteral("School")};
        db.loadcategories(dbfile::categories, db.taskcategories);
        EXPECT_EQ(messages.size(), 1) << oddname(odd);
        EXPECT_EQ(db.taskcategories, QStringList{db.unfiled}) << oddname(odd);
        EXPECT_FALSE(db.savecategories({QStringLiteral("New")}, dbfile::categories)) << oddname(odd);
        EXPECT_TRUE(testsupport::isodd(path, odd)) << oddname(odd);
    }
}

TEST(OddFiles, AVersionFileThatCannotBeExaminedIsNeverReplaced)
{
    for (Odd odd : testsupport::oddthings) {
        QTemporaryDir dir;
        Database db(dir.path());
        const QString path = db.path(dbfile::dbversion);
        ASSERT_TRUE(testsupport::makeodd(path, odd));
        // Not missing: a new database would write its version over it.
        EXPECT_TRUE(db.hasversionfile()) << oddname(odd);
        QStringList errors;
        const DbPrompts prompts{[&](const DbMessage &m) { errors << m.text(); }, [](const QString &) { return true; }};
        EXPECT_FALSE(actualdb(db.dbpath(), prompts)) << oddname(odd);
        ASSERT_EQ(errors.size(), 1) << oddname(odd);
        EXPECT_TRUE(errors[0].startsWith(dbversionmissing)) << oddname(odd);
        EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(path))) << oddname(odd);
        EXPECT_TRUE(testsupport::isodd(path, odd)) << oddname(odd);
    }
}

TEST(OddFiles, ADamagedVersionIsQuotedBriefly)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    // A megabyte of one line, with control characters among letters.
    QByteArray damaged;
    for (int i = 0; damaged.size() < (1 << 20); ++i)
        damaged += i % 3 == 0 ? '\x01' : char('a' + i % 26);
    ASSERT_TRUE(testsupport::writefile(folder + dbfile::dbversion, damaged));
    QStringList errors;
    const DbPrompts prompts{[&](const DbMessage &m) { errors << m.text(); }, [](const QString &) { return true; }};
    EXPECT_FALSE(actualdb(folder, prompts));
    ASSERT_EQ(errors.size(), 1);
    ASSERT_TRUE(errors[0].endsWith(dbversiondamaged));
    const QString quoted = errors[0].chopped(dbversiondamaged.size());
    EXPECT_EQ(quoted.size(), 40);
    EXPECT_EQ(quoted.left(6), QStringLiteral("bcefhi"));
    EXPECT_EQ(testsupport::readfile(folder + dbfile::dbversion), damaged);

    EXPECT_EQ(quotedversion(QStringLiteral("2.x")), QStringLiteral("2.x"));
    EXPECT_EQ(quotedversion(QString(100, QLatin1Char('\n'))), QString());
}

TEST(OddFiles, LeftoversOfKilledSavesAreRemovedAndOtherFilesKept)
{
    QTemporaryDir dir;
    Database db(dir.path());
    const QStringList leftovers = {QStringLiteral("calitems.dat.Ab12Cd"), QStringLiteral("contacts.dat.xyzXYZ"),
                                   QStringLiteral("settings.ini.000000")};
    const QStringList kept = {QStringLiteral("calitems.dat"), QStringLiteral("calitems.dat.bak"),
                              QStringLiteral("notes.txt.Ab12Cd"), QStringLiteral("calitems.dat.Ab12Cd7")};
    for (const QString &name : leftovers + kept)
        ASSERT_TRUE(testsupport::writefile(db.path(name), QByteArray(1000, 'x')));
    // A link of a leftover's name is not ours.
    ASSERT_TRUE(QFile::link(db.path(QStringLiteral("calitems.dat")), db.path(QStringLiteral("tasks.dat.linked"))));
    db.removeleftovers({QStringLiteral("settings.ini")});
    QStringList expected = kept;
    expected << QStringLiteral("tasks.dat.linked");
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System, QDir::Name), expected);
}

TEST(OddFiles, HeldReportsComeOutTogetherWhenTheLastHoldEnds)
{
    QTemporaryDir dir;
    QStringList messages;
    Database db(dir.path(), [&](const DbMessage &m) { messages << m.text(); });
    db.holdreports();
    db.holdreports();
    db.reporterror({QStringLiteral("one"), {}});
    EXPECT_TRUE(db.releasereports().isEmpty()) << "an inner hold keeps them";
    db.reporterror({QStringLiteral("two"), {}});
    const QList<DbMessage> held = db.releasereports();
    ASSERT_EQ(held.size(), 2);
    EXPECT_EQ(held[1].text(), QStringLiteral("two"));
    EXPECT_TRUE(messages.isEmpty());
    db.reporterror({QStringLiteral("three"), {}});
    EXPECT_EQ(messages, QStringList{QStringLiteral("three")});
}
