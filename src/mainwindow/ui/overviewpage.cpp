#include "mainwindow/ui/overviewpage.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/makerpages.h"
#include "mainwindow/tips.h"
#include "mainwindow/ui/backupwindow.h"
#include "mainwindow/ui/clockview.h"
#include "moon/ui/tmoon.h"
#include "organizer/counts.h"
#include "organizer/ui/calendarpage.h"
#include "organizer/ui/daylist.h"
#include "platform/clock.h"
#include "platform/dateformat.h"
#include "platform/daynumber.h"
#include "platform/folders.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/ui/icons.h"
#include "platform/wholefile.h"
#include "school/timetablemodel.h"
#include "widgets/language.h"
#include "widgets/pagetable.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/linklabel.h"
#include "widgets/ui/translation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr QRgb clockkey = 0xFFFF00FF; // the clock face's transparent colour

const char *const counticons[] = {"count0-contacts.svg", "count1-calendar.svg", "count2-tasks.svg",
                                  "count3-notes.svg"};

QTreeWidget *itemlist(const char *name, int columns, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setColumnCount(columns);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setFrameShape(QFrame::NoFrame);
    return list;
}

QLabel *named(QLabel *label, const char *name)
{
    label->setObjectName(QLatin1String(name));
    return label;
}

// The count text the Overview shows for a page.
QString counttext(PageCount count, const Database &db, QDate today)
{
    switch (count) {
    case PageCount::contacts: return countcontacts(db);
    case PageCount::calendar: return countcalitems(db, today);
    case PageCount::tasks: return counttasks(db);
    case PageCount::notes: return countmemos(db);
    case PageCount::none: break;
    }
    return {};
}

} // namespace

std::pair<int, int> picktwotips(int count, const std::function<int(int)> &below)
{
    if (count <= 0)
        return {-1, -1};
    const int first = below(count);
    if (count == 1)
        return {first, -1};
    int second = below(count);
    while (second == first)
        second = below(count);
    return {first, second};
}

QStringList builtindonation()
{
    return {QStringLiteral("Quillmoter is free and stays free. If it helps you through the school year, you can "
                           "support its further development with a donation of any size.")};
}

