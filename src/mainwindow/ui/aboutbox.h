#pragma once
// The about box: a borderless window with the program's name, version, an
// about text and a link to the maker's site. It closes when clicked, on
// "OK" or when another window takes the focus.

#include <QDialog>
#include <QStringList>

class LinkLabel;
class QPlainTextEdit;
class QPushButton;

class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    // The about text, one entry a line (a language file replaces it).
    QStringList about;

    // The maker's page the link opens: its caption, "?app=qmtr" and the version.
    QString linkaddress() const;

    void BitBtn1Click();   // "OK": closes the box
    void PaintBox1Click(); // a click on the frame or the background: closes the box
    void FormDeactivate(); // another window took the focus
    void Label13Click();   // the link under the text: opens the maker's site

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    QPlainTextEdit *Memo1 = nullptr;  // the about text, read-only
    LinkLabel *Label13 = nullptr;     // the maker's web address, a link
    QPushButton *BitBtn1 = nullptr;   // "OK": closes the box
};

// The built-in about text.
QStringList builtinabout();
