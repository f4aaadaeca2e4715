// Starting programs and opening files and addresses, never through a shell.

#include "platform/shell.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

TEST(Shell, AProgramGetsThePathAsOneWholeArgument)
{
    QTemporaryDir dir;
    const QString script = dir.filePath("record.sh");
    const QString out = dir.filePath("out.txt");
    // Writes how many arguments it got and the first one, then renames the
    // file into place, so it appears whole.
    ASSERT_TRUE(testsupport::writefile(
        script, QStringLiteral("#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '%1.part' && mv '%1.part' '%1'\n")
                    .arg(out)
                    .toUtf8()));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString path = dir.filePath("my note; echo \"x\" $(id).rtf");
    ASSERT_TRUE(startprogram(script, path));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(out); }, 30000)) << "the program did not run";
    EXPECT_EQ(testsupport::readfile(out).value_or(QByteArray()), ("1|" + path).toUtf8());
}

TEST(Shell, ProgramsThatCannotStartAreReported)
{
    QTemporaryDir dir;
    EXPECT_FALSE(startprogram(QString(), "a.rtf"));
    EXPECT_FALSE(startprogram(dir.filePath("no such program"), "a.rtf"));
    const QString notexecutable = dir.filePath("plain.txt");
    ASSERT_TRUE(testsupport::writefile(notexecutable, "text"));
    EXPECT_FALSE(startprogram(notexecutable, "a.rtf"));
}

TEST(Shell, FilesOpenAsLocalFileAddresses)
{
    QList<QUrl> opened;
    setwebpageopener([&](const QUrl &url) {
        opened << url;
        return true;
    });
    EXPECT_TRUE(openwithdefault("/tmp/a b#c.rtf"));
    EXPECT_FALSE(openwithdefault(QString()));
    setwebpageopener({});
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_EQ(opened[0].toLocalFile(), QStringLiteral("/tmp/a b#c.rtf"));
}
