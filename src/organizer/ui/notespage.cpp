#include "organizer/ui/notespage.h"

#include "database/settings.h"
#include "organizer/notes.h"
#include "platform/hashtext.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "widgets/language.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

NotesPage::NotesPage(Database &db, Settings &settings, Clock &clock, NameAsker askname, NoteOpener builtineditor,
                     QWidget *parent)
    : CategoryPage(db, settings, clock, std::move(askname), parent,
                   {"ListBox3", "BitBtn27", "BitBtn35", "BitBtn36", dbfile::memocategories,
                    &Database::memocategories, true, deletecategoryquestion}),
      builtineditor_(std::move(builtineditor))
{
    auto *page = pagelayout<QHBoxLayout>();
    buildcategories(page, 1);
    buildnotes(page);
}

void NotesPage::buildnotes(QBoxLayout *page)
{
    auto *right = new QVBoxLayout;
    auto *box = new FramedBox(this);
    auto *inside = box->insidelayout<QVBoxLayout>();
    inside->addWidget(captionlabel(QStringLiteral("Notes:"), box));
    memoslistbox = new QListWidget(box);
    memoslistbox->setObjectName(QStringLiteral("memoslistbox"));
    memoslistbox->setFrameShape(QFrame::NoFrame);
    memoslistbox->setUniformItemSizes(true);
    memoslistbox->installEventFilter(this);
    inside->addWidget(memoslistbox);
    right->addWidget(box, 1);

    auto *buttons = new QHBoxLayout;
    BitBtn40 = namedbutton("BitBtn40", QStringLiteral("New"), this);
    BitBtn38 = namedbutton("BitBtn38", QStringLiteral("Rename"), this);
    BitBtn41 = namedbutton("BitBtn41", QStringLiteral("Delete"), this);
    buttons->addWidget(BitBtn40);
    buttons->addWidget(BitBtn38);
    buttons->addWidget(BitBtn41);
    buttons->addStretch(1);
    right->addLayout(buttons);
    page->addLayout(right, 2);

    connect(memoslistbox, &QListWidget::itemDoubleClicked, this, &NotesPage::memoslistboxDblClick);
    connect(BitBtn40, &QPushButton::clicked, this, &NotesPage::BitBtn40Click);
    connect(BitBtn38, &QPushButton::clicked, this, &NotesPage::BitBtn38Click);
    connect(BitBtn41, &QPushButton::clicked, this, &NotesPage::BitBtn41Click);
}

QString NotesPage::memosfolder() const
{
    return db_.path(dbfolder::memos);
}

QString NotesPage::memofilename(const QString &name) const
{
    return ::memofilename(memosfolder(), selectedcategory(), name);
}

QStringList NotesPage::categorynotes(const QString &category) const
{
    return notesof(notefiles(memosfolder()), category, usercategories());
}

QStringList NotesPage::noterows() const
{
    QStringList rows;
    for (int i = 0; i < memoslistbox->count(); ++i)
        rows << memoslistbox->item(i)->text();
    return rows;
}

void NotesPage::fillnotes(const QString &select)
{
    const QStringList names = categorynotes(selectedcategory());
    const QSignalBlocker quiet(memoslistbox);
    memoslistbox->clear();
    memoslistbox->addItems(names);
    const qsizetype row = select.isEmpty() ? -1 : names.indexOf(select);
    if (row >= 0)
        memoslistbox->setCurrentRow(int(row));
    else if (!names.isEmpty())
        memoslistbox->setCurrentRow(0);
}

void NotesPage::countmemos()
{
    const OwnChange own(*this);
    db_.tell(DbKind::notes);
}

void NotesPage::ListBox3Click()
{
    fillnotes(QString());
}

void NotesPage::openmemo(const QString &path, const QString &name)
{
    const int choice = settings_.number(Setting::memoedit);
    bool opened = true;
    if (choice == 0)
        builtineditor_(path, name + QStringLiteral(" - ") +
                                 currentlanguage().lookup(QStringLiteral("ComboBoxes"), builtineditor));
    else
        opened = openexternal(choice, settings_.text(Setting::extedit), path);
    if (!opened)
        trans_messagebox(openfailed, QStringLiteral("Error"), mb::iconerror);
}

