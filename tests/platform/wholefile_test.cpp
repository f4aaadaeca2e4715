#include "platform/inifile.h"
#include "platform/wholefile.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using testsupport::Odd;

// Whatever stands in place of a file, a read answers at once: it never waits
// on a FIFO, never reads a device without end, never takes a folder.
TEST(WholeFile, OnlyPlainFilesAreRead)
{
    for (Odd odd : testsupport::oddthings) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        ASSERT_TRUE(testsupport::makeodd(path, odd));
        QString error;
        EXPECT_EQ(wholefile::examine(path, &error), wholefile::PathKind::other) << testsupport::oddname(odd);
        EXPECT_FALSE(error.isEmpty()) << testsupport::oddname(odd);
        error.clear();
        EXPECT_FALSE(wholefile::read(path, &error).has_value()) << testsupport::oddname(odd);
        EXPECT_FALSE(error.isEmpty()) << testsupport::oddname(odd);
        EXPECT_FALSE(wholefile::readhead(path, 10).has_value()) << testsupport::oddname(odd);
        EXPECT_FALSE(wholefile::readlines(path).has_value()) << testsupport::oddname(odd);
        EXPECT_TRUE(testsupport::isodd(path, odd)) << testsupport::oddname(odd);
    }
}

TEST(WholeFile, OnlyNoSuchFileIsMissing)
{
    QTemporaryDir dir;
    EXPECT_EQ(wholefile::examine(dir.filePath(QStringLiteral("none"))), wholefile::PathKind::missing);
    const QString plain = dir.filePath(QStringLiteral("plain"));
    ASSERT_TRUE(testsupport::writefile(plain, "x"));
    EXPECT_EQ(wholefile::examine(plain), wholefile::PathKind::plain);
    // A link to a plain file is read through.
    const QString link = dir.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(plain, link));
    EXPECT_EQ(wholefile::examine(link), wholefile::PathKind::plain);
    EXPECT_EQ(wholefile::read(link), QByteArray("x"));
    // A file below something that is not a folder cannot be examined.
    EXPECT_EQ(wholefile::examine(plain + QStringLiteral("/below")), wholefile::PathKind::other);
}

TEST(WholeFile, AReadStopsAtItsCap)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big"));
    const QByteArray data(3000, 'b');
    ASSERT_TRUE(testsupport::writefile(path, data));
    QString error;
    EXPECT_EQ(wholefile::read(path, &error, 3000), data);
    EXPECT_FALSE(wholefile::read(path, &error, 2999).has_value());
    EXPECT_FALSE(error.isEmpty());
    // The head of a file of any size.
    EXPECT_EQ(wholefile::readhead(path, 10), QByteArray(10, 'b'));
    EXPECT_EQ(wholefile::readhead(path, 5000), data);
}

TEST(WholeFile, LeftoversOfASaveAreKnownByTheirName)
{
    using wholefile::isleftover;
    EXPECT_TRUE(isleftover(QStringLiteral("calitems.dat.aB3xYz"), QStringLiteral("calitems.dat")));
    EXPECT_FALSE(isleftover(QStringLiteral("calitems.dat"), QStringLiteral("calitems.dat")));
    EXPECT_FALSE(isleftover(QStringLiteral("calitems.dat.bak"), QStringLiteral("calitems.dat")));
    EXPECT_FALSE(isleftover(QStringLiteral("calitems.dat.aB3xYz1"), QStringLiteral("calitems.dat")));
    EXPECT_FALSE(isleftover(QStringLiteral("calitems.dat.aB-xYz"), QStringLiteral("calitems.dat")));
    EXPECT_FALSE(isleftover(QStringLiteral("calitems.dat_aB3xYz"), QStringLiteral("calitems.dat")));
    EXPECT_FALSE(isleftover(QStringLiteral("xcalitems.dat.aB3xY"), QStringLiteral("calitems.dat")));
    EXPECT_FALSE(isleftover(QStringLiteral("contacts.dat.aB3xYz"), QStringLiteral("calitems.dat")));
}

// A settings file that cannot be read reads as empty and is never replaced.
TEST(WholeFile, AnIniFileInPlaceOfSomethingElseIsNeverWrittenOver)
{
    for (Odd odd : testsupport::oddthings) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.ini"));
        ASSERT_TRUE(testsupport::makeodd(path, odd));
        IniFile ini(path);
        EXPECT_TRUE(ini.exists()) << testsupport::oddname(odd);
        EXPECT_FALSE(ini.readerror().isEmpty()) << testsupport::oddname(odd);
        EXPECT_EQ(ini.readstring(QStringLiteral("Settings"), QStringLiteral("a"), QStringLiteral("f")),
                  QStringLiteral("f"));
        ini.writestring(QStringLiteral("Settings"), QStringLiteral("a"), QStringLiteral("1"));
        EXPECT_FALSE(ini.save()) << testsupport::oddname(odd);
        EXPECT_TRUE(testsupport::isodd(path, odd)) << testsupport::oddname(odd);
    }
}

// A full disk is named as such, not as "Unknown error".
TEST(WholeFile, AFullDiskSaysSo)
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        GTEST_SKIP() << "no /dev/full here";
    QString error;
    EXPECT_FALSE(wholefile::writeall(full, "data", 4, &error));
    EXPECT_EQ(error, wholefile::diskfull);
}

// A read of a small file sets aside what the file holds, not the cap.
TEST(WholeFile, AReadTakesTheWholeFileInPiecesUpToItsCap)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("records"));
    QByteArray data(3 << 20, '\0');
    for (qsizetype i = 0; i < data.size(); ++i)
        data[i] = char(i * 7);
    ASSERT_TRUE(testsupport::writefile(path, data));
    EXPECT_EQ(wholefile::read(path, nullptr, wholefile::recordlimit), data);
    EXPECT_EQ(wholefile::read(path, nullptr, data.size()), data);
    EXPECT_FALSE(wholefile::read(path, nullptr, data.size() - 1).has_value());
    EXPECT_EQ(wholefile::readhead(path, (1 << 20) + 5), data.left((1 << 20) + 5));
}
