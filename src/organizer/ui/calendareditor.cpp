#include "organizer/ui/calendareditor.h"

#include "database/database.h"
#include "database/settings.h"
#include "organizer/calendar.h"
#include "organizer/melodies.h"
#include "organizer/ui/calendaricons.h"
#include "platform/ansi.h"
#include "platform/hashtext.h"
#include "platform/melodyplayer.h"
#include "platform/prompter.h"
#include "platform/ui/icons.h"
#include "widgets/language.h"
#include "widgets/ui/fittedcontrols.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/storablefields.h"
#include "widgets/ui/translation.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int maxtyped = 245; // characters the text box takes

QToolButton *picturebutton(const char *icon, int size, const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIcon(QIcon(iconpixmap(QLatin1String(icon), QSize(size, size))));
    button->setIconSize(QSize(size, size));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    settranslatable(button, TransKind::speedbutton);
    return button;
}

QToolButton *kindbutton(const QString &caption, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(caption);
    button->setCheckable(true);
    settranslatable(button, TransKind::speedbutton);
    return button;
}

QListWidget *checklist(QWidget *parent)
{
    auto *list = new QListWidget(parent);
    settranslatable(list, TransKind::checklistbox, 1); // filled from the locale
    return list;
}

void additems(QListWidget *list, const QStringList &captions)
{
    list->clear();
    for (const QString &caption : captions) {
        auto *item = new QListWidgetItem(caption, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

bool ticked(const QListWidget *list, int row)
{
    return list->item(row) && list->item(row)->checkState() == Qt::Checked;
}

void tick(QListWidget *list, int row, bool on)
{
    if (list->item(row))
        list->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// A stored hour * 100 + minute as a time; 0:00 for one that is no time of day.
QTime storedtime(int value)
{
    const QTime t(value / 100, value % 100);
    return value >= 0 && t.isValid() ? t : QTime(0, 0);
}

} // namespace

int repeatpanel::nextwidth(int width, double &step, bool &done)
{
    width += int(std::nearbyint(step)); // halves to even
    step *= 1.2;
    done = false;
    if (width >= openwidth - step && step > 0) {
        width = openwidth;
        done = true;
    }
    if (width <= 450 && step < 0) {
        width = closedwidth;
        done = true;
    }
    return width;
}

IconGrid::IconGrid(QWidget *parent) : QWidget(parent)
{
    setFixedSize(3 * pitch - 1, 3 * pitch - 1);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

void IconGrid::setcurrent(int icon)
{
    current_ = icon;
    update();
}

void IconGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor(0xC3, 0xCB, 0xD3));
    for (int i = 1; i < 3; ++i) {
        painter.drawLine(i * pitch - 1, 0, i * pitch - 1, height());
        painter.drawLine(0, i * pitch - 1, width(), i * pitch - 1);
    }
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const QRect cell(c * pitch, r * pitch, pitch - 1, pitch - 1);
            if (c + 3 * r == current_)
                painter.fillRect(cell, QColor(0xCF, 0xE0, 0xF3));
            painter.drawPixmap(cell.left() + 4, cell.top() + 4, calendarpicture(2 * (c + 3 * r)));
        }
    }
}

void IconGrid::mouseReleaseEvent(QMouseEvent *event)
{
    // A release beyond the grid picks the nearest cell, never a tenth icon.
    const QPoint p = event->position().toPoint();
    const int column = std::clamp(p.x() / pitch, 0, 2);
    const int row = std::clamp(p.y() / pitch, 0, 2);
    emit picked(column + 3 * row);
}

