#pragma once
// A time picker that takes a time typed over a selection of its whole text
// (Ctrl+A, a drag across it): the typing starts at the first selected
// section, as in an empty field, instead of being refused by the hours and
// landing in the minutes.

#include <QTimeEdit>

class TimePicker : public QTimeEdit
{
public:
    explicit TimePicker(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
