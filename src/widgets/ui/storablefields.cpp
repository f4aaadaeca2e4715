#include "widgets/ui/storablefields.h"

#include "platform/ansi.h"
#include "widgets/storabletext.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QValidator>

namespace {

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
        if (ansi::encodable(input)) {
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

bool checkstorable(const QList<QWidget *> &fields)
{
    for (QWidget *field : fields) {
        if (checkstorable(fieldtext(field)))
            continue;
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
            checkstorable(text);
        });
    });
}
