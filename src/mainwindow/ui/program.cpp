#include "mainwindow/ui/program.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/ui/aboutbox.h"
#include "mainwindow/ui/mainwindow.h"
#include "mainwindow/ui/overviewpage.h"
#include "mainwindow/ui/programdialogs.h"
#include "organizer/reminders.h"
#include "platform/clock.h"
#include "platform/melodyplayer.h"
#include "platform/prompter.h"
#include "platform/ui/mediaplayer.h"
#include "platform/ui/messageboxes.h"
#include "platform/ui/singleinstance.h"
#include "widgets/language.h"
#include "widgets/ui/translation.h"

#include <QApplication>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

// After the window's first paint, and after the first ticks, which ring what
// was due at launch.
constexpr int playerdelayms = 1000;

} // namespace

void prepareforreminders(Database &db, MelodyPlayer &player, int delayms)
{
    QTimer::singleShot(delayms, &player, [&db, &player, delayms] {
        if (anyarmed(db.calitems)) {
            player.prepare();
            return;
        }
        // Watches the calendar until a record is armed; it goes with its
        // connection once it has seen one.
        // Set up a moment after the record is armed, once its editor has
        // closed and the window has been repainted.
        auto *watch = new QObject(&player);
        QObject::connect(&db, &Database::changed, watch, [&db, &player, watch, delayms](DbKind kind) {
            if (kind != DbKind::calendar || !anyarmed(db.calitems))
                return;
            QObject::disconnect(&db, nullptr, watch, nullptr);
            watch->deleteLater();
            QTimer::singleShot(delayms, &player, &MelodyPlayer::prepare);
        });
    });
}

void setupapplication()
{
    QApplication::setApplicationName(TForm1::caption);
    QApplication::setDesktopFileName(QStringLiteral("quillmoter"));
    // The window hides to the notification area; only FormClose ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

ProgramWindows::ProgramWindows(Database &db, Settings &settings, Language &language, Clock &clock,
                               MelodyPlayer &player, const QStringList &arguments,
                               std::function<bool()> trayavailable)
    : db_(db), settings_(settings), clock_(clock), player_(player),
      form1_(std::make_unique<TForm1>(db, settings, language, clock, arguments, std::move(trayavailable)))
{
}

ProgramWindows::~ProgramWindows()
{
    // The pages go before the dialogs they hold.
    form1_.reset();
}

bool ProgramWindows::create()
{
    // The dialogs come after the main window's creation, which loads the
    // language they are built in; the pages after the dialogs they open.
    if (!form1_->FormCreate())
        return false;
    dialogs_ = std::make_unique<ProgramDialogs>(db_, settings_, clock_, player_);
    form1_->createpages(*dialogs_);
    return true;
}

QList<QWidget *> ProgramWindows::windows() const
{
    return QList<QWidget *>{form1_.get()} + dialogs_->windows();
}

TranslatedMemos ProgramWindows::memos() const
{
    TranslatedMemos memos;
    memos.about = &dialogs_->aboutbox->about;
    memos.donate = &form1_->pages().overview->donate;
    memos.subjects = &db_.defaultsubjects;
    memos.tips = &form1_->pages().overview->tips;
    return memos;
}

int runquillmoter(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setupapplication();
    setdefaultprompter(&messageboxes());

    SingleInstance guard(QStringLiteral("Quillmoter_organizer_Mutex"),
                         QStringLiteral("Quillmoter_organizer_Message"));
    if (guard.acquire() == SingleInstance::Result::another)
        return 0; // the running copy shows itself

    Database db(defaultdbpath(), [](const DbMessage &m) {
        trans_messagebox(m.format, m.args, QStringLiteral("Error"), mb::iconerror);
    });
    Settings settings;
    Language &language = currentlanguage();
    Clock clock;
    MelodyPlayer *player = createmediaplayer(&app);

    // The windows, each once for the whole run, in this order.
    ProgramWindows windows(db, settings, language, clock, *player, QApplication::arguments().mid(1),
                           &QSystemTrayIcon::isSystemTrayAvailable);
    if (!windows.create())
        return 1;
    TForm1 &form1 = windows.form1();

    QObject::connect(&guard, &SingleInstance::messagereceived, &form1, &TForm1::TrayIcon1Click);
    // A desktop session that ends takes the settings with it otherwise.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form1,
                     [&form1](QSessionManager &) { form1.savesettings(); });

    translate(language, windows.windows(), windows.memos());
    if (!form1.programstart())
        return form1.ended() ? 0 : 1;
    form1.setcolors();
    if (!form1.startshidden())
        form1.showmainwindow();
    // The media framework takes most of a second to set up on a fresh
    // profile, and some 20 MB: done once the window is up and a reminder
    // may ring, not inside the tick that rings the first one (which saves
    // before it rings either way).
    prepareforreminders(db, *player, playerdelayms);
    return QApplication::exec();
}
