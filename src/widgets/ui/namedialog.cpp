#include "widgets/ui/namedialog.h"

#include "platform/prompter.h"
#include "widgets/language.h"
#include "widgets/storabletext.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

TForm4::TForm4(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Category"));
    setfixeddialogframe(this);
    setModal(true);

    prompt_ = new QLabel(QStringLiteral("Enter category name:"), this);
    settranslatable(prompt_, TransKind::label, 1); // set by every call
    QFont bold = prompt_->font();
    bold.setBold(true);
    prompt_->setFont(bold);

    box_ = new FramedBox(this);
    box_->setObjectName(QStringLiteral("PaintBox1"));
    edit_ = new QLineEdit(box_);
    edit_->setFrame(false);
    edit_->setMaxLength(255);
    edit_->setMinimumWidth(399);
    auto *boxlayout = new QHBoxLayout(box_);
    boxlayout->setContentsMargins(20, 18, 20, 18);
    boxlayout->addWidget(edit_);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    settranslatable(ok_, TransKind::bitbtn);
    // Enter is handled by the edit itself, so OK must not be a default button too.
    ok_->setAutoDefault(false);
    ok_->setDefault(false);
    ok_->setMinimumSize(81, 25);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(prompt_);
    layout->addWidget(box_);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, &TForm4::okclicked);
    connect(edit_, &QLineEdit::returnPressed, this, &TForm4::okclicked);
    // One line only: a pasted text is cut at its first line break, which would
    // otherwise split a line of a list file.
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString &text) {
        const qsizetype cut = text.indexOf(QRegularExpression(QStringLiteral("[\\r\\n]")));
        if (cut >= 0)
            edit_->setText(text.left(cut));
    });
}

QString TForm4::getstring(const QString &caption, const QString &prompt, const QString &initial, bool checkname,
                          NameKept kept)
{
    const Language &language = currentlanguage();
    setWindowTitle(language.lookup(QStringLiteral("Messages"), caption));
    prompt_->setText(language.lookup(QStringLiteral("Messages"), prompt));
    edit_->setText(initial);
    checkname_ = checkname;
    kept_ = kept;
    exec();
    return resultstring_;
}

NameAsker TForm4::asker()
{
    return [this](const QString &caption, const QString &prompt, const QString &initial, bool checkname,
                  NameKept kept) { return getstring(caption, prompt, initial, checkname, kept); };
}

void TForm4::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    edit_->setFocus();
    edit_->selectAll();
    resultstring_.clear();
}

void TForm4::keyPressEvent(QKeyEvent *event)
{
    // Escape does not close the dialog; only OK or the close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm4::okclicked()
{
    const QString text = edit_->text();
    if (checkname_) {
        for (QChar c : forbidden) {
            if (text.contains(c)) {
                trans_messagebox(forbiddennamemessage, QStringLiteral("Error"), mb::iconerror);
                return;
            }
        }
    }
    // The text stays in the field to mend.
    if (kept_ == NameKept::inlistfile && !checkstorable(text))
        return;
    resultstring_ = text;
    accept();
}
