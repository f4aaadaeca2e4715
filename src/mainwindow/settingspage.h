#pragma once
// The Settings page. So far it holds the marks format with the subjects
// list, and the "Show tabs" list, which shows or hides the middle pages; the
// rest of the page is still to come, and until then that list stays hidden.

#include "widgets/pagewidget.h"

class QComboBox;
class QListWidget;
class TForm6;
enum class Setting;

class SettingsPage : public PageWidget
{
    Q_OBJECT

public:
    SettingsPage(Database &db, Settings &settings, Clock &clock, QWidget *parent = nullptr);

    // The subjects list window, which lives for the whole run.
    void setsubjectsform(TForm6 *form) { subjectsform_ = form; }
    void BitBtn12Click(); // "Edit subjects list"

private:
    void settingchanged(Setting which);

    TForm6 *subjectsform_ = nullptr;
    QComboBox *ComboBox2 = nullptr;       // "Marks format:"
    QListWidget *CheckListBox2 = nullptr; // "Show tabs": one checkable row per middle page
};
