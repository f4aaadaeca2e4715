// Copying the database folder into a backup and back.

#include "database/backup.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include <filesystem>

using testsupport::FileSizeLimit;
using testsupport::readfile;

namespace {

// Every file below `folder` with its content, hidden ones included.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString name = QDir(folder).relativeFilePath(it.filePath());
        files.insert(name, it.fileInfo().isDir() ? QByteArray("<folder>") : readfile(it.filePath()).value());
    }
    return files;
}

class BackupTest : public ::testing::Test
{
protected:
    BackupTest()
    {
        db = dir.path() + QStringLiteral("/db/");
        source = dir.path() + QStringLiteral("/backup/");
        QDir().mkpath(db);
        QDir().mkpath(source);
    }

    // A database folder with every item, each file telling where it is from.
    void fill(const QString &folder, const QByteArray &tag, const char *version = "2.1")
    {
        ASSERT_TRUE(testsupport::fillrecords(folder, tag, version)) << folder.toStdString();
        put(folder + "photos/1.bmp", tag + " photo");
        put(folder + "memos/Home.Shopping.rtf", tag + " note");
        put(folder + "subjects/Autumn.dat", tag + " term");
    }
    static void put(const QString &path, const QByteArray &data)
    {
        ASSERT_TRUE(testsupport::putfile(path, data)) << path.toStdString();
    }
    QByteArray get(const QString &path) const { return readfile(path).value_or("<missing>"); }

    VersionCheck current() const
    {
        VersionCheck check;
        check.result = VersionCheck::current;
        return check;
    }

    QTemporaryDir dir;
    QString db, source;
};

QStringList names(const std::vector<const backup::Item *> &items)
{
    QStringList out;
    for (const backup::Item *item : items)
        out << item->name;
    return out;
}

} // namespace

TEST(BackupNames, StampCountsMinutes)
{
    const QDateTime when(QDate(2026, 2, 3), QTime(14, 5, 59));
    EXPECT_EQ(backup::exportstamp(when), QStringLiteral("0302261405"));
    EXPECT_EQ(backup::exportfoldername(backup::exportstamp(when)), QStringLiteral("QMTR_0302261405"));
    EXPECT_EQ(backup::exportstamp(QDateTime(QDate(2031, 12, 24), QTime(9, 0))), QStringLiteral("2412310900"));
}

TEST_F(BackupTest, TheDatabaseFolderAndWhatLiesInsideItAreInside)
{
    QDir().mkpath(db + "memos");
    QDir().mkpath(dir.path() + "/db2");
    EXPECT_TRUE(backup::isinside(db, db));
    EXPECT_TRUE(backup::isinside(db + "memos", db));
    EXPECT_TRUE(backup::isinside(db + "memos/../memos/..", db));
    EXPECT_FALSE(backup::isinside(dir.path() + "/db2", db)) << "a name that only starts alike";
    EXPECT_FALSE(backup::isinside(dir.path(), db));
    std::filesystem::create_directory_symlink(db.toStdString(), (dir.path() + "/link").toStdString());
    EXPECT_TRUE(backup::isinside(dir.path() + "/link/memos", db)) << "through a link";
}

