#include "organizer/ui/calendarpage.h"

#include "database/database.h"
#include "database/settings.h"
#include "moon/ui/tmoon.h"
#include "organizer/anniversaries.h"
#include "organizer/ui/calendareditor.h"
#include "organizer/ui/calendaricons.h"
#include "organizer/ui/daylist.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "platform/pictures.h"
#include "platform/prompter.h"
#include "platform/ui/icons.h"
#include "widgets/language.h"
#include "widgets/ui/fittedcontrols.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int tilewidth = 206;
constexpr int tileheight = 55;

QColor html(const char *text)
{
    return wincolor(htmltocolor(QLatin1String(text)));
}

QToolButton *arrow(const char *name, const char *icon, const QString &hint, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(QIcon(iconpixmap(QLatin1String(icon), QSize(16, 16))));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    settranslatable(b, TransKind::bitbtn);
    return b;
}

} // namespace

QTreeView *makedayview(QWidget *parent)
{
    auto *list = new QTreeView(parent);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setIconSize(QSize(32, 32));
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setFrameShape(QFrame::NoFrame);
    // Rows are as tall as each other: nothing needs to be laid out but
    // what shows.
    list->setUniformRowHeights(true);
    return list;
}

CalendarPanel::CalendarPanel(CalendarPage &page, QWidget *parent) : QWidget(parent), page_(page)
{
    setFixedWidth(calgeometry::width);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CalendarPanel::paintEvent(QPaintEvent *)
{
    // Composed off-screen and drawn in one step, so the months never flicker.
    QPixmap buffer(size());
    {
        QPainter painter(&buffer);
        page_.calendarPaint(painter, size());
    }
    QPainter(this).drawPixmap(0, 0, buffer);
}

void CalendarPanel::mousePressEvent(QMouseEvent *event)
{
    setFocus();
    page_.calendarMouseDown(event->position().toPoint());
}

void CalendarPanel::keyPressEvent(QKeyEvent *event)
{
    page_.keyboardeditKeyDown(event->key());
}

CalendarPage::CalendarPage(Database &db, Settings &settings, Clock &clock, TForm3 &editor, QWidget *parent)
    : PageWidget(db, settings, clock, parent), editor_(editor)
{
    auto *page = pagelayout<QHBoxLayout>();
    buildmonths(page);
    buildday(page);
    nobody_ = hiddenlabel(this, QStringLiteral("nobody"));
    fromcontacts_ = hiddenlabel(this, QStringLiteral("from contacts"));

    connect(&settings_, &Settings::changed, this, &CalendarPage::settingchanged);
    connect(&db_, &Database::changed, this, &CalendarPage::databasechanged);
    connect(&db_, &Database::reloaded, this, [this] {
        resetday();
        refreshcalitems(0);
        repaintmonths();
    });
    connect(&clock_, &Clock::daychanged, this, &CalendarPage::repaintmonths);
    resetday();
}

void CalendarPage::buildmonths(QBoxLayout *page)
{
    auto *left = new QVBoxLayout;
    auto *monthrow = new QHBoxLayout;
    prevbutton = arrow("prevbutton", "arrowleft.svg", QStringLiteral("Previous month"), this);
    nextbutton = arrow("nextbutton", "arrowright.svg", QStringLiteral("Next month"), this);
    todaybutton = namedbutton("todaybutton", QStringLiteral("Today"), this);
    monthrow->addWidget(prevbutton);
    monthrow->addWidget(todaybutton, 1);
    monthrow->addWidget(nextbutton);
    calendar = new CalendarPanel(*this, this);
    calendar->setObjectName(QStringLiteral("calendar"));
    DateTimePicker1 = new QDateEdit(this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QLocale::system().dateFormat(QLocale::LongFormat));
    fitdatepicker(DateTimePicker1, calgeometry::width);
    left->addLayout(monthrow);
    left->addWidget(calendar, 1);
    left->addWidget(DateTimePicker1);
    page->addLayout(left);

    connect(prevbutton, &QToolButton::clicked, this, &CalendarPage::previousmonth);
    connect(nextbutton, &QToolButton::clicked, this, &CalendarPage::nextmonthclick);
    connect(todaybutton, &QPushButton::clicked, this, &CalendarPage::todayclick);
    // Only a date the user picks changes the page; set from code it does not.
    connect(DateTimePicker1, &QDateEdit::userDateChanged, this, &CalendarPage::DateTimePicker1Change);
}

void CalendarPage::buildday(QBoxLayout *page)
{
    auto *right = new QVBoxLayout;
    auto *listbox = new FramedBox(this);
    auto *listlayout = listbox->insidelayout<QVBoxLayout>();
    ListView1 = makedayview(listbox);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dayrecords_ = new DayList(db_.calitems, this);
    ListView1->setModel(dayrecords_);
    ListView1->installEventFilter(this);
    listlayout->addWidget(ListView1);
    right->addWidget(listbox, 1);

    auto *buttons = new QHBoxLayout;
    newbutton = namedbutton("BitBtn6", QStringLiteral("New"), this);
    editbutton = namedbutton("editbutton", QStringLiteral("Edit"), this);
    deletebutton = namedbutton("deletebutton", QStringLiteral("Delete"), this);
    morebutton = arrow("morebutton", "arrowdown.svg", QStringLiteral("More options"), this);
    moremenu = new QMenu(this);
    moremenu->addAction(QStringLiteral("Selected record"), this, &CalendarPage::deleteclick);
    moremenu->addAction(QStringLiteral("All records in this day"), this, &CalendarPage::deletedayrecords);
    moremenu->addAction(QStringLiteral("Records older than today"), this, &CalendarPage::deleteoldrecords);
    settranslatable(moremenu, TransKind::popupmenu);
    morebutton->setMenu(moremenu);
    morebutton->setPopupMode(QToolButton::InstantPopup);
    upbutton = namedbutton("upbutton", QStringLiteral("Move up"), this);
    downbutton = namedbutton("downbutton", QStringLiteral("Move down"), this);
    for (QWidget *w : std::initializer_list<QWidget *>{newbutton, editbutton, deletebutton, morebutton})
        buttons->addWidget(w);
    buttons->addStretch(1);
    buttons->addWidget(upbutton);
    buttons->addWidget(downbutton);
    right->addLayout(buttons);

    daybar = new FramedBox(this);
    daybar->setObjectName(QStringLiteral("daybar"));
    auto *bar = static_cast<FramedBox *>(daybar)->insidelayout<QGridLayout>();
    namedaytext = valuelabel(daybar);
    namedaytext->setObjectName(QStringLiteral("namedaytext"));
    birthdaytext = valuelabel(daybar);
    birthdaytext->setObjectName(QStringLiteral("birthdaytext"));
    Moon2 = new TMoon(daybar);
    Moon2->setObjectName(QStringLiteral("Moon2"));
    Moon2->setmoonsize(ms32);
    bar->addWidget(captionlabel(QStringLiteral("Name day:"), daybar), 0, 0, Qt::AlignTop);
    bar->addWidget(namedaytext, 0, 1);
    bar->addWidget(captionlabel(QStringLiteral("Birthday:"), daybar), 1, 0, Qt::AlignTop);
    bar->addWidget(birthdaytext, 1, 1);
    bar->addWidget(captionlabel(QStringLiteral("Moon phase:"), daybar), 0, 2, Qt::AlignRight | Qt::AlignTop);
    bar->addWidget(Moon2, 0, 3, 2, 1, Qt::AlignTop);
    bar->setColumnStretch(1, 1);
    right->addWidget(daybar);
    page->addLayout(right, 1);

    connect(newbutton, &QPushButton::clicked, this, &CalendarPage::BitBtn6Click);
    connect(editbutton, &QPushButton::clicked, this, &CalendarPage::editclick);
    connect(deletebutton, &QPushButton::clicked, this, &CalendarPage::deleteclick);
    connect(upbutton, &QPushButton::clicked, this, &CalendarPage::moveup);
    connect(downbutton, &QPushButton::clicked, this, &CalendarPage::movedown);
    connect(ListView1, &QTreeView::doubleClicked, this, &CalendarPage::editclick);
}

void CalendarPage::settingchanged(Setting which)
{
    if (which == Setting::showcalbar)
        daybar->setVisible(settings_.flag(Setting::showcalbar));
    else if (which == Setting::weekstarts || which == Setting::bgcolor)
        repaintmonths();
}

void CalendarPage::databasechanged(DbKind kind)
{
    // A reload refreshes once at its end; the page's own saves have
    // refreshed it already.
    if (db_.loading() || ownchange())
        return;
    if (kind == DbKind::calendar) {
        refreshcalitems(0);
        repaintmonths();
    } else if (kind == DbKind::contacts || kind == DbKind::namedays) {
        refreshcalitems(0);
    }
}

void CalendarPage::savecalitems()
{
    const OwnChange own(*this);
    db_.savecalitems();
}

void CalendarPage::repaintmonths()
{
    calendar->update();
}

void CalendarPage::resetday()
{
    calselected = clock_.today();
    calmonth = calselected.month();
    calyear = calselected.year();
}

void CalendarPage::calendarPaint(QPainter &painter, QSize size) const
{
    const int w = size.width();
    const int h = size.height();
    const QColor background = wincolor(settings_.colour(Setting::bgcolor));
    painter.fillRect(0, 0, w, h, background);
    const QSize tile(tilewidth, tileheight);
    painter.drawPixmap(0, 0, iconpixmap(QStringLiteral("calbg0-top.svg"), tile));
    for (int i = 1; i <= h / tileheight; ++i)
        painter.drawPixmap(0, tileheight * i, iconpixmap(QStringLiteral("calbg1-middle.svg"), tile));
    painter.fillRect(0, h - 54, tilewidth, 54, background);
    painter.drawPixmap(0, h - 54, iconpixmap(QStringLiteral("calbg2-bottom.svg"), tile));

    const int blocks = calgeometry::blockcount(h);
    if (blocks <= 0)
        return;
    const int weekstarts = settings_.number(Setting::weekstarts);
    const QLocale locale = QLocale::system();
    const QDate first(calyear, calmonth, 1);
    const auto [lastmonth, lastyear] = addmonths(calmonth, calyear, blocks - 1);
    const QDate last = QDate(lastyear, lastmonth, 1).addMonths(1).addDays(-1);
    // Which painted days have records, computed once for all blocks.
    const QList<bool> marked = dayswithrecords(db_.calitems, first, last);
    const QDate now = clock_.today();

    QFont titlefont = painter.font();
    titlefont.setPointSize(11);
    titlefont.setBold(true);
    const auto [regular, bold] = calgeometry::calendarfonts(locale);

    for (int n = 0; n < blocks; ++n) {
        const int t = calgeometry::blockheight * n;
        const auto [month, year] = addmonths(calmonth, calyear, n);
        const QDate monthstart(year, month, 1);

        painter.fillRect(QRect(QPoint(12, t + 50), QPoint(w - 9 - 1, t + 90 - 1)), html("437ebb"));
        painter.setFont(titlefont);
        painter.setPen(Qt::white);
        const QString title = locale.standaloneMonthName(month, QLocale::LongFormat) + QLatin1Char(' ')
                              + QString::number(year);
        const int titlewidth = painter.fontMetrics().horizontalAdvance(title);
        painter.drawText(QRect(w / 2 - titlewidth / 2, t + 52, titlewidth + 2, 20), Qt::AlignLeft | Qt::AlignTop, title);

        for (int c = 0; c < 7; ++c) {
            const int iso = weekstarts == 0 ? c + 1 : (c == 0 ? 7 : c);
            painter.setFont(iso == 7 ? bold : regular);
            painter.drawText(QRect(20 + 25 * c, t + 70, 25, 20), Qt::AlignLeft | Qt::AlignTop,
                             firsttwochars(locale.dayName(iso, QLocale::ShortFormat)));
        }

        const int firstcolumn = weekdaycolumn(monthstart, weekstarts);
        for (int d = 1; d <= monthstart.daysInMonth(); ++d) {
            const QDate date(year, month, d);
            const QPoint cell = calgeometry::daycell(n, d, firstcolumn);
            const QRect box(QPoint(cell.x() + 1, cell.y() - 2), QPoint(cell.x() + 25 - 1, cell.y() + 20 - 1));
            if (date == calselected) {
                painter.fillRect(box, html("65a7eb"));
                painter.setPen(html("437ebb"));
                painter.drawRect(box.adjusted(0, 0, -1, -1));
            }
            if (date == now) {
                painter.setPen(Qt::red);
                painter.drawRect(box.adjusted(0, 0, -1, -1));
            }
            const qint64 offset = first.daysTo(date);
            painter.setFont(offset >= 0 && offset < marked.size() && marked[offset] ? bold : regular);
            painter.setPen(Qt::black);
            painter.drawText(QRect(cell.x() + 5, cell.y(), 22, 20), Qt::AlignLeft | Qt::AlignTop, QString::number(d));
        }
    }
}

void CalendarPage::calendarMouseDown(QPoint pos)
{
    const std::optional<QDate> day = calendarhit(pos, calmonth, calyear, settings_.number(Setting::weekstarts),
                                                 calgeometry::blockcount(calendar->height()));
    if (day)
        calselected = *day;
    refreshcalitems(0);
    repaintmonths();
}

void CalendarPage::keyboardeditKeyDown(int key)
{
    QDate date = DateTimePicker1->date();
    switch (key) {
    case Qt::Key_Left:
        date = date.addDays(-1);
        break;
    case Qt::Key_Right:
        date = date.addDays(1);
        break;
    case Qt::Key_Up:
        date = date.addDays(-7);
        break;
    case Qt::Key_Down:
        date = date.addDays(7);
        break;
    case Qt::Key_Delete:
        deletedayrecords();
        break;
    default:
        break;
    }
    {
        const QSignalBlocker quiet(DateTimePicker1);
        DateTimePicker1->setDate(date);
    }
    DateTimePicker1Change();
}

void CalendarPage::DateTimePicker1Change()
{
    const QDate date = DateTimePicker1->date();
    calmonth = date.month();
    calyear = date.year();
    calselected = date;
    refreshcalitems(0);
    repaintmonths();
}

void CalendarPage::previousmonth()
{
    std::tie(calmonth, calyear) = addmonths(calmonth, calyear, -1);
    repaintmonths();
}

void CalendarPage::nextmonthclick()
{
    std::tie(calmonth, calyear) = addmonths(calmonth, calyear, 1);
    repaintmonths();
}

void CalendarPage::todayclick()
{
    resetday();
    refreshcalitems(0);
    repaintmonths();
}

void CalendarPage::refreshcalitems(int flag)
{
    calrowmap = dayrecords(db_.calitems, calselected);
    if (flag == 1)
        return;

    const int selected = selectedrow();
    dayrecords_->showrecords(calrowmap);
    if (selected >= 0 && selected < calrowmap.size())
        ListView1->setCurrentIndex(dayrecords_->index(selected));
    else if (!calrowmap.isEmpty())
        ListView1->setCurrentIndex(dayrecords_->index(0));

    Moon2->setdate(daynumber::fromdate(calselected));
    AnniversaryCaptions captions;
    captions.fromcontacts = fromcontacts_->text();
    namedaytext->setText(::namedaytext(db_.namedays, db_.contacts, calselected, captions));
    birthdaytext->setText(::birthdaytext(db_.contacts, calselected, nobody_->text()));
    const QSignalBlocker quiet(DateTimePicker1);
    DateTimePicker1->setDate(calselected);
}

int CalendarPage::selectedrow() const
{
    const QModelIndex current = ListView1->currentIndex();
    return current.isValid() && ListView1->selectionModel()->isSelected(current) ? current.row() : -1;
}

void CalendarPage::BitBtn6Click()
{
    TCalItemRec r;
    r.date = daynumber::fromdate(calselected);
    r.timefrom = 800;
    r.timeto = 900;
    r.repetition = QStringLiteral("0");
    db_.calitems.push_back(r);
    editor_.editrecord(int(db_.calitems.size()) - 1);
    refreshcalitems(0);
    repaintmonths();
    savecalitems();
}

void CalendarPage::editclick()
{
    const int row = selectedrow();
    if (row < 0 || row >= calrowmap.size())
        return;
    editor_.editrecord(calrowmap[row]);
    savecalitems();
    refreshcalitems(0);
    repaintmonths();
}

void CalendarPage::deleteclick()
{
    const int row = selectedrow();
    if (row < 0 || row >= calrowmap.size() || trans_confirmation(deleteselected) != mb::idyes)
        return;
    db_.calitems[calrowmap[row]].text = QString();
    repaintmonths();
    refreshcalitems(0);
    savecalitems();
}

void CalendarPage::deletedayrecords()
{
    if (trans_confirmation(deleteday) != mb::idyes)
        return;
    for (TCalItemRec &r : db_.calitems) {
        if (daynumber::todate(r.date) == calselected)
            r.text = QString();
    }
    afterdeletion();
}

void CalendarPage::deleteoldrecords()
{
    if (trans_confirmation(deleteold) != mb::idyes)
        return;
    const QDate now = clock_.today();
    for (TCalItemRec &r : db_.calitems) {
        const QDate own = daynumber::todate(r.date);
        if (own.isValid() && own < now)
            r.text = QString();
    }
    afterdeletion();
}

void CalendarPage::afterdeletion()
{
    repaintmonths();
    savecalitems();
    refreshcalitems(0);
}

void CalendarPage::swaprows(int row, int other)
{
    std::swap(db_.calitems[calrowmap[row]], db_.calitems[calrowmap[other]]);
    dayrecords_->rowschanged(row, other);
    ListView1->setCurrentIndex(dayrecords_->index(other));
    savecalitems();
    // The order shows in the seven-day list too.
}

void CalendarPage::moveup()
{
    const int row = selectedrow();
    if (row > 0 && row < calrowmap.size())
        swaprows(row, row - 1);
}

void CalendarPage::movedown()
{
    const int row = selectedrow();
    if (row >= 0 && row + 1 < calrowmap.size())
        swaprows(row, row + 1);
}

bool CalendarPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            editclick();
            return true;
        }
        if (key == Qt::Key_Delete) {
            deleteclick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
