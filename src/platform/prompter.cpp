#include "platform/prompter.h"

#include <QDebug>

namespace {

// Where no window side has set its prompter (a program or test of the logic
// alone): the message goes to the log, and a question gets the answer that
// changes nothing.
class LogPrompter : public Prompter
{
public:
    int messagebox(QWidget *, const QString &text, const QString &caption, int) override
    {
        qWarning().noquote() << caption + QStringLiteral(": ") + text;
        return mb::idok;
    }
    int confirmation(QWidget *, const QString &text) override
    {
        qWarning().noquote() << QStringLiteral("Unanswered: ") + text;
        return mb::idno;
    }
    int confirmationorcancel(QWidget *, const QString &text) override
    {
        qWarning().noquote() << QStringLiteral("Unanswered: ") + text;
        return mb::idcancel;
    }
};

LogPrompter logonly;
Prompter *fallback = &logonly;
Prompter *current = nullptr;

} // namespace

Prompter &prompter()
{
    return current ? *current : *fallback;
}

void setprompter(Prompter *replacement)
{
    current = replacement;
}

Prompter *setdefaultprompter(Prompter *prompter)
{
    Prompter *before = fallback == &logonly ? nullptr : fallback;
    fallback = prompter ? prompter : &logonly;
    return before;
}
