#pragma once
// The contact editor: one contact's texts, photo, birthday with its year,
// and name day, which it can detect from the loaded name-day list. It edits
// the record of the contacts at `editindex` in place; only "OK" stores.

#include <QDate>
#include <QDialog>

#include <functional>

class Clock;
class Database;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class TForm2 : public QDialog
{
    Q_OBJECT

public:
    static inline const QString entername = QStringLiteral("Enter contact name.");
    static inline const QString nodetection = QStringLiteral(
        "Unable to detect name day. The name is probably not in selected language, does not exist or it is not in "
        "basic form.");
    static inline const QString unreadablepicture = QStringLiteral("Unable to read the picture %s.");

    TForm2(Database &db, Clock &clock, QWidget *parent = nullptr);

    // Asks for a picture file; the default shows the open dialog.
    void setpicturechooser(std::function<QString()> chooser) { choosepicture_ = std::move(chooser); }

    // Edits contact `index` modally; the caller saves afterwards.
    void editcontact(int index);
    int editindex = -1;

    void FormShow();     // fills the controls from the record
    void BitBtn1Click(); // "OK": writes the controls into the record and closes
    void BitBtn2Click(); // "Detect": the name day from the name
    void BitBtn3Click(); // the photo button: picks another picture

private:
    void buildleft(class QBoxLayout *columns);
    void buildright(QBoxLayout *columns);
    void CheckBox1Click(); // "Birthday:": enables the birthday picker
    void CheckBox2Click(); // "Name day:": enables the name-day picker
    void showphoto();
    QDate thisyear(int day, int month) const;

    Database &db_;
    Clock &clock_;
    std::function<QString()> choosepicture_;
    QDate shownbirthday_; // the pickers' dates as FormShow set them
    QDate shownnameday_;

    QLineEdit *Edit1 = nullptr;  // "Name:"
    QLineEdit *Edit2 = nullptr;  // "Company:"
    QLineEdit *Edit3 = nullptr;  // home "Phone:"
    QLineEdit *Edit4 = nullptr;  // home "Fax:"
    QPlainTextEdit *Memo1 = nullptr; // home "Address:"
    QLineEdit *Edit5 = nullptr;  // work "Phone:"
    QLineEdit *Edit6 = nullptr;  // work "Fax:"
    QPlainTextEdit *Memo2 = nullptr; // work "Address:"
    QLineEdit *Edit7 = nullptr;  // "Cellphone:"
    QLineEdit *Edit8 = nullptr;  // "WWW:"
    QLineEdit *Edit9 = nullptr;  // "email1:", the first e-mail address
    QLineEdit *Edit10 = nullptr; // "email2:", the second e-mail address
    QLineEdit *Edit11 = nullptr; // "IM1:", the first instant-messaging address
    QLineEdit *Edit12 = nullptr; // "IM2:", the second instant-messaging address
    QPlainTextEdit *Memo3 = nullptr; // "Note:"
    QCheckBox *CheckBox1 = nullptr;  // "Birthday:": the contact has one
    QDateEdit *DateTimePicker1 = nullptr; // the birthday, with its year
    QCheckBox *CheckBox3 = nullptr;  // "Show contact age": the birth year is kept
    QCheckBox *CheckBox2 = nullptr;  // "Name day:": the contact has one
    QDateEdit *DateTimePicker2 = nullptr; // the name day
    QPushButton *BitBtn2 = nullptr;  // "Detect": the name day from the name
    QToolButton *BitBtn3 = nullptr;  // the photo, a button that picks another
    QPushButton *BitBtn1 = nullptr;  // "OK": writes the contact back and closes
    QLabel *question_ = nullptr;     // "Is the first name of contact"
};
