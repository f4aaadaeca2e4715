#include "mainwindow/form1.h"

#include "database/database.h"
#include "database/dbversion.h"
#include "database/settings.h"
#include "mainwindow/lessonstatus.h"
#include "mainwindow/makerpages.h"
#include "mainwindow/navbar.h"
#include "mainwindow/overview.h"
#include "mainwindow/overviewpage.h"
#include "mainwindow/ringform.h"
#include "organizer/calendar.h"
#include "organizer/calendaricons.h"
#include "organizer/calendarpage.h"
#include "organizer/counts.h"
#include "organizer/form3.h"
#include "organizer/melodies.h"
#include "platform/dateformat.h"
#include "platform/folders.h"
#include "platform/hashtext.h"
#include "platform/inifile.h"
#include "platform/melodyplayer.h"
#include "platform/pictures.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/wholefile.h"
#include "school/timetablemodel.h"
#include "school/timetablepage.h"
#include "widgets/language.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRandomGenerator>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int navcolumnwidth = 152;
constexpr QRgb clockkey = 0xFFFF00FF; // the clock face's transparent colour

const char *const sectioncaptions[] = {"Contacts", "Calendar", "Tasks", "Marks", "Notes", "Timetable"};

// The clock face with its key colour made transparent; a blank face when
// the file is missing or unreadable (the hands still show the time).
QImage loadclockface(const QString &path)
{
    QImage face(path);
    if (face.isNull()) {
        face = QImage(120, 120, QImage::Format_ARGB32);
        face.fill(Qt::transparent);
        return face;
    }
    face = face.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < face.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(face.scanLine(y));
        for (int x = 0; x < face.width(); ++x) {
            if (line[x] == clockkey)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return face;
}

} // namespace

std::pair<int, int> picktwotips(int count, const std::function<int(int)> &below)
{
    if (count <= 0)
        return {-1, -1};
    const int first = below(count);
    if (count == 1)
        return {first, -1};
    int second = below(count);
    while (second == first)
        second = below(count);
    return {first, second};
}

