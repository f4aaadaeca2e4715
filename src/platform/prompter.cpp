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

    int confirmation(QWidget *parent, const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton,
                        parent ? parent : QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? mb::idyes : mb::idno;
    }

    int confirmationorcancel(QWidget *parent, const QString &text) override
    {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::NoButton,
                        parent ? parent : QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        // Escape and the close box answer through a button nobody sees.
        QPushButton *cancel = box.addButton(QMessageBox::Cancel);
        cancel->hide();
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == yes)
            return mb::idyes;
        return box.clickedButton() == no ? mb::idno : mb::idcancel;
    }
};

BoxPrompter boxes;
Prompter *current = &boxes;

} // namespace

Prompter &prompter()
{
    return *current;
}

void setprompter(Prompter *replacement)
{
    current = replacement ? replacement : &boxes;
}
