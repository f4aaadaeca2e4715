#include "organizer/ui/categorypage.h"

#include "platform/collate.h"
#include "platform/hashtext.h"
#include "platform/prompter.h"
#include "platform/ui/icons.h"
#include "widgets/language.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

CategoryPage::CategoryPage(Database &db, Settings &settings, Clock &clock, NameAsker askname, QWidget *parent,
                           const Setup &setup)
    : PageWidget(db, settings, clock, parent), setup_(setup), askname_{std::move(askname)}
{
    connect(&db_, &Database::changed, this, &CategoryPage::databasechanged);
    connect(&db_, &Database::reloaded, this, [this] {
        showcategories(QString());
        categorychosen();
    });
}

void CategoryPage::buildcategories(QBoxLayout *page, int stretch)
{
    auto *left = new QVBoxLayout;
    auto *box = new FramedBox(this);
    auto *inside = box->insidelayout<QVBoxLayout>();
    inside->addWidget(captionlabel(QStringLiteral("Categories:"), box));
    categorylist = new QListWidget(box);
    categorylist->setObjectName(QLatin1String(setup_.list));
    categorylist->setFrameShape(QFrame::NoFrame);
    categorylist->setUniformItemSizes(true);
    categorylist->installEventFilter(this);
    inside->addWidget(categorylist);
    left->addWidget(box, 1);

    auto *buttons = new QHBoxLayout;
    newbutton_ = namedbutton(setup_.newbutton, QStringLiteral("New"), this);
    renamebutton_ = namedbutton(setup_.renamebutton, QStringLiteral("Rename"), this);
    deletebutton_ = new QToolButton(this);
    deletebutton_->setObjectName(QLatin1String(setup_.deletebutton));
    deletebutton_->setIcon(QIcon(iconpixmap(QStringLiteral("delete.svg"), QSize(16, 16))));
    deletebutton_->setToolTip(QStringLiteral("Delete"));
    settranslatable(deletebutton_, TransKind::bitbtn);
    buttons->addWidget(newbutton_);
    buttons->addWidget(renamebutton_);
    buttons->addWidget(deletebutton_);
    buttons->addStretch(1);
    left->addLayout(buttons);
    page->addLayout(left, stretch);

    connect(categorylist, &QListWidget::currentRowChanged, this, [this] { categorychosen(); });
    connect(newbutton_, &QPushButton::clicked, this, &CategoryPage::newcategory);
    connect(renamebutton_, &QPushButton::clicked, this, &CategoryPage::renamecategory);
    connect(deletebutton_, &QToolButton::clicked, this, &CategoryPage::deletecategory);
}

QString CategoryPage::askname(const QString &caption, const QString &prompt, const QString &initial,
                              bool checkname, NameKept kept) const
{
    return askname_(caption, prompt, initial, checkname, kept);
}

bool CategoryPage::hasselectedcategory() const
{
    return categorylist->currentItem() != nullptr;
}

QString CategoryPage::selectedcategory() const
{
    const QListWidgetItem *item = categorylist->currentItem();
    if (!item || item->text() == db_.unfiled)
        return QString();
    return item->text();
}

QStringList CategoryPage::usercategories() const
{
    QStringList names;
    for (const QString &row : std::as_const(rows())) {
        if (row != db_.unfiled)
            names << row;
    }
    return names;
}

void CategoryPage::showcategories(const QString &select)
{
    const QSignalBlocker quiet(categorylist);
    categorylist->clear();
    categorylist->addItems(rows());
    const qsizetype row = select.isEmpty() ? -1 : rows().indexOf(select);
    categorylist->setCurrentRow(row >= 0 ? int(row) : (rows().isEmpty() ? -1 : 0));
}

void CategoryPage::savecategories()
{
    const OwnChange own(*this);
    db_.savecategories(rows(), setup_.filename);
}

void CategoryPage::newcategory()
{
    // Both category lists are windows-1250 files.
    const QString name = askname(QStringLiteral("Category"), QStringLiteral("Enter category name:"), QString(),
                                 setup_.checkname, NameKept::inlistfile);
    if (nameexists(name, rows())) {
        trans_messagebox(categoryexists, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    if (name.isEmpty())
        return;
    const QString selected = categorylist->currentItem() ? categorylist->currentItem()->text() : QString();
    rows() << name;
    sortalphabetically(rows());
    showcategories(selected);
    savecategories();
}

void CategoryPage::renamecategory()
{
    const QListWidgetItem *item = categorylist->currentItem();
    if (!item || item->text() == db_.unfiled)
        return;
    const QString old = item->text();
    const QString name = askname(QStringLiteral("Category"), QStringLiteral("Enter category name:"), old,
                                 setup_.checkname, NameKept::inlistfile);
    if (name == old)
        return;
    if (renameclashes(old, name, rows())) {
        trans_messagebox(categoryexists, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    if (name.isEmpty() || !renamecontent(old, name))
        return;
    const qsizetype row = rows().indexOf(old);
    if (row >= 0)
        rows()[row] = name;
    // The list stays sorted; the renamed row stays selected.
    sortalphabetically(rows());
    showcategories(name);
    savecategories();
    categorychosen();
}

void CategoryPage::deletecategory()
{
    const QListWidgetItem *item = categorylist->currentItem();
    if (!item || item->text() == db_.unfiled || trans_confirmation(setup_.deletequestion) != mb::idyes)
        return;
    const QString name = item->text();
    deletecontent(name);
    rows().removeOne(name);
    showcategories(QString());
    categorychosen();
    savecategories();
}

void CategoryPage::databasechanged(DbKind kind)
{
    // Saves of the page itself have refreshed it already; a reload refreshes
    // once at its end.
    if (ownchange() || db_.loading())
        return;
    if (kind == DbKind::categories) {
        const QString selected = categorylist->currentItem() ? categorylist->currentItem()->text() : QString();
        showcategories(selected);
        if (!categorylist->currentItem() || categorylist->currentItem()->text() != selected)
            categorychosen();
        return;
    }
    otherchange(kind);
}

bool CategoryPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == categorylist && listkeys(event, [this] { renamecategory(); }, [this] { deletecategory(); }))
        return true;
    return PageWidget::eventFilter(watched, event);
}