TForm3::TForm3(Database &db, Settings &settings, MelodyPlayer &player, QWidget *parent)
    : QDialog(parent), db_(db), settings_(settings), player_(player)
{
    setWindowTitle(QStringLiteral("Record"));
    setfixeddialogframe(this);
    setModal(true);
    choosefile_ = [this](const QString &title) {
        return QFileDialog::getOpenFileName(this, title, QString(),
                                            QStringLiteral("Mp3 files (*.mp3);;Wave sound files (*.wav)"));
    };

    left_ = new QWidget(this);
    auto *column = new QVBoxLayout(left_);
    column->setContentsMargins(8, 8, 8, 8);

    // Icon.
    auto *iconbox = new FramedBox(left_);
    auto *iconrow = iconbox->insidelayout<QHBoxLayout>();
    QLabel *iconcaption = translatedlabel(QStringLiteral("Icon:"), iconbox);
    iconpicture = new QLabel(iconbox);
    iconpicture->setFixedSize(33, 33);
    iconpicture->setCursor(Qt::PointingHandCursor);
    iconpicture->installEventFilter(this);
    iconbutton = picturebutton("arrowdown.svg", 12, QString(), iconbox);
    iconrow->addWidget(iconcaption);
    iconrow->addWidget(iconpicture);
    iconrow->addWidget(iconbutton);
    iconrow->addStretch(1);
    column->addWidget(iconbox);

    // Time.
    auto *timebox = new FramedBox(left_);
    auto *times = timebox->insidelayout<QGridLayout>();
    RadioButton1 = new QRadioButton(QStringLiteral("Don't set time"), timebox);
    RadioButton2 = new QRadioButton(QStringLiteral("Use only one time"), timebox);
    RadioButton3 = new QRadioButton(QStringLiteral("Use both times"), timebox);
    timemodes_ = new QButtonGroup(this);
    int mode = 0;
    for (QRadioButton *b : {RadioButton1, RadioButton2, RadioButton3}) {
        settranslatable(b, TransKind::radiobutton);
        timemodes_->addButton(b, mode);
        times->addWidget(b, mode++, 0);
    }
    fromlabel_ = new QLabel(QStringLiteral("From:"), timebox);
    tolabel_ = new QLabel(QStringLiteral("To:"), timebox);
    DateTimePicker1 = new QTimeEdit(timebox);
    DateTimePicker2 = new QTimeEdit(timebox);
    for (QTimeEdit *picker : {DateTimePicker1, DateTimePicker2})
        picker->setDisplayFormat(QStringLiteral("HH:mm"));
    for (QWidget *w : std::initializer_list<QWidget *>{fromlabel_, tolabel_, DateTimePicker1, DateTimePicker2}) {
        // Hidden pickers keep their room, so the radio buttons never move.
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    settranslatable(fromlabel_, TransKind::label);
    settranslatable(tolabel_, TransKind::label);
    times->addWidget(fromlabel_, 0, 1);
    times->addWidget(DateTimePicker1, 0, 2);
    times->addWidget(tolabel_, 1, 1);
    times->addWidget(DateTimePicker2, 1, 2);
    times->setColumnStretch(0, 1);
    column->addWidget(timebox);

    // Reminder.
    auto *reminderbox = new FramedBox(left_);
    reminderpanel = reminderbox;
    auto *reminder = reminderbox->insidelayout<QGridLayout>();
    remindon = new QLabel(reminderpanel);
    remindon->setPixmap(iconpixmap(QStringLiteral("remindon.svg"), QSize(32, 32)));
    remindoff = new QLabel(reminderpanel);
    remindoff->setPixmap(iconpixmap(QStringLiteral("remindoff.svg"), QSize(32, 32)));
    CheckBox1 = new QCheckBox(QStringLiteral("Remind"), reminderpanel);
    settranslatable(CheckBox1, TransKind::checkbox);
    QLabel *melodylabel = translatedlabel(QStringLiteral("Melody:"), reminderpanel);
    melodybox = new ElidingComboBox(reminderpanel);
    melodybox->setEditable(false);
    melodybox->addItems(builtinmelodynames());
    settranslatable(melodybox, TransKind::combobox);
    playbutton = picturebutton("play.svg", 24, QStringLiteral("Play"), reminderpanel);
    stopbutton = picturebutton("stop.svg", 24, QStringLiteral("Stop"), reminderpanel);
    addmelody = picturebutton("melodyadd.svg", 16, QStringLiteral("Add custom melody"), reminderpanel);
    changemelody = picturebutton("melodychange.svg", 16, QStringLiteral("Change custom melody"), reminderpanel);
    deletemelody = picturebutton("melodydelete.svg", 16, QStringLiteral("Delete custom melody"), reminderpanel);
    auto *pictures = new QHBoxLayout;
    pictures->addWidget(remindon);
    pictures->addWidget(remindoff);
    reminder->addLayout(pictures, 0, 0, 2, 1);
    reminder->addWidget(CheckBox1, 0, 1);
    reminder->addWidget(melodylabel, 1, 1);
    auto *melodyrow = new QHBoxLayout;
    melodyrow->addWidget(melodybox, 1);
    melodyrow->addWidget(playbutton);
    melodyrow->addWidget(stopbutton);
    melodyrow->addWidget(addmelody);
    melodyrow->addWidget(changemelody);
    melodyrow->addWidget(deletemelody);
    reminder->addLayout(melodyrow, 1, 2);
    reminder->setColumnStretch(2, 1);
    column->addWidget(reminderpanel);

    // Text.
    auto *textbox = new FramedBox(left_);
    auto *text = textbox->insidelayout<QVBoxLayout>();
    QLabel *textlabel = translatedlabel(QStringLiteral("Text:"), textbox);
    Memo1 = new QPlainTextEdit(textbox);
    Memo1->setMinimumHeight(90);
    text->addWidget(textlabel);
    text->addWidget(Memo1);
    column->addWidget(textbox, 1);

    auto *buttons = new QHBoxLayout;
    openrepeat = new QPushButton(QStringLiteral("Repeat"), left_);
    closerepeat = new QPushButton(QStringLiteral("Repeat"), left_);
    okbutton = new QPushButton(QStringLiteral("OK"), left_);
    for (QPushButton *b : {openrepeat, closerepeat, okbutton}) {
        settranslatable(b, TransKind::bitbtn);
        b->setAutoDefault(false);
    }
    openrepeat->setIcon(QIcon(iconpixmap(QStringLiteral("arrowright.svg"), QSize(16, 16))));
    closerepeat->setIcon(QIcon(iconpixmap(QStringLiteral("arrowleft.svg"), QSize(16, 16))));
    buttons->addWidget(openrepeat);
    buttons->addWidget(closerepeat);
    buttons->addStretch(1);
    buttons->addWidget(okbutton);
    column->addLayout(buttons);

    // Repetition, right of the window's closed width.
    auto *repeatbox = new FramedBox(this);
    right_ = repeatbox;
    auto *repeat = repeatbox->insidelayout<QVBoxLayout>();
    auto *kindrow = new QVBoxLayout;
    nonebutton = kindbutton(QStringLiteral("None"), right_);
    weeklybutton = kindbutton(QStringLiteral("Weekly"), right_);
    monthlybutton = kindbutton(QStringLiteral("Monthly"), right_);
    kinds_ = new QButtonGroup(this);
    kinds_->setExclusive(true);
    for (QToolButton *b : {nonebutton, weeklybutton, monthlybutton}) {
        kinds_->addButton(b);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        kindrow->addWidget(b);
    }
    weeklybutton->setChecked(true);
    repeatlabel = new QLabel(right_);
    repeatlabel->setWordWrap(true);
    settranslatable(repeatlabel, TransKind::label, 1);
    weekdays = checklist(right_);
    months = checklist(right_);
    repeat->addLayout(kindrow);
    repeat->addWidget(repeatlabel);
    repeat->addWidget(weekdays, 10);
    repeat->addWidget(months, 10);
    repeat->addStretch(1); // keeps the description under the buttons when no list shows

    // The icon grid lies over the window, under the icon.
    DrawGrid1 = new IconGrid(this);
    DrawGrid1->hide();

    onlyonce_ = hiddenlabel(this, QStringLiteral("Record will occurs only once"));
    everyweek_ = hiddenlabel(this, QStringLiteral("Record will occurs every week at these days:"));
    everymonth_ = hiddenlabel(this, QStringLiteral("Record will occurs every year at these months:"));
    addtitle_ = hiddenlabel(this, QStringLiteral("Add custom melody"));
    changetitle_ = hiddenlabel(this, QStringLiteral("Change custom melody"));

    QStringList monthnames;
    for (int m = 1; m <= 12; ++m)
        monthnames << QLocale::system().standaloneMonthName(m, QLocale::LongFormat);
    additems(months, monthnames);

    Timer1 = new QTimer(this);
    Timer1->setInterval(300);
    Timer2 = new QTimer(this);
    Timer2->setInterval(5);

    // Fixed geometry: the left part is 400 wide, the panel lies right of it.
    const int height = std::max(left_->sizeHint().height(), 460);
    left_->setGeometry(0, 0, repeatpanel::closedwidth, height);
    right_->setGeometry(repeatpanel::closedwidth, 0, repeatpanel::openwidth - repeatpanel::closedwidth, height);
    setFixedSize(repeatpanel::closedwidth, height);

    connect(timemodes_, &QButtonGroup::idClicked, this, &TForm3::timemodeclicked);
    connect(kinds_, &QButtonGroup::buttonClicked, this, &TForm3::SpeedButton6Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm3::CheckBox1Click);
    connect(iconbutton, &QToolButton::clicked, this, &TForm3::BitBtn26Click);
    connect(DrawGrid1, &IconGrid::picked, this, [this](int icon) {
        DrawGrid1->hide();
        seticon(icon);
    });
    connect(playbutton, &QToolButton::clicked, this, &TForm3::SpeedButton5Click);
    connect(stopbutton, &QToolButton::clicked, this, &TForm3::SpeedButton4Click);
    connect(addmelody, &QToolButton::clicked, this, &TForm3::SpeedButton1Click);
    connect(changemelody, &QToolButton::clicked, this, &TForm3::SpeedButton2Click);
    connect(deletemelody, &QToolButton::clicked, this, &TForm3::SpeedButton3Click);
    connect(openrepeat, &QPushButton::clicked, this, &TForm3::BitBtn2Click);
    connect(closerepeat, &QPushButton::clicked, this, &TForm3::BitBtn2Click);
    connect(okbutton, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
    connect(Timer1, &QTimer::timeout, this, &TForm3::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm3::Timer2Timer);
    connect(&player_, &MelodyPlayer::failed, this, &TForm3::playerfailed);
    // Each load of the database rebuilds the custom melodies' entries.
    connect(&db_, &Database::reloaded, this,
            [this] { setcustommelodyentries(custommelodyentries(db_.custommelodies)); });
    limitplaintext(Memo1, maxtyped);
    SpeedButton6Click();
}

void TForm3::setcustommelodyentries(const QStringList &entries)
{
    // The built-in entries stay as the language made them.
    const QSignalBlocker quiet(melodybox);
    while (melodybox->count() > builtinmelodycount)
        melodybox->removeItem(melodybox->count() - 1);
    melodybox->addItems(entries);
}

bool TForm3::editrecord(int index)
{
    if (index < 0 || index >= int(db_.calitems.size()))
        return false;
    caleditindex = index;
    FormShow();
    return exec() == QDialog::Accepted;
}

void TForm3::BitBtn26Click()
{
    DrawGrid1->setcurrent(chosenicon);
    DrawGrid1->move(iconpicture->mapTo(this, QPoint(0, iconpicture->height() + 2)));
    DrawGrid1->setVisible(DrawGrid1->isHidden());
    DrawGrid1->raise();
}

bool TForm3::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == iconpicture && event->type() == QEvent::MouseButtonRelease)
        BitBtn26Click();
    return QDialog::eventFilter(watched, event);
}

