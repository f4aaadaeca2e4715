#include "organizer/ui/contacteditor.h"

#include "database/database.h"
#include "organizer/contacts.h"
#include "platform/clock.h"
#include "platform/hashtext.h"
#include "platform/prompter.h"
#include "widgets/language.h"
#include "widgets/ui/fittedcontrols.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/storablefields.h"
#include "widgets/ui/translation.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int maxmemo = 245; // characters a memo takes

QLineEdit *lineedit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(255);
    return edit;
}

QPlainTextEdit *memo(const char *name, int lines, QWidget *parent)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * lines + 12);
    limitplaintext(edit, maxmemo);
    return edit;
}

QCheckBox *checkbox(const char *name, const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    settranslatable(box, TransKind::checkbox);
    return box;
}

QDateEdit *picker(const char *name, const QString &format, QWidget *parent)
{
    auto *edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(format);
    return edit;
}

// A field group: a framed box with its rows of caption and control.
QGridLayout *fieldbox(QBoxLayout *column, QWidget *parent, FramedBox **made = nullptr)
{
    auto *box = new FramedBox(parent);
    column->addWidget(box);
    if (made)
        *made = box;
    auto *grid = box->insidelayout<QGridLayout>();
    grid->setColumnStretch(1, 1);
    return grid;
}

void addrow(QGridLayout *grid, QLabel *label, QWidget *control)
{
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0, Qt::AlignTop);
    grid->addWidget(control, row, 1);
}

} // namespace

