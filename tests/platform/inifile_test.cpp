#include "platform/inifile.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using testsupport::readfile;
using testsupport::writefile;

class IniFileTest : public ::testing::Test
{
protected:
    QString path(const char *name = "settings.ini") const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

TEST_F(IniFileTest, NamesMatchIgnoringCaseAndBlanks)
{
    ASSERT_TRUE(writefile(path(), "[Settings]\r\n  InSchool = 0 \r\nsuma=2\r\n[Other]\r\nsuma=9\r\n"));
    const IniFile ini(path());
    EXPECT_EQ(ini.readstring("settings", "inschool", "x"), QStringLiteral("0"));
    EXPECT_EQ(ini.readstring("SETTINGS", " SUMA ", "x"), QStringLiteral("2"));
    EXPECT_EQ(ini.readstring("other", "suma", "x"), QStringLiteral("9"));
    EXPECT_EQ(ini.readstring("Settings", "missing", "fallback"), QStringLiteral("fallback"));
    EXPECT_EQ(ini.readstring("Nowhere", "suma", "fallback"), QStringLiteral("fallback"));
    EXPECT_TRUE(ini.haskey("settings", "SUMA"));
    EXPECT_FALSE(ini.haskey("settings", "nothing"));
}

TEST_F(IniFileTest, AMissingFileReadsAsEmptyAndIsCreatedBySaving)
{
    IniFile ini(path());
    EXPECT_FALSE(ini.exists());
    EXPECT_EQ(ini.readstring("Settings", "suma", "0"), QStringLiteral("0"));
    ini.writestring("Settings", "suma", "1");
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(readfile(path()), QByteArray("[Settings]\r\nsuma=1\r\n"));
}

TEST_F(IniFileTest, AWriteReplacesOneLineInPlaceAndKeepsTheRest)
{
    ASSERT_TRUE(writefile(path(), "; notes of the user\r\n[Settings]\r\nInSchool=1\r\n\r\n12.1.2026=1\r\n"
                                  "suma=0\r\n[Language]\r\ndateformat=MMMM d\r\n"));
    IniFile ini(path());
    ini.writestring("settings", "INSCHOOL", "0");     // replaced where it stands
    ini.writestring("Settings", "weekstarts", "1");   // new: after the section's last key
    ini.writestring("Language", "newkey", "v");       // new in another section
    ini.writestring("Extra", "a", "b");               // new section at the end
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(readfile(path()),
              QByteArray("; notes of the user\r\n[Settings]\r\nINSCHOOL=0\r\n\r\n12.1.2026=1\r\nsuma=0\r\n"
                         "weekstarts=1\r\n[Language]\r\ndateformat=MMMM d\r\nnewkey=v\r\n[Extra]\r\na=b\r\n"));

    // A single-key write keeps every other key.
    ASSERT_TRUE(IniFile::writekey(path(), "Settings", "suma", "2"));
    const IniFile again(path());
    EXPECT_EQ(again.readstring("Settings", "suma", ""), QStringLiteral("2"));
    EXPECT_EQ(again.readstring("Settings", "12.1.2026", ""), QStringLiteral("1"));
    EXPECT_EQ(again.readstring("Language", "dateformat", ""), QStringLiteral("MMMM d"));
}

TEST_F(IniFileTest, KeysMayHoldAnyCharacterButTheEqualsSign)
{
    const QStringList keys = {
        QStringLiteral("This name cannot contain following characters: \\ / : * ? \" < > | ."),
        QStringLiteral("#"), QStringLiteral(";not a comment"), QStringLiteral("Marks/percents (averages)"),
        QStringLiteral("Use \"In school\" mode"), QStringLiteral("Name day:*"),
    };
    IniFile ini(path());
    for (int i = 0; i < keys.size(); ++i)
        ini.writestring("Labels", keys[i], QString::number(i));
    ASSERT_TRUE(ini.save());
    const IniFile read(path());
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_EQ(read.readstring("labels", keys[i], "missing"), QString::number(i)) << keys[i].toStdString();
    // "Name day:" is not "Name day:*".
    EXPECT_EQ(read.readstring("Labels", "Name day:", "missing"), QStringLiteral("missing"));
}

TEST_F(IniFileTest, ValuesAreWindows1250CutAt2047CharactersAndKeptOnOneLine)
{
    IniFile ini(path());
    ini.writestring("Messages", "Error", QStringLiteral("Chyba \u0159\u00ed\u017ee"));
    ini.writestring("Memos", "Tips", QString(3000, QLatin1Char('t')));
    ini.writestring("Settings", "welcomenote", QStringLiteral("two\r\nlines"));
    ini.writestring("Settings", "eq", QStringLiteral("a=b"));
    ASSERT_TRUE(ini.save());
    const std::optional<QByteArray> bytes = readfile(path());
    ASSERT_TRUE(bytes);
    EXPECT_TRUE(bytes->contains("Error=Chyba \xf8\xed\x9e" "e\r\n"));

    const IniFile read(path());
    EXPECT_EQ(read.readstring("Messages", "error", ""), QStringLiteral("Chyba \u0159\u00ed\u017ee"));
    EXPECT_EQ(read.readstring("Memos", "Tips", "").size(), 2047);
    EXPECT_EQ(read.readstring("Settings", "welcomenote", ""), QStringLiteral("two  lines"));
    EXPECT_EQ(read.readstring("Settings", "eq", ""), QStringLiteral("a=b"));
}

TEST_F(IniFileTest, ReadsLfFilesAndAFileThatCannotBeReadIsNotReplaced)
{
    ASSERT_TRUE(writefile(path(), "[Settings]\nsuma=1\n"));
    EXPECT_EQ(IniFile(path()).readstring("Settings", "suma", ""), QStringLiteral("1"));

    ASSERT_TRUE(QDir().mkpath(path("folder.ini")));
    IniFile unreadable(path("folder.ini"));
    EXPECT_TRUE(unreadable.exists());
    EXPECT_FALSE(unreadable.readerror().isEmpty());
    unreadable.writestring("Settings", "suma", "1");
    QString error;
    EXPECT_FALSE(unreadable.save(&error));
    EXPECT_FALSE(error.isEmpty());
}
