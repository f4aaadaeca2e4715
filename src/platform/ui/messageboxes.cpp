#include "platform/ui/messageboxes.h"

#include "platform/prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

class BoxPrompter : public Prompter
{
public:
    int messagebox(QWidget *parent, const QString &text, const QString &caption, int flags) override
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        switch (flags & 0xF0) {
        case mb::iconerror:
            icon = QMessageBox::Critical;
            break;
        case mb::iconwarning:
            icon = QMessageBox::Warning;
            break;
        case mb::iconinformation:
            icon = QMessageBox::Information;
            break;
        }
        QMessageBox box(icon, caption, text, QMessageBox::Ok, parent ? parent : QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return mb::idok;
    }

    int confirmation(QWidget *parent, const QString &text) override { return ask(parent, text, false); }

    int confirmationorcancel(QWidget *parent, const QString &text) override { return ask(parent, text, true); }

private:
    // A Yes/No question; Escape and the close box answer No, or with
    // `cancellable` through a Cancel button nobody sees.
    static int ask(QWidget *parent, const QString &text, bool cancellable)
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton,
                        parent ? parent : QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        if (cancellable) {
            QPushButton *cancel = box.addButton(QMessageBox::Cancel);
            cancel->hide();
            box.setEscapeButton(cancel);
        } else {
            box.setEscapeButton(no);
        }
        box.exec();
        if (box.clickedButton() == yes)
            return mb::idyes;
        return box.clickedButton() == no || !cancellable ? mb::idno : mb::idcancel;
    }
};

} // namespace

Prompter &messageboxes()
{
    static BoxPrompter boxes;
    return boxes;
}