TForm1::TForm1(Database &db, Settings &settings, Language &language, const QStringList &arguments,
               std::function<bool()> trayavailable, QWidget *parent)
    : QMainWindow(parent), db_(db), settings_(settings), language_(language), arguments_(arguments),
      trayavailable_(std::move(trayavailable))
{
    setWindowTitle(caption);
    const QIcon programicon(iconpixmap(QStringLiteral("quillmoter.svg"), QSize(64, 64)));
    setWindowIcon(programicon);
    resize(780, 550);

    auto *central = new QWidget(this);
    // At least 780 x 550, and more where the pages need it (translated
    // captions, long dates): a spacer shares the cell with the content, so
    // the larger of the two minimums holds.
    auto *grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addItem(new QSpacerItem(780, 550, QSizePolicy::Minimum, QSizePolicy::Minimum), 0, 0);
    auto *row = new QHBoxLayout;
    grid->addLayout(row, 0, 0);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    navcolumn = new QWidget(central);
    navcolumn->setFixedWidth(navcolumnwidth);
    navcolumn->setAutoFillBackground(true);
    auto *column = new QVBoxLayout(navcolumn);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(4);
    auto *logo = new QLabel(navcolumn);
    logo->setPixmap(iconpixmap(QStringLiteral("quillmoter.svg"), QSize(48, 48)));
    logo->setAlignment(Qt::AlignCenter);
    versionlabel_ = new QLabel(navcolumn);
    versionlabel_->setAlignment(Qt::AlignCenter);
    settranslatable(versionlabel_, TransKind::label, 1);
    ButtonGroup1 = new NavigationBar(navcolumn);
    settranslatable(ButtonGroup1, TransKind::buttongroup);
    column->addWidget(logo);
    column->addWidget(versionlabel_);
    column->addSpacing(8);
    column->addWidget(ButtonGroup1, 0, Qt::AlignLeft);
    column->addStretch(1);

    // Pages are switched only by the navigation bar: no tabs.
    PageControl1 = new QStackedWidget(central);
    Overview = new OverviewPage(settings_, PageControl1);
    PageControl1->addWidget(Overview);
    Calendar = new CalendarPage(db_, settings_, PageControl1);
    Calendar->settoday([this] { return now().date(); });
    Calendar->setnamedaytext([this](QDate day) {
        return namedaytext(anniversaries, db_.contacts, day, Overview->captions());
    });
    Calendar->setsevendaylist(Overview->ListView2);
    connect(Calendar, &CalendarPage::countchanged, this, [this] {
        calcounttext = countcalitems(db_, now().date());
        refreshitemscounts();
    });
    Timetable = new TimetablePage(db_, settings_, PageControl1);
    Timetable->settoday([this] { return now().date(); });
    connect(Timetable, &TimetablePage::weekchanged, this, &TForm1::Timer1Timer);
    for (int i = 1; i < pagecount; ++i) {
        if (i == pagecalendar || i == pagetimetable) {
            PageControl1->addWidget(i == pagecalendar ? static_cast<QWidget *>(Calendar) : Timetable);
            continue;
        }
        auto *page = new QWidget(PageControl1);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        page->setAutoFillBackground(true);
        PageControl1->addWidget(page);
    }
    row->addWidget(navcolumn);
    row->addWidget(PageControl1, 1);
    setCentralWidget(central);

    overviewlabel_ = hiddenlabel(this, QStringLiteral("Overview"));
    settingslabel_ = hiddenlabel(this, QStringLiteral("Settings"));
    welcomelabel_ = hiddenlabel(this, QStringLiteral("Welcome to Quillmoter organizer!"));
    unfiledlabel_ = hiddenlabel(this, QStringLiteral("Unfiled"));
    tips = builtintips();

    CheckListBox2 = new QListWidget(this);
    CheckListBox2->hide();
    for (const char *section : sectioncaptions) {
        auto *item = new QListWidgetItem(QLatin1String(section), CheckListBox2);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    settranslatable(CheckListBox2, TransKind::checklistbox);
    connect(CheckListBox2, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        settings_.setflag(buttonvisible(CheckListBox2->row(item) + 1), item->checkState() == Qt::Checked);
    });

    // The tray menu belongs to the window so that the translation pass reaches it.
    traymenu = new QMenu(this);
    traymenu->addAction(QStringLiteral("Open Quillmoter"), this, &TForm1::TrayIcon1Click);
    traymenu->addAction(QStringLiteral("Restore window"), this, &TForm1::Obnovitokno1Click);
    traymenu->addAction(QStringLiteral("Terminate program"), this, &TForm1::Ukonit1Click);
    settranslatable(traymenu, TransKind::popupmenu);
    // Made even when no notification area is there yet: a panel that starts
    // after the program still gets the icon.
    TrayIcon1 = new QSystemTrayIcon(programicon, this);
    TrayIcon1->setToolTip(caption);
    TrayIcon1->setContextMenu(traymenu);
    connect(TrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
            TrayIcon1Click();
    });

    connect(Overview, &OverviewPage::tipclicked, this, &TForm1::tipclicked);
    connect(ButtonGroup1, &NavigationBar::buttonclicked, PageControl1, &QStackedWidget::setCurrentIndex);
    connect(&settings_, &Settings::changed, this, &TForm1::settingchanged);

    // Started by programstart.
    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(&settings_, &Settings::geometryloaded, this, &TForm1::applygeometry);
}

TForm1::~TForm1() = default;

void TForm1::report(const QString &format, const QStringList &args)
{
    trans_messagebox(format, args, QStringLiteral("Error"), mb::iconerror);
}

