#pragma once
// The pages of the main window, each by its own type, made in the order of
// the page table with the dialogs they open. Adding a page is a member here,
// its lines in pages.cpp and its row of the page table: the page itself
// lives in its subsystem's folder.

#include "widgets/pagetable.h"

class CalendarPage;
class Clock;
class ContactsPage;
class Database;
class MarksPage;
class NotesPage;
class OverviewPage;
class PageWidget;
class QWidget;
class Settings;
class SettingsPage;
class TasksPage;
class TimetablePage;
struct ProgramDialogs;

struct Pages
{
    OverviewPage *overview = nullptr;
    ContactsPage *contacts = nullptr;
    CalendarPage *calendar = nullptr;
    TasksPage *tasks = nullptr;
    MarksPage *marks = nullptr;
    NotesPage *notes = nullptr;
    TimetablePage *timetable = nullptr;
    SettingsPage *settings = nullptr;

    // The page of number `page`, its place in the page table.
    PageWidget *at(Page page) const;
};

// Every page of the page table, as children of `parent`.
Pages makepages(Database &db, Settings &settings, Clock &clock, ProgramDialogs &dialogs, QWidget *parent);
