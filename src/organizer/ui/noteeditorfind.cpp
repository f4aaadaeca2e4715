#include "organizer/ui/noteeditorfind.h"

#include "widgets/ui/framedbox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

MemoFindDialog::MemoFindDialog(bool replacing, QWidget *parent) : QDialog(parent)
{
    setObjectName(replacing ? QStringLiteral("ReplaceDialog1") : QStringLiteral("FindDialog1"));
    setWindowTitle(replacing ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setfixeddialogframe(this);
    auto *grid = new QGridLayout(this);
    findedit_ = new QLineEdit(this);
    findedit_->setObjectName(QStringLiteral("findtext"));
    auto *findlabel = new QLabel(QStringLiteral("Fi&nd what:"), this);
    findlabel->setBuddy(findedit_);
    grid->addWidget(findlabel, 0, 0);
    grid->addWidget(findedit_, 0, 1);
    int row = 1;
    if (replacing) {
        replaceedit_ = new QLineEdit(this);
        replaceedit_->setObjectName(QStringLiteral("replacetext"));
        auto *replacelabel = new QLabel(QStringLiteral("Re&place with:"), this);
        replacelabel->setBuddy(replaceedit_);
        grid->addWidget(replacelabel, row, 0);
        grid->addWidget(replaceedit_, row, 1);
        ++row;
    }
    wholeword_ = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    matchcase_ = new QCheckBox(QStringLiteral("Match &case"), this);
    grid->addWidget(wholeword_, row++, 0, 1, 2);
    grid->addWidget(matchcase_, row++, 0, 1, 2);
    if (!replacing) {
        auto *direction = new QGroupBox(QStringLiteral("Direction"), this);
        auto *directions = new QHBoxLayout(direction);
        up_ = new QRadioButton(QStringLiteral("&Up"), direction);
        auto *down = new QRadioButton(QStringLiteral("&Down"), direction);
        down->setChecked(true);
        directions->addWidget(up_);
        directions->addWidget(down);
        grid->addWidget(direction, row++, 0, 1, 2);
    }

    auto *buttons = new QVBoxLayout;
    auto *next = new QPushButton(QStringLiteral("&Find Next"), this);
    next->setObjectName(QStringLiteral("findnext"));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &MemoFindDialog::findnext);
    buttons->addWidget(next);
    if (replacing) {
        auto *one = new QPushButton(QStringLiteral("&Replace"), this);
        one->setObjectName(QStringLiteral("replace"));
        connect(one, &QPushButton::clicked, this, &MemoFindDialog::replace);
        auto *all = new QPushButton(QStringLiteral("Replace &All"), this);
        all->setObjectName(QStringLiteral("replaceall"));
        connect(all, &QPushButton::clicked, this, &MemoFindDialog::replaceall);
        buttons->addWidget(one);
        buttons->addWidget(all);
    }
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 2, row, 1);
}

void MemoFindDialog::start(const QString &findtext, const QString &replacement)
{
    findedit_->setText(findtext);
    findedit_->selectAll();
    if (replaceedit_)
        replaceedit_->setText(replacement);
    findedit_->setFocus();
}

QString MemoFindDialog::findtext() const
{
    return findedit_->text();
}

QString MemoFindDialog::replacement() const
{
    return replaceedit_ ? replaceedit_->text() : QString();
}

QTextDocument::FindFlags MemoFindDialog::flags() const
{
    QTextDocument::FindFlags f;
    if (wholeword_->isChecked())
        f |= QTextDocument::FindWholeWords;
    if (matchcase_->isChecked())
        f |= QTextDocument::FindCaseSensitively;
    if (up_ && up_->isChecked())
        f |= QTextDocument::FindBackward;
    return f;
}