bool TForm1::FormCreate()
{
    designsize = size();
    lastday = now().date();
    if (!db_.createfolders())
        return false;
    language_.loadlanguage(db_.dbpath(), folders::programfolders());
    // The name-day lists beside the program, by their file's base name.
    namedaylists_ = folders::filesbyname(folders::programfolders(), QStringLiteral("ani"));
    db_.loadcustommelodies();
    versionlabel_->setText(version);
    clockface = loadclockface(folders::programfile(QStringLiteral("clock.bmp")));

    ttcolors.clear();
    addttcolor(QStringLiteral("White"), 255, 255, 255);
    addttcolor(QStringLiteral("Silver"), 220, 220, 220);
    addttcolor(QStringLiteral("Gray"), 180, 180, 180);
    addttcolor(QStringLiteral("Maroon"), 153, 0, 48);
    addttcolor(QStringLiteral("Red"), 237, 28, 36);
    addttcolor(QStringLiteral("Orange"), 255, 126, 0);
    addttcolor(QStringLiteral("Ochre"), 255, 194, 14);
    addttcolor(QStringLiteral("Yellow"), 255, 242, 0);
    addttcolor(QStringLiteral("Lime"), 168, 230, 29);
    addttcolor(QStringLiteral("Green"), 34, 177, 76);
    addttcolor(QStringLiteral("Sky blue"), 0, 183, 239);
    addttcolor(QStringLiteral("Blue"), 77, 109, 243);
    addttcolor(QStringLiteral("Navy"), 47, 54, 153);
    addttcolor(QStringLiteral("Purple"), 171, 109, 212);

    TrayIcon1->show();
    return true;
}

void TForm1::addttcolor(const QString &name, int red, int green, int blue)
{
    ttcolors.push_back({name, red + green * 256 + blue * 65536});
}

bool TForm1::programstart()
{
    if (!db_.hasversionfile()) {
        db_.writeversion(); // a new database
    } else {
        QString error;
        const std::optional<QString> text = db_.readversion(&error);
        const DbVersion version = text ? checkdbversion(*text) : DbVersion::unreadable;
        switch (version) {
        case DbVersion::current:
            break;
        case DbVersion::unreadable:
            report(text.value_or(QString()) + dbversiondamaged);
            return false;
        case DbVersion::newer:
            report(dbversionnewer());
            return false;
        case DbVersion::older:
            // Never load an older layout as if it were this one.
            report(QStringLiteral("Database version is older than current organizer version.#This version of "
                                  "Quillmoter cannot actualize it."));
            return false;
        }
    }

    db_.unfiled = unfiledlabel_->text();
    loadsettings();
    PageControl1->setCurrentIndex(pageoverview);
    Timetable->BitBtn29Click();
    refreshcontent();
    refreshnavbar();
    checkevents();
    if (ended_)
        return false;
    if (!arguments_.isEmpty() && arguments_.first() == QLatin1String("-h"))
        showanniballoon();
    Timer1->start();
    return true;
}

void TForm1::refreshcontent()
{
    const QDate today = now().date();
    db_.loadcontacts();
    contactcounttext = countcontacts(db_);
    db_.loadcalitems();
    Calendar->resetday();
    calcounttext = countcalitems(db_, today);
    if (editor_)
        editor_->setcustommelodyentries(custommelodyentries(db_.custommelodies));
    db_.loadsubjects();
    db_.loadtasks();
    db_.loadcategories(dbfile::categories, db_.taskcategories);
    taskcounttext = counttasks(db_);
    db_.loadcategories(dbfile::memocategories, db_.memocategories);
    memocounttext = countmemos(db_);
    Timetable->resetview();
    tickms = 0;
    currentlesson = -1;
    db_.loadtimetable();
    Timetable->weekspinChange();
    Timetable->evenoddcheckClick();
    refreshday();
    Calendar->refreshcalitems(0);
    refreshitemscounts();
}

void TForm1::setrecordeditor(TForm3 *editor)
{
    editor_ = editor;
    Calendar->seteditor(editor);
    adddialog(editor);
}

QString TForm1::dateline(QDate today) const
{
    QString line = formatdate(settings_.text(Setting::dateformat), today);
    if (settings_.flag(Setting::twoweeks)) {
        const bool even = today.weekNumber() % 2 == 0;
        QString week = (even ? Timetable->evenbutton : Timetable->oddbutton)->text();
        for (QChar &c : week) {
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                c = c.toLower();
        }
        line += QStringLiteral(", ") + week;
    }
    return line;
}

void TForm1::refreshday()
{
    const QDate today = now().date();
    lastday = today;
    const AnniversaryCaptions captions = Overview->captions();
    Overview->refreshday(today, dateline(today), namedaytext(anniversaries, db_.contacts, today, captions),
                         getremainingdays(Anniversary::birthday, db_.contacts, today, captions),
                         getremainingdays(Anniversary::nameday, db_.contacts, today, captions));
    Calendar->refresh7days();
    Calendar->calendar->update();
}

