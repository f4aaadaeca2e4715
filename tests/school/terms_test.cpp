// Terms of marks in a temporary data folder: starting, opening, renaming and
// deleting terms, and what is left when a file step fails.

#include "school/terms.h"

#include "database/database.h"
#include "platform/ansi.h"
#include "platform/filenames.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct TermsFixture : ::testing::Test
{
    QTemporaryDir dir;
    QStringList reports;
    Database db{dir.path() + QLatin1Char('/'), [this](const DbMessage &m) { reports << m.text(); }};
    Terms terms{db, QStringLiteral("Previous term")};
    TermError error;

    TermsFixture()
    {
        db.createfolders();
        db.loadsubjects(); // the default subjects
        setmark(0, "1");
    }

    void setmark(int subject, const char *mark)
    {
        db.subjects[subject].marks[0].mark = QLatin1String(mark);
        db.savesubjects();
    }

    // The first mark of the first subject of a subjects file.
    QString firstmark(const QString &path)
    {
        Database other(dir.path() + QStringLiteral("/other/"));
        other.createfolders();
        QFile::remove(other.path(dbfile::subjects));
        EXPECT_TRUE(QFile::copy(path, other.path(dbfile::subjects)));
        other.loadsubjects();
        return other.subjects.empty() ? QStringLiteral("<none>") : other.subjects[0].marks[0].mark.text();
    }

    std::function<bool()> answer(bool yes, int *asked = nullptr)
    {
        return [yes, asked] {
            if (asked)
                ++*asked;
            return yes;
        };
    }
};

} // namespace

TEST_F(TermsFixture, AFreshDatabaseHasOnlyThePreviousTerm)
{
    EXPECT_EQ(terms.getsubjfname(), QStringLiteral("Previous term"));
    EXPECT_EQ(terms.termlist(), QStringList{QStringLiteral("Previous term")});
    // Renaming it only names it: there is no file to move.
    EXPECT_EQ(terms.renameterm(QStringLiteral("Previous term"), QStringLiteral("Autumn"), terms.termlist(), error),
              TermOutcome::done);
    EXPECT_EQ(terms.getsubjfname(), QStringLiteral("Autumn"));
    EXPECT_EQ(testsupport::readfile(db.path(subjfnamefile)), QByteArray("Autumn\r\n"));
    EXPECT_TRUE(QDir(db.path(dbfolder::subjects)).isEmpty());
}

TEST_F(TermsFixture, NewTermStoresTheOpenOneAndClearsTheMarks)
{
    EXPECT_EQ(terms.newterm(QStringLiteral("Spring"), answer(true), error), TermOutcome::done);
    EXPECT_EQ(terms.getsubjfname(), QStringLiteral("Spring"));
    EXPECT_EQ(firstmark(terms.termpath(QStringLiteral("Previous term"))), QStringLiteral("1"));
    EXPECT_EQ(firstmark(db.path(dbfile::subjects)), QString());
    EXPECT_EQ(db.subjects.size(), 12u) << "the subjects stay";
    EXPECT_FALSE(terms.termexists(QStringLiteral("Spring"))) << "written when it is left";
    EXPECT_EQ(terms.termlist(), (QStringList{QStringLiteral("Previous term"), QStringLiteral("Spring")}));

    // Back to the first term: the second is stored on the way.
    setmark(0, "5");
    EXPECT_EQ(terms.loadterm(QStringLiteral("Previous term"), error), TermOutcome::done);
    EXPECT_EQ(db.subjects[0].marks[0].mark.text(), QStringLiteral("1"));
    EXPECT_EQ(firstmark(terms.termpath(QStringLiteral("Spring"))), QStringLiteral("5"));
    EXPECT_EQ(terms.getsubjfname(), QStringLiteral("Previous term"));
    EXPECT_EQ(terms.loadterm(QStringLiteral("Previous term"), error), TermOutcome::declined) << "already open";
}

TEST_F(TermsFixture, NewTermOverAStoredOneAsksFirst)
{
    ASSERT_EQ(terms.newterm(QStringLiteral("Spring"), answer(true), error), TermOutcome::done);
    setmark(0, "2");
    ASSERT_EQ(terms.loadterm(QStringLiteral("Previous term"), error), TermOutcome::done);
    int asked = 0;
    EXPECT_EQ(terms.newterm(QStringLiteral("Spring"), answer(false, &asked), error), TermOutcome::declined);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(terms.getsubjfname(), QStringLiteral("Previous term"));
    EXPECT_EQ(db.subjects[0].marks[0].mark.text(), QStringLiteral("1"));

    // The open term's own name: its marks are cleared in subjects.dat while
    // its stored copy keeps them until another term is opened.
    EXPECT_EQ(terms.newterm(QStringLiteral("Previous term"), answer(true, &asked), error), TermOutcome::done);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(firstmark(db.path(dbfile::subjects)), QString());
    EXPECT_EQ(firstmark(terms.termpath(QStringLiteral("Previous term"))), QStringLiteral("1"));
}

