#pragma once
// The term manager "Load/Manage terms": opens, renames and deletes terms.

#include "school/terms.h"
#include "widgets/ui/namedialog.h"

#include <QDialog>

#include <optional>

class QListWidget;
class QPushButton;

// Shows a term operation's error in a message box.
void showtermerror(const TermError &error);

class Tsubjfnameform : public QDialog
{
    Q_OBJECT

public:
    explicit Tsubjfnameform(QWidget *parent = nullptr);

    // Shows the manager modally for the terms of one database.
    int showterms(const Terms &terms, NameAsker askname);

    void FormShow();    // fills the term list
    void BitBtn5Click(); // "Load": opens the chosen term and closes
    void BitBtn1Click(); // "Rename": the chosen term
    void BitBtn4Click(); // "Delete": the chosen term, after a question
    void BitBtn2Click(); // "Storno" (cancel): closes, loading nothing

protected:
    void showEvent(QShowEvent *event) override;

private:
    QStringList listed() const;

    std::optional<Terms> terms_;
    NameAsker askname_;
    QListWidget *ListBox1 = nullptr; // every stored term and the open one, alphabetically
};
