#include "school/timetablepage.h"

#include "database/database.h"
#include "database/settings.h"
#include "school/timetablemodel.h"
#include "widgets/framedbox.h"
#include "widgets/language.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TimetablePage::TimetablePage(Database &db, Settings &settings, QWidget *parent)
    : QWidget(parent), db_(db), settings_(settings)
{
    setAutoFillBackground(true);
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 8);

    auto *weeks = new QHBoxLayout;
    evenbutton = new QToolButton(this);
    evenbutton->setText(QStringLiteral("Even week"));
    oddbutton = new QToolButton(this);
    oddbutton->setText(QStringLiteral("Odd week"));
    auto *group = new QButtonGroup(this);
    for (QToolButton *b : {evenbutton, oddbutton}) {
        b->setCheckable(true);
        settranslatable(b, TransKind::speedbutton);
        group->addButton(b);
        weeks->addWidget(b);
    }
    group->setExclusive(true);
    evenbutton->setChecked(true);
    thisweekbutton = new QPushButton(QStringLiteral("This week"), this);
    switchbutton = new QPushButton(QStringLiteral("Switch weeks"), this);
    for (QPushButton *b : {thisweekbutton, switchbutton}) {
        settranslatable(b, TransKind::bitbtn);
        weeks->addWidget(b);
    }
    weeks->addStretch(1);
    page->addLayout(weeks);

    timetablebox = new FramedBox(this);
    page->addWidget(timetablebox, 1);

    connect(evenbutton, &QToolButton::clicked, this, &TimetablePage::evenbuttonClick);
    connect(oddbutton, &QToolButton::clicked, this, &TimetablePage::oddbuttonClick);
    connect(thisweekbutton, &QPushButton::clicked, this, &TimetablePage::BitBtn29Click);
    connect(switchbutton, &QPushButton::clicked, this, &TimetablePage::SpeedButton3Click);
    connect(&settings_, &Settings::changed, this, &TimetablePage::settingchanged);
}

void TimetablePage::settingchanged(Setting which)
{
    if (which == Setting::twoweeks)
        evenoddcheckClick();
    else if (which == Setting::tttype)
        tttypecomboChange();
}

void TimetablePage::resetview()
{
    selectedlesson = -1;
    hoveredlesson = -1;
}

void TimetablePage::setweek(int week)
{
    if (weekspin == week)
        return;
    weekspin = week;
    weekspinChange();
}

void TimetablePage::weekspinChange()
{
    weekcode = weekcodefor(weekspin, settings_.number(Setting::tttype));
    // A lesson of another week or mode must not stay selected for editing.
    resetview();
    timetablebox->update();
    emit weekchanged();
}

void TimetablePage::tttypecomboChange()
{
    weekspinChange();
}

void TimetablePage::evenbuttonClick()
{
    evenbutton->setChecked(true);
    setweek(1);
}

void TimetablePage::oddbuttonClick()
{
    oddbutton->setChecked(true);
    setweek(2);
}

void TimetablePage::BitBtn29Click()
{
    const QDate today = today_ ? today_() : QDate::currentDate();
    if (thisweek(today, settings_.flag(Setting::twoweeks)) == 1)
        evenbuttonClick();
    else
        oddbuttonClick();
}

void TimetablePage::SpeedButton3Click()
{
    switchweeks(db_.timetable, settings_.number(Setting::tttype));
    resetview();
    timetablebox->update();
    db_.savetimetable();
}

void TimetablePage::evenoddcheckClick()
{
    const bool two = settings_.flag(Setting::twoweeks);
    for (QWidget *w : std::initializer_list<QWidget *>{evenbutton, oddbutton, thisweekbutton, switchbutton})
        w->setVisible(two);
    BitBtn29Click();
}