void TForm1::showanniballoon()
{
    if (!hidestotray() || !settings_.flag(Setting::showballoon))
        return;
    const QString text = Overview->namedaycaption() + Overview->namedaytextshown() + QLatin1Char('\n')
                         + Overview->birthdaycaption() + Overview->birthdaytextshown() + QLatin1Char('\n')
                         + Overview->namedaynextcaption() + Overview->namedaynexttextshown();
    // The balloon hides itself after 10 seconds.
    TrayIcon1->showMessage(caption, text, QSystemTrayIcon::Information, 10000);
}

void TForm1::refreshitemscounts()
{
    // Sections of the count list: their row in "Show tabs", their icon, their count.
    const struct
    {
        int section;
        int image;
        const QString *count;
    } sections[] = {
        {0, 0, &contactcounttext},
        {1, 1, &calcounttext},
        {2, 2, &taskcounttext},
        {4, 3, &memocounttext},
    };
    QList<OverviewPage::CountRow> rows;
    for (const auto &s : sections) {
        if (settings_.flag(buttonvisible(s.section + 1)))
            rows.push_back({CheckListBox2->item(s.section)->text(), s.image, *s.count});
    }
    Overview->setcounts(rows);
}

void TForm1::ComboBox7Change()
{
    const QString chosen = settings_.text(Setting::annilang);
    const QString path = namedaylists_.value(chosen);
    std::optional<QStringList> lines;
    QString reason;
    if (!path.isEmpty())
        lines = wholefile::readlines(path, &reason);
    if (!lines) {
        if (!namedaylists_.isEmpty()) {
            report(QStringLiteral("Unable to read the name-day list %s:#%s"),
                   {path.isEmpty() ? chosen : path, reason.isEmpty() ? QStringLiteral("No such list.") : reason});
            // Back to the list that is loaded, so the choice names what is shown.
            if (!loadedlist_.isEmpty() && loadedlist_ != chosen) {
                const QSignalBlocker quiet(settings_);
                settings_.settext(Setting::annilang, loadedlist_);
            }
        }
        return;
    }
    anniversaries = *lines;
    loadedlist_ = chosen;
    if (!settings_.loading())
        refreshday();
}

void TForm1::refreshnavbar()
{
    ButtonGroup1->clear();
    ButtonGroup1->additem(overviewlabel_->text(), pageoverview);
    for (int i = 0; i < CheckListBox2->count(); ++i) {
        QListWidgetItem *item = CheckListBox2->item(i);
        const bool shown = settings_.flag(buttonvisible(i + 1));
        {
            const QSignalBlocker quiet(CheckListBox2);
            item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
        }
        if (shown)
            ButtonGroup1->additem(item->text(), i + 1);
    }
    ButtonGroup1->additem(settingslabel_->text(), pagesettings);
    ButtonGroup1->selectimage(PageControl1->currentIndex());
}

void TForm1::setcolors()
{
    QPalette bar = navcolumn->palette();
    bar.setColor(QPalette::Window, wincolor(settings_.colour(Setting::barcolor)));
    navcolumn->setPalette(bar);

    const QColor background = wincolor(settings_.colour(Setting::bgcolor));
    QList<QWidget *> painted = dialogs_;
    for (int i = 0; i < PageControl1->count(); ++i)
        painted << PageControl1->widget(i);
    for (QWidget *widget : std::as_const(painted)) {
        QPalette p = widget->palette();
        p.setColor(QPalette::Window, background);
        widget->setPalette(p);
        widget->setAutoFillBackground(true);
    }
}

void TForm1::adddialog(QWidget *dialog)
{
    dialogs_ << dialog;
}

