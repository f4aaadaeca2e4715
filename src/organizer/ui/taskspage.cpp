#include "organizer/ui/taskspage.h"

#include "organizer/tasks.h"
#include "platform/prompter.h"
#include "platform/ui/icons.h"
#include "platform/ui/printer.h"
#include "widgets/language.h"
#include "widgets/pagetable.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton *iconbutton(const char *name, const char *icon, const QString &hint, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(QIcon(iconpixmap(QLatin1String(icon), QSize(16, 16))));
    b->setToolTip(hint);
    settranslatable(b, TransKind::bitbtn);
    return b;
}

QListWidgetItem *checkitem(const TTaskRec &task)
{
    auto *item = new QListWidgetItem(task.text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(task.done ? Qt::Checked : Qt::Unchecked);
    return item;
}

} // namespace

TasksPage::TasksPage(Database &db, Settings &settings, Clock &clock, NameAsker askname, QWidget *parent)
    : CategoryPage(db, settings, clock, std::move(askname), parent,
                   {"ListBox2", "BitBtn3", "BitBtn16", "BitBtn4", dbfile::categories, &Database::taskcategories,
                    false, deletecategoryquestion})
{
    auto *page = pagelayout<QHBoxLayout>();
    buildcategories(page, 2);
    buildtasks(page);
    setheading();
}

void TasksPage::buildtasks(QBoxLayout *page)
{
    auto *right = new QVBoxLayout;
    auto *box = new FramedBox(this);
    auto *inside = box->insidelayout<QVBoxLayout>();
    Label18 = captionlabel(QString(), box);
    Label18->setObjectName(QStringLiteral("Label18"));
    settranslatable(Label18, TransKind::label, 1); // put together at run time
    CheckListBox1 = new QListWidget(box);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setFrameShape(QFrame::NoFrame);
    CheckListBox1->setUniformItemSizes(true);
    // Separators run to the list's edge rather than off it.
    CheckListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    CheckListBox1->setTextElideMode(Qt::ElideNone);
    CheckListBox1->installEventFilter(this);
    inside->addWidget(Label18);
    inside->addWidget(CheckListBox1);
    right->addWidget(box, 1);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    BitBtn10 = namedbutton("BitBtn10", QStringLiteral("New"), this);
    SpeedButton6 = iconbutton("SpeedButton6", "arrowdown.svg", QStringLiteral("More options"), this);
    BitBtn13 = namedbutton("BitBtn13", QStringLiteral("Rename"), this);
    BitBtn11 = namedbutton("BitBtn11", QStringLiteral("Delete"), this);
    BitBtn26 = iconbutton("BitBtn26", "arrowdown.svg", QStringLiteral("More options"), this);
    BitBtn19 = iconbutton("BitBtn19", "moveup.svg", QStringLiteral("Move up"), this);
    BitBtn20 = iconbutton("BitBtn20", "movedown.svg", QStringLiteral("Move down"), this);
    BitBtn39 = namedbutton("BitBtn39", QStringLiteral("Print"), this);
    BitBtn39->setToolTip(QStringLiteral("Print tasks in category"));
    for (QWidget *w : std::initializer_list<QWidget *>{BitBtn10, SpeedButton6, BitBtn13, BitBtn11, BitBtn26,
                                                       BitBtn19, BitBtn20})
        buttons->addWidget(w);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn39);
    right->addLayout(buttons);
    page->addLayout(right, 3);

    newmenu = new QMenu(this);
    newmenu->setObjectName(QStringLiteral("newmenu"));
    newmenu->addAction(QStringLiteral("To the end"), this, &TasksPage::BitBtn10Click);
    newmenu->addAction(QStringLiteral("Before selected task"), this, &TasksPage::Pedoznaenoupozici1Click);
    newmenu->addAction(QStringLiteral("Line separator"), this, &TasksPage::Oddlovacrunakonec1Click);
    newmenu->addAction(QStringLiteral("Headline separator"), this, &TasksPage::Oddlovacnadpis1Click);
    settranslatable(newmenu, TransKind::popupmenu);
    deletemenu = new QMenu(this);
    deletemenu->setObjectName(QStringLiteral("deletemenu"));
    deletemenu->addAction(QStringLiteral("Selected task"), this, &TasksPage::BitBtn11Click);
    deletemenu->addAction(QStringLiteral("Accomplished in this category"), this, &TasksPage::Vttokategorii1Click);
    deletemenu->addAction(QStringLiteral("Accomplished in all categories"), this,
                          &TasksPage::Vevechkategorich1Click);
    settranslatable(deletemenu, TransKind::popupmenu);

    connect(CheckListBox1, &QListWidget::itemDoubleClicked, this, &TasksPage::CheckListBox1DblClick);
    // Filling and renaming rows is done with the list's signals blocked, so
    // only a tick by the user arrives here.
    connect(CheckListBox1, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { CheckListBox1ClickCheck(CheckListBox1->row(item)); });
    connect(BitBtn10, &QPushButton::clicked, this, &TasksPage::BitBtn10Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TasksPage::SpeedButton6Click);
    connect(BitBtn13, &QPushButton::clicked, this, &TasksPage::CheckListBox1DblClick);
    connect(BitBtn11, &QPushButton::clicked, this, &TasksPage::BitBtn11Click);
    connect(BitBtn26, &QToolButton::clicked, this, &TasksPage::BitBtn26Click);
    BitBtn26->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(BitBtn26, &QToolButton::customContextMenuRequested, this, &TasksPage::BitBtn26Click);
    connect(BitBtn19, &QToolButton::clicked, this, &TasksPage::BitBtn19Click);
    connect(BitBtn20, &QToolButton::clicked, this, &TasksPage::BitBtn20Click);
    connect(BitBtn39, &QPushButton::clicked, this, &TasksPage::BitBtn39Click);
}

