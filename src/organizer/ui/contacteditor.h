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
    void BitBtn1Click(); // "OK"
    void BitBtn2Click(); // "Detect": the name day from the name
    void BitBtn3Click(); // the photo button: pick a picture

private:
    void buildleft(class QBoxLayout *columns);
    void buildright(QBoxLayout *columns);
    void CheckBox1Click(); // "Birthday:"
    void CheckBox2Click(); // "Name day:"
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
    QLineEdit *Edit9 = nullptr;  // "email1:"
    QLineEdit *Edit10 = nullptr; // "email2:"
    QLineEdit *Edit11 = nullptr; // "IM1:"
    QLineEdit *Edit12 = nullptr; // "IM2:"
    QPlainTextEdit *Memo3 = nullptr; // "Note:"
    QCheckBox *CheckBox1 = nullptr;  // "Birthday:"
    QDateEdit *DateTimePicker1 = nullptr; // the birthday
    QCheckBox *CheckBox3 = nullptr;  // "Show contact age"
    QCheckBox *CheckBox2 = nullptr;  // "Name day:"
    QDateEdit *DateTimePicker2 = nullptr; // the name day
    QPushButton *BitBtn2 = nullptr;  // "Detect"
    QToolButton *BitBtn3 = nullptr;  // the photo
    QPushButton *BitBtn1 = nullptr;  // "OK"
    QLabel *question_ = nullptr;     // "Is the first name of contact"
};