void TForm1::settingchanged(Setting which)
{
    switch (which) {
    case Setting::usetray:
        TrayIcon1->setVisible(settings_.flag(Setting::usetray));
        break;
    case Setting::barcolor:
    case Setting::bgcolor:
        setcolors();
        break;
    case Setting::annilang:
        ComboBox7Change();
        break;
    case Setting::dateformat:
    case Setting::twoweeks:
        Overview->dateLine->setText(dateline(now().date()));
        break;
    case Setting::button1visible:
    case Setting::button2visible:
    case Setting::button3visible:
    case Setting::button4visible:
    case Setting::button5visible:
    case Setting::button6visible:
        refreshnavbar();
        refreshitemscounts();
        break;
    default:
        break;
    }
}

void TForm1::loadsettings()
{
    const IniFile ini(db_.path(settingsfilename));
    LoadContext context;
    context.designsize = designsize;
    context.welcomenote = welcomelabel_->text();
    context.namedaylists = folders::sortednames(namedaylists_);
    settings_.load(ini, context);
}

void TForm1::applygeometry()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect primary = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                           : QRect(0, 0, 1024, 768);
    setGeometry(placewindow(settings_, designsize, screens, primary));
    startmaximized_ = placemaximized(settings_);
}

bool TForm1::savesettings()
{
    // The normal geometry, also while maximized, so the window does not come
    // back at its maximized size as its normal one.
    QRect normal = normalGeometry();
    if (!normal.isValid())
        normal = geometry();
    settings_.setnumber(Setting::windowwidth, normal.width());
    settings_.setnumber(Setting::windowheight, normal.height());
    settings_.setnumber(Setting::windowleft, normal.left());
    settings_.setnumber(Setting::windowtop, normal.top());
    settings_.setflag(Setting::maximized, isMaximized());

    const QString path = db_.path(settingsfilename);
    if (!::savesettings(settings_, path)) {
        report(unabletowrite, {path});
        return false;
    }
    if (!language_.savelanguage(db_.dbpath())) {
        report(unabletowrite, {db_.path(Language::languagefile)});
        return false;
    }
    return true;
}

bool TForm1::hidestotray() const
{
    // Without a notification area a hidden window could never come back;
    // asked each time, as the panel may have started after the program.
    return settings_.flag(Setting::usetray) && trayavailable_();
}

bool TForm1::startshidden() const
{
    return !arguments_.isEmpty() && arguments_.first() == QLatin1String("-h") && hidestotray();
}

void TForm1::showmainwindow()
{
    if (startmaximized_)
        showMaximized();
    else
        show();
}

void TForm1::TrayIcon1Click()
{
    if (!isVisible()) {
        showmainwindow();
        bringtofront();
    } else if (isMinimized()) {
        showNormal();
        bringtofront();
    } else {
        bringtofront();
    }
}

void TForm1::bringtofront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TForm1::Obnovitokno1Click()
{
    const QRect primary = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                           : QRect(0, 0, 1024, 768);
    setGeometry(restoredwindow(designsize, primary));
}

void TForm1::FormClose()
{
    endprogram();
}

void TForm1::endprogram()
{
    savesettings();
    TrayIcon1->hide();
    Timer1->stop();
    ended_ = true;
    QCoreApplication::quit();
}

void TForm1::Ukonit1Click()
{
    terminating_ = true;
    if (!close())
        terminating_ = false;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!terminating_ && hidestotray()) {
        event->ignore();
        if (!settings_.flag(Setting::trayed)) {
            trans_messagebox(traynotice, traynoticecaption, mb::iconinformation);
            settings_.setflag(Setting::trayed, true);
        }
        savesettings();
        hide();
        return;
    }
    FormClose();
    event->accept();
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm1::FormShow()
{
    const auto [upper, lower] =
        picktwotips(int(tips.size()), [](int n) { return int(QRandomGenerator::global()->bounded(n)); });
    if (upper >= 0)
        Overview->showtip(0, tips.at(upper));
    if (lower >= 0)
        Overview->showtip(1, tips.at(lower));
}

void TForm1::tipclicked(int place)
{
    QString link = Overview->tiplink(place);
    if (link.isEmpty())
        link = makersite(language_.language()) + QStringLiteral("index.php?art=quillmoter-organizer");
    openwebpage(link + makerappquery);
}

void TForm1::setringform(Tringform *ringform, MelodyPlayer *player)
{
    ringform_ = ringform;
    player_ = player;
}