void TForm3::seticon(int icon)
{
    chosenicon = (icon >= 0 && icon < calendariconcount) ? icon : 0;
    iconpicture->setPixmap(calendarpicture(2 * chosenicon));
}

void TForm3::FormShow()
{
    TCalItemRec &r = db_.calitems[caleditindex];
    Memo1->clear();
    seticon(r.icon);
    DrawGrid1->hide();
    DateTimePicker1->setTime(storedtime(r.timefrom));
    DateTimePicker2->setTime(storedtime(r.timeto));

    // A mode beyond the three shows as both times, as the day list does.
    timemodes_->button(std::min<int>(r.timemode, 2))->setChecked(true);
    timemodeclicked();

    QStringList lines;
    hashtolines(r.text, lines);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    CheckBox1->setChecked(r.remind);
    CheckBox1Click();

    if (qint8(r.melody) > melodybox->count() - 1)
        r.melody = 0;
    melodybox->setCurrentIndex(qint8(r.melody));
    Memo1->setFocus();

    // Weekday entries in the order of the week-start setting; flags Monday first.
    const bool sundayfirst = settings_.number(Setting::weekstarts) == 1;
    QStringList daynames;
    for (int i = 0; i < 7; ++i) {
        const int iso = sundayfirst ? (i == 0 ? 7 : i) : i + 1;
        daynames << QLocale::system().dayName(iso, QLocale::LongFormat);
    }
    additems(weekdays, daynames);
    const std::array<bool, 7> days = weekflags(r.repetition);
    const std::array<int, 7> entries = weekdayentries();
    for (int d = 0; d < 7; ++d)
        tick(weekdays, entries[d], days[d]);
    for (int m = 0; m < 12; ++m)
        tick(months, m, false);

    const QString &repetition = r.repetition;
    const bool weekly = repetition.contains(QLatin1Char('w'));
    const bool monthly = repetition.contains(QLatin1Char('m'));
    if (repetition == QLatin1String("0") || (!weekly && !monthly)) {
        // An unknown repetition shows as "once", never as the last record's.
        nonebutton->setChecked(true);
    } else {
        if (weekly)
            weeklybutton->setChecked(true);
        if (monthly) {
            const std::array<bool, 12> flags = monthflags(repetition);
            for (int m = 0; m < 12; ++m)
                tick(months, m, flags[m]);
            monthlybutton->setChecked(true);
        }
    }
    stopbutton->hide();
    playbutton->show();
    SpeedButton6Click();

    Timer2->stop();
    setpanelwidth(nonebutton->isChecked() ? repeatpanel::closedwidth : repeatpanel::openwidth);
}