void TasksPage::setheading()
{
    Label18->setText(pagecaption(pagetasks) + QStringLiteral(": (") + QString::number(CheckListBox1->count()) +
                     QLatin1Char(')'));
}

void TasksPage::savetasks()
{
    const OwnChange own(*this);
    db_.savetasks(); // the Overview recounts from its signal
}

int TasksPage::selectedrow() const
{
    const int row = CheckListBox1->currentRow();
    if (row < 0 || row >= taskrowmap.size() || !CheckListBox1->item(row)->isSelected())
        return -1;
    return row;
}

void TasksPage::selectrow(int row)
{
    const QSignalBlocker quiet(CheckListBox1);
    CheckListBox1->setCurrentRow(row);
}

void TasksPage::ListBox2Click()
{
    taskrowmap = ::taskrowmap(db_.tasks, gettaskcategory());
    const QSignalBlocker quiet(CheckListBox1);
    CheckListBox1->clear();
    for (const int record : std::as_const(taskrowmap))
        CheckListBox1->addItem(checkitem(db_.tasks[size_t(record)]));
    if (CheckListBox1->count() > 0)
        CheckListBox1->setCurrentRow(0);
    setheading();
}

void TasksPage::addtask(int position)
{
    QString text;
    if (position != -2)
        text = askname(QStringLiteral("Task"), QStringLiteral("Text:"), QString(), false, NameKept::inlistfile);
    if (position == -3)
        text = headlineseparator(text);
    else if (position == -2)
        text = lineseparator();
    if (position < 0)
        position = -1;
    const int row = inserttask(db_.tasks, taskrowmap, position, text, gettaskcategory());
    if (row >= 0) {
        {
            const QSignalBlocker quiet(CheckListBox1);
            CheckListBox1->insertItem(row, checkitem(db_.tasks[size_t(taskrowmap[row])]));
            CheckListBox1->setCurrentRow(row);
        }
        savetasks();
    }
    setheading();
}

void TasksPage::Pedoznaenoupozici1Click()
{
    const int row = selectedrow();
    if (row >= 0)
        addtask(row);
}

void TasksPage::CheckListBox1DblClick()
{
    const int row = selectedrow();
    if (row < 0)
        return;
    TTaskRec &task = db_.tasks[size_t(taskrowmap[row])];
    const QString text =
        askname(QStringLiteral("Task"), QStringLiteral("Text:"), task.text, false, NameKept::inlistfile);
    if (text.isEmpty())
        return;
    task.text = text;
    {
        const QSignalBlocker quiet(CheckListBox1);
        CheckListBox1->item(row)->setText(task.text);
    }
    savetasks();
}

