#include "mainwindow/ui/pages.h"

#include "mainwindow/ui/overviewpage.h"
#include "mainwindow/ui/programdialogs.h"
#include "mainwindow/ui/settingspage.h"
#include "organizer/ui/calendarpage.h"
#include "organizer/ui/contactspage.h"
#include "organizer/ui/notespage.h"
#include "organizer/ui/taskspage.h"
#include "school/ui/markspage.h"
#include "school/ui/timetablepage.h"

PageWidget *Pages::at(Page page) const
{
    // No default: a page added to the enum without its member warns here.
    switch (page) {
    case pageoverview: return overview;
    case pagecontacts: return contacts;
    case pagecalendar: return calendar;
    case pagetasks: return tasks;
    case pagemarks: return marks;
    case pagenotes: return notes;
    case pagetimetable: return timetable;
    case pagesettings: return settings;
    case pagecount: break;
    }
    return nullptr;
}

Pages makepages(Database &db, Settings &settings, Clock &clock, ProgramDialogs &dialogs, QWidget *parent)
{
    Pages made;
    for (const PageEntry &entry : pagetable) {
        switch (entry.page) {
        case pageoverview:
            made.overview = new OverviewPage(db, settings, clock, *dialogs.backupwindow, parent);
            break;
        case pagecontacts:
            made.contacts = new ContactsPage(db, settings, clock, *dialogs.contacteditor, parent);
            break;
        case pagecalendar:
            made.calendar = new CalendarPage(db, settings, clock, *dialogs.recordeditor, parent);
            break;
        case pagetasks: made.tasks = new TasksPage(db, settings, clock, dialogs.nameasker(), parent); break;
        case pagemarks:
            made.marks = new MarksPage(db, settings, clock, *dialogs.termmanager, dialogs.nameasker(), parent);
            break;
        case pagenotes:
            made.notes = new NotesPage(db, settings, clock, dialogs.nameasker(), dialogs.opennote(), parent);
            break;
        case pagetimetable:
            made.timetable = new TimetablePage(db, settings, clock, *dialogs.printwindow, parent);
            break;
        case pagesettings:
            made.settings = new SettingsPage(db, settings, clock, *dialogs.subjectslist, parent);
            break;
        case pagecount: break;
        }
        made.at(entry.page)->setObjectName(QStringLiteral("TabSheet%1").arg(int(entry.page) + 1));
    }
    return made;
}
