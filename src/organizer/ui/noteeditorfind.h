#pragma once
// The note editor's find dialog and find-and-replace dialog.

#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QRadioButton;

// The find dialog and the find-and-replace dialog of the editor.
class MemoFindDialog : public QDialog
{
    Q_OBJECT

public:
    MemoFindDialog(bool replacing, QWidget *parent = nullptr);

    void start(const QString &findtext, const QString &replacement);
    QString findtext() const;
    QString replacement() const;
    QTextDocument::FindFlags flags() const;

signals:
    void findnext();
    void replace();
    void replaceall();

private:
    QLineEdit *findedit_ = nullptr;
    QLineEdit *replaceedit_ = nullptr;
    QCheckBox *wholeword_ = nullptr;
    QCheckBox *matchcase_ = nullptr;
    QRadioButton *up_ = nullptr;
};
