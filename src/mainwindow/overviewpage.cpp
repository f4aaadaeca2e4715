#include "mainwindow/overviewpage.h"

#include "database/settings.h"
#include "mainwindow/framedbox.h"
#include "mainwindow/language.h"
#include "mainwindow/linklabel.h"
#include "moon/tmoon.h"
#include "platform/daynumber.h"
#include "platform/pictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char *const counticons[] = {"count0-contacts.svg", "count1-calendar.svg", "count2-tasks.svg",
                                  "count3-notes.svg"};

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    settranslatable(label, TransKind::label);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// A label whose text the program fills in.
QLabel *value(QWidget *parent)
{
    auto *label = new QLabel(parent);
    settranslatable(label, TransKind::label, 1);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

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
    dateLine = value(daybox);
    QFont datefont = dateLine->font();
    datefont.setBold(true);
    datefont.setPointSizeF(datefont.pointSizeF() * 1.2);
    dateLine->setFont(datefont);
    namedaylabel_ = caption(QStringLiteral("Name day:"), daybox);
    namedaytext_ = value(daybox);
    birthdaylabel_ = caption(QStringLiteral("Upcoming birthday:"), daybox);
    birthdaytext_ = value(daybox);
    namedaynextlabel_ = caption(QStringLiteral("Upcoming name day:"), daybox);
    namedaynexttext_ = value(daybox);
    moonlabel_ = caption(QStringLiteral("Moon phase:"), daybox);
    Moon1 = new TMoon(daybox);

    day->addWidget(dayNumber, 0, 0, 2, 1);
    day->addWidget(dateLine, 0, 1, 1, 2);
    day->addWidget(namedaylabel_, 2, 0, Qt::AlignTop);
    day->addWidget(namedaytext_, 2, 1, 1, 2);
    day->addWidget(birthdaylabel_, 3, 0, Qt::AlignTop);
    day->addWidget(birthdaytext_, 3, 1, 1, 2);
    day->addWidget(namedaynextlabel_, 4, 0, Qt::AlignTop);
    day->addWidget(namedaynexttext_, 4, 1, 1, 2);
    day->addWidget(moonlabel_, 0, 3, Qt::AlignRight | Qt::AlignTop);
    day->addWidget(Moon1, 1, 3, 3, 1, Qt::AlignRight | Qt::AlignTop);
    day->setColumnStretch(2, 1);
    page->addWidget(daybox);

    // The coming week and the counts.
    auto *lists = new QHBoxLayout;
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
    lists->addWidget(weekbox, 3);
    lists->addWidget(countbox, 1);
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
    case Setting::welcomenote:
        welcome->setText(settings_.text(Setting::welcomenote));
        break;
    default:
        break;
    }
}
