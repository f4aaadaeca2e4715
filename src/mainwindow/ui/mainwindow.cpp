#include "mainwindow/ui/mainwindow.h"

#include "database/database.h"
#include "database/recovery.h"
#include "database/settings.h"
#include "database/upgrade.h"
#include "mainwindow/makerpages.h"
#include "mainwindow/ui/aboutbox.h"
#include "mainwindow/ui/backupwindow.h"
#include "mainwindow/ui/navbar.h"
#include "mainwindow/ui/overviewpage.h"
#include "mainwindow/ui/programdialogs.h"
#include "mainwindow/ui/reminderpopup.h"
#include "mainwindow/ui/settingspage.h"
#include "organizer/calendar.h"
#include "organizer/melodies.h"
#include "organizer/reminders.h"
#include "organizer/ui/calendaricons.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/inifile.h"
#include "platform/melodyplayer.h"
#include "platform/onscreen.h"
#include "platform/pictures.h"
#include "platform/prompter.h"
#include "platform/ui/icons.h"
#include "school/ui/timetablepage.h"
#include "widgets/language.h"
#include "widgets/ui/translation.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int navcolumnwidth = 152;

QRect primaryarea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

TForm1::TForm1(Database &db, Settings &settings, Language &language, Clock &clock, const QStringList &arguments,
               std::function<bool()> trayavailable, QWidget *parent)
    : QMainWindow(parent), db_(db), settings_(settings), language_(language), clock_(clock), arguments_(arguments),
      trayavailable_(std::move(trayavailable)), daychecks_(db, settings, language, clock)
{
    setWindowTitle(caption);
    setWindowIcon(QIcon(iconpixmap(QStringLiteral("quillmoter.svg"), QSize(64, 64))));
    resize(780, 550);

    auto *central = new QWidget(this);
    // At least 780 x 550, and more where the pages need it (translated
    // captions, long dates): a spacer shares the cell with the content, so
    // the larger of the two minimums holds.
    auto *grid = new QGridLayout(central);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addItem(new QSpacerItem(780, 550, QSizePolicy::Minimum, QSizePolicy::Minimum), 0, 0);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    grid->addLayout(row, 0, 0);
    row->addWidget(buildnavcolumn(central));

    // Pages are switched only by the navigation bar: no tabs.
    PageControl1 = new QStackedWidget(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    row->addWidget(PageControl1, 1);
    setCentralWidget(central);

    unfiledlabel_ = hiddenlabel(this, QStringLiteral("Unfiled"));
    buildtray();

    connect(ButtonGroup1, &NavigationBar::buttonclicked, PageControl1, &QStackedWidget::setCurrentIndex);
    connect(PageControl1, &QStackedWidget::currentChanged, this,
            [this](int index) { overviewshown_ = index == pageoverview; });
    connect(&settings_, &Settings::changed, this, &TForm1::settingchanged);
    connect(&settings_, &Settings::geometryloaded, this, &TForm1::applygeometry);
    // Started by programstart.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(tickinterval);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

TForm1::~TForm1() = default;

void TForm1::createpages(ProgramDialogs &dialogs)
{
    dialogs_ = &dialogs;
    pages_ = makepages(db_, settings_, clock_, dialogs, PageControl1);
    for (const PageEntry &entry : pagetable)
        PageControl1->addWidget(pages_.at(entry.page));
    // The Overview's lesson status follows a change of the shown week at once.
    // Before the start has run its course the first tick shows it: a tick
    // here would ring what is due before the window is up.
    connect(pages_.timetable, &TimetablePage::weekchanged, this, [this] {
        pages_.overview->lessonschanged();
        if (Timer1->isActive())
            Timer1Timer();
    });
    connect(pages_.overview, &OverviewPage::aboutrequested, this, &TForm1::BitBtn15Click);
    // Another language applies at the next start: the question ends this run.
    pages_.settings->bindlanguage(language_, [this] { Ukonit1Click(); });
    connect(dialogs.backupwindow.get(), &TForm8::imported, this, &TForm1::refreshcontent);
    connect(dialogs.backupwindow.get(), &TForm8::mustend, this, &TForm1::Ukonit1Click);
}

QWidget *TForm1::buildnavcolumn(QWidget *parent)
{
    navcolumn = new QWidget(parent);
    navcolumn->setObjectName(QStringLiteral("navcolumn"));
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
    ButtonGroup1->setObjectName(QStringLiteral("ButtonGroup1"));
    column->addWidget(logo);
    column->addWidget(versionlabel_);
    column->addSpacing(8);
    column->addWidget(ButtonGroup1, 0, Qt::AlignLeft);
    column->addStretch(1);
    QPushButton *about = namedbutton("BitBtn15", QStringLiteral("About..."), navcolumn);
    column->addWidget(about);
    connect(about, &QPushButton::clicked, this, &TForm1::BitBtn15Click);
    return navcolumn;
}

void TForm1::buildtray()
{
    // The tray menu belongs to the window so that the translation pass reaches it.
    traymenu = new QMenu(this);
    traymenu->setObjectName(QStringLiteral("traymenu"));
    traymenu->addAction(QStringLiteral("Open Quillmoter"), this, &TForm1::TrayIcon1Click);
    traymenu->addAction(QStringLiteral("Restore window"), this, &TForm1::Obnovitokno1Click);
    traymenu->addAction(QStringLiteral("Terminate program"), this, &TForm1::Ukonit1Click);
    settranslatable(traymenu, TransKind::popupmenu);
    // Made even when no notification area is there yet: a panel that starts
    // after the program still gets the icon.
    TrayIcon1 = new QSystemTrayIcon(windowIcon(), this);
    TrayIcon1->setToolTip(caption);
    TrayIcon1->setContextMenu(traymenu);
    connect(TrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::Trigger || why == QSystemTrayIcon::DoubleClick)
            TrayIcon1Click();
    });
}

