// Who answers the program's messages and questions: the prompter set for a
// while, else the default one (the desktop's message boxes, set by the
// program), else nobody: the log, and the answer that changes nothing.

#include "platform/prompter.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

class Answering : public Prompter
{
public:
    explicit Answering(int answer) : answer_(answer) {}
    int messagebox(QWidget *, const QString &, const QString &, int) override { return answer_; }
    int confirmation(QWidget *, const QString &) override { return answer_; }

private:
    int answer_;
};

QStringList logged;

void keeplog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    logged << message;
}

} // namespace

TEST(Prompter, WithoutAPrompterMessagesGoToTheLogAndQuestionsChangeNothing)
{
    Prompter *const program = setdefaultprompter(nullptr);
    logged.clear();
    const QtMessageHandler before = qInstallMessageHandler(keeplog);
    EXPECT_EQ(prompter().messagebox(nullptr, QStringLiteral("Disk full"), QStringLiteral("Error"), mb::iconerror),
              mb::idok);
    EXPECT_EQ(prompter().confirmation(nullptr, QStringLiteral("Delete selected note?")), mb::idno);
    EXPECT_EQ(prompter().confirmationorcancel(nullptr, QStringLiteral("Save changes?")), mb::idcancel);
    qInstallMessageHandler(before);
    setdefaultprompter(program);
    EXPECT_EQ(logged, QStringList({"Error: Disk full", "Unanswered: Delete selected note?",
                                   "Unanswered: Save changes?"}));
}

TEST(Prompter, OneSetForAWhileGoesBeforeTheDefault)
{
    Answering boxes(mb::idyes);
    Answering stand(mb::idno);
    Prompter *const before = setdefaultprompter(&boxes);
    EXPECT_EQ(prompter().confirmation(nullptr, QStringLiteral("Sure?")), mb::idyes);
    setprompter(&stand);
    EXPECT_EQ(prompter().confirmation(nullptr, QStringLiteral("Sure?")), mb::idno);
    setprompter(nullptr);
    EXPECT_EQ(&prompter(), &boxes) << "back to the default";
    EXPECT_EQ(setdefaultprompter(nullptr), &boxes);
    EXPECT_NE(&prompter(), &boxes);
    setdefaultprompter(before);
}