TEST_F(TermsFixture, AFailedCopyStopsWithNothingLost)
{
    // The stored copy of the open term cannot be written: a folder is in its way.
    ASSERT_TRUE(QDir().mkpath(terms.termpath(QStringLiteral("Previous term"))));
    EXPECT_EQ(terms.newterm(QStringLiteral("Spring"), answer(true), error), TermOutcome::failed);
    EXPECT_FALSE(error.format.isEmpty());
    EXPECT_EQ(terms.getsubjfname(), QStringLiteral("Previous term"));
    EXPECT_EQ(firstmark(db.path(dbfile::subjects)), QStringLiteral("1"));
    EXPECT_EQ(db.subjects[0].marks[0].mark.text(), QStringLiteral("1"));

    // Opening a term whose file went missing changes nothing either.
    ASSERT_TRUE(QDir().rmdir(terms.termpath(QStringLiteral("Previous term"))));
    ASSERT_TRUE(testsupport::writefile(terms.termpath(QStringLiteral("Gone")), QByteArray()));
    const QStringList listed = terms.termlist();
    QFile::remove(terms.termpath(QStringLiteral("Gone")));
    ASSERT_TRUE(listed.contains(QStringLiteral("Gone")));
    error = {};
    EXPECT_EQ(terms.loadterm(QStringLiteral("Gone"), error), TermOutcome::failed);
    EXPECT_EQ(error.args.value(0), QDir::toNativeSeparators(terms.termpath(QStringLiteral("Gone"))));
    EXPECT_EQ(terms.getsubjfname(), QStringLiteral("Previous term"));
    EXPECT_EQ(firstmark(db.path(dbfile::subjects)), QStringLiteral("1"));
}

TEST_F(TermsFixture, ATermThatCannotBeNamedIsNotOpened)
{
    ASSERT_EQ(terms.newterm(QStringLiteral("Spring"), answer(true), error), TermOutcome::done);
    setmark(0, "4");
    // "subjfname.dat" reads, but cannot be written: it leads into /proc.
    if (!QFileInfo(QStringLiteral("/proc/version")).isReadable())
        GTEST_SKIP() << "no /proc here";
    ASSERT_TRUE(QFile::remove(db.path(subjfnamefile)));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/version"), db.path(subjfnamefile)));
    const QString open = *terms.getsubjfname();
    EXPECT_EQ(terms.loadterm(QStringLiteral("Previous term"), error), TermOutcome::failed);
    EXPECT_FALSE(error.format.isEmpty());
    // The term that was open stays open, with its marks in memory and file.
    EXPECT_EQ(db.subjects[0].marks[0].mark.text(), QStringLiteral("4"));
    EXPECT_EQ(firstmark(db.path(dbfile::subjects)), QStringLiteral("4"));
    EXPECT_EQ(terms.getsubjfname(), open);
}

TEST_F(TermsFixture, RenameAndDelete)
{
    ASSERT_EQ(terms.newterm(QStringLiteral("Spring"), answer(true), error), TermOutcome::done);
    // "Previous term" is stored now; "Spring" is open without a file.
    EXPECT_EQ(terms.renameterm(QStringLiteral("Previous term"), QStringLiteral("Autumn"), terms.termlist(), error),
              TermOutcome::done);
    EXPECT_TRUE(terms.termexists(QStringLiteral("Autumn")));
    EXPECT_FALSE(terms.termexists(QStringLiteral("Previous term")));
    EXPECT_EQ(terms.getsubjfname(), QStringLiteral("Spring"));

    // A name already listed is refused, also the open term's without a file.
    EXPECT_EQ(terms.renameterm(QStringLiteral("Autumn"), QStringLiteral("Spring"), terms.termlist(), error),
              TermOutcome::failed);
    EXPECT_EQ(error.format, Terms::existsmessage);
    EXPECT_TRUE(terms.termexists(QStringLiteral("Autumn")));

    error = {};
    EXPECT_EQ(terms.deleteterm(QStringLiteral("Spring"), answer(true), error), TermOutcome::failed);
    EXPECT_EQ(error.format, Terms::openmessage);
    int asked = 0;
    EXPECT_EQ(terms.deleteterm(QStringLiteral("Autumn"), answer(false, &asked), error), TermOutcome::declined);
    EXPECT_TRUE(terms.termexists(QStringLiteral("Autumn")));
    EXPECT_EQ(terms.deleteterm(QStringLiteral("Autumn"), answer(true, &asked), error), TermOutcome::done);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(terms.termlist(), QStringList{QStringLiteral("Spring")});
}