void TForm1::report(const QString &format, const QStringList &args)
{
    trans_messagebox(format, args, QStringLiteral("Error"), mb::iconerror);
}

bool TForm1::FormCreate()
{
    designsize = size();
    // The problems of one start (a read-only or damaged folder gives many)
    // are told together in one message once the database is loaded.
    db_.holdreports();
    // Before anything is made or loaded: a change of several files that a
    // crash interrupted is undone or finished, or the start stops with the
    // data where it is.
    const Recovery recovery = recoverdatabase(db_.dbpath());
    for (const DbMessage &note : recovery.notes)
        db_.reporterror(note);
    const bool made = recovery.usable && db_.createfolders();
    if (made) {
        db_.removeleftovers({settingsfilename, Language::languagefile});
        language_.loadlanguage(db_.dbpath(), folders::programfolders());
        if (!language_.storederror().isEmpty()) {
            db_.reporterror({unreadablefile, {QDir::toNativeSeparators(db_.path(Language::languagefile)),
                                              language_.storederror()}});
        }
        db_.loadcustommelodies();
    }
    startreports_ << db_.releasereports();
    if (!made) {
        showstartreports();
        return false;
    }
    versionlabel_->setText(programversion);
    TrayIcon1->show();
    return true;
}

void TForm1::showstartreports()
{
    startreports_ << db_.releasereports();
    if (!startreports_.isEmpty())
        db_.reporterror(joinmessages(std::exchange(startreports_, {})));
}

bool TForm1::programstart()
{
    if (!db_.hasversionfile()) {
        db_.holdreports();
        db_.writeversion(); // a new database
    } else {
        // The version check speaks at once, so what came before goes first.
        showstartreports();
        if (!actualdb(db_.dbpath(), messageprompts()))
            return false;
        db_.holdreports();
    }

    db_.unfiled = unfiledlabel_->text();
    loadsettings();
    PageControl1->setCurrentIndex(pageoverview);
    pages_.timetable->BitBtn29Click();
    refreshcontent();
    refreshnavbar();
    showstartreports();
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
    tickms_ = 0;
    db_.loadall();
}

void TForm1::showanniballoon()
{
    if (!hidestotray() || !settings_.flag(Setting::showballoon))
        return;
    // The balloon hides itself after 10 seconds.
    TrayIcon1->showMessage(caption, pages_.overview->balloontext(), QSystemTrayIcon::Information, 10000);
}

void TForm1::refreshnavbar()
{
    ButtonGroup1->clear();
    for (const PageEntry &entry : pagetable) {
        if (entry.showtab == 0 || settings_.flag(buttonvisible(entry.showtab)))
            ButtonGroup1->additem(pagecaption(entry.page), entry.page);
    }
    ButtonGroup1->selectimage(PageControl1->currentIndex());
}

