#pragma once
// The Tasks page: the task categories on the left, the chosen category's
// tasks as a check list on the right (the tick is the task's done flag),
// with separators, and the buttons and menus that make, edit, tick, move and
// delete tasks.

#include "organizer/ui/categorypage.h"

#include <QList>

class QLabel;
class QListWidgetItem;
class QMenu;

class TasksPage : public CategoryPage
{
    Q_OBJECT

public:
    static inline const QString deletecategoryquestion =
        QStringLiteral("Delete selected category with all included tasks?");
    static inline const QString deletetaskquestion = QStringLiteral("Delete task?");
    static inline const QString deletedonequestion =
        QStringLiteral("Delete all accomplished tasks in selected category?");
    static inline const QString deletealldonequestion = QStringLiteral("Delete all accomplished tasks?");

    // `askname`: the name dialog, made once by the program.
    TasksPage(Database &db, Settings &settings, Clock &clock, NameAsker askname, QWidget *parent = nullptr);

    // Row of the check list -> index in the tasks.
    QList<int> taskrowmap;

    // The selected category as stored: empty for the default category.
    QString gettaskcategory() const { return selectedcategory(); }
    // Adds a task: -1 at the end, -2 a line separator, -3 a headline
    // separator (both at the end), a row number before that row.
    void addtask(int position);

    void ListBox2Click(); // a category chosen (the category list): fills CheckListBox1
    void BitBtn3Click() { newcategory(); }     // "New" under "Categories:"
    void BitBtn16Click() { renamecategory(); } // "Rename" under "Categories:"
    void BitBtn4Click() { deletecategory(); }  // "Delete" under "Categories:", with its tasks
    void BitBtn10Click() { addtask(-1); }  // "New", and "To the end" of its menu
    void Pedoznaenoupozici1Click();        // menu of "New": "Before selected task"
    void Oddlovacrunakonec1Click() { addtask(-2); } // menu of "New": "Line separator"
    void Oddlovacnadpis1Click() { addtask(-3); }    // menu of "New": "Headline separator"
    void CheckListBox1DblClick();          // a double click, or "Rename": edits the task's text
    void CheckListBox1ClickCheck(int row); // the row's tick became its done flag
    void BitBtn11Click();                  // "Delete", and "Selected task" of its menu
    void Vttokategorii1Click();            // menu of "Delete": "Accomplished in this category"
    void Vevechkategorich1Click();         // menu of "Delete": "Accomplished in all categories"
    void BitBtn19Click();                  // "Move up": the selected task
    void BitBtn20Click();                  // "Move down": the selected task
    void SpeedButton6Click();              // "More options" beside "New": opens its menu
    void BitBtn26Click();                  // "More options" beside "Delete": opens its menu
    void BitBtn39Click();                  // "Print": the category's tasks

protected:
    bool renamecontent(const QString &old, const QString &name) override;
    void deletecontent(const QString &category) override;
    void categorychosen() override { ListBox2Click(); }
    void otherchange(DbKind kind) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildtasks(QBoxLayout *page);
    void setheading();
    void savetasks();
    int selectedrow() const;
    void selectrow(int row);
    void moveselected(int step);
    void deletedone(const QString &question, bool thiscategory);
    // Opens `menu` where the pages' "More options" menus open.
    void popupat(QMenu *menu, QWidget *button);

    QLabel *Label18 = nullptr;              // the heading, "Tasks: (n)" with the row count
    QListWidget *CheckListBox1 = nullptr;   // the category's tasks, ticked when done
    QPushButton *BitBtn10 = nullptr;        // "New": a task at the end
    QToolButton *SpeedButton6 = nullptr;    // "More options" of "New"
    QPushButton *BitBtn13 = nullptr;        // "Rename": edits the selected task's text
    QPushButton *BitBtn11 = nullptr;        // "Delete": the selected task
    QToolButton *BitBtn26 = nullptr;        // "More options" of "Delete"
    QToolButton *BitBtn19 = nullptr;        // "Move up": the selected task
    QToolButton *BitBtn20 = nullptr;        // "Move down": the selected task
    QPushButton *BitBtn39 = nullptr;        // "Print": the category's tasks
    QMenu *newmenu = nullptr;
    QMenu *deletemenu = nullptr;
};
