#include "mainwindow/ui/settingspage.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/makerpages.h"
#include "organizer/anniversaries.h"
#include "platform/autostart.h"
#include "platform/dateformat.h"
#include "platform/folders.h"
#include "platform/pictures.h"
#include "platform/shell.h"
#include "school/ui/subjectslist.h"
#include "widgets/language.h"
#include "widgets/pagetable.h"
#include "widgets/storabletext.h"
#include "widgets/ui/colorbox.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/linklabel.h"
#include "widgets/ui/storablefields.h"
#include "widgets/ui/translation.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A group's bold heading; the first of a column has no space above it.
void heading(QVBoxLayout *column, const QString &caption, QWidget *parent)
{
    if (column->count() > 0)
        column->addSpacing(6);
    column->addWidget(captionlabel(caption, parent));
}

// A caption and its control on one row.
QHBoxLayout *row(QLabel *label, QWidget *control)
{
    auto *line = new QHBoxLayout;
    label->setBuddy(control);
    line->addWidget(label);
    line->addWidget(control, 1);
    return line;
}

// Selects the entry whose data is `value`, or none.
void selectdata(QComboBox *box, const QString &value)
{
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(box->findData(value));
}

void selectindex(QComboBox *box, int index)
{
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

} // namespace

ColourSwatch::ColourSwatch(QWidget *parent) : QWidget(parent)
{
    setFixedSize(34, 20);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setcolour(const QColor &colour)
{
    colour_ = colour;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit released();
}

SettingsPage::SettingsPage(Database &db, Settings &settings, Clock &clock, TForm6 &subjectsform, QWidget *parent)
    : PageWidget(db, settings, clock, parent), subjectsform_(subjectsform), programpath_(QCoreApplication::applicationFilePath())
{
    colourdialog_ = [this](const QColor &initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    programdialog_ = [this](const QString &title) {
        return QFileDialog::getOpenFileName(this, title, QDir::homePath());
    };

    auto *page = pagelayout<QVBoxLayout>();
    auto *title = captionlabel(QStringLiteral("Program settings:"), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    title->setFont(big);
    page->addWidget(title);
    auto *columns = new QHBoxLayout;
    columns->addWidget(buildleft(), 1);
    columns->addWidget(buildright(), 1);
    page->addLayout(columns, 1);
    editortitle_ = hiddenlabel(this, QStringLiteral("Choose external editor"));

    connect(&settings_, &Settings::changed, this, [this](Setting which) {
        // Also run at start, when the settings are read: the entry follows the setting.
        if (which == Setting::startup)
            CheckBox4Click();
        settingchanged(which);
    });
    // The settings are read before the data: show what they hold.
    connect(&db_, &Database::reloaded, this, &SettingsPage::showall);
    showall();
}

QCheckBox *SettingsPage::check(const char *name, const QString &caption, Setting which)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    settranslatable(box, TransKind::checkbox);
    checks_ << std::pair{which, box};
    connect(box, &QCheckBox::clicked, this, [this, which](bool on) { settings_.setflag(which, on); });
    return box;
}

QComboBox *SettingsPage::choice(const char *name, const QStringList &items, bool translated)
{
    auto *box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    box->addItems(items);
    if (translated)
        settranslatable(box, TransKind::combobox);
    return box;
}

QWidget *SettingsPage::buildleft()
{
    auto *box = new FramedBox(this);
    auto *column = box->insidelayout<QVBoxLayout>();
    column->setSpacing(3);

    heading(column, QStringLiteral("General"), box);
    column->addWidget(check("CheckBox4", QStringLiteral("Start Quillmoter with Windows"), Setting::startup));
    column->addWidget(check("CheckBox5", QStringLiteral("Hide to tray (show icon in notification area)"), Setting::usetray));
    column->addWidget(check("CheckBox1", QStringLiteral("Use \"In school\" mode"), Setting::inschool));
    column->addWidget(check("checkversion", QStringLiteral("Check for updates"), Setting::checkversion));
    column->addWidget(check("rememberwindowsize", QStringLiteral("Remember window size and position"),
                            Setting::rememberwindowsize));

    heading(column, QStringLiteral("Timetable"), box);
    column->addWidget(check("evenoddcheck", QStringLiteral("Different timetables for even and odd weeks"),
                            Setting::twoweeks));
    column->addWidget(check("weekendeducation", QStringLiteral("Weekend education"), Setting::weekendeducation));
    tttypecombo = choice("tttypecombo", {QStringLiteral("Table (High/Elementary school)"), QStringLiteral("Timeline (University)")}, true);
    column->addLayout(row(translatedlabel(QStringLiteral("Type:"), box), tttypecombo));
    connect(tttypecombo, &QComboBox::activated, this, [this](int type) { settings_.setnumber(Setting::tttype, type); });

    heading(column, QStringLiteral("Marks"), box);
    ComboBox2 = choice("ComboBox2", {QStringLiteral("Marks/percents (averages)"), QStringLiteral("Points (sum)"),
                                     QStringLiteral("ABCDF")}, true);
    auto *marks = row(translatedlabel(QStringLiteral("Marks format:"), box), ComboBox2);
    QPushButton *subjects = namedbutton("BitBtn12", QStringLiteral("Edit subjects list"), box);
    marks->addWidget(subjects);
    column->addLayout(marks);
    connect(ComboBox2, &QComboBox::activated, this, [this](int mode) { settings_.setnumber(Setting::suma, mode); });
    connect(subjects, &QPushButton::clicked, this, &SettingsPage::BitBtn12Click);

    heading(column, QStringLiteral("Appearance"), box);
    auto *colours = new QHBoxLayout;
    Shape10 = new ColourSwatch(box);
    Shape10->setObjectName(QStringLiteral("Shape10"));
    Shape11 = new ColourSwatch(box);
    Shape11->setObjectName(QStringLiteral("Shape11"));
    QPushButton *restore = namedbutton("BitBtn17", QStringLiteral("Restore defaults"), box);
    colours->addWidget(Shape10);
    colours->addWidget(translatedlabel(QStringLiteral("Toolbar colour"), box));
    colours->addSpacing(8);
    colours->addWidget(Shape11);
    colours->addWidget(translatedlabel(QStringLiteral("Background colour"), box));
    colours->addStretch(1);
    colours->addWidget(restore);
    column->addLayout(colours);
    connect(Shape10, &ColourSwatch::released, this, &SettingsPage::Shape10MouseUp);
    connect(Shape11, &ColourSwatch::released, this, &SettingsPage::Shape11MouseUp);
    connect(restore, &QPushButton::clicked, this, &SettingsPage::BitBtn17Click);
    Edit5 = new QLineEdit(box);
    Edit5->setObjectName(QStringLiteral("Edit5"));
    refuseunstorable(Edit5); // "settings.ini" holds windows-1250 text
    column->addLayout(row(translatedlabel(QStringLiteral("Welcome note:"), box), Edit5));
    connect(Edit5, &QLineEdit::textEdited, this,
            [this](const QString &text) { settings_.settext(Setting::welcomenote, text); });

    heading(column, QStringLiteral("Overview"), box);
    analogclock = new QRadioButton(QStringLiteral("Analog"), box);
    analogclock->setObjectName(QStringLiteral("analogclock"));
    digitalclock = new QRadioButton(QStringLiteral("Digital"), box);
    digitalclock->setObjectName(QStringLiteral("digitalclock"));
    analogclock->setChecked(true);
    for (QRadioButton *b : {analogclock, digitalclock})
        settranslatable(b, TransKind::radiobutton);
    auto *clockrow = new QHBoxLayout;
    clockrow->addWidget(translatedlabel(QStringLiteral("Clock:"), box));
    clockrow->addWidget(analogclock);
    clockrow->addWidget(digitalclock);
    clockrow->addStretch(1);
    column->addLayout(clockrow);
    connect(digitalclock, &QRadioButton::clicked, this, [this] { settings_.setflag(Setting::digitalclock, true); });
    connect(analogclock, &QRadioButton::clicked, this, [this] { settings_.setflag(Setting::digitalclock, false); });
    column->addWidget(check("CheckBox8", QStringLiteral("Show Moon phase"), Setting::showmoon));
    column->addWidget(check("CheckBox6", QStringLiteral("Show name days"), Setting::shownamedays));
    column->addWidget(check("CheckBox11", QStringLiteral("Show upcoming birthdays and name days"),
                            Setting::countanniversaries));
    column->addStretch(1);
    return box;
}

QWidget *SettingsPage::buildright()
{
    auto *box = new FramedBox(this);
    auto *column = box->insidelayout<QVBoxLayout>();
    column->setSpacing(3);

    heading(column, QStringLiteral("Show tabs"), box);
    auto *note = translatedlabel(QStringLiteral("If you don't use some program part, you can hide it"), box);
    note->setWordWrap(true);
    column->addWidget(note);
    CheckListBox2 = new QListWidget(box);
    CheckListBox2->setObjectName(QStringLiteral("CheckListBox2"));
    for (const PageEntry &entry : pagetable) {
        if (entry.showtab == 0)
            continue;
        auto *item = new QListWidgetItem(QLatin1String(entry.caption), CheckListBox2);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    settranslatable(CheckListBox2, TransKind::checklistbox);
    // Tall enough for its six rows and no more.
    CheckListBox2->setFixedHeight(CheckListBox2->sizeHintForRow(0) * CheckListBox2->count()
                                  + 2 * CheckListBox2->frameWidth() + 2);
    column->addWidget(CheckListBox2);
    connect(CheckListBox2, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        settings_.setflag(buttonvisible(CheckListBox2->row(item) + 1), item->checkState() == Qt::Checked);
    });

    heading(column, QStringLiteral("Calendar"), box);
    column->addWidget(check("CheckBox9", QStringLiteral("Show bar with day information"), Setting::showcalbar));
    showballoon = check("showballoon", QStringLiteral("Show baloon hint at startup"), Setting::showballoon);
    column->addWidget(showballoon);
    // The system's own day names, not the language file's.
    const QLocale system = QLocale::system();
    weekstarts = choice("weekstarts", {system.dayName(1), system.dayName(7)}, false);
    column->addLayout(row(translatedlabel(QStringLiteral("Week starts:"), box), weekstarts));
    connect(weekstarts, &QComboBox::activated, this, [this](int day) { settings_.setnumber(Setting::weekstarts, day); });
    // Patterns, not words: never translated, so the stored text always matches.
    ComboBox6 = choice("ComboBox6", dateformats(), false);
    column->addLayout(row(translatedlabel(QStringLiteral("Date format:"), box), ComboBox6));
    connect(ComboBox6, &QComboBox::activated, this,
            [this](int index) { settings_.settext(Setting::dateformat, dateformats().value(index)); });
    ComboBox7 = new QComboBox(box);
    ComboBox7->setObjectName(QStringLiteral("ComboBox7"));
    // Shown translated, stored by the list's own name.
    for (const QString &list : folders::sortednames(namedaylistfiles()))
        ComboBox7->addItem(list, list);
    settranslatable(ComboBox7, TransKind::combobox);
    column->addLayout(row(translatedlabel(QStringLiteral("Name days:"), box), ComboBox7));
    connect(ComboBox7, &QComboBox::activated, this,
            [this](int index) { settings_.settext(Setting::annilang, ComboBox7->itemData(index).toString()); });
    LinkLabel *namedays = namedlink("namedayslink", QStringLiteral("Name days of your country are missing?"), box);
    column->addWidget(namedays);
    connect(namedays, &LinkLabel::clicked, this, &SettingsPage::Label110Click);

    heading(column, QStringLiteral("Notes"), box);
    column->addWidget(translatedlabel(QStringLiteral("Use this program to edit notes:"), box));
    memoedit = choice("memoedit", {QStringLiteral("Build-in editor"), QStringLiteral("Microsoft Wordpad"),
                                   QStringLiteral("Microsoft Word"), QStringLiteral("Other program - Enter program path:")},
                      true);
    column->addWidget(memoedit);
    connect(memoedit, &QComboBox::activated, this, [this](int index) { settings_.setnumber(Setting::memoedit, index); });
    auto *pathrow = new QHBoxLayout;
    extedit = new QLineEdit(box);
    extedit->setObjectName(QStringLiteral("extedit"));
    extedit->setReadOnly(true);
    QPushButton *browse = namedbutton("BitBtn37", QStringLiteral("Browse..."), box);
    pathrow->addWidget(extedit, 1);
    pathrow->addWidget(browse);
    column->addLayout(pathrow);
    connect(browse, &QPushButton::clicked, this, &SettingsPage::BitBtn37Click);

    heading(column, QStringLiteral("Program language"), box);
    ComboBox3 = new QComboBox(box);
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    column->addWidget(ComboBox3);
    LinkLabel *languages = namedlink("Label110", QStringLiteral("Is your language missing?"), box);
    column->addWidget(languages);
    connect(languages, &LinkLabel::clicked, this, &SettingsPage::Label110Click);
    column->addStretch(1);
    return box;
}

void SettingsPage::bindlanguage(Language &language, std::function<void()> restart)
{
    language_ = &language;
    restart_ = std::move(restart);
    bindlanguagebox(ComboBox3, language, [this] {
        if (restart_)
            restart_();
    });
}

void SettingsPage::BitBtn12Click()
{
    subjectsform_.editsubjects();
}

void SettingsPage::CheckBox4Click()
{
    // Failures stay silent: the entry is a convenience, asked for again at every start.
    if (settings_.flag(Setting::startup))
        addtostartup(programpath_);
    else
        removefromstartup();
}

void SettingsPage::CheckBox5Click()
{
    // Without the tray there is no balloon; the tick stays for later.
    showballoon->setEnabled(settings_.flag(Setting::usetray));
}

void SettingsPage::choosecolour(Setting which, ColourSwatch *swatch)
{
    if (!colourdialog_)
        return;
    if (const std::optional<QColor> chosen = colourdialog_(swatch->colour()))
        settings_.setcolour(which, quint32(wincolorvalue(*chosen)));
}

void SettingsPage::Shape10MouseUp()
{
    choosecolour(Setting::barcolor, Shape10);
}

void SettingsPage::Shape11MouseUp()
{
    choosecolour(Setting::bgcolor, Shape11);
}

void SettingsPage::BitBtn17Click()
{
    settings_.setcolour(Setting::barcolor, defaultcolour);
    settings_.setcolour(Setting::bgcolor, defaultcolour);
}

void SettingsPage::BitBtn37Click()
{
    if (!programdialog_)
        return;
    const QString chosen = programdialog_(editortitle_->text());
    if (!chosen.isEmpty() && checkstorable(chosen))
        settings_.settext(Setting::extedit, chosen);
}

void SettingsPage::Label110Click()
{
    openwebpage(languagefileaddress(language_ ? language_->language() : currentlanguage().language()));
}

void SettingsPage::showall()
{
    for (int i = 0; i < settingcount; ++i)
        settingchanged(Setting(i));
}

void SettingsPage::settingchanged(Setting which)
{
    for (const auto &[setting, box] : std::as_const(checks_)) {
        if (setting == which) {
            box->setChecked(settings_.flag(which));
            break;
        }
    }
    if (isbuttonvisible(which)) {
        const QSignalBlocker quiet(CheckListBox2);
        const int row = int(which) - int(Setting::button1visible);
        CheckListBox2->item(row)->setCheckState(settings_.flag(which) ? Qt::Checked : Qt::Unchecked);
        return;
    }
    switch (which) {
    case Setting::usetray: CheckBox5Click(); break;
    case Setting::suma: selectindex(ComboBox2, settings_.number(which)); break;
    case Setting::tttype: selectindex(tttypecombo, settings_.number(which)); break;
    case Setting::weekstarts: selectindex(weekstarts, settings_.number(which)); break;
    case Setting::memoedit: selectindex(memoedit, settings_.number(which)); break;
    case Setting::dateformat: selectindex(ComboBox6, int(dateformatindex(settings_.text(which)))); break;
    case Setting::annilang: selectdata(ComboBox7, settings_.text(which)); break;
    case Setting::extedit: extedit->setText(settings_.text(which)); break;
    case Setting::barcolor: Shape10->setcolour(wincolor(settings_.colour(which))); break;
    case Setting::bgcolor: Shape11->setcolour(wincolor(settings_.colour(which))); break;
    case Setting::digitalclock:
        (settings_.flag(which) ? digitalclock : analogclock)->setChecked(true);
        break;
    case Setting::welcomenote:
        // Typing stores each keystroke; setting the same text again would move the cursor.
        if (Edit5->text() != settings_.text(which)) {
            const QSignalBlocker quiet(Edit5);
            Edit5->setText(settings_.text(which));
        }
        break;
    default:
        break;
    }
}
