#pragma once
// The Overview page: today's date and name day, the next birthday and name
// day among the contacts, the moon, the clock with the current and next
// lesson, the coming week's calendar records, the item counts and two tips.

#include "mainwindow/lessonstatus.h"
#include "organizer/anniversaries.h"
#include "widgets/pagetable.h"
#include "widgets/ui/pagewidget.h"

#include <QImage>
#include <QMap>
#include <QStringList>
#include <QTime>

#include <functional>
#include <utility>

class ClockView;
class LinkLabel;
class QLabel;
class TForm8;
class QTreeView;
class QTreeWidget;
class DayList;
class TMoon;
enum class DbKind;
enum class Setting;

// Two different tips out of `count` (-1 where there is none to show): with
// one tip only the upper place shows it, with none neither place does.
std::pair<int, int> picktwotips(int count, const std::function<int(int)> &below);

// The clock face with its key colour made transparent; a blank face when
// the file is missing or unreadable (the hands still show the time).
QImage loadclockface(const QString &path);

// The built-in donation text.
QStringList builtindonation();

class OverviewPage : public PageWidget
{
    Q_OBJECT

public:
    // `backupform`: the backup window, made once by the program.
    OverviewPage(Database &db, Settings &settings, Clock &clock, TForm8 &backupform, QWidget *parent = nullptr);

    // The tips, "icon$text[link]" lines (a language file replaces them).
    QStringList tips;
    // The donation text, one entry a line (a language file replaces it).
    QStringList donate;

    // The day block and the coming week for today.
    void refreshday();
    // The count list, for the pages that are shown.
    void refreshitemscounts();
    // The chosen name-day list changed: load it.
    void ComboBox7Change(); // the Settings page's "Name days:" box (ComboBox7) changed
    // Two different tips in the two places (each time the window shows).
    void showtips();
    // The main timer's work while the page is shown: clock and lesson status.
    void tick(const QDateTime &now);
    void BitBtn23Click(); // "Export(backup)": the backup window in export mode
    void BitBtn24Click(); // "Import": the backup window in import mode
    // Something the lesson texts depend on changed (the timetable, a
    // setting, the week shown): the next tick recomputes them.
    void lessonschanged() { lessonsdirty_ = true; }
    bool lessonsdirty() const { return lessonsdirty_; }
    // The lesson in progress (index in the timetable), -1 for none.
    int currentlesson() const { return currentlesson_; }
    // The notification balloon's text: name day, next birthday, next name day.
    QString balloontext() const;

    void BitBtn18Click(); // "Donate": the maker's donation page
    void Label78Click();  // "Hide": hides the donation text
    void Label84Click();  // "Support project": shows the donation text again
    // The clock face the clock is drawn on ("clock.bmp" beside the program).
    const QImage &clockface() const { return clockface_; }

    // As narrow as its parts allow, and high enough for the wrapped texts
    // (welcome note, name days, tips) at that width, where they need the
    // most lines: the window is never made so low that they are cut.
    QSize minimumSizeHint() const override;

signals:
    // The link "here" asks for the about box.
    void aboutrequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The count column's width: the designed 55 pixels, or what the widest
    // count needs with the view's margins.
    int countcolumnwidth() const;
    void builddaybox(QBoxLayout *page);
    void buildclockbox(QBoxLayout *page);
    void buildlists(QBoxLayout *page);
    void buildtips(QBoxLayout *page);
    void builddonation(QBoxLayout *page);
    void settingchanged(Setting which);
    void databasechanged(DbKind kind);
    void refresh7days(); // fills ListView2
    // Counts one kind again (a folder is listed for the notes, so only on change).
    void recount(PageCount count);
    void showtip(int place, const QString &line);
    void tipclicked(int place);
    QString dateline(QDate today) const;
    AnniversaryCaptions captions() const;
    LessonWords lessonwords() const;
    void CheckBox11Click(); // the Settings page's "Show upcoming birthdays and name days" changed

    QImage clockface_;
    QTime clockshown_;
    bool lessonsdirty_ = true; // the lesson texts are recomputed at the next tick
    int currentlesson_ = -1;
    QMap<QString, QString> namedaylists_; // name-day list -> its file
    QString loadedlist_;
    QString tiplinks_[2];
    TForm8 &backupform_;
    QString ringssample_; // the widest countdown the label was sized for
    QString counts_[5]; // the count text of each PageCount

    QLabel *welcome = nullptr;
    QLabel *daylabel = nullptr;
    QLabel *datelabel = nullptr;
    QLabel *namedaylabel_ = nullptr;
    QLabel *namedaytext_ = nullptr;
    QLabel *birthdaylabel_ = nullptr;
    QLabel *birthdaytext_ = nullptr;
    QLabel *namedaynextlabel_ = nullptr;
    QLabel *namedaynexttext_ = nullptr;
    QLabel *moonlabel_ = nullptr;
    TMoon *Moon1 = nullptr; // today's moon
    ClockView *clock = nullptr;
    QWidget *lessonpanel = nullptr;
    QLabel *inschooloff = nullptr;
    QLabel *current = nullptr;
    QLabel *next = nullptr;
    QLabel *room = nullptr;
    QLabel *rings = nullptr;
    QTreeView *ListView2 = nullptr; // the next seven days' records under their dates
    DayList *sevendays_ = nullptr; // its rows
    QTreeWidget *countlist = nullptr;
    QWidget *tipboxes[2] = {};
    QLabel *tipicons[2] = {};
    LinkLabel *tiplabels[2] = {};
    QWidget *donatebox = nullptr;     // the donation text, "Donate" and "Hide"
    QLabel *Memo1 = nullptr;          // the donation text (a label: it is only read)
    QLabel *nobody_ = nullptr;
    QLabel *in_ = nullptr;
    QLabel *days_ = nullptr;
    QLabel *today_ = nullptr;
    QLabel *fromcontacts_ = nullptr;
    QList<QLabel *> words_; // the lesson panel's words, in LessonWords order
};
