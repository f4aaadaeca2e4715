#pragma once
// The pages of the main window, made from the page table. Adding a page is
// one entry here (and its row of the table): the page itself lives in its
// subsystem's folder and is built on the database, settings and clock.

#include "widgets/pagetable.h"

class Clock;
class Database;
class PageWidget;
class QWidget;
class Settings;

PageWidget *makepage(Page page, Database &db, Settings &settings, Clock &clock, QWidget *parent);