void TasksPage::CheckListBox1ClickCheck(int row)
{
    if (row < 0 || row >= taskrowmap.size())
        return;
    // The flag follows the box: a repeated signal changes nothing.
    const bool ticked = CheckListBox1->item(row)->checkState() == Qt::Checked;
    TTaskRec &task = db_.tasks[size_t(taskrowmap[row])];
    if (task.done == ticked)
        return;
    task.done = ticked;
    savetasks();
}

void TasksPage::BitBtn11Click()
{
    const int row = selectedrow();
    if (row < 0 || trans_confirmation(deletetaskquestion) != mb::idyes) {
        setheading();
        return;
    }
    deletetaskrow(db_.tasks, taskrowmap, row);
    {
        const QSignalBlocker quiet(CheckListBox1);
        delete CheckListBox1->takeItem(row);
        CheckListBox1->setCurrentRow(-1);
        if (row < CheckListBox1->count())
            CheckListBox1->setCurrentRow(row);
        else if (row > 0)
            CheckListBox1->setCurrentRow(row - 1);
    }
    savetasks();
    setheading();
}

void TasksPage::deletedone(const QString &question, bool thiscategory)
{
    if (trans_confirmation(question) != mb::idyes)
        return;
    if (thiscategory)
        deleteaccomplished(db_.tasks, gettaskcategory());
    else
        deleteaccomplished(db_.tasks);
    savetasks();
    ListBox2Click();
}

void TasksPage::Vttokategorii1Click()
{
    deletedone(deletedonequestion, true);
}

void TasksPage::Vevechkategorich1Click()
{
    deletedone(deletealldonequestion, false);
}

void TasksPage::moveselected(int step)
{
    const int row = selectedrow();
    if (row < 0 || !swaptaskrows(db_.tasks, taskrowmap, row, row + step))
        return;
    {
        const QSignalBlocker quiet(CheckListBox1);
        QListWidgetItem *item = CheckListBox1->takeItem(row);
        CheckListBox1->insertItem(row + step, item);
        // The moved task stays selected, so it can be moved on.
        CheckListBox1->setCurrentRow(row + step);
    }
    savetasks();
}

void TasksPage::BitBtn19Click()
{
    moveselected(-1);
}

void TasksPage::BitBtn20Click()
{
    moveselected(1);
}

void TasksPage::popupat(QMenu *menu, QWidget *button)
{
    // The button's place on the page, taken in the main window's client
    // area, 150 to the right and 30 down: just below the button's top.
    const QPoint corner = button->mapTo(this, QPoint(0, 0));
    menu->popup(window()->mapToGlobal(corner) + QPoint(150, 30));
}

void TasksPage::SpeedButton6Click()
{
    popupat(newmenu, SpeedButton6);
}

void TasksPage::BitBtn26Click()
{
    popupat(deletemenu, BitBtn26);
}

bool TasksPage::renamecontent(const QString &old, const QString &name)
{
    renametaskcategory(db_.tasks, old, name);
    savetasks();
    return true;
}

void TasksPage::deletecontent(const QString &category)
{
    deletetaskcategory(db_.tasks, category);
    savetasks();
}

void TasksPage::otherchange(DbKind kind)
{
    if (kind == DbKind::tasks)
        ListBox2Click();
}

bool TasksPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == CheckListBox1 && listkeys(event, [this] { CheckListBox1DblClick(); }, [this] { BitBtn11Click(); }))
        return true;
    return CategoryPage::eventFilter(watched, event);
}

void TasksPage::BitBtn39Click()
{
    // The rows exactly as the list shows them, ticks and separators included.
    QList<TaskRow> rows;
    for (int row = 0; row < CheckListBox1->count(); ++row) {
        const QListWidgetItem *item = CheckListBox1->item(row);
        rows.push_back({item->checkState() == Qt::Checked, item->text()});
    }
    const QListWidgetItem *category = categorylist->currentItem();
    printing::printtext(this, QStringLiteral("Quillmoter"), taskprintlines(category ? category->text() : QString(), rows));
}
