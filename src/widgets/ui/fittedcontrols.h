#pragma once
// Controls that fit their texts: a selection box that shows a long entry cut
// with "…", a date picker as wide as its longest date, and a text box that
// takes no more than is stored of it.

#include <QComboBox>
#include <QFontMetrics>
#include <QLocale>

class QDateEdit;
class QPlainTextEdit;

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

// A multi-line text box that takes at most `maxchars` characters (typed or
// pasted), so what is stored of it is what was shown.
void limitplaintext(QPlainTextEdit *edit, int maxchars);