TEST_F(BackupTest, AFolderCopyMergesAndNeverCopiesIntoItself)
{
    put(source + "photos/1.bmp", "new one");
    put(source + "photos/deep/2.bmp", "two");
    put(db + "photos/1.bmp", "old one");
    put(db + "photos/3.bmp", "three");
    ASSERT_TRUE(backup::copyfolder(source + "photos", db));
    EXPECT_EQ(get(db + "photos/1.bmp"), QByteArray("new one"));
    EXPECT_EQ(get(db + "photos/deep/2.bmp"), QByteArray("two"));
    EXPECT_EQ(get(db + "photos/3.bmp"), QByteArray("three"));

    EXPECT_FALSE(backup::copyfolder(source + "missing", db));
    QString error;
    EXPECT_FALSE(backup::copyfolder(db + "photos", db + "photos/deep", nullptr, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(db + "photos/deep/photos"));

    EXPECT_TRUE(backup::deletefolder(db + "photos"));
    EXPECT_FALSE(QFileInfo::exists(db + "photos"));
    EXPECT_FALSE(backup::deletefolder(db + "photos"));
}

TEST_F(BackupTest, AnExportCopiesTheNineFilesAndThreeFolders)
{
    fill(db, "current");
    put(db + "settings.ini", "[Settings]");
    put(db + "language.dat", "czech");
    put(db + "custommelodies.dat", "/x.mp3");
    const QString target = source + "QMTR_0302261405/";
    QDir().mkpath(target);
    EXPECT_FALSE(backup::holdsdatabase(target));
    backup::Progress progress;
    const backup::ExportResult result = backup::exportdatabase(db, target, &progress);
    EXPECT_TRUE(result.failed.empty()) << names(result.failed).join(' ').toStdString();
    EXPECT_EQ(result.copied, 12);
    EXPECT_EQ(progress.done.load(), progress.total.load());
    EXPECT_GT(progress.total.load(), 0);

    QMap<QString, QByteArray> expected = snapshot(db);
    expected.remove("settings.ini");
    expected.remove("language.dat");
    expected.remove("custommelodies.dat");
    EXPECT_EQ(snapshot(target), expected);
    EXPECT_TRUE(backup::holdsdatabase(target));

    // Missing items are reported in the export order, the rest still copied.
    QFile::remove(db + "tasks.dat");
    QFile::remove(db + "subjfname.dat");
    QDir(db + "memos").removeRecursively();
    const backup::ExportResult partial = backup::exportdatabase(db, target);
    EXPECT_EQ(names(partial.failed), QStringList({"tasks.dat", "subjfname.dat", "memos"}));
    EXPECT_EQ(partial.copied, 9);
}

TEST_F(BackupTest, AnImportReplacesTheItemsAndLeavesTheRestAlone)
{
    fill(db, "current");
    put(db + "photos/9.bmp", "a photo the backup does not have");
    put(db + "settings.ini", "[Settings]\r\nInSchool=0\r\n");
    put(db + "language.dat", "czech");
    put(db + "custommelodies.dat", "/music/a.mp3\r\n");
    fill(source, "backup");
    QFile::remove(source + "subjfname.dat");
    QDir(source + "memos").removeRecursively();
    const QMap<QString, QByteArray> backupbefore = snapshot(source);

    {
        backup::Import import(db, source);
        QString error;
        ASSERT_TRUE(import.stage(current(), nullptr, &error)) << error.toStdString();
        ASSERT_TRUE(import.replace(&error)) << error.toStdString();
        EXPECT_EQ(names(import.missing()), QStringList({"subjfname.dat", "memos"}));
        EXPECT_TRUE(import.undeleted().empty());
    }

    EXPECT_EQ(get(db + "contacts.dat"), QByteArray("backup contacts.dat"));
    EXPECT_EQ(get(db + "memocategories.dat"), QByteArray("backup memocategories.dat"));
    EXPECT_EQ(get(db + "subjfname.dat"), QByteArray("current subjfname.dat")) << "a file the backup lacks stays";
    EXPECT_EQ(get(db + "photos/1.bmp"), QByteArray("backup photo"));
    EXPECT_FALSE(QFileInfo::exists(db + "photos/9.bmp")) << "folders are replaced, not merged";
    EXPECT_TRUE(QFileInfo(db + "memos").isDir());
    EXPECT_TRUE(QDir(db + "memos").isEmpty()) << "a folder the backup lacks ends empty";
    EXPECT_EQ(get(db + "subjects/Autumn.dat"), QByteArray("backup term"));
    EXPECT_EQ(get(db + "settings.ini"), QByteArray("[Settings]\r\nInSchool=0\r\n"));
    EXPECT_EQ(get(db + "language.dat"), QByteArray("czech"));
    EXPECT_EQ(get(db + "custommelodies.dat"), QByteArray("/music/a.mp3\r\n"));
    EXPECT_TRUE(QDir(db).entryList({".*"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty())
        << "no staging left behind";
    EXPECT_EQ(snapshot(source), backupbefore) << "the backup is only read";
}

TEST_F(BackupTest, AnOlderBackupIsUpgradedInTheCopyOnly)
{
    fill(db, "current");
    put(source + "dbversion.dat", "1.9");
    put(source + "categories.dat", "Neza\xf8" "azeno\r\nSchool\r\n");
    const QMap<QString, QByteArray> backupbefore = snapshot(source);

    VersionCheck check;
    check.result = VersionCheck::upgrade;
    ASSERT_EQ(checkdbversion("1.9", &check.from), DbVersion::older);
    backup::Import import(db, source);
    QString error;
    ASSERT_TRUE(import.stage(check, nullptr, &error)) << error.toStdString();
    ASSERT_TRUE(import.replace(&error)) << error.toStdString();
    EXPECT_EQ(get(db + "dbversion.dat"), QByteArray("2.1"));
    EXPECT_EQ(get(db + "categories.dat"), QByteArray("School\r\n"));
    EXPECT_EQ(get(db + "contacts.dat"), QByteArray("current contacts.dat"));
    EXPECT_TRUE(QFileInfo(db + "subjects").isDir()) << "made again although the backup has none";
    EXPECT_EQ(snapshot(source), backupbefore);
}

TEST_F(BackupTest, AFailedCopyLeavesTheDatabaseFolderAsItWas)
{
    fill(db, "current");
    fill(source, "backup");
    put(source + "photos/big.bmp", QByteArray(200000, 'x'));
    const QMap<QString, QByteArray> before = snapshot(db);
    {
        backup::Import import(db, source);
        QString error;
        {
            const FileSizeLimit limit(100000);
            EXPECT_FALSE(import.stage(current(), nullptr, &error));
        }
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(snapshot(db), before);
}

TEST_F(BackupTest, AFailedReplacePutsTheOldItemsBack)
{
    fill(db, "current");
    fill(source, "backup");
    const QMap<QString, QByteArray> before = snapshot(db);
    for (int failat : {1, 2, 7, 20}) {
        int calls = 0;
        backup::Import import(db, source, [&](const QString &from, const QString &to, QString *error) {
            if (++calls == failat) {
                if (error)
                    *error = QStringLiteral("refused");
                return false;
            }
            std::error_code ec;
            std::filesystem::rename(from.toStdString(), to.toStdString(), ec);
            return !ec;
        });
        QString error;
        ASSERT_TRUE(import.stage(current(), nullptr, &error)) << error.toStdString();
        EXPECT_FALSE(import.replace(&error)) << failat;
        EXPECT_EQ(error, QStringLiteral("refused"));
        QMap<QString, QByteArray> after = snapshot(db);
        // The staging folder goes with the import; only it may differ now.
        for (auto it = after.begin(); it != after.end();)
            it = it.key().startsWith(".import-") ? after.erase(it) : std::next(it);
        EXPECT_EQ(after, before) << failat;
    }
    EXPECT_EQ(snapshot(db), before);
}