std::array<int, 7> TForm3::weekdayentries() const
{
    if (settings_.number(Setting::weekstarts) == 1)
        return {1, 2, 3, 4, 5, 6, 0};
    return {0, 1, 2, 3, 4, 5, 6};
}

void TForm3::BitBtn1Click()
{
    // The dialog stays open with the text to mend.
    if (!checkstorable({Memo1}))
        return;
    TCalItemRec &r = db_.calitems[caleditindex];
    r.icon = qint16(chosenicon);
    r.timefrom = qint16(DateTimePicker1->time().hour() * 100 + DateTimePicker1->time().minute());
    r.timeto = qint16(DateTimePicker2->time().hour() * 100 + DateTimePicker2->time().minute());
    if (timemodes_->checkedId() >= 0)
        r.timemode = quint8(timemodes_->checkedId());
    r.text = linestohash(memolines(Memo1->toPlainText()));
    r.remind = CheckBox1->isChecked();
    r.melody = quint8(melodybox->currentIndex());
    if (nonebutton->isChecked()) {
        r.repetition = QStringLiteral("0");
    } else if (weeklybutton->isChecked()) {
        std::array<bool, 7> days{};
        const std::array<int, 7> entries = weekdayentries();
        for (int d = 0; d < 7; ++d)
            days[d] = ticked(weekdays, entries[d]);
        r.repetition = weeklyrepetition(days);
    } else {
        std::array<bool, 12> flags{};
        for (int m = 0; m < 12; ++m)
            flags[m] = ticked(months, m);
        r.repetition = monthlyrepetition(flags);
    }
    accept();
}

