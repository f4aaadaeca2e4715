#include "school/ui/subjectslist.h"

#include "database/database.h"
#include "database/recordrules.h"
#include "platform/prompter.h"
#include "school/marks.h"
#include "widgets/language.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/storablefields.h"
#include "widgets/ui/translation.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int namelength = 30;

} // namespace

TForm6::TForm6(Database &db, QWidget *parent) : QDialog(parent), db_(db)
{
    setWindowTitle(QStringLiteral("Subjects list"));
    setfixeddialogframe(this);
    setModal(true);

    auto *box = new FramedBox(this);
    box->setObjectName(QStringLiteral("PaintBox1"));
    auto *grid = box->insidelayout<QGridLayout>();
    ListBox1 = new QListWidget(box);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMinimumSize(220, 240);
    QLabel *caption = translatedlabel(QStringLiteral("Subject name:"), box);
    Edit1 = new QLineEdit(box);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    // What is shown is what the subject keeps.
    Edit1->setMaxLength(namelength);
    refuseunstorable(Edit1);
    caption->setBuddy(Edit1);

    QPushButton *add = namedbutton("BitBtn1", QStringLiteral("Add"), box);
    QPushButton *remove = namedbutton("BitBtn2", QStringLiteral("Delete"), box);
    QPushButton *up = namedbutton("BitBtn3", QStringLiteral("Move up"), box);
    QPushButton *down = namedbutton("BitBtn4", QStringLiteral("Move down"), box);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(caption);
    buttons->addWidget(Edit1);
    for (QPushButton *b : {add, remove, up, down})
        buttons->addWidget(b);
    buttons->addStretch(1);
    grid->addWidget(ListBox1, 0, 0);
    grid->addLayout(buttons, 0, 1);

    QPushButton *ok = namedbutton("BitBtn5", QStringLiteral("OK"), this);
    newsubjecttext = hiddenlabel(this, QStringLiteral("New subject"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(box);
    layout->addWidget(ok, 0, Qt::AlignHCenter);

    connect(ListBox1, &QListWidget::currentRowChanged, this, &TForm6::ListBox1Click);
    connect(Edit1, &QLineEdit::textEdited, this, &TForm6::Edit1Change);
    connect(add, &QPushButton::clicked, this, &TForm6::BitBtn1Click);
    connect(remove, &QPushButton::clicked, this, &TForm6::BitBtn2Click);
    connect(up, &QPushButton::clicked, this, &TForm6::BitBtn3Click);
    connect(down, &QPushButton::clicked, this, &TForm6::BitBtn4Click);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TForm6::editsubjects()
{
    exec();
    dropunnamedsubjects(db_.subjects);
    db_.savesubjects();
}

void TForm6::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm6::FormShow()
{
    const QSignalBlocker quiet(ListBox1);
    ListBox1->clear();
    for (const TSubjectRec &s : db_.subjects)
        ListBox1->addItem(s.name);
    Edit1->clear();
    if (ListBox1->count() > 0) {
        ListBox1->setCurrentRow(0);
        Edit1->setText(ListBox1->item(0)->text());
    }
}

void TForm6::ListBox1Click()
{
    if (QListWidgetItem *item = ListBox1->currentItem())
        Edit1->setText(item->text());
}

void TForm6::Edit1Change()
{
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= int(db_.subjects.size()))
        return;
    ListBox1->item(row)->setText(Edit1->text());
    db_.subjects[row].name = Edit1->text().left(namelength);
}

void TForm6::BitBtn1Click()
{
    const QString name = newsubjecttext->text().left(namelength);
    ListBox1->addItem(name);
    TSubjectRec subject;
    newsubject(subject, name);
    db_.subjects.push_back(std::move(subject));
}

void TForm6::BitBtn2Click()
{
    const int row = ListBox1->currentRow();
    if (row < 0 || row >= int(db_.subjects.size()))
        return;
    if (trans_confirmation(QStringLiteral("Are you sure you want to delete selected subject including all its marks?"))
        != mb::idyes)
        return;
    db_.subjects.erase(db_.subjects.begin() + row);
    const QSignalBlocker quiet(ListBox1);
    delete ListBox1->takeItem(row);
    ListBox1->setCurrentRow(-1);
    ListBox1->clearSelection();
}

void TForm6::exchange(int row, int other)
{
    std::swap(db_.subjects[row], db_.subjects[other]);
    const QString text = ListBox1->item(row)->text();
    ListBox1->item(row)->setText(ListBox1->item(other)->text());
    ListBox1->item(other)->setText(text);
    const QSignalBlocker quiet(ListBox1);
    ListBox1->setCurrentRow(other);
}

void TForm6::BitBtn3Click()
{
    const int row = ListBox1->currentRow();
    if (row > 0 && row < int(db_.subjects.size()))
        exchange(row, row - 1);
}

void TForm6::BitBtn4Click()
{
    const int row = ListBox1->currentRow();
    if (row >= 0 && row + 1 < int(db_.subjects.size()))
        exchange(row, row + 1);
}
