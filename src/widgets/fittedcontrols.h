#pragma once
// Controls that fit their longest text instead of cutting it off: a
// selection box that shows a long entry cut with "…", and a date picker as
// wide as its longest date.

#include <QComboBox>
#include <QFontMetrics>
#include <QLocale>

class QDateEdit;

class ElidingComboBox : public QComboBox
{
public:
    explicit ElidingComboBox(QWidget *parent = nullptr);
    // The current entry as it is shown: cut to the box's width.
    QString showntext() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The widest date of `locale` in `format` (every weekday in every month, a
// two-digit day).
QString widestdate(const QLocale &locale, const QString &format, const QFontMetrics &metrics);

// Makes a date picker at least `minimum` wide and wide enough for the
// longest date of its locale and format.
void fitdatepicker(QDateEdit *picker, int minimum);