void TForm1::setcolors()
{
    QPalette bar = navcolumn->palette();
    bar.setColor(QPalette::Window, wincolor(settings_.colour(Setting::barcolor)));
    navcolumn->setPalette(bar);

    const QColor background = wincolor(settings_.colour(Setting::bgcolor));
    QList<QWidget *> painted = dialogs_->coloured();
    for (const PageEntry &entry : pagetable)
        painted << pages_.at(entry.page);
    for (QWidget *widget : std::as_const(painted)) {
        QPalette p = widget->palette();
        p.setColor(QPalette::Window, background);
        widget->setPalette(p);
        widget->setAutoFillBackground(true);
    }
}

void TForm1::BitBtn15Click()
{
    dialogs_->aboutbox->exec();
}

void TForm1::settingchanged(Setting which)
{
    if (isbuttonvisible(which)) {
        refreshnavbar();
        return;
    }
    switch (which) {
    case Setting::usetray:
        TrayIcon1->setVisible(settings_.flag(Setting::usetray));
        break;
    case Setting::barcolor:
    case Setting::bgcolor:
        setcolors();
        break;
    default:
        break;
    }
}

void TForm1::loadsettings()
{
    const IniFile ini(db_.path(settingsfilename));
    if (!ini.readerror().isEmpty()) {
        db_.reporterror({unreadablefile, {QDir::toNativeSeparators(ini.path()), ini.readerror()}});
    }
    LoadContext context;
    context.designsize = designsize;
    context.welcomenote = language_.lookup(QStringLiteral("Labels"), QStringLiteral("Welcome to Quillmoter organizer!"));
    context.namedaylists = folders::sortednames(namedaylistfiles());
    settings_.load(ini, context);
}

void TForm1::applygeometry()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    // Placed at the size it really gets: a design size below what the pages
    // need would grow to the right after centring.
    setGeometry(placewindow(settings_, designsize, screens, primaryarea(), minimumSizeHint()));
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
    if (!isVisible())
        showmainwindow();
    else if (isMinimized())
        showNormal();
    bringtofront();
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
    // Never below what the pages need: centred at the size it really gets.
    setGeometry(restoredwindow(designsize.expandedTo(minimumSizeHint()), primaryarea()));
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
        pages_.overview->showtips();
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    // Grown because what it shows needs more room (the texts filled in as it
    // is shown, a long welcome note): it grows from its top-left corner and
    // would leave the screen at the bottom, out of reach. A size the user
    // chose never lies below the minimum.
    const QSize old = event->oldSize();
    if (!old.isValid() || !isVisible() || windowState() != Qt::WindowNoState)
        return;
    if (old.width() < minimumWidth() || old.height() < minimumHeight()) {
        QTimer::singleShot(0, this, [this] {
            if (const QScreen *here = screen(); here && windowState() == Qt::WindowNoState)
                move(keptonscreen(frameGeometry(), here->availableGeometry()));
        });
    }
}

void TForm1::Timer1Timer()
{
    // Nineteen ticks of twenty fall in a second already worked through: the
    // day and the reminders go by the minute and the Overview by the second,
    // so such a tick only counts time and keeps the melody going. What the
    // Overview shows can change within a second (a timetable edit, a
    // setting, the page shown again): then it works through the second again.
    const qint64 second = clock_.epochsecond();
    if (second == tickedsecond_ && !(overviewshown_ && pages_.overview->lessonsdirty())) {
        if (overviewshown_)
            counttimetablerepaint();
        keepmelodyplaying();
        return;
    }
    // Set first: a question asked below lets the timer tick meanwhile.
    tickedsecond_ = second;

    const QDateTime moment = clock_.now();
    // The pages show the new day before any question of the day is asked.
    if (clock_.checkday(moment.date())) {
        checkevents();
        showanniballoon();
    }

    if (overviewshown_) {
        pages_.overview->tick(moment);
        counttimetablerepaint();
    }

    // Reminders, on every page.
    takedue(db_, moment, [this](const DueReminder &due) {
        setplayermelody(dialogs_->player, due.melody, db_.custommelodies);
        dialogs_->ringform->showreminder(due.title, calendarpicture(itemimageindex(due.icon, false)));
    });
    keepmelodyplaying();
}

void TForm1::counttimetablerepaint()
{
    tickms_ += tickinterval;
    if (tickms_ > 60000) {
        pages_.timetable->repaintview();
        tickms_ = 0;
    }
}

void TForm1::keepmelodyplaying()
{
    const Tringform &ringform = *dialogs_->ringform;
    MelodyPlayer &player = dialogs_->player;
    if (ringform.isVisible() && !ringform.melodyfailed() && player.isstopped()) {
        player.rewind();
        player.play();
    }
}

void TForm1::checkevents()
{
    if (daychecks_.checkevents())
        endprogram();
}
