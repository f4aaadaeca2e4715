#pragma once
// The pages of the main window in their order: caption, navigation picture,
// the "Show tabs" entry that shows or hides them, and the count the Overview
// lists for them. The navigation bar, the page stack, "Show tabs" and the
// Overview's counts are all built from this one table.

#include <QString>

// Page numbers; a navigation button's image index is its page's number.
enum Page { pageoverview, pagecontacts, pagecalendar, pagetasks, pagemarks, pagenotes, pagetimetable, pagesettings, pagecount };

// What the Overview counts for a page.
enum class PageCount { none, contacts, calendar, tasks, notes };

struct PageEntry
{
    Page page;
    const char *caption; // English; translated as a label
    const char *icon;    // the navigation bar's picture
    int showtab;         // 1 to 6: its "Show tabs" entry; 0: always shown
    PageCount count;
};

inline constexpr PageEntry pagetable[pagecount] = {
    {pageoverview, "Overview", "page0-overview.svg", 0, PageCount::none},
    {pagecontacts, "Contacts", "page1-contacts.svg", 1, PageCount::contacts},
    {pagecalendar, "Calendar", "page2-calendar.svg", 2, PageCount::calendar},
    {pagetasks, "Tasks", "page3-tasks.svg", 3, PageCount::tasks},
    {pagemarks, "Marks", "page4-marks.svg", 4, PageCount::none},
    {pagenotes, "Notes", "page5-notes.svg", 5, PageCount::notes},
    {pagetimetable, "Timetable", "page6-timetable.svg", 6, PageCount::none},
    {pagesettings, "Settings", "page7-settings.svg", 0, PageCount::none},
};

// The page's caption in the program language.
QString pagecaption(Page page);