TEST_F(TermsFixture, UnsafeNamesNeverBecomePaths)
{
    for (const char *name : {"../escape", "a/b", "x.y", "tab\there", "*"}) {
        error = {};
        EXPECT_EQ(terms.newterm(QString::fromUtf8(name), answer(true), error), TermOutcome::failed) << name;
        EXPECT_EQ(error.format, forbiddennamemessage) << name;
        EXPECT_EQ(terms.renameterm(QStringLiteral("Previous term"), QString::fromUtf8(name), {}, error),
                  TermOutcome::failed)
            << name;
    }
    EXPECT_EQ(terms.newterm(QStringLiteral("   "), answer(true), error), TermOutcome::declined);
    // Too long to be a file name with its ".dat": said so, not blamed on characters.
    for (const QString &name : {QString(300, QLatin1Char('x')), QString(252, QLatin1Char('x')),
                                QString(126, QChar(0x010D)), QString(250, QLatin1Char('x')) + QLatin1Char('/')}) {
        error = {};
        EXPECT_EQ(terms.newterm(name, answer(true), error), TermOutcome::failed) << name.size();
        EXPECT_EQ(error.format, name.endsWith(QLatin1Char('/')) ? forbiddennamemessage : toolongnamemessage)
            << name.size();
        error = {};
        EXPECT_EQ(terms.renameterm(QStringLiteral("Previous term"), name, {}, error), TermOutcome::failed);
        EXPECT_EQ(error.format, name.endsWith(QLatin1Char('/')) ? forbiddennamemessage : toolongnamemessage)
            << name.size();
    }
    EXPECT_EQ(terms.newterm(QString(251, QLatin1Char('x')), answer(true), error), TermOutcome::done);
    EXPECT_EQ(terms.getsubjfname(), QString(251, QLatin1Char('x')));
    ASSERT_TRUE(QFile::remove(db.path(subjfnamefile)));
    EXPECT_EQ(terms.newterm(QStringLiteral("Smile 😀"), answer(true), error), TermOutcome::failed);
    EXPECT_EQ(error.format, ansi::unstorablemessage);
    EXPECT_EQ(error.args, QStringList{QString::fromUcs4(U"\U0001F600")}) << "names what cannot be stored";
    EXPECT_EQ(terms.getsubjfname(), QStringLiteral("Previous term"));

    // A stored name from a backup is made safe before it names a file.
    ASSERT_TRUE(testsupport::writefile(db.path(subjfnamefile), QByteArray("../../outside\r\n")));
    const QString open = *terms.getsubjfname();
    EXPECT_TRUE(isvalidfilename(open));
    EXPECT_EQ(terms.newterm(QStringLiteral("Spring"), answer(true), error), TermOutcome::done);
    EXPECT_TRUE(QFileInfo::exists(terms.termpath(open)));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("outside.dat"))));
    EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("../outside.dat"))));

    // So is a translated caption.
    ASSERT_TRUE(QFile::remove(db.path(subjfnamefile)));
    Terms translated(db, QStringLiteral("1./2. term"));
    EXPECT_EQ(translated.getsubjfname(), QStringLiteral("1__2_ term"));
}

TEST(FileNames, TheNameRule)
{
    EXPECT_TRUE(isvalidfilename(QStringLiteral("Zimní pololetí")));
    EXPECT_FALSE(isvalidfilename(QStringLiteral(" ")));
    EXPECT_FALSE(isvalidfilename(QStringLiteral("a\nb")));
    EXPECT_FALSE(isvalidfilename(QStringLiteral("..")));
    // 255 bytes with the suffix: two-byte letters count double.
    EXPECT_TRUE(isvalidfilename(QString(251, QLatin1Char('a')), QStringLiteral(".dat")));
    EXPECT_FALSE(isvalidfilename(QString(252, QLatin1Char('a')), QStringLiteral(".dat")));
    EXPECT_FALSE(isvalidfilename(QString(126, QChar(0x10D)), QStringLiteral(".dat")));
    EXPECT_EQ(safefilename(QStringLiteral(" a/b ")), QStringLiteral("a_b"));
    EXPECT_EQ(safefilename(QStringLiteral("..")), QStringLiteral("__"));
    EXPECT_EQ(safefilename(QStringLiteral("  ")), QString());
    EXPECT_EQ(safefilename(QString(300, QLatin1Char('a')), QStringLiteral(".dat")).size(), 251);
}
