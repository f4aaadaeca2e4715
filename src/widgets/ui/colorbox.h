#pragma once
// A colour box as the mark editor uses it: "Custom..." first, then the
// sixteen standard and four extended colours by name. Colours are the stored
// $00BBGGRR values. A colour that is not listed shows as the custom entry.

#include <QComboBox>

class ColorBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ColorBox(QWidget *parent = nullptr);

    // Shows `colour` without signalling a choice.
    void setcolour(qint32 colour);
    qint32 colour() const;

signals:
    // The user chose a colour (also a custom one from the colour dialog).
    void colourchosen(qint32 colour);

private:
    void chosen(int index);
    void setcustom(qint32 colour);

    int shown_ = 1;
};

// A small picture of `colour` with a black edge, for the entries of colour lists.
QIcon colourswatch(qint32 colour);

// $00BBGGRR of a colour.
qint32 wincolorvalue(const QColor &color);
