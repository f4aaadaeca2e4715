#include "platform/folders.h"
#include "platform/wholefile.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>


TEST(Folders, SpecialFoldersFollowTheXdgFolders)
{
    EXPECT_EQ(getspecialfolder(folders::CSIDL_APPDATA), qEnvironmentVariable("XDG_DATA_HOME"));
    EXPECT_FALSE(getspecialfolder(folders::CSIDL_DESKTOPDIRECTORY).isEmpty());
    EXPECT_EQ(getspecialfolder(12345), QString());
}

TEST(Folders, ProgramFilesAreLookedUpBesideTheProgramFirst)
{
    const QStringList dirs = folders::programfolders();
    ASSERT_FALSE(dirs.isEmpty());
    EXPECT_EQ(dirs.first(), QCoreApplication::applicationDirPath());

    const QString name = QStringLiteral("folders_test_probe.txt");
    const QString beside = dirs.first() + QLatin1Char('/') + name;
    ASSERT_TRUE(testsupport::writefile(beside, "x"));
    EXPECT_EQ(folders::programfile(name), beside);
    QFile::remove(beside);
    // Not found anywhere: the path in the last folder searched.
    EXPECT_EQ(folders::programfile(name), dirs.last() + QLatin1Char('/') + name);
}

TEST(WholeFile, LinesSplitAtAnyLineBreakAndJoinWithCrLf)
{
    using wholefile::splitlines;
    EXPECT_EQ(splitlines(QStringLiteral("a\r\nb\r\n")), QStringList({"a", "b"}));
    EXPECT_EQ(splitlines(QStringLiteral("a\nb")), QStringList({"a", "b"}));
    EXPECT_EQ(splitlines(QStringLiteral("a\rb\r\n\r\nc")), QStringList({"a", "b", "", "c"}));
    EXPECT_EQ(splitlines(QString()), QStringList());
    EXPECT_EQ(wholefile::joinlines({"a", QStringLiteral("\u0161"), ""}), QByteArray("a\r\n\x9a\r\n\r\n"));
    EXPECT_EQ(wholefile::joinlines({}), QByteArray());
}

TEST(WholeFile, AFailedSaveLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.dat"));
    const QByteArray old(3000, 'o');
    ASSERT_TRUE(wholefile::save(path, old));

    QString error;
    {
        testsupport::FileSizeLimit limit(1000);
        EXPECT_FALSE(wholefile::save(path, QByteArray(5000, 'n'), &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testsupport::readfile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"data.dat"}))
        << "the temporary file was left behind";

    // A folder that does not exist.
    EXPECT_FALSE(wholefile::save(dir.filePath(QStringLiteral("no/such/file")), "x", &error));
    EXPECT_FALSE(wholefile::read(dir.filePath(QStringLiteral("missing")), &error).has_value());
}