int TForm1::currentweekcode(QDate today) const
{
    return weekcodefor(thisweek(today, settings_.flag(Setting::twoweeks)), settings_.number(Setting::tttype));
}

void TForm1::Timer1Timer()
{
    const QDateTime moment = now();
    const QDate today = moment.date();

    // A question asked inside the day's work lets further ticks run; they
    // must not start the same work again.
    // The day block shows the new day before any question of the day is asked.
    if (today != lastday && !daychanging_) {
        daychanging_ = true;
        refreshday();
        checkevents();
        showanniballoon();
        daychanging_ = false;
    }

    if (PageControl1->currentIndex() == pageoverview) {
        const QTime time = moment.time();
        const QTime second(time.hour(), time.minute(), time.second());
        const bool digital = settings_.flag(Setting::digitalclock);
        // Redrawn only when the shown second changes: 20 ticks a second
        // would otherwise redraw the same picture.
        if (second != clockshown_ || digital != clockdigital_) {
            Overview->setclock(drawclock(clockface, second, digital));
            clockshown_ = second;
            clockdigital_ = digital;
        }
        const int weekcode = currentweekcode(today);
        tickms += Timer1->interval();
        if (tickms > 60000) {
            Timetable->timetablebox->update();
            tickms = 0;
        }
        const LessonStatus status = lessonstatus(db_.timetable, moment, weekcode, settings_.number(Setting::weekstarts),
                                                 settings_.flag(Setting::weekendeducation), Overview->lessonwords());
        currentlesson = status.currentlesson;
        Overview->setlessonstatus(status);
    }

    // Reminders, on every page.
    const int hour = moment.time().hour();
    const int minute = moment.time().minute();
    bool fired = false;
    for (TCalItemRec &r : db_.calitems) {
        if (!r.remind || r.timefrom / 100 != hour || r.timefrom % 100 != minute || !occurstoday(r, today))
            continue;
        r.remind = false;
        fired = true;
        if (ringform_) {
            if (player_)
                setplayermelody(*player_, qint8(r.melody), db_.custommelodies);
            ringform_->showreminder(firsthashpart(r.text), calendarpicture(itemimageindex(r.icon, false)));
        }
    }
    if (fired) {
        // Saved after the pop-up is up: a failed save is reported, and the
        // reminder is not lost with it.
        db_.savecalitems();
        Calendar->refreshcalitems(0);
        Calendar->refresh7days();
    }

    // The melody plays on while the pop-up is up.
    if (ringform_ && player_ && ringform_->isVisible() && !ringform_->melodyfailed() && player_->isstopped()) {
        player_->rewind();
        player_->play();
    }
}

QString TForm1::makerpage() const
{
    return makersite(language_.language()) + QStringLiteral("index.php?app=qmtr2.1");
}

void TForm1::checkevents()
{
    const QDate today = now().date();
    if (!versionasking_ && settings_.flag(Setting::checkversion) && today >= newversiondate) {
        versionasking_ = true;
        if (trans_confirmation(newversionquestion) == mb::idyes) {
            openwebpage(makerpage());
            versionasking_ = false;
            endprogram();
            return;
        }
        versionasking_ = false;
    }
    if (!firstpromptasking_)
        showwebprompt(12, 1, firstprompt, firstpromptasking_);
    if (!secondpromptasking_)
        showwebprompt(30, 12, secondprompt, secondpromptasking_);
}

void TForm1::showwebprompt(int day, int month, const QString &text, bool &asking)
{
    const QDate today = now().date();
    if (today.month() != month || today.day() != day)
        return;
    asking = true;
    const QString path = db_.path(settingsfilename);
    const QString key = QStringLiteral("%1.%2.%3").arg(day).arg(month).arg(today.year());
    bool ok = false;
    const bool asked = IniFile(path).readstring(settingssection, key, QStringLiteral("0")).toInt(&ok) != 0 && ok;
    if (!asked) {
        if (trans_confirmation(text) == mb::idyes)
            openwebpage(makerpage());
        if (!IniFile::writekey(path, settingssection, key, QStringLiteral("1")))
            report(unabletowrite, {path});
    }
    asking = false;
}
