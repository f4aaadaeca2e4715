#include "mainwindow/program.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/form1.h"
#include "mainwindow/form8.h"
#include "mainwindow/overviewpage.h"
#include "mainwindow/ringform.h"
#include "mainwindow/settingspage.h"
#include "organizer/form2.h"
#include "organizer/form3.h"
#include "platform/clock.h"
#include "platform/melodyplayer.h"
#include "platform/prompter.h"
#include "platform/singleinstance.h"
#include "school/form6.h"
#include "school/markspage.h"
#include "school/printform.h"
#include "school/termsform.h"
#include "school/timetablepage.h"
#include "widgets/form4.h"
#include "widgets/language.h"

#include <QApplication>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

// After the window's first paint, and after the first ticks, which ring what
// was due at launch.
constexpr int playerdelayms = 1000;

} // namespace

void setupapplication()
{
    QApplication::setApplicationName(TForm1::caption);
    QApplication::setDesktopFileName(QStringLiteral("quillmoter"));
    // The window hides to the notification area; only FormClose ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
}

int runquillmoter(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setupapplication();

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

    // The windows, each once for the whole run, in this order.
    TForm1 form1(db, settings, language, clock, QApplication::arguments().mid(1),
                 &QSystemTrayIcon::isSystemTrayAvailable);
    if (!form1.FormCreate())
        return 1;
    TForm2 form2(db, clock);
    MelodyPlayer *player = createmediaplayer(&app);
    TForm3 form3(db, settings, *player);
    form1.seteditors(&form2, &form3);
    TForm4 form4;
    form1.setnamedialog(&form4);
    TForm6 form6(db);
    form1.adddialog(&form6);
    static_cast<SettingsPage *>(form1.page(pagesettings))->setsubjectsform(&form6);
    Tringform ringform(*player);
    form1.setringform(&ringform, player);
    TForm8 form8(db.dbpath(), clock);
    form1.adddialog(&form8);
    QObject::connect(&form8, &TForm8::imported, &form1, &TForm1::refreshcontent);
    Tprintttform printform;
    form1.adddialog(&printform);
    static_cast<TimetablePage *>(form1.page(pagetimetable))->setprintform(&printform);
    Tsubjfnameform termsform;
    form1.adddialog(&termsform);
    static_cast<MarksPage *>(form1.page(pagemarks))->setdialogs(&termsform, form4.asker());

    QObject::connect(&guard, &SingleInstance::messagereceived, &form1, &TForm1::TrayIcon1Click);
    // A desktop session that ends takes the settings with it otherwise.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form1,
                     [&form1](QSessionManager &) { form1.savesettings(); });

    TranslatedMemos memos;
    memos.subjects = &db.defaultsubjects;
    memos.tips = &form1.overview()->tips;
    language.translate({&form1, &form2, &form3, &form4, &form6, &form8, &ringform, &printform, &termsform}, memos);
    if (!form1.programstart())
        return form1.ended() ? 0 : 1;
    form1.setcolors();
    if (!form1.startshidden())
        form1.showmainwindow();
    // The media framework takes most of a second to set up on a fresh
    // profile: done once the window is up, not inside the tick that rings
    // the first reminder (which saves before it rings either way).
    QTimer::singleShot(playerdelayms, player, &MelodyPlayer::prepare);
    return QApplication::exec();
}
