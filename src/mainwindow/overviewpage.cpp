#include "mainwindow/overviewpage.h"

#include "database/settings.h"
#include "moon/tmoon.h"
#include "platform/daynumber.h"
#include "platform/pictures.h"
#include "widgets/framedbox.h"
#include "widgets/language.h"
#include "widgets/linklabel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char *const counticons[] = {"count0-contacts.svg", "count1-calendar.svg", "count2-tasks.svg",
                                  "count3-notes.svg"};

QTreeWidget *itemlist(int columns, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setColumnCount(columns);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setFrameShape(QFrame::NoFrame);
    return list;
}

} // namespace

OverviewPage::OverviewPage(Settings &settings, QWidget *parent) : QWidget(parent), settings_(settings)
{
    setAutoFillBackground(true);
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 8);

    welcome = new QLabel(this);
    settranslatable(welcome, TransKind::label, 1);
    QFont big = welcome->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    welcome->setFont(big);
    page->addWidget(welcome);

    // The day block.
    auto *daybox = new FramedBox(this);
    auto *day = new QGridLayout(daybox);
    day->setContentsMargins(20, 18, 20, 18);
    dayNumber = new QLabel(daybox);
    settranslatable(dayNumber, TransKind::label, 1);
    QFont huge = dayNumber->font();
    huge.setBold(true);
    huge.setPixelSize(44);
    dayNumber->setFont(huge);
    dayNumber->setAlignment(Qt::AlignCenter);
    dayNumber->setMinimumWidth(64);
    dateLine = valuelabel(daybox);
    QFont datefont = dateLine->font();
    datefont.setBold(true);
    datefont.setPointSizeF(datefont.pointSizeF() * 1.2);
    dateLine->setFont(datefont);
    namedaylabel_ = captionlabel(QStringLiteral("Name day:"), daybox);
    namedaytext_ = valuelabel(daybox);
    birthdaylabel_ = captionlabel(QStringLiteral("Upcoming birthday:"), daybox);
    birthdaytext_ = valuelabel(daybox);
    namedaynextlabel_ = captionlabel(QStringLiteral("Upcoming name day:"), daybox);
    namedaynexttext_ = valuelabel(daybox);
    day->setVerticalSpacing(2);
    day->addWidget(dayNumber, 0, 0, 4, 1);
    day->addWidget(dateLine, 0, 1, 1, 2);
    day->addWidget(namedaylabel_, 1, 1, Qt::AlignTop);
    day->addWidget(namedaytext_, 1, 2);
    day->addWidget(birthdaylabel_, 2, 1, Qt::AlignTop);
    day->addWidget(birthdaytext_, 2, 2);
    day->addWidget(namedaynextlabel_, 3, 1, Qt::AlignTop);
    day->addWidget(namedaynexttext_, 3, 2);
    day->setColumnStretch(2, 1);

    // The clock and the lesson panel.
    auto *clockbox = new FramedBox(this);
    auto *school = new QHBoxLayout(clockbox);
    school->setContentsMargins(18, 16, 18, 16);
    auto *moon = new QVBoxLayout;
    moonlabel_ = captionlabel(QStringLiteral("Moon phase:"), clockbox);
    Moon1 = new TMoon(clockbox);
    moon->addWidget(moonlabel_);
    moon->addWidget(Moon1, 0, Qt::AlignHCenter);
    moon->addStretch(1);
    school->addLayout(moon);
    clock = new QLabel(clockbox);
    clock->setFixedSize(120, 120);
    school->addWidget(clock, 0, Qt::AlignTop);
    lessonpanel = new QWidget(clockbox);
    auto *lessons = new QGridLayout(lessonpanel);
    lessons->setContentsMargins(0, 0, 0, 0);
    current = valuelabel(lessonpanel);
    next = valuelabel(lessonpanel);
    room = valuelabel(lessonpanel);
    rings = valuelabel(lessonpanel);
    rings->setWordWrap(false);
    const QList<std::pair<QString, QLabel *>> rows = {{QStringLiteral("Now is:"), current},
                                                       {QStringLiteral("Next lesson:"), next},
                                                       {QStringLiteral("Next classroom:"), room},
                                                       {QStringLiteral("Rings in:"), rings}};
    for (int r = 0; r < rows.size(); ++r) {
        lessons->addWidget(captionlabel(rows[r].first, lessonpanel), r, 0, Qt::AlignTop);
        lessons->addWidget(rows[r].second, r, 1);
    }
    lessons->setRowStretch(rows.size(), 1);
    lessonpanel->setMinimumWidth(220);
    inschooloff = new QLabel(QStringLiteral("Mode \"In school\" is off"), clockbox);
    settranslatable(inschooloff, TransKind::label);
    inschooloff->hide();
    school->addWidget(lessonpanel, 1);
    school->addWidget(inschooloff, 1, Qt::AlignCenter);

    page->addWidget(daybox);

    // The coming week and the counts.
    auto *weekbox = new FramedBox(this);
    auto *week = new QVBoxLayout(weekbox);
    week->setContentsMargins(18, 18, 18, 18);
    ListView2 = itemlist(1, weekbox);
    ListView2->setIconSize(QSize(16, 16));
    week->addWidget(ListView2);
    auto *countbox = new FramedBox(this);
    auto *counts = new QVBoxLayout(countbox);
    counts->setContentsMargins(18, 18, 18, 18);
    countlist = itemlist(2, countbox);
    countlist->setIconSize(QSize(16, 16));
    countlist->header()->setStretchLastSection(false);
    countlist->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    countlist->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    countlist->header()->resizeSection(1, 55);
    countlist->setMinimumWidth(180);
    counts->addWidget(countlist);
    page->addWidget(clockbox);
    auto *lists = new QHBoxLayout;
    lists->addWidget(weekbox, 3);
    lists->addWidget(countbox, 2);
    page->addLayout(lists, 1);

    // Two tips.
    auto *tiprow = new QHBoxLayout;
    for (int place = 0; place < 2; ++place) {
        auto *box = new FramedBox(this);
        auto *row = new QHBoxLayout(box);
        row->setContentsMargins(18, 16, 18, 16);
        tipicons[place] = new QLabel(box);
        tipicons[place]->setFixedSize(32, 32);
        tiplabels[place] = new LinkLabel(QString(), box);
        tiplabels[place]->setWordWrap(true);
        settranslatable(tiplabels[place], TransKind::label, 1);
        row->addWidget(tipicons[place], 0, Qt::AlignTop);
        row->addWidget(tiplabels[place], 1);
        connect(tiplabels[place], &LinkLabel::clicked, this, [this, place] { emit tipclicked(place); });
        tipboxes[place] = box;
        tiprow->addWidget(box, 1);
    }
    page->addLayout(tiprow);

    nobody_ = hiddenlabel(this, QStringLiteral("nobody"));
    in_ = hiddenlabel(this, QStringLiteral("in"));
    days_ = hiddenlabel(this, QStringLiteral("days"));
    today_ = hiddenlabel(this, QStringLiteral("TODAY!"));
    fromcontacts_ = hiddenlabel(this, QStringLiteral("from contacts"));
    const LessonWords english;
    for (const QString *word : {&english.nolesson, &english.never, &english.none, &english.weekend,
                                &english.breaktime, &english.hours, &english.minutes, &english.seconds})
        words_ << hiddenlabel(this, *word);

    connect(&settings_, &Settings::changed, this, &OverviewPage::settingchanged);
}