void NotesPage::memoslistboxDblClick()
{
    const QListWidgetItem *item = memoslistbox->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString name = item->text();
    openmemo(memofilename(name), name);
}

void NotesPage::reportnote(NoteResult result, const QString &failure)
{
    switch (result) {
    case NoteResult::done: break;
    case NoteResult::exists: trans_messagebox(noteexists, QStringLiteral("Error"), mb::iconerror); break;
    case NoteResult::badcharacters:
        trans_messagebox(forbiddennamemessage, QStringLiteral("Error"), mb::iconerror);
        break;
    case NoteResult::toolong: trans_messagebox(toolongnamemessage, QStringLiteral("Error"), mb::iconerror); break;
    case NoteResult::failed: trans_messagebox(failure, QStringLiteral("Error"), mb::iconerror); break;
    }
}

void NotesPage::BitBtn40Click()
{
    // A note's name is only its file's name, which holds any character.
    const QString name =
        askname(QStringLiteral("Note"), QStringLiteral("Enter note name:"), QString(), true, NameKept::asfilename);
    if (nameexists(name, noterows())) {
        trans_messagebox(noteexists, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    if (name.isEmpty())
        return;
    const NoteResult result = createnote(memosfolder(), selectedcategory(), name);
    if (result != NoteResult::done) {
        reportnote(result, createfailed);
        return;
    }
    ListBox3Click();
    countmemos();
    openmemo(memofilename(name), name);
}

void NotesPage::BitBtn38Click()
{
    const QListWidgetItem *item = memoslistbox->currentItem();
    if (!item || !item->isSelected())
        return;
    const QString old = item->text();
    const QString name =
        askname(QStringLiteral("Note"), QStringLiteral("Enter note name:"), old, true, NameKept::asfilename);
    if (name == old)
        return;
    if (renameclashes(old, name, noterows())) {
        trans_messagebox(noteexists, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    if (name.isEmpty())
        return;
    const NoteResult result = renamenote(memosfolder(), selectedcategory(), old, name);
    if (result != NoteResult::done) {
        reportnote(result, renamefailed);
        return;
    }
    // The renamed note takes its sorted place and stays selected.
    fillnotes(name);
}

void NotesPage::BitBtn41Click()
{
    const QListWidgetItem *item = memoslistbox->currentItem();
    if (!item || !item->isSelected() || trans_confirmation(deletequestion) != mb::idyes)
        return;
    const int row = memoslistbox->row(item);
    if (!deletenote(memosfolder(), selectedcategory(), item->text())) {
        trans_messagebox(deletefailed, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    {
        const QSignalBlocker quiet(memoslistbox);
        delete memoslistbox->takeItem(row);
        memoslistbox->setCurrentRow(-1);
        if (row < memoslistbox->count())
            memoslistbox->setCurrentRow(row);
        else if (row > 0)
            memoslistbox->setCurrentRow(row - 1);
    }
    countmemos();
}

bool NotesPage::renamecontent(const QString &old, const QString &name)
{
    const NoteResult result = renamenotecategory(memosfolder(), old, name, categorynotes(old));
    if (result == NoteResult::failed) {
        // The category is renamed all the same; the notes left behind show
        // under the default category.
        trans_messagebox(renamesomefailed, QStringLiteral("Error"), mb::iconerror);
        return true;
    }
    reportnote(result, renamesomefailed);
    return result == NoteResult::done;
}

void NotesPage::deletecontent(const QString &category)
{
    if (!deletenotecategory(memosfolder(), category, categorynotes(category)))
        trans_messagebox(deletesomefailed, QStringLiteral("Error"), mb::iconerror);
    countmemos();
}

void NotesPage::otherchange(DbKind kind)
{
    if (kind != DbKind::notes)
        return;
    const QListWidgetItem *item = memoslistbox->currentItem();
    fillnotes(item ? item->text() : QString());
}

bool NotesPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == memoslistbox && listkeys(event, [this] { memoslistboxDblClick(); }, [this] { BitBtn41Click(); }))
        return true;
    return CategoryPage::eventFilter(watched, event);
}