QImage loadclockface(const QString &path)
{
    QImage face(path);
    if (face.isNull()) {
        face = QImage(120, 120, QImage::Format_ARGB32);
        face.fill(Qt::transparent);
        return face;
    }
    face = face.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < face.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(face.scanLine(y));
        for (int x = 0; x < face.width(); ++x) {
            if (line[x] == clockkey)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    // Drawn under the hands every second: in the painter's own format, so
    // that no second converts it.
    return face.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

OverviewPage::OverviewPage(Database &db, Settings &settings, Clock &clock, TForm8 &backupform, QWidget *parent)
    : PageWidget(db, settings, clock, parent), tips(builtintips()), donate(builtindonation()),
      clockface_(loadclockface(folders::programfile(QStringLiteral("clock.bmp")))),
      namedaylists_(namedaylistfiles()), backupform_(backupform)
{
    auto *page = pagelayout<QVBoxLayout>();
    welcome = named(new QLabel(this), "welcome");
    settranslatable(welcome, TransKind::label, 1);
    QFont big = welcome->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    welcome->setFont(big);
    // The user's own words, as typed, on as many lines as they take: a long
    // note must not widen the window past the screen.
    welcome->setTextFormat(Qt::PlainText);
    welcome->setWordWrap(true);
    page->addWidget(welcome);
    builddaybox(page);
    buildclockbox(page);
    buildlists(page);
    buildtips(page);
    builddonation(page);

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
    connect(&db_, &Database::changed, this, &OverviewPage::databasechanged);
    connect(&settings_, &Settings::changed, this, &OverviewPage::lessonschanged);
    connect(&db_, &Database::changed, this, &OverviewPage::lessonschanged);
    connect(&db_, &Database::reloaded, this, &OverviewPage::lessonschanged);
    connect(&db_, &Database::reloaded, this, [this] {
        currentlesson_ = -1;
        refreshday();
        for (PageCount count : {PageCount::contacts, PageCount::calendar, PageCount::tasks, PageCount::notes})
            recount(count);
        refreshitemscounts();
    });
    connect(&clock_, &Clock::daychanged, this, [this] {
        refreshday();
        recount(PageCount::calendar); // what is still to come counts from today
        refreshitemscounts();
    });
}

void OverviewPage::builddaybox(QBoxLayout *page)
{
    auto *daybox = new FramedBox(this);
    auto *day = daybox->insidelayout<QGridLayout>();
    daylabel = named(new QLabel(daybox), "daylabel");
    settranslatable(daylabel, TransKind::label, 1);
    QFont huge = daylabel->font();
    huge.setBold(true);
    huge.setPixelSize(44);
    daylabel->setFont(huge);
    daylabel->setAlignment(Qt::AlignCenter);
    daylabel->setMinimumWidth(64);
    datelabel = named(valuelabel(daybox), "datelabel");
    QFont datefont = datelabel->font();
    datefont.setBold(true);
    datefont.setPointSizeF(datefont.pointSizeF() * 1.2);
    datelabel->setFont(datefont);
    namedaylabel_ = captionlabel(QStringLiteral("Name day:"), daybox);
    namedaytext_ = named(valuelabel(daybox), "namedaytext");
    birthdaylabel_ = captionlabel(QStringLiteral("Upcoming birthday:"), daybox);
    birthdaytext_ = named(valuelabel(daybox), "birthdaytext");
    namedaynextlabel_ = captionlabel(QStringLiteral("Upcoming name day:"), daybox);
    namedaynexttext_ = named(valuelabel(daybox), "namedaynexttext");
    day->setVerticalSpacing(2);
    day->addWidget(daylabel, 0, 0, 4, 1);
    day->addWidget(datelabel, 0, 1, 1, 2);
    day->addWidget(namedaylabel_, 1, 1, Qt::AlignTop);
    day->addWidget(namedaytext_, 1, 2);
    day->addWidget(birthdaylabel_, 2, 1, Qt::AlignTop);
    day->addWidget(birthdaytext_, 2, 2);
    day->addWidget(namedaynextlabel_, 3, 1, Qt::AlignTop);
    day->addWidget(namedaynexttext_, 3, 2);
    day->setColumnStretch(2, 1);
    page->addWidget(daybox);
}

void OverviewPage::buildclockbox(QBoxLayout *page)
{
    auto *clockbox = new FramedBox(this);
    auto *school = clockbox->insidelayout<QHBoxLayout>();
    auto *moon = new QVBoxLayout;
    moonlabel_ = captionlabel(QStringLiteral("Moon phase:"), clockbox);
    Moon1 = new TMoon(clockbox);
    Moon1->setObjectName(QStringLiteral("Moon1"));
    moon->addWidget(moonlabel_);
    moon->addWidget(Moon1, 0, Qt::AlignHCenter);
    moon->addStretch(1);
    school->addLayout(moon);
    clock = new ClockView(clockface_, clockbox);
    clock->setObjectName(QStringLiteral("clock"));
    school->addWidget(clock, 0, Qt::AlignTop);
    lessonpanel = new QWidget(clockbox);
    lessonpanel->setObjectName(QStringLiteral("lessonpanel"));
    auto *lessons = new QGridLayout(lessonpanel);
    lessons->setContentsMargins(0, 0, 0, 0);
    current = named(valuelabel(lessonpanel), "current");
    next = named(valuelabel(lessonpanel), "next");
    room = named(valuelabel(lessonpanel), "room");
    rings = named(valuelabel(lessonpanel), "rings");
    rings->setWordWrap(false);
    // Opaque on the box's white: its new text each second repaints the
    // label alone, not the box and page behind it.
    QPalette white = rings->palette();
    white.setColor(QPalette::Window, Qt::white);
    rings->setPalette(white);
    rings->setAutoFillBackground(true);
    const QList<std::pair<QString, QLabel *>> rows = {{QStringLiteral("Now is:"), current},
                                                       {QStringLiteral("Next lesson:"), next},
                                                       {QStringLiteral("Next classroom:"), room},
                                                       {QStringLiteral("Rings in:"), rings}};
    for (int r = 0; r < rows.size(); ++r) {
        lessons->addWidget(captionlabel(rows[r].first, lessonpanel), r, 0, Qt::AlignTop);
        // The countdown is of a fixed width: held to the left, it does not
        // hold its column to that width.
        lessons->addWidget(rows[r].second, r, 1, rows[r].second == rings ? Qt::AlignLeft : Qt::Alignment());
    }
    lessons->setRowStretch(rows.size(), 1);
    // The values right beside their captions; the room left over lies after them.
    lessons->setColumnStretch(1, 1);
    lessonpanel->setMinimumWidth(220);
    inschooloff = named(new QLabel(QStringLiteral("Mode \"In school\" is off"), clockbox), "inschooloff");
    settranslatable(inschooloff, TransKind::label);
    inschooloff->hide();
    school->addWidget(lessonpanel, 1);
    school->addWidget(inschooloff, 1, Qt::AlignCenter);
    page->addWidget(clockbox);
}

void OverviewPage::buildlists(QBoxLayout *page)
{
    auto *weekbox = new FramedBox(this);
    auto *week = weekbox->insidelayout<QVBoxLayout>();
    ListView2 = makedayview(weekbox);
    ListView2->setObjectName(QStringLiteral("ListView2"));
    sevendays_ = new DayList(db_.calitems, this);
    ListView2->setModel(sevendays_);
    ListView2->setIconSize(QSize(16, 16));
    ListView2->setSelectionMode(QAbstractItemView::NoSelection);
    ListView2->setFocusPolicy(Qt::NoFocus);
    week->addWidget(ListView2);
    auto *countbox = new FramedBox(this);
    auto *counts = countbox->insidelayout<QVBoxLayout>();
    countlist = itemlist("countlist", 2, countbox);
    countlist->setIconSize(QSize(16, 16));
    countlist->header()->setStretchLastSection(false);
    countlist->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    countlist->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    countlist->header()->resizeSection(1, 55);
    countlist->setMinimumWidth(180);
    // Room for all four counts without a scroll bar.
    countlist->setMinimumHeight(4 * (std::max(countlist->fontMetrics().height(), 16) + 4) + 4);
    counts->addWidget(countlist);
    // The backups of the whole data folder.
    auto *backups = new QHBoxLayout;
    QPushButton *exportbutton = namedbutton("BitBtn23", QStringLiteral("Export(backup)"), countbox);
    QPushButton *importbutton = namedbutton("BitBtn24", QStringLiteral("Import"), countbox);
    backups->addWidget(exportbutton);
    backups->addWidget(importbutton);
    counts->addLayout(backups);
    connect(exportbutton, &QPushButton::clicked, this, &OverviewPage::BitBtn23Click);
    connect(importbutton, &QPushButton::clicked, this, &OverviewPage::BitBtn24Click);
    auto *lists = new QHBoxLayout;
    lists->addWidget(weekbox, 3);
    lists->addWidget(countbox, 2);
    page->addLayout(lists, 1);
}

void OverviewPage::buildtips(QBoxLayout *page)
{
    auto *tiprow = new QHBoxLayout;
    for (int place = 0; place < 2; ++place) {
        auto *box = new FramedBox(this);
        box->setObjectName(QStringLiteral("tipbox%1").arg(place + 1));
        auto *row = box->insidelayout<QHBoxLayout>();
        tipicons[place] = new QLabel(box);
        tipicons[place]->setFixedSize(32, 32);
        tiplabels[place] = new LinkLabel(QString(), box);
        tiplabels[place]->setObjectName(QStringLiteral("tiplabel%1").arg(place + 1));
        tiplabels[place]->setWordWrap(true);
        settranslatable(tiplabels[place], TransKind::label, 1);
        row->addWidget(tipicons[place], 0, Qt::AlignTop);
        row->addWidget(tiplabels[place], 1);
        connect(tiplabels[place], &LinkLabel::clicked, this, [this, place] { tipclicked(place); });
        tipboxes[place] = box;
        tiprow->addWidget(box, 1);
    }
    page->addLayout(tiprow);
}

void OverviewPage::builddonation(QBoxLayout *page)
{
    donatebox = new FramedBox(this);
    donatebox->setObjectName(QStringLiteral("donatebox"));
    auto *row = static_cast<FramedBox *>(donatebox)->insidelayout<QHBoxLayout>();
    Memo1 = named(valuelabel(donatebox), "Memo1");
    QPushButton *donatebutton = namedbutton("BitBtn18", QStringLiteral("Donate"), donatebox);
    LinkLabel *hide = namedlink("Label78", QStringLiteral("Hide"), donatebox);
    row->addWidget(Memo1, 1);
    row->addWidget(donatebutton, 0, Qt::AlignVCenter);
    row->addWidget(hide, 0, Qt::AlignVCenter);
    page->addWidget(donatebox);
    connect(donatebutton, &QPushButton::clicked, this, &OverviewPage::BitBtn18Click);
    connect(hide, &LinkLabel::clicked, this, &OverviewPage::Label78Click);

    auto *line = new QHBoxLayout;
    QLabel *information =
        translatedlabel(QStringLiteral("For information, new versions and giving feedback click"), this);
    LinkLabel *here = namedlink("herelink", QStringLiteral("here"), this);
    LinkLabel *support = namedlink("Label84", QStringLiteral("Support project"), this);
    line->addWidget(information);
    line->addWidget(here);
    line->addStretch(1);
    line->addWidget(support);
    page->addLayout(line);
    connect(here, &LinkLabel::clicked, this, &OverviewPage::aboutrequested);
    connect(support, &LinkLabel::clicked, this, &OverviewPage::Label84Click);
}

QSize OverviewPage::minimumSizeHint() const
{
    QSize size = PageWidget::minimumSizeHint();
    // A window asks its pages for a minimum size only, not for the height
    // their wrapped lines take at a width: that height is given here, at
    // the narrowest the page gets. In a stack of pages that is as wide as
    // the widest of the others needs.
    if (layout() && layout()->hasHeightForWidth()) {
        int narrowest = size.width();
        if (const auto *stack = qobject_cast<const QStackedWidget *>(parentWidget())) {
            for (int i = 0; i < stack->count(); ++i) {
                const QWidget *other = stack->widget(i);
                if (other != this)
                    narrowest = std::max({narrowest, other->minimumSizeHint().width(), other->minimumWidth()});
            }
        }
        size.setHeight(std::max(size.height(), layout()->totalMinimumHeightForWidth(narrowest)));
    }
    return size;
}

void OverviewPage::showEvent(QShowEvent *event)
{
    // The text as the language left it.
    Memo1->setText(donate.join(u'\n'));
    // The clock and the lessons went unchanged while the page was away.
    lessonsdirty_ = true;
    PageWidget::showEvent(event);
}

void OverviewPage::BitBtn18Click()
{
    openwebpage(donationaddress(currentlanguage().language()));
}

void OverviewPage::Label78Click()
{
    settings_.setflag(Setting::donationhidden, true);
}

void OverviewPage::Label84Click()
{
    settings_.setflag(Setting::donationhidden, false);
}

AnniversaryCaptions OverviewPage::captions() const
{
    return {nobody_->text(), in_->text(), days_->text(), today_->text(), fromcontacts_->text()};
}

LessonWords OverviewPage::lessonwords() const
{
    return {words_[0]->text(), words_[1]->text(), words_[2]->text(), words_[3]->text(),
            words_[4]->text(), words_[5]->text(), words_[6]->text(), words_[7]->text()};
}

QString OverviewPage::dateline(QDate today) const
{
    QString line = formatdate(settings_.text(Setting::dateformat), today);
    if (settings_.flag(Setting::twoweeks)) {
        // The week button's caption on the Timetable page, in lower case.
        const bool even = today.weekNumber() % 2 == 0;
        QString week = currentlanguage().lookup(QStringLiteral("Buttons"),
                                                even ? QStringLiteral("Even week") : QStringLiteral("Odd week"));
        for (QChar &c : week) {
            if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                c = c.toLower();
        }
        line += QStringLiteral(", ") + week;
    }
    return line;
}

void OverviewPage::refreshday()
{
    const QDate today = clock_.today();
    const AnniversaryCaptions words = captions();
    Moon1->setdate(daynumber::fromdate(today));
    daylabel->setText(QString::number(today.day()));
    datelabel->setText(dateline(today));
    namedaytext_->setText(namedaytext(db_.namedays, db_.contacts, today, words));
    birthdaytext_->setText(getremainingdays(Anniversary::birthday, db_.contacts, today, words));
    namedaynexttext_->setText(getremainingdays(Anniversary::nameday, db_.contacts, today, words));
    refresh7days();
}

void OverviewPage::refresh7days()
{
    sevendays_->showweek(clock_.today(), settings_.text(Setting::dateformat));
}

void OverviewPage::recount(PageCount count)
{
    counts_[int(count)] = counttext(count, db_, clock_.today());
}

void OverviewPage::refreshitemscounts()
{
    countlist->clear();
    for (const PageEntry &entry : pagetable) {
        if (entry.count == PageCount::none || !settings_.flag(buttonvisible(entry.showtab)))
            continue;
        auto *item = new QTreeWidgetItem(countlist, {pagecaption(entry.page), counts_[int(entry.count)]});
        const int image = int(entry.count) - 1;
        item->setIcon(0, QIcon(iconpixmap(QLatin1String(counticons[image]), QSize(16, 16))));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    countlist->header()->resizeSection(1, countcolumnwidth());
}

int OverviewPage::countcolumnwidth() const
{
    // 55 pixels, or as wide as a count needs ("150/150"): a count is never
    // cut. The view leaves a margin on either side of a text.
    const int margins = 2 * (countlist->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, countlist) + 1);
    int width = 55;
    for (int i = 0; i < countlist->topLevelItemCount(); ++i)
        width = std::max(width, countlist->fontMetrics().horizontalAdvance(countlist->topLevelItem(i)->text(1)) + margins);
    return width;
}

void OverviewPage::ComboBox7Change()
{
    const QString chosen = settings_.text(Setting::annilang);
    const QString path = namedaylists_.value(chosen);
    std::optional<QStringList> lines;
    QString reason;
    if (!path.isEmpty())
        lines = wholefile::readlines(path, &reason);
    if (!lines) {
        if (!namedaylists_.isEmpty()) {
            trans_messagebox(QStringLiteral("Unable to read the name-day list %s:#%s"),
                             {path.isEmpty() ? chosen : path,
                              reason.isEmpty() ? QStringLiteral("No such list.") : reason},
                             QStringLiteral("Error"), mb::iconerror);
            // Back to the list that is loaded, so the choice names what is shown.
            if (!loadedlist_.isEmpty() && loadedlist_ != chosen) {
                const QSignalBlocker quiet(settings_);
                settings_.settext(Setting::annilang, loadedlist_);
            }
        }
        return;
    }
    loadedlist_ = chosen;
    db_.setnamedays(*lines);
}

void OverviewPage::showtips()
{
    const auto [upper, lower] =
        picktwotips(int(tips.size()), [](int n) { return int(QRandomGenerator::global()->bounded(n)); });
    if (upper >= 0)
        showtip(0, tips.at(upper));
    if (lower >= 0)
        showtip(1, tips.at(lower));
}

void OverviewPage::showtip(int place, const QString &line)
{
    const std::optional<Tip> tip = parsetip(line);
    if (!tip)
        return;
    tipicons[place]->setPixmap(iconpixmap(QStringLiteral("tip%1.svg").arg(tip->icon, 2, 10, QLatin1Char('0')),
                                          QSize(32, 32)));
    tiplabels[place]->setText(tip->text);
    tiplinks_[place] = tip->link;
}

void OverviewPage::tipclicked(int place)
{
    QString link = tiplinks_[place];
    if (link.isEmpty())
        link = makersite(currentlanguage().language()) + QStringLiteral("index.php?art=quillmoter-organizer");
    openwebpage(link + makerappquery);
}

void OverviewPage::tick(const QDateTime &now)
{
    const QTime time = now.time();
    const QTime second(time.hour(), time.minute(), time.second());
    // Twenty ticks a second: only a new second, or a change the texts or
    // the clock depend on (a setting, the timetable), has anything to show.
    if (second == clockshown_ && !lessonsdirty_)
        return;
    clockshown_ = second;
    lessonsdirty_ = false;
    clock->showtime(second, settings_.flag(Setting::digitalclock));
    const LessonWords words = lessonwords();
    // The countdown changes every second: as wide as its widest text and of
    // a fixed size, a new text repaints the label alone instead of laying
    // out the whole page again. Measured again only when its words change.
    const QString widesttext = minutestotext(23 * 60 + 59, 0, words);
    if (widesttext != ringssample_) {
        ringssample_ = widesttext;
        const QFontMetrics metrics(rings->font());
        int widest = metrics.horizontalAdvance(widesttext);
        for (const QString *word : {&words.never, &words.weekend})
            widest = std::max(widest, metrics.horizontalAdvance(*word));
        rings->setFixedSize(widest + 4, rings->sizeHint().height());
    }
    const int weekcode = weekcodefor(thisweek(now.date(), settings_.flag(Setting::twoweeks)),
                                     settings_.number(Setting::tttype));
    const LessonStatus status = lessonstatus(db_.timetable, now, weekcode, settings_.number(Setting::weekstarts),
                                             settings_.flag(Setting::weekendeducation), words);
    currentlesson_ = status.currentlesson;
    current->setText(status.current);
    next->setText(status.next);
    room->setText(status.room);
    rings->setText(status.rings);
}

QString OverviewPage::balloontext() const
{
    return namedaylabel_->text() + namedaytext_->text() + QLatin1Char('\n') + birthdaylabel_->text()
           + birthdaytext_->text() + QLatin1Char('\n') + namedaynextlabel_->text() + namedaynexttext_->text();
}

void OverviewPage::CheckBox11Click()
{
    const bool upcoming = settings_.flag(Setting::countanniversaries);
    birthdaylabel_->setVisible(upcoming);
    birthdaytext_->setVisible(upcoming);
    const bool namedays = upcoming && settings_.flag(Setting::shownamedays);
    namedaynextlabel_->setVisible(namedays);
    namedaynexttext_->setVisible(namedays);
}

void OverviewPage::databasechanged(DbKind kind)
{
    // A reload refreshes once at its end.
    if (db_.loading())
        return;
    switch (kind) {
    case DbKind::contacts:
        refreshday();
        recount(PageCount::contacts);
        refreshitemscounts();
        break;
    case DbKind::namedays:
        // While the settings load, the contacts are not loaded yet.
        if (!settings_.loading())
            refreshday();
        break;
    case DbKind::calendar:
        refresh7days();
        recount(PageCount::calendar);
        refreshitemscounts();
        break;
    case DbKind::tasks:
        recount(PageCount::tasks);
        refreshitemscounts();
        break;
    case DbKind::notes:
        recount(PageCount::notes);
        refreshitemscounts();
        break;
    default:
        break;
    }
}

void OverviewPage::settingchanged(Setting which)
{
    if (isbuttonvisible(which)) {
        refreshitemscounts();
        return;
    }
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
    case Setting::donationhidden:
        donatebox->setVisible(!settings_.flag(Setting::donationhidden));
        break;
    case Setting::welcomenote:
        welcome->setText(settings_.text(Setting::welcomenote));
        break;
    case Setting::annilang:
        ComboBox7Change();
        break;
    case Setting::dateformat:
    case Setting::twoweeks:
        datelabel->setText(dateline(clock_.today()));
        break;
    default:
        break;
    }
}

void OverviewPage::BitBtn23Click()
{
    backupform_.showexport();
}

void OverviewPage::BitBtn24Click()
{
    backupform_.showimport();
}