void TForm3::timemodeclicked()
{
    const int mode = timemodes_->checkedId();
    DateTimePicker1->setVisible(mode >= 1);
    fromlabel_->setVisible(mode >= 1);
    DateTimePicker2->setVisible(mode == 2);
    tolabel_->setVisible(mode == 2);
    reminderpanel->setVisible(mode >= 1);
    if (mode == 0)
        CheckBox1->setChecked(false);
}

void TForm3::CheckBox1Click()
{
    remindon->setVisible(CheckBox1->isChecked());
    remindoff->setVisible(!CheckBox1->isChecked());
}

void TForm3::SpeedButton6Click()
{
    if (nonebutton->isChecked())
        repeatlabel->setText(onlyonce_->text());
    else if (weeklybutton->isChecked())
        repeatlabel->setText(everyweek_->text());
    else
        repeatlabel->setText(everymonth_->text());
    weekdays->setVisible(weeklybutton->isChecked());
    months->setVisible(monthlybutton->isChecked());
}

void TForm3::SpeedButton5Click()
{
    previewing_ = true;
    previewfailed_ = false;
    setplayermelody(player_, melodybox->currentIndex(), db_.custommelodies);
    player_.setlooping(false);
    player_.open();
    player_.rewind();
    player_.play();
    // A melody that cannot start at all (no file, no sound output) was
    // reported already: "Stop" would stand for nothing playing.
    if (player_.isstopped()) {
        previewing_ = false;
        return;
    }
    stopbutton->show();
    playbutton->hide();
    Timer1->start();
}

