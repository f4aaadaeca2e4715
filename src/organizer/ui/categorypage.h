#pragma once
// What the Tasks and Notes pages share: a sorted list of categories with the
// default category's caption among them, and its New, Rename and Delete
// buttons. A page says what renaming and deleting a category does to its
// tasks or notes, and what choosing a category shows.

#include "database/database.h"
#include "widgets/ui/namedialog.h"
#include "widgets/ui/pagewidget.h"

#include <QStringList>

class QBoxLayout;
class QListWidget;
class QPushButton;
class QToolButton;
enum class DbKind;

class CategoryPage : public PageWidget
{
    Q_OBJECT

public:
    static inline const QString categoryexists =
        QStringLiteral("Category with this name already exists, please enter another one.");

protected:
    // Object names of the controls, the category file and its rows, whether
    // names are checked as file names, and the question before a delete.
    struct Setup
    {
        const char *list;
        const char *newbutton;
        const char *renamebutton;
        const char *deletebutton;
        QString filename;
        QStringList Database::*rows;
        bool checkname;
        QString deletequestion;
    };

    // `askname`: the name dialog, made once by the program.
    CategoryPage(Database &db, Settings &settings, Clock &clock, NameAsker askname, QWidget *parent,
                 const Setup &setup);

    // The "Categories:" box with its list and buttons, added to `page`.
    void buildcategories(QBoxLayout *page, int stretch);

    QString askname(const QString &caption, const QString &prompt, const QString &initial, bool checkname,
                    NameKept kept) const;
    // The selected row's category as stored: empty for the default category.
    QString selectedcategory() const;
    bool hasselectedcategory() const;
    // The user categories (every row but the default category's).
    QStringList usercategories() const;

    void newcategory();
    void renamecategory();
    void deletecategory();

    // Moves the tasks or notes of category `old` to `name`; false refuses
    // the rename (the page has said why).
    virtual bool renamecontent(const QString &old, const QString &name) = 0;
    virtual void deletecontent(const QString &category) = 0;
    // Shows the selected category's tasks or notes.
    virtual void categorychosen() = 0;
    // The database changed something of `kind` that the page did not change.
    virtual void otherchange(DbKind kind) = 0;

    bool eventFilter(QObject *watched, QEvent *event) override;

    QListWidget *categorylist = nullptr;

private:
    QStringList &rows() const { return db_.*setup_.rows; }
    // Fills the list from the rows and selects `select` (by text; the first
    // row when it is gone).
    void showcategories(const QString &select);
    void savecategories();
    void databasechanged(DbKind kind);

    Setup setup_;
    NameAsker askname_;
    QPushButton *newbutton_ = nullptr;
    QPushButton *renamebutton_ = nullptr;
    QToolButton *deletebutton_ = nullptr;
};
