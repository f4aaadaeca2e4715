#include "mainwindow/ui/programdialogs.h"

#include "database/database.h"
#include "mainwindow/ui/aboutbox.h"
#include "mainwindow/ui/backupwindow.h"
#include "mainwindow/ui/reminderpopup.h"
#include "organizer/ui/calendareditor.h"
#include "organizer/ui/contacteditor.h"
#include "organizer/ui/noteeditor.h"
#include "school/ui/subjectslist.h"
#include "school/ui/termmanager.h"
#include "school/ui/timetableprint.h"

ProgramDialogs::ProgramDialogs(Database &db, Settings &settings, Clock &clock, MelodyPlayer &player)
    : player(player), aboutbox(std::make_unique<TAboutBox>()),
      contacteditor(std::make_unique<TForm2>(db, clock)),
      recordeditor(std::make_unique<TForm3>(db, settings, player)), namedialog(std::make_unique<TForm4>()),
      subjectslist(std::make_unique<TForm6>(db)),
      backupwindow(std::make_unique<TForm8>(db.dbpath(), clock)),
      ringform(std::make_unique<Tringform>(player)), noteeditor(std::make_unique<Tmemoform>(settings, clock)),
      printwindow(std::make_unique<Tprintttform>()), termmanager(std::make_unique<Tsubjfnameform>())
{
}

ProgramDialogs::~ProgramDialogs() = default;

QList<QWidget *> ProgramDialogs::windows() const
{
    return {aboutbox.get(),     contacteditor.get(), recordeditor.get(), namedialog.get(), subjectslist.get(),
            backupwindow.get(), ringform.get(),      noteeditor.get(),   printwindow.get(), termmanager.get()};
}

QList<QWidget *> ProgramDialogs::coloured() const
{
    return {contacteditor.get(), recordeditor.get(), namedialog.get(),  subjectslist.get(),
            backupwindow.get(),  noteeditor.get(),   printwindow.get(), termmanager.get()};
}

NameAsker ProgramDialogs::nameasker() const
{
    return namedialog->asker();
}

NotesPage::NoteOpener ProgramDialogs::opennote() const
{
    Tmemoform *editor = noteeditor.get();
    return [editor](const QString &path, const QString &caption) {
        editor->memopath = path;
        editor->setWindowTitle(caption);
        editor->exec();
    };
}
