#pragma once
// The name dialog: asks for one line of text (a note's, category's or term's
// name, a task's text). With the name check on, characters that cannot stand
// in a file name are refused.

#include "platform/filenames.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// Where the name the dialog asks for is kept: in a list or record file,
// which holds windows-1250 text, so OK refuses the characters it lacks; or
// only as a file name on disk, which holds any.
enum class NameKept { inlistfile, asfilename };

// Asks for a name as TForm4::getstring does (caption, prompt, initial text,
// name check, where it is kept): what pages take, so tests can answer in
// place of a person.
using NameAsker = std::function<QString(const QString &caption, const QString &prompt, const QString &initial,
                                        bool checkname, NameKept kept)>;

class TForm4 : public QDialog
{
    Q_OBJECT

public:
    static inline const QString &forbidden = forbiddennamechars;

    explicit TForm4(QWidget *parent = nullptr);

    // Shows the dialog modally with caption and prompt from the language's
    // "Messages"; returns resultstring(): the text accepted by OK, or empty.
    QString getstring(const QString &caption, const QString &prompt, const QString &initial, bool checkname,
                      NameKept kept = NameKept::inlistfile);

    // This dialog as a NameAsker.
    NameAsker asker();

    const QString &resultstring() const { return resultstring_; }
    QLineEdit *edit() const { return edit_; }
    QPushButton *okbutton() const { return ok_; }
    QWidget *framedbox() const { return box_; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void okclicked();

    QLabel *prompt_;
    QWidget *box_;
    QLineEdit *edit_;
    QPushButton *ok_;
    bool checkname_ = false;
    NameKept kept_ = NameKept::inlistfile;
    QString resultstring_;
};