void TForm3::SpeedButton4Click()
{
    player_.stop();
}

void TForm3::Timer1Timer()
{
    if (player_.isstopped() && !stopbutton->isHidden()) {
        stopbutton->hide();
        playbutton->show();
        Timer1->stop();
        previewing_ = false;
    }
}

void reportmelodyfailure(const QString &file, const QString &reason)
{
    const QString said = currentlanguage().lookup(QStringLiteral("Messages"), reason);
    trans_messagebox(melodyplayfailed, {file, said}, QStringLiteral("Error"), mb::iconerror);
}

void TForm3::playerfailed(const QString &reason)
{
    // Only a preview of this window is reported here, and only once; the
    // buttons go back to "Play" at the timer's next tick.
    if (!previewing_ || previewfailed_)
        return;
    previewfailed_ = true;
    reportmelodyfailure(player_.file(), reason);
}

bool TForm3::storablemelody(const QString &path)
{
    if (ansi::encodable(path))
        return true;
    trans_messagebox(melodypathrefused, {path}, QStringLiteral("Error"), mb::iconerror);
    return false;
}

void TForm3::SpeedButton1Click()
{
    const QString path = choosefile_(addtitle_->text());
    if (path.isEmpty() || melodyname(path).isEmpty() || !storablemelody(path))
        return;
    melodybox->addItem(melodyname(path));
    melodybox->setCurrentIndex(melodybox->count() - 1);
    db_.custommelodies << path;
    db_.savelist(dbfile::custommelodies, db_.custommelodies);
}

void TForm3::SpeedButton2Click()
{
    const int index = melodybox->currentIndex();
    if (index < builtinmelodycount)
        return;
    const QString path = choosefile_(changetitle_->text());
    if (path.isEmpty() || melodyname(path).isEmpty() || !storablemelody(path))
        return;
    melodybox->setItemText(index, melodyname(path));
    db_.custommelodies[index - builtinmelodycount] = path;
    db_.savelist(dbfile::custommelodies, db_.custommelodies);
}

void TForm3::SpeedButton3Click()
{
    const int d = melodybox->currentIndex();
    if (d < builtinmelodycount || trans_confirmation(deletequestion) != mb::idyes)
        return;
    // The list is written first: if that fails, no record is renumbered
    // towards a list that did not change.
    QStringList remaining = db_.custommelodies;
    remaining.removeAt(d - builtinmelodycount);
    if (!db_.savelist(dbfile::custommelodies, remaining))
        return;
    db_.custommelodies = remaining;
    renumbermelodies(db_.calitems, d);
    melodybox->removeItem(d);
    melodybox->setCurrentIndex(0);
    db_.savecalitems();
}

void TForm3::BitBtn2Click()
{
    panelstep_ = openrepeat->isHidden() ? -10.0 : 10.0;
    Timer2->start();
}

void TForm3::Timer2Timer()
{
    bool done = false;
    const int width = repeatpanel::nextwidth(this->width(), panelstep_, done);
    if (done)
        Timer2->stop();
    setpanelwidth(width);
}

void TForm3::setpanelwidth(int width)
{
    setFixedWidth(width);
    openrepeat->setVisible(width != repeatpanel::openwidth);
    closerepeat->setVisible(width == repeatpanel::openwidth);
}
