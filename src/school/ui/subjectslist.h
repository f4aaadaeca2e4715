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

    void FormShow();      // lists the subjects, the first one chosen
    void ListBox1Click(); // a subject chosen: its name in Edit1
    void Edit1Change();   // "Subject name:" typed: renames the chosen subject
    void BitBtn1Click(); // "Add": a subject named "New subject"
    void BitBtn2Click(); // "Delete": the chosen subject with its marks, after a question
    void BitBtn3Click(); // "Move up": the chosen subject
    void BitBtn4Click(); // "Move down": the chosen subject

protected:
    void showEvent(QShowEvent *event) override;

private:
    void exchange(int row, int other);

    Database &db_;
    QListWidget *ListBox1 = nullptr; // the subjects of the open term, in order
    QLineEdit *Edit1 = nullptr; // "Subject name:" of the chosen subject
    QLabel *newsubjecttext = nullptr;
};
