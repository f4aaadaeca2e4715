#pragma once
// The dialog windows of the program: each made once for the whole run, in
// the order the start makes them (after the main window has settled the
// database folder and loaded the language), and handed to the pages that
// open them when those are made.

#include "organizer/ui/notespage.h"
#include "widgets/ui/namedialog.h"

#include <QList>

#include <memory>

class Clock;
class Database;
class MelodyPlayer;
class QWidget;
class Settings;
class TAboutBox;
class TForm2;
class TForm3;
class TForm6;
class TForm8;
class Tmemoform;
class Tprintttform;
class Tringform;
class Tsubjfnameform;

struct ProgramDialogs
{
    ProgramDialogs(Database &db, Settings &settings, Clock &clock, MelodyPlayer &player);
    ~ProgramDialogs();
    ProgramDialogs(const ProgramDialogs &) = delete;
    ProgramDialogs &operator=(const ProgramDialogs &) = delete;

    // Every dialog in the order it was made: the translation pass goes
    // through them in this order.
    QList<QWidget *> windows() const;
    // The dialogs that take the background colour of the settings.
    QList<QWidget *> coloured() const;
    // The name dialog as the pages ask with it.
    NameAsker nameasker() const;
    // Opens a note in the note editor.
    NotesPage::NoteOpener opennote() const;

    // The one player: the reminder pop-up rings with it and the record
    // editor previews with it.
    MelodyPlayer &player;
    // Made in this order.
    const std::unique_ptr<TAboutBox> aboutbox;
    const std::unique_ptr<TForm2> contacteditor;
    const std::unique_ptr<TForm3> recordeditor;
    const std::unique_ptr<TForm4> namedialog;
    const std::unique_ptr<TForm6> subjectslist;
    const std::unique_ptr<TForm8> backupwindow;
    const std::unique_ptr<Tringform> ringform;
    const std::unique_ptr<Tmemoform> noteeditor;
    const std::unique_ptr<Tprintttform> printwindow;
    const std::unique_ptr<Tsubjfnameform> termmanager;
};
