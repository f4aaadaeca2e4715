#pragma once
// The Settings page: every user setting as a control, bound to the
// settings object. A control shows its setting whenever it changes and
// stores a change the user makes at once; what a setting does is done by the
// pages and windows that react to it.

#include "widgets/ui/pagewidget.h"

#include <QColor>

#include <functional>
#include <optional>

class Language;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QWidget;
class TForm6;
enum class Setting;

// The small coloured rectangle of a colour setting; a mouse button released
// over it asks for another colour.
class ColourSwatch : public QWidget
{
    Q_OBJECT

public:
    explicit ColourSwatch(QWidget *parent = nullptr);
    void setcolour(const QColor &colour);
    QColor colour() const { return colour_; }

signals:
    void released();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor colour_;
};

class SettingsPage : public PageWidget
{
    Q_OBJECT

public:
    // Asks for a colour, preset to the one given; nothing when cancelled.
    using ColourDialog = std::function<std::optional<QColor>(const QColor &initial)>;
    // Asks for a program file with the given title; empty when cancelled.
    using ProgramDialog = std::function<QString(const QString &title)>;

    // `subjectsform`: the subjects list window, made once by the program.
    SettingsPage(Database &db, Settings &settings, Clock &clock, TForm6 &subjectsform, QWidget *parent = nullptr);

    // Fills the language box once the languages are known; a change asks
    // the restart question and on Yes runs `restart`.
    void bindlanguage(Language &language, std::function<void()> restart);
    // Replace the dialogs (tests answer them).
    void setcolourdialog(ColourDialog dialog) { colourdialog_ = std::move(dialog); }
    void setprogramdialog(ProgramDialog dialog) { programdialog_ = std::move(dialog); }
    // Where the autostart entry points: this program, unless told otherwise.
    void setprogrampath(const QString &path) { programpath_ = path; }

    void BitBtn12Click();   // "Edit subjects list": opens the subjects list window
    void CheckBox4Click();  // "Start Quillmoter with Windows": writes or removes the autostart entry
    void CheckBox5Click();  // "Hide to tray (...)": the balloon option only with the tray
    void Shape10MouseUp();  // the toolbar colour swatch: asks for its colour
    void Shape11MouseUp();  // the background colour swatch: asks for its colour
    void BitBtn17Click();   // "Restore defaults" of both colours
    void BitBtn37Click();   // "Browse...": picks the other note-editing program
    void Label110Click();   // "Is your language missing?" (and the name-day link): the language-file page

private:
    QWidget *buildleft();
    QWidget *buildright();
    QCheckBox *check(const char *name, const QString &caption, Setting which);
    QComboBox *choice(const char *name, const QStringList &items, bool translated);
    void choosecolour(Setting which, ColourSwatch *swatch);
    void settingchanged(Setting which);
    void showall();

    TForm6 &subjectsform_;
    Language *language_ = nullptr;
    std::function<void()> restart_;
    ColourDialog colourdialog_;
    ProgramDialog programdialog_;
    QString programpath_;

    QList<std::pair<Setting, QCheckBox *>> checks_; // each check box and its setting
    QComboBox *ComboBox2 = nullptr;       // "Marks format:"
    QListWidget *CheckListBox2 = nullptr; // "Show tabs": one checkable row per middle page
    QComboBox *tttypecombo = nullptr;     // timetable "Type:"
    ColourSwatch *Shape10 = nullptr;      // "Toolbar colour"
    ColourSwatch *Shape11 = nullptr;      // "Background colour"
    QLineEdit *Edit5 = nullptr;           // "Welcome note:"
    QRadioButton *analogclock = nullptr;
    QRadioButton *digitalclock = nullptr;
    QCheckBox *showballoon = nullptr;     // "Show baloon hint at startup"
    QComboBox *weekstarts = nullptr;      // "Week starts:" Monday or Sunday
    QComboBox *ComboBox6 = nullptr;       // "Date format:"
    QComboBox *ComboBox7 = nullptr;       // "Name days:" the name-day lists
    QComboBox *memoedit = nullptr;        // "Use this program to edit notes:"
    QLineEdit *extedit = nullptr;         // path of the other note-editing program
    QComboBox *ComboBox3 = nullptr;       // "Program language"
    QLabel *editortitle_ = nullptr;       // "Choose external editor", the file dialog's title
};
