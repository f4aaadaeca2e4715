#pragma once
// The Overview page: today's date and name day, the next birthday and name
// day among the contacts, the moon, the item counts, the coming week's
// calendar records and two tips.

#include "mainwindow/lessonstatus.h"
#include "mainwindow/overview.h"

#include <QWidget>

class LinkLabel;
class QLabel;
class QTreeWidget;
class Settings;
class TMoon;
enum class Setting;

class OverviewPage : public QWidget
{
    Q_OBJECT

public:
    explicit OverviewPage(Settings &settings, QWidget *parent = nullptr);

    // The day block for `today`: the day number and the moon of that day,
    // with the texts put together by the main window.
    void refreshday(QDate today, const QString &dateline, const QString &namedaytext, const QString &birthdaytext,
                    const QString &namedaynexttext);

    // One row of the count list.
    struct CountRow
    {
        QString caption;
        int image; // 0 contacts, 1 calendar, 2 tasks, 3 notes
        QString count;
    };
    void setcounts(const QList<CountRow> &rows);

    // Shows `line` of the tips in place 0 (upper) or 1 (lower); a line that
    // is no tip leaves the place as it was.
    void showtip(int place, const QString &line);
    // The link of a tip place; empty means the maker's page.
    QString tiplink(int place) const { return tiplinks_[place]; }

    AnniversaryCaptions captions() const;
    LessonWords lessonwords() const;

    // The clock and the lesson panel.
    void setclock(const QPixmap &clock);
    void setlessonstatus(const LessonStatus &status);

    // Captions shown in the balloon.
    QString namedaycaption() const;
    QString birthdaycaption() const;
    QString namedaynextcaption() const;
    QString namedaytextshown() const;
    QString birthdaytextshown() const;
    QString namedaynexttextshown() const;

    QLabel *dayNumber = nullptr;
    QLabel *dateLine = nullptr;
    QLabel *welcome = nullptr;
    TMoon *Moon1 = nullptr;
    QTreeWidget *ListView2 = nullptr; // the next seven days
    QTreeWidget *countlist = nullptr;
    QWidget *tipboxes[2] = {};
    QLabel *clock = nullptr;
    QWidget *lessonpanel = nullptr;
    QLabel *inschooloff = nullptr;
    QLabel *current = nullptr;
    QLabel *next = nullptr;
    QLabel *room = nullptr;
    QLabel *rings = nullptr;
    LinkLabel *tiplabels[2] = {};
    QLabel *tipicons[2] = {};

signals:
    void tipclicked(int place);

private:
    void settingchanged(Setting which);
    void CheckBox11Click();

    Settings &settings_;
    QLabel *namedaylabel_ = nullptr;
    QLabel *namedaytext_ = nullptr;
    QLabel *birthdaylabel_ = nullptr;
    QLabel *birthdaytext_ = nullptr;
    QLabel *namedaynextlabel_ = nullptr;
    QLabel *namedaynexttext_ = nullptr;
    QLabel *moonlabel_ = nullptr;
    QLabel *nobody_ = nullptr;
    QLabel *in_ = nullptr;
    QLabel *days_ = nullptr;
    QLabel *today_ = nullptr;
    QLabel *fromcontacts_ = nullptr;
    QList<QLabel *> words_; // the lesson panel's words, in LessonWords order
    QString tiplinks_[2];
};
