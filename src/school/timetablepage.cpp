#include "school/timetablepage.h"

#include "database/database.h"
#include "database/settings.h"
#include "platform/clock.h"
#include "school/timetablemodel.h"
#include "widgets/framedbox.h"
#include "widgets/language.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TimetablePage::TimetablePage(Database &db, Settings &settings, Clock &clock, QWidget *parent)
    : PageWidget(db, settings, clock, parent)
{
    auto *page = pagelayout<QVBoxLayout>();

    auto *weeks = new QHBoxLayout;
    evenbutton = new QToolButton(this);
    evenbutton->setObjectName(QStringLiteral("evenbutton"));
    evenbutton->setText(QStringLiteral("Even week"));
    oddbutton = new QToolButton(this);
    oddbutton->setObjectName(QStringLiteral("oddbutton"));
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
    thisweekbutton->setObjectName(QStringLiteral("BitBtn29"));
    switchbutton = new QPushButton(QStringLiteral("Switch weeks"), this);
    switchbutton->setObjectName(QStringLiteral("SpeedButton3"));
    for (QPushButton *b : {thisweekbutton, switchbutton}) {
        settranslatable(b, TransKind::bitbtn);
        weeks->addWidget(b);
    }
    weeks->addStretch(1);
    page->addLayout(weeks);

    timetablebox = new FramedBox(this);
    timetablebox->setObjectName(QStringLiteral("timetablebox"));
    page->addWidget(timetablebox, 1);

    connect(evenbutton, &QToolButton::clicked, this, &TimetablePage::evenbuttonClick);
    connect(oddbutton, &QToolButton::clicked, this, &TimetablePage::oddbuttonClick);
    connect(thisweekbutton, &QPushButton::clicked, this, &TimetablePage::BitBtn29Click);
    connect(switchbutton, &QPushButton::clicked, this, &TimetablePage::SpeedButton3Click);
    connect(&settings_, &Settings::changed, this, &TimetablePage::settingchanged);
    connect(&db_, &Database::reloaded, this, [this] {
        resetview();
        weekspinChange();
        evenoddcheckClick();
    });
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

void TimetablePage::repaintview()
{
    timetablebox->update();
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
    if (thisweek(clock_.today(), settings_.flag(Setting::twoweeks)) == 1)
        evenbuttonClick();
    else
        oddbuttonClick();
}

void TimetablePage::SpeedButton3Click()
{
    switchweeks(db_.timetable, settings_.number(Setting::tttype));
    resetview();
    timetablebox->update();
    const OwnChange own(*this);
    db_.savetimetable();
}

void TimetablePage::evenoddcheckClick()
{
    const bool two = settings_.flag(Setting::twoweeks);
    for (QWidget *w : std::initializer_list<QWidget *>{evenbutton, oddbutton, thisweekbutton, switchbutton})
        w->setVisible(two);
    BitBtn29Click();
}
