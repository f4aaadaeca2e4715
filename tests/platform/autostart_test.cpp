// The autostart entry as a desktop session reads it back.

#include "platform/autostart.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using testsupport::readfile;

namespace {

// What a session makes of an Exec= value: the string escapes first, then
// the quoting, then "%%" as "%". Returns the program and its arguments.
QStringList runs(const QString &value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            unescaped += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : next == u'r' ? QChar(u'\r') : next;
        } else {
            unescaped += value[i];
        }
    }
    QStringList words;
    QString word;
    bool quoted = false, inword = false;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (quoted) {
            if (c == u'\\' && i + 1 < unescaped.size())
                word += unescaped[++i];
            else if (c == u'"')
                quoted = false;
            else
                word += c;
        } else if (c == u'"') {
            quoted = inword = true;
        } else if (c == u' ') {
            if (inword)
                words << word.replace(QStringLiteral("%%"), QStringLiteral("%"));
            word.clear();
            inword = false;
        } else if (c == u'%' && i + 1 < unescaped.size() && unescaped[i + 1] != u'%') {
            ADD_FAILURE() << "a field code outside quotes";
            ++i;
        } else {
            word += c;
            inword = true;
        }
    }
    if (inword)
        words << word.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return words;
}

QString execof(const QByteArray &entry)
{
    for (const QByteArray &line : entry.split('\n')) {
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    }
    return {};
}

} // namespace

TEST(Autostart, OnWritesTheEntryOffRemovesItAndOffWithoutOneIsFine)
{
    const QString path = autostart::entrypath();
    ASSERT_TRUE(path.endsWith(QStringLiteral("/autostart/quillmoter.desktop")));
    ASSERT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(removefromstartup()) << "nothing to remove";
    EXPECT_FALSE(QFileInfo::exists(path));

    ASSERT_TRUE(addtostartup(QStringLiteral("/usr/bin/quillmoter")));
    const auto entry = readfile(path);
    ASSERT_TRUE(entry);
    EXPECT_TRUE(entry->startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry->contains("\nType=Application\n"));
    EXPECT_EQ(runs(execof(*entry)), QStringList({"/usr/bin/quillmoter", "-h"}));

    // Written again, it stays one entry.
    ASSERT_TRUE(addtostartup(QStringLiteral("/opt/q/quillmoter")));
    EXPECT_EQ(runs(execof(*readfile(path))), QStringList({"/opt/q/quillmoter", "-h"}));

    EXPECT_TRUE(removefromstartup());
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(removefromstartup());
}

TEST(Autostart, AwkwardPathsComeBackWhole)
{
    for (const QString &program :
         {QStringLiteral("/home/eva/My Programs/quillmoter"), QStringLiteral("/home/eva/100% sure/quillmoter"),
          QStringLiteral("/home/eva/\"quoted\" $HOME `x` back\\slash/quillmoter"),
          QStringLiteral("/home/eva/P\u0159\u00edprava %f %U/quillmoter")}) {
        ASSERT_TRUE(addtostartup(program));
        const QString exec = execof(*readfile(autostart::entrypath()));
        EXPECT_EQ(runs(exec), QStringList({program, "-h"})) << exec.toStdString();
        EXPECT_TRUE(exec.startsWith(u'"')) << "the path is quoted";
    }
    removefromstartup();
}
