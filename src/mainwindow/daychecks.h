#pragma once
// The day checks, run at start-up and when the day changes: a notice when
// this build has grown old, and two prompts a year pointing to the maker's
// pages, each asked once that year (remembered in "settings.ini"). The
// checks carry guards, as a question lets the main timer tick meanwhile.

#include <QDate>
#include <QString>

class Clock;
class Database;
class Language;
class Settings;

class DayChecks
{
public:
    static inline const QString newversionquestion = QStringLiteral(
        "New version of Quillmoter organizer is available!#Do you want to visit its website? (You can turn "
        "checking for new versions off in Settings tab)");
    // A build older than this asks whether to get a newer version.
    static inline const QDate newversiondate = QDate(2027, 12, 1);
    static inline const QString firstprompt = QStringLiteral(
        "The second half of the school year is coming.#Would you like to visit the Quillmoter website for tips "
        "on keeping your marks and timetable in order?");
    static inline const QString secondprompt = QStringLiteral(
        "The year is almost over!#Would you like to visit the Quillmoter website and see what is new for the "
        "next one?");

    DayChecks(Database &db, Settings &settings, Language &language, Clock &clock);

    // Asks today's questions. True when the user chose to get the new
    // version: its page is open and the program is to end.
    bool checkevents();

private:
    void showwebprompt(int day, int month, const QString &text, bool &asking);
    QString makerpage() const;

    Database &db_;
    Settings &settings_;
    Language &language_;
    Clock &clock_;
    bool versionasking_ = false;
    bool firstpromptasking_ = false;
    bool secondpromptasking_ = false;
};
