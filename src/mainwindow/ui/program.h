#pragma once

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class Clock;
class Database;
class Language;
class MelodyPlayer;
class QWidget;
class Settings;
class TForm1;
struct ProgramDialogs;
struct TranslatedMemos;

// The whole program: single instance, windows, start-up, the event loop.
// Returns the process's exit status.
int runquillmoter(int argc, char *argv[]);

// Names the program for the desktop. No display name is set: the window
// system would add it to every title, and titles are exactly the captions.
void setupapplication();

// Sets up the sound system ahead of the first reminder, `delayms` after the
// window is up, so that a reminder never waits for it: then, when a record
// is armed to remind, else as soon as one is. Until then it costs neither
// memory nor time (a preview in the record editor sets it up itself).
void prepareforreminders(Database &db, MelodyPlayer &player, int delayms);

// Every window of the program, each made once and kept for the whole run.
class ProgramWindows
{
public:
    ProgramWindows(Database &db, Settings &settings, Language &language, Clock &clock, MelodyPlayer &player,
                   const QStringList &arguments, std::function<bool()> trayavailable);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows &) = delete;
    ProgramWindows &operator=(const ProgramWindows &) = delete;

    // Settles the main window's folder and files, then makes the dialogs in
    // their order and the main window's pages with them. False when the
    // program must end.
    bool create();

    TForm1 &form1() const { return *form1_; } // the main window
    ProgramDialogs &dialogs() const { return *dialogs_; }
    // Every window in the order it was made: the translation pass goes
    // through them in this order.
    QList<QWidget *> windows() const;
    // The whole texts a language file replaces.
    TranslatedMemos memos() const;

private:
    Database &db_;
    Settings &settings_;
    Clock &clock_;
    MelodyPlayer &player_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<ProgramDialogs> dialogs_;
};