AnniversaryCaptions OverviewPage::captions() const
{
    return {nobody_->text(), in_->text(), days_->text(), today_->text(), fromcontacts_->text()};
}

void OverviewPage::refreshday(QDate today, const QString &dateline, const QString &namedaytext,
                              const QString &birthdaytext, const QString &namedaynexttext)
{
    Moon1->setdate(daynumber::fromdate(today));
    dayNumber->setText(QString::number(today.day()));
    dateLine->setText(dateline);
    namedaytext_->setText(namedaytext);
    birthdaytext_->setText(birthdaytext);
    namedaynexttext_->setText(namedaynexttext);
}

void OverviewPage::setcounts(const QList<CountRow> &rows)
{
    countlist->clear();
    for (const CountRow &row : rows) {
        auto *item = new QTreeWidgetItem(countlist, {row.caption, row.count});
        if (row.image >= 0 && row.image < int(std::size(counticons)))
            item->setIcon(0, QIcon(iconpixmap(QLatin1String(counticons[row.image]), QSize(16, 16))));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void OverviewPage::showtip(int place, const QString &line)
{
    if (place < 0 || place > 1)
        return;
    const std::optional<Tip> tip = parsetip(line);
    if (!tip)
        return;
    tipicons[place]->setPixmap(iconpixmap(QStringLiteral("tip%1.svg").arg(tip->icon, 2, 10, QLatin1Char('0')),
                                          QSize(32, 32)));
    tiplabels[place]->setText(tip->text);
    tiplinks_[place] = tip->link;
}

LessonWords OverviewPage::lessonwords() const
{
    return {words_[0]->text(), words_[1]->text(), words_[2]->text(), words_[3]->text(),
            words_[4]->text(), words_[5]->text(), words_[6]->text(), words_[7]->text()};
}

void OverviewPage::setclock(const QPixmap &picture)
{
    clock->setPixmap(picture);
}

void OverviewPage::setlessonstatus(const LessonStatus &status)
{
    current->setText(status.current);
    next->setText(status.next);
    room->setText(status.room);
    rings->setText(status.rings);
}

QString OverviewPage::namedaycaption() const { return namedaylabel_->text(); }
QString OverviewPage::birthdaycaption() const { return birthdaylabel_->text(); }
QString OverviewPage::namedaynextcaption() const { return namedaynextlabel_->text(); }
QString OverviewPage::namedaytextshown() const { return namedaytext_->text(); }
QString OverviewPage::birthdaytextshown() const { return birthdaytext_->text(); }
QString OverviewPage::namedaynexttextshown() const { return namedaynexttext_->text(); }

void OverviewPage::CheckBox11Click()
{
    const bool upcoming = settings_.flag(Setting::countanniversaries);
    birthdaylabel_->setVisible(upcoming);
    birthdaytext_->setVisible(upcoming);
    const bool namedays = upcoming && settings_.flag(Setting::shownamedays);
    namedaynextlabel_->setVisible(namedays);
    namedaynexttext_->setVisible(namedays);
}

void OverviewPage::settingchanged(Setting which)
{
    switch (which) {
    case Setting::countanniversaries:
        CheckBox11Click();
        break;
    case Setting::shownamedays: {
        const bool shown = settings_.flag(Setting::shownamedays);
        namedaylabel_->setVisible(shown);
        namedaytext_->setVisible(shown);
        CheckBox11Click();
        break;
    }
    case Setting::showmoon: {
        const bool shown = settings_.flag(Setting::showmoon);
        moonlabel_->setVisible(shown);
        Moon1->setVisible(shown);
        break;
    }
    case Setting::hidetips:
        for (QWidget *box : tipboxes)
            box->setVisible(!settings_.flag(Setting::hidetips));
        break;
    case Setting::inschool:
        // The lesson status is kept current either way; only its panel hides.
        lessonpanel->setVisible(settings_.flag(Setting::inschool));
        inschooloff->setVisible(!settings_.flag(Setting::inschool));
        break;
    case Setting::welcomenote:
        welcome->setText(settings_.text(Setting::welcomenote));
        break;
    default:
        break;
    }
}
