#include "widgets/storabletext.h"

#include "platform/ansi.h"
#include "platform/prompter.h"
#include "widgets/language.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QValidator>

namespace {

void refuse(const QString &text)
{
    trans_messagebox(ansi::unstorablemessage, {ansi::unstorablechars(text)}, QStringLiteral("Error"),
                     mb::iconerror);
}

QString fieldtext(const QWidget *field)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(field))
        return line->text();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(field))
        return plain->toPlainText();
    return QString();
}

// Turns away any text holding a character the files cannot hold, and
// remembers that text for the message.
class StorableValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        if (ansi::unstorable(input).isEmpty()) {
            refused.clear();
            return Acceptable;
        }
        refused = input;
        return Invalid;
    }

    mutable QString refused;
    bool telling = false;
};

} // namespace

bool checkstorable(const QString &text)
{
    if (ansi::unstorable(text).isEmpty())
        return true;
    refuse(text);
    return false;
}

bool checkstorable(const QList<QWidget *> &fields)
{
    for (QWidget *field : fields) {
        const QString text = fieldtext(field);
        if (ansi::unstorable(text).isEmpty())
            continue;
        refuse(text);
        field->setFocus();
        return false;
    }
    return true;
}

void refuseunstorable(QLineEdit *edit)
{
    auto *validator = new StorableValidator(edit);
    edit->setValidator(validator);
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [validator] {
        // A full field rejects a key too; only a refused character is told,
        // once, after the edit's own key handling is over.
        if (validator->refused.isEmpty() || validator->telling)
            return;
        validator->telling = true;
        QTimer::singleShot(0, validator, [validator, text = validator->refused] {
            validator->telling = false;
            refuse(text);
        });
    });
}