TForm2::TForm2(Database &db, Clock &clock, QWidget *parent) : QDialog(parent), db_(db), clock_(clock)
{
    setWindowTitle(QStringLiteral("Contact"));
    setfixeddialogframe(this);
    setModal(true);
    choosepicture_ = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QDir::homePath(),
                                            QStringLiteral("Pictures (*.bmp *.ico *.jpg *.jpeg *.png *.gif)"));
    };

    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(8, 8, 8, 8);
    buildleft(columns);
    buildright(columns);
    question_ = hiddenlabel(this, QStringLiteral("Is the first name of contact"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(CheckBox1, &QCheckBox::toggled, this, &TForm2::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm2::CheckBox2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    connect(BitBtn3, &QToolButton::clicked, this, &TForm2::BitBtn3Click);
}

void TForm2::buildleft(QBoxLayout *columns)
{
    auto *column = new QVBoxLayout;
    auto *who = fieldbox(column, this);
    Edit1 = lineedit("Edit1", this);
    Edit2 = lineedit("Edit2", this);
    addrow(who, translatedlabel(QStringLiteral("Name:"), this), Edit1);
    addrow(who, translatedlabel(QStringLiteral("Company:"), this), Edit2);

    auto *home = fieldbox(column, this);
    home->addWidget(translatedlabel(QStringLiteral("Home:"), this), 0, 0, 1, 2);
    Edit3 = lineedit("Edit3", this);
    Edit4 = lineedit("Edit4", this);
    Memo1 = memo("Memo1", 3, this);
    addrow(home, translatedlabel(QStringLiteral("Phone:"), this), Edit3);
    addrow(home, translatedlabel(QStringLiteral("Fax:"), this), Edit4);
    addrow(home, translatedlabel(QStringLiteral("Address:"), this), Memo1);

    auto *work = fieldbox(column, this);
    work->addWidget(translatedlabel(QStringLiteral("Work:"), this), 0, 0, 1, 2);
    Edit5 = lineedit("Edit5", this);
    Edit6 = lineedit("Edit6", this);
    Memo2 = memo("Memo2", 3, this);
    addrow(work, translatedlabel(QStringLiteral("Phone:"), this), Edit5);
    addrow(work, translatedlabel(QStringLiteral("Fax:"), this), Edit6);
    addrow(work, translatedlabel(QStringLiteral("Address:"), this), Memo2);
    column->addStretch(1);
    columns->addLayout(column, 1);
}

void TForm2::buildright(QBoxLayout *columns)
{
    auto *column = new QVBoxLayout;
    FramedBox *reachbox = nullptr;
    auto *reach = fieldbox(column, this, &reachbox);
    BitBtn3 = new QToolButton(reachbox);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setFixedSize(89, 89);
    BitBtn3->setIconSize(QSize(80, 80));
    reach->addWidget(BitBtn3, 0, 0, 1, 2, Qt::AlignHCenter);
    Edit7 = lineedit("Edit7", this);
    Edit8 = lineedit("Edit8", this);
    Edit9 = lineedit("Edit9", this);
    Edit10 = lineedit("Edit10", this);
    Edit11 = lineedit("Edit11", this);
    Edit12 = lineedit("Edit12", this);
    addrow(reach, translatedlabel(QStringLiteral("Cellphone:"), this), Edit7);
    addrow(reach, translatedlabel(QStringLiteral("WWW:"), this), Edit8);
    addrow(reach, translatedlabel(QStringLiteral("email1:"), this), Edit9);
    addrow(reach, translatedlabel(QStringLiteral("email2:"), this), Edit10);
    addrow(reach, translatedlabel(QStringLiteral("IM1:"), this), Edit11);
    addrow(reach, translatedlabel(QStringLiteral("IM2:"), this), Edit12);

    auto *dates = fieldbox(column, this);
    CheckBox1 = checkbox("CheckBox1", QStringLiteral("Birthday:"), this);
    DateTimePicker1 = picker("DateTimePicker1", QLocale().dateFormat(QLocale::LongFormat), this);
    fitdatepicker(DateTimePicker1, 0);
    CheckBox3 = checkbox("CheckBox3", QStringLiteral("Show contact age"), this);
    CheckBox2 = checkbox("CheckBox2", QStringLiteral("Name day:"), this);
    DateTimePicker2 = picker("DateTimePicker2", currentlanguage().dateformat(), this);
    BitBtn2 = new QPushButton(QStringLiteral("Detect"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    settranslatable(BitBtn2, TransKind::bitbtn);
    dates->addWidget(CheckBox1, 0, 0);
    dates->addWidget(DateTimePicker1, 0, 1, 1, 2);
    dates->addWidget(CheckBox3, 1, 1, 1, 2);
    dates->addWidget(CheckBox2, 2, 0);
    dates->addWidget(DateTimePicker2, 2, 1);
    dates->addWidget(BitBtn2, 2, 2);

    auto *notes = fieldbox(column, this);
    Memo3 = memo("Memo3", 4, this);
    addrow(notes, translatedlabel(QStringLiteral("Note:"), this), Memo3);
    auto *buttons = new QHBoxLayout;
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    settranslatable(BitBtn1, TransKind::bitbtn);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    column->addStretch(1);
    column->addLayout(buttons);
    columns->addLayout(column, 1);
}

void TForm2::editcontact(int index)
{
    if (index < 0 || index >= int(db_.contacts.size()))
        return;
    editindex = index;
    FormShow();
    exec();
}

QDate TForm2::thisyear(int day, int month) const
{
    // A day that this year lacks (29 February) is shown in a leap year.
    const int year = clock_.today().year();
    const QDate date(year, month, day);
    return date.isValid() ? date : QDate(2000, month, day);
}

void TForm2::showphoto()
{
    const TContactRec &c = db_.contacts[editindex];
    BitBtn3->setIcon(QIcon(QPixmap::fromImage(contactphoto(photofile(db_, c.photo)))));
}

void TForm2::FormShow()
{
    const TContactRec &c = db_.contacts[editindex];
    DateTimePicker2->setDisplayFormat(currentlanguage().dateformat());
    Edit1->setFocus();
    showphoto();
    const QList<std::pair<QLineEdit *, QString>> texts = {
        {Edit1, c.name}, {Edit2, c.company}, {Edit3, c.homephone}, {Edit4, c.homefax},
        {Edit5, c.workphone}, {Edit6, c.workfax}, {Edit7, c.cellphone}, {Edit8, c.webpage},
        {Edit9, c.email1}, {Edit10, c.email2}, {Edit11, c.im1}, {Edit12, c.im2}};
    for (const auto &[edit, text] : texts)
        edit->setText(text);

    const QDate today = clock_.today();
    const bool birthday = c.birthday != 0 && c.birthmonth != 0;
    const bool nameday = c.nameday != 0 && c.namedaymonth != 0;
    CheckBox1->setChecked(birthday);
    CheckBox2->setChecked(nameday);
    CheckBox3->setChecked(c.birthyear != 0);
    // A stored date no picker can show (a damaged file) shows as today; its
    // day and month stay stored unless the picker is changed.
    QDate born = QDate(c.birthyear, c.birthmonth, c.birthday);
    if (c.birthyear == 0 || !born.isValid())
        born = thisyear(c.birthday, c.birthmonth);
    shownbirthday_ = birthday && born.isValid() ? born : today;
    const QDate named = thisyear(c.nameday, c.namedaymonth);
    shownnameday_ = nameday && named.isValid() ? named : today;
    DateTimePicker1->setDate(shownbirthday_);
    DateTimePicker2->setDate(shownnameday_);
    CheckBox1Click();
    CheckBox2Click();

    for (QPlainTextEdit *m : {Memo1, Memo2, Memo3})
        m->clear();
    const std::pair<QPlainTextEdit *, QString> memos[] = {
        {Memo1, c.homeaddress}, {Memo2, c.workaddress}, {Memo3, c.note}};
    for (const auto &[edit, text] : memos) {
        QStringList lines;
        hashtolines(text, lines);
        edit->setPlainText(lines.join(QLatin1Char('\n')));
    }
}

void TForm2::BitBtn1Click()
{
    if (Edit1->text().isEmpty()) {
        trans_messagebox(entername, QStringLiteral("Error"), mb::iconwarning);
        return;
    }
    // Every field in the order of the form; the dialog stays open to mend.
    if (!checkstorable({Edit1, Edit2, Edit3, Edit4, Memo1, Edit5, Edit6, Memo2, Edit7, Edit8, Edit9, Edit10, Edit11,
                        Edit12, Memo3}))
        return;
    TContactRec &c = db_.contacts[editindex];
    c.name = Edit1->text();
    c.company = Edit2->text();
    c.homephone = Edit3->text();
    c.homefax = Edit4->text();
    c.workphone = Edit5->text();
    c.workfax = Edit6->text();
    c.cellphone = Edit7->text();
    c.webpage = Edit8->text();
    c.email1 = Edit9->text();
    c.email2 = Edit10->text();
    c.im1 = Edit11->text();
    c.im2 = Edit12->text();

    const QDate born = DateTimePicker1->date();
    if (!CheckBox1->isChecked()) {
        c.birthday = c.birthmonth = c.birthyear = 0;
    } else if (born != shownbirthday_ || c.birthday == 0) {
        c.birthday = quint16(born.day());
        c.birthmonth = quint16(born.month());
        c.birthyear = quint16(born.year());
    } else if (c.birthyear == 0) {
        // Untouched: the stored day and month stay; the year is the picker's.
        c.birthyear = quint16(born.year());
    }
    if (!CheckBox3->isChecked())
        c.birthyear = 0;

    const QDate named = DateTimePicker2->date();
    if (!CheckBox2->isChecked()) {
        c.nameday = c.namedaymonth = 0;
    } else if (named != shownnameday_ || c.nameday == 0) {
        c.nameday = quint16(named.day());
        c.namedaymonth = quint16(named.month());
    }

    c.homeaddress = linestohash(memolines(Memo1->toPlainText()));
    c.workaddress = linestohash(memolines(Memo2->toPlainText()));
    c.note = linestohash(memolines(Memo3->toPlainText()));
    accept();
}

void TForm2::CheckBox1Click()
{
    DateTimePicker1->setEnabled(CheckBox1->isChecked());
}

void TForm2::CheckBox2Click()
{
    DateTimePicker2->setEnabled(CheckBox2->isChecked());
}

void TForm2::BitBtn2Click()
{
    const std::optional<QList<NameDayMatch>> matches = detectnameday(Edit1->text(), db_.namedays);
    if (!matches)
        return; // too many to ask about
    if (matches->isEmpty()) {
        trans_messagebox(nodetection, QStringLiteral("Error"), mb::iconwarning);
        return;
    }
    for (const NameDayMatch &match : *matches) {
        if (trans_confirmation(question_->text() + QLatin1Char(' ') + match.word + QLatin1Char('?')) != mb::idyes)
            continue;
        const std::optional<std::pair<int, int>> day = namedayofline(db_.namedays, match.line);
        if (!day) {
            // A line the list's layout gives no date (a damaged list).
            trans_messagebox(nodetection, QStringLiteral("Error"), mb::iconwarning);
            return;
        }
        DateTimePicker2->setDate(thisyear(day->first, day->second));
        CheckBox2->setChecked(true);
        return;
    }
}

void TForm2::BitBtn3Click()
{
    const QString file = choosepicture_();
    if (file.isEmpty())
        return;
    const QImage picture(file);
    if (picture.isNull()) {
        trans_messagebox(unreadablepicture, {file}, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    // Stored at once, whether or not the edit ends with "OK".
    const QString path = photofile(db_, db_.contacts[editindex].photo);
    QString reason;
    if (!savephoto(makephoto(picture), path, &reason)) {
        trans_messagebox(QStringLiteral("Unable to save %s:#%s"), {path, reason}, QStringLiteral("Error"),
                         mb::iconerror);
        return;
    }
    showphoto();
}
