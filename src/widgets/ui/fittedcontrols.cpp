#include "widgets/ui/fittedcontrols.h"

#include <QDate>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>

ElidingComboBox::ElidingComboBox(QWidget *parent) : QComboBox(parent)
{
    // A long entry must not widen a fixed-size window.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
}

QString ElidingComboBox::showntext() const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    return fontMetrics().elidedText(option.currentText, Qt::ElideRight, field.width() - 2);
}

void ElidingComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.currentText = showntext();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

QString widestdate(const QLocale &locale, const QString &format, const QFontMetrics &metrics)
{
    QString widest;
    int width = -1;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 22; day <= 28; ++day) { // seven days: every weekday
            const QString text = locale.toString(QDate(2026, month, day), format);
            if (const int w = metrics.horizontalAdvance(text); w > width) {
                width = w;
                widest = text;
            }
        }
    }
    return widest;
}

void fitdatepicker(QDateEdit *picker, int minimum)
{
    // The size hint measures only the earliest and latest dates, not the
    // longest names of days and months.
    const QFontMetrics metrics = picker->fontMetrics();
    const QString format = picker->displayFormat();
    const QString earliest = picker->locale().toString(picker->minimumDate(), format);
    const int chrome = std::max(picker->sizeHint().width() - metrics.horizontalAdvance(earliest), 24);
    const QString widest = widestdate(picker->locale(), format, metrics);
    picker->setFixedWidth(std::max(minimum, metrics.horizontalAdvance(widest) + chrome + 4));
}

void limitplaintext(QPlainTextEdit *edit, int maxchars)
{
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, maxchars] {
        const QString text = edit->toPlainText();
        if (text.size() <= maxchars)
            return;
        const QSignalBlocker quiet(edit);
        edit->setPlainText(text.left(maxchars));
        edit->moveCursor(QTextCursor::End);
    });
}
