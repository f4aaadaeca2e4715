#include "widgets/ui/timepicker.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

TimePicker::TimePicker(QWidget *parent) : QTimeEdit(parent) {}

void TimePicker::keyPressEvent(QKeyEvent *event)
{
    const QLineEdit *edit = lineEdit();
    const QString typed = event->text();
    const bool digit = typed.size() == 1 && typed.at(0).isDigit()
                       && !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (digit && edit->hasSelectedText()) {
        const QString text = edit->text();
        const QString selected = edit->selectedText();
        const int start = edit->selectionStart();
        // A selection within one section is replaced as the picker does it;
        // one that reaches over a separator starts at its first whole
        // section: the separators up to and including its first character.
        const auto separators = [](QStringView part) {
            return int(std::count_if(part.begin(), part.end(), [](QChar c) { return !c.isDigit(); }));
        };
        const bool across = separators(selected) > 0;
        const int section = separators(QStringView(text).left(start + 1));
        if (across && section < sectionCount())
            setSelectedSection(sectionAt(section));
    }
    QTimeEdit::keyPressEvent(event);
}
