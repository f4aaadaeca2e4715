#include "school/ui/termmanager.h"

#include "platform/collate.h"
#include "platform/prompter.h"
#include "widgets/language.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

void showtermerror(const TermError &error)
{
    trans_messagebox(error.format, error.args, QStringLiteral("Error"), mb::iconerror);
}

Tsubjfnameform::Tsubjfnameform(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Load/Manage terms"));
    setfixeddialogframe(this);
    setModal(true);

    auto *box = new FramedBox(this);
    box->setObjectName(QStringLiteral("PaintBox1"));
    auto *boxlayout = box->insidelayout<QVBoxLayout>();
    ListBox1 = new QListWidget(box);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFrameShape(QFrame::NoFrame);
    ListBox1->setMinimumSize(260, 200);
    boxlayout->addWidget(ListBox1);

    QPushButton *load = namedbutton("BitBtn5", QStringLiteral("Load"), this);
    QPushButton *rename = namedbutton("BitBtn1", QStringLiteral("Rename"), this);
    QPushButton *remove = namedbutton("BitBtn4", QStringLiteral("Delete"), this);
    QPushButton *storno = namedbutton("BitBtn2", QStringLiteral("Storno"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {load, rename, remove, storno})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(box);
    layout->addLayout(buttons);

    connect(load, &QPushButton::clicked, this, &Tsubjfnameform::BitBtn5Click);
    connect(rename, &QPushButton::clicked, this, &Tsubjfnameform::BitBtn1Click);
    connect(remove, &QPushButton::clicked, this, &Tsubjfnameform::BitBtn4Click);
    connect(storno, &QPushButton::clicked, this, &Tsubjfnameform::BitBtn2Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &Tsubjfnameform::BitBtn5Click);
}

int Tsubjfnameform::showterms(const Terms &terms, NameAsker askname)
{
    terms_.emplace(terms);
    askname_ = std::move(askname);
    return exec();
}

void Tsubjfnameform::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void Tsubjfnameform::FormShow()
{
    ListBox1->clear();
    if (!terms_)
        return;
    ListBox1->addItems(terms_->termlist());
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
}

QStringList Tsubjfnameform::listed() const
{
    QStringList names;
    for (int i = 0; i < ListBox1->count(); ++i)
        names << ListBox1->item(i)->text();
    return names;
}

void Tsubjfnameform::BitBtn5Click()
{
    if (terms_ && ListBox1->currentItem()) {
        TermError error;
        if (terms_->loadterm(ListBox1->currentItem()->text(), error) == TermOutcome::failed)
            showtermerror(error);
    }
    accept();
}

void Tsubjfnameform::BitBtn1Click()
{
    QListWidgetItem *item = ListBox1->currentItem();
    if (!terms_ || !item || !askname_)
        return;
    const QString name = askname_(QStringLiteral("Term"), QStringLiteral("Enter the new name for term:"), QString(),
                                  true, NameKept::inlistfile);
    TermError error;
    switch (terms_->renameterm(item->text(), name, listed(), error)) {
    case TermOutcome::done: {
        // The list keeps its alphabetical order.
        QStringList names = listed();
        names[ListBox1->row(item)] = name;
        sortalphabetically(names);
        ListBox1->clear();
        ListBox1->addItems(names);
        ListBox1->setCurrentRow(int(names.indexOf(name)));
        break;
    }
    case TermOutcome::failed: showtermerror(error); break;
    case TermOutcome::declined: break;
    }
}

void Tsubjfnameform::BitBtn4Click()
{
    QListWidgetItem *item = ListBox1->currentItem();
    if (!terms_ || !item)
        return;
    TermError error;
    const TermOutcome outcome = terms_->deleteterm(
        item->text(), [] { return trans_confirmation(Terms::deletequestion) == mb::idyes; }, error);
    if (outcome == TermOutcome::failed) {
        showtermerror(error);
    } else if (outcome == TermOutcome::done) {
        delete ListBox1->takeItem(ListBox1->row(item));
        if (ListBox1->count() > 0)
            ListBox1->setCurrentRow(0);
    }
}

void Tsubjfnameform::BitBtn2Click()
{
    reject();
}
