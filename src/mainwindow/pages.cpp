#include "mainwindow/pages.h"

#include "mainwindow/overviewpage.h"
#include "mainwindow/settingspage.h"
#include "organizer/calendarpage.h"
#include "organizer/contactspage.h"
#include "organizer/notespage.h"
#include "organizer/taskspage.h"
#include "school/markspage.h"
#include "school/timetablepage.h"

PageWidget *makepage(Page page, Database &db, Settings &settings, Clock &clock, QWidget *parent)
{
    PageWidget *made = nullptr;
    switch (page) {
    case pageoverview: made = new OverviewPage(db, settings, clock, parent); break;
    case pagecontacts: made = new ContactsPage(db, settings, clock, parent); break;
    case pagecalendar: made = new CalendarPage(db, settings, clock, parent); break;
    case pagetasks: made = new TasksPage(db, settings, clock, parent); break;
    case pagemarks: made = new MarksPage(db, settings, clock, parent); break;
    case pagenotes: made = new NotesPage(db, settings, clock, parent); break;
    case pagetimetable: made = new TimetablePage(db, settings, clock, parent); break;
    case pagesettings: made = new SettingsPage(db, settings, clock, parent); break;
    default:
        // A page still to be built: an empty sheet in its place.
        made = new PageWidget(db, settings, clock, parent);
        break;
    }
    made->setObjectName(QStringLiteral("TabSheet%1").arg(int(page) + 1));
    return made;
}
