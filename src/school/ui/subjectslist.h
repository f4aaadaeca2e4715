#pragma once
// The subjects list window: adds, deletes, renames and orders the subjects
// of the open term. Every change acts on the subjects at once.

#include <QDialog>

class Database;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TForm6 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm6(Database &db, QWidget *parent = nullptr);

    // "Edit subjects list": shows the window modally, then drops the subjects
    // whose name was emptied, so that each row of the marks stands for one
    // subject, and saves them.
    void editsubjects();

    void FormShow();
    void ListBox1Click();
    void Edit1Change();
    void BitBtn1Click(); // "Add"
    void BitBtn2Click(); // "Delete"
    void BitBtn3Click(); // "Move up"
    void BitBtn4Click(); // "Move down"

protected:
    void showEvent(QShowEvent *event) override;

private:
    void exchange(int row, int other);

    Database &db_;
    QListWidget *ListBox1 = nullptr;
    QLineEdit *Edit1 = nullptr; // "Subject name:"
    QLabel *newsubjecttext = nullptr;
};
