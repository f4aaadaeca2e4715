#pragma once
// The Settings page. So far it holds the "Show tabs" list, which shows or
// hides the middle pages; the rest of the page is still to come, and until
// then the list stays hidden.

#include "widgets/pagewidget.h"

class QListWidget;
enum class Setting;

class SettingsPage : public PageWidget
{
    Q_OBJECT

public:
    SettingsPage(Database &db, Settings &settings, Clock &clock, QWidget *parent = nullptr);

private:
    void settingchanged(Setting which);

    QListWidget *CheckListBox2 = nullptr; // "Show tabs": one checkable row per middle page
};
