#include "school/ui/timetablepage.h"

#include "database/database.h"
#include "database/recordrules.h"
#include "database/settings.h"
#include "platform/clock.h"
#include "platform/pictures.h"
#include "school/timetablecolors.h"
#include "school/timetablemodel.h"
#include "school/ui/timetableprint.h"
#include "widgets/language.h"
#include "widgets/ui/colorbox.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/storablefields.h"
#include "widgets/ui/timepicker.h"
#include "widgets/ui/translation.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int maxtext = 255;
const QString timeformat = QStringLiteral("H:mm");

int minutesof(const QTimeEdit *picker)
{
    return picker->time().hour() * 60 + picker->time().minute();
}

QTime timeof(int minutes)
{
    // Stored lessons may hold any number; show what a picker can.
    const int m = std::clamp(minutes, 0, 24 * 60 - 1);
    return QTime(m / 60, m % 60);
}

QLabel *caption(const char *text, QWidget *buddy, QWidget *parent)
{
    QLabel *label = translatedlabel(QLatin1String(text), parent);
    label->setBuddy(buddy);
    return label;
}

QTimeEdit *timepicker(const char *name, QWidget *parent)
{
    auto *picker = new TimePicker(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setDisplayFormat(timeformat);
    return picker;
}

QSpinBox *spin(const char *name, int low, int high, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(low, high);
    return box;
}

} // namespace

TimetablePage::TimetablePage(Database &db, Settings &settings, Clock &clock, Tprintttform &printform,
                             QWidget *parent)
    : PageWidget(db, settings, clock, parent), printform_(printform)
{
    auto *page = pagelayout<QVBoxLayout>();
    page->addWidget(buildweekbar());

    auto *area = new FramedBox(this);
    auto *arealayout = area->insidelayout<QVBoxLayout>();
    timetablebox = new QWidget;
    timetablebox->setObjectName(QStringLiteral("timetablebox"));
    timetablebox->setMouseTracking(true);
    timetablebox->setAttribute(Qt::WA_OpaquePaintEvent);
    timetablebox->installEventFilter(this);
    // A picture wider than the page scrolls instead of being cut off.
    auto *scroll = new QScrollArea(area);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(timetablebox);
    arealayout->addWidget(scroll);
    page->addWidget(area, 1);

    auto *editors = new FramedBox(this);
    auto *editorslayout = editors->insidelayout<QVBoxLayout>();
    editorslayout->addWidget(buildeditors());
    editorslayout->addWidget(buildviewcontrols());
    page->addWidget(editors);

    connect(&settings_, &Settings::changed, this, &TimetablePage::settingchanged);
    connect(&db_, &Database::reloaded, this, [this] {
        resetview();
        readsettings();
        weekspinChange();
        evenoddcheckClick();
    });
    connect(&db_, &Database::changed, this, [this](DbKind kind) {
        // Another page replaced the lessons (the default timetable): the
        // indexes held here mean nothing any more.
        if (kind == DbKind::timetable && !ownchange() && !db_.loading()) {
            resetview();
            repaintview();
        }
    });
    readsettings();
    showmodecontrols();
    showlesson(-1);
}

TimetablePage::~TimetablePage()
{
    // A picker that holds the focus when the window goes reports its editing
    // finished while the widgets are taken down, after this page is gone;
    // the box's events likewise.
    for (QTimeEdit *picker : {lessonpicker1, lessonpicker2, timelinepicker1, timelinepicker2})
        disconnect(picker, nullptr, this, nullptr);
    timetablebox->removeEventFilter(this);
}

QWidget *TimetablePage::buildweekbar()
{
    auto *bar = new QWidget(this);
    auto *weeks = new QHBoxLayout(bar);
    weeks->setContentsMargins(0, 0, 0, 0);
    evenbutton = new QToolButton(bar);
    evenbutton->setObjectName(QStringLiteral("evenbutton"));
    evenbutton->setText(QStringLiteral("Even week"));
    oddbutton = new QToolButton(bar);
    oddbutton->setObjectName(QStringLiteral("oddbutton"));
    oddbutton->setText(QStringLiteral("Odd week"));
    auto *group = new QButtonGroup(bar);
    for (QToolButton *b : {evenbutton, oddbutton}) {
        b->setCheckable(true);
        settranslatable(b, TransKind::speedbutton);
        group->addButton(b);
        weeks->addWidget(b);
    }
    group->setExclusive(true);
    evenbutton->setChecked(true);
    thisweekbutton = namedbutton("BitBtn29", QStringLiteral("This week"), bar);
    switchbutton = namedbutton("SpeedButton3", QStringLiteral("Switch weeks"), bar);
    weeks->addWidget(thisweekbutton);
    weeks->addWidget(switchbutton);
    weeks->addStretch(1);
    QPushButton *print = namedbutton("BitBtn31", QStringLiteral("Print"), bar);
    weeks->addWidget(print);
    connect(print, &QPushButton::clicked, this, &TimetablePage::BitBtn31Click);
    connect(evenbutton, &QToolButton::clicked, this, &TimetablePage::evenbuttonClick);
    connect(oddbutton, &QToolButton::clicked, this, &TimetablePage::oddbuttonClick);
    connect(thisweekbutton, &QPushButton::clicked, this, &TimetablePage::BitBtn29Click);
    connect(switchbutton, &QPushButton::clicked, this, &TimetablePage::SpeedButton3Click);
    return bar;
}

QWidget *TimetablePage::buildeditors()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    subjectedit = new QLineEdit(box);
    subjectedit->setObjectName(QStringLiteral("subjectedit"));
    teacheredit = new QLineEdit(box);
    teacheredit->setObjectName(QStringLiteral("teacheredit"));
    classroomedit = new QLineEdit(box);
    classroomedit->setObjectName(QStringLiteral("classroomedit"));
    // Each keystroke is stored: a character the file cannot hold never gets in.
    for (QLineEdit *edit : {subjectedit, teacheredit, classroomedit})
        refuseunstorable(edit);
    const std::pair<const char *, QLineEdit *> texts[] = {
        {"Subject:", subjectedit}, {"Teacher:", teacheredit}, {"Classroom:", classroomedit}};
    int column = 0;
    for (const auto &[text, edit] : texts) {
        edit->setMaxLength(maxtext);
        grid->addWidget(caption(text, edit, box), 0, column);
        grid->addWidget(edit, 0, column + 1);
        grid->setColumnStretch(column + 1, 1);
        column += 2;
    }

    ttcolorbox = new QComboBox(box);
    ttcolorbox->setObjectName(QStringLiteral("ttcolorbox"));
    settranslatable(ttcolorbox, TransKind::combobox);
    ttcolorbox->clear();
    for (const TtColor &c : ttcolors())
        ttcolorbox->addItem(colourswatch(c.color), c.name, c.color);
    lessonpicker1 = timepicker("lessonpicker1", box);
    lessonpicker2 = timepicker("lessonpicker2", box);
    grid->addWidget(caption("Colour:", ttcolorbox, box), 1, 0);
    grid->addWidget(ttcolorbox, 1, 1);
    grid->addWidget(caption("Starts:", lessonpicker1, box), 1, 2);
    grid->addWidget(lessonpicker1, 1, 3);
    grid->addWidget(caption("Ends:", lessonpicker2, box), 1, 4);
    grid->addWidget(lessonpicker2, 1, 5);

    connect(subjectedit, &QLineEdit::textEdited, this, &TimetablePage::subjecteditChange);
    connect(teacheredit, &QLineEdit::textEdited, this, &TimetablePage::teachereditChange);
    connect(classroomedit, &QLineEdit::textEdited, this, &TimetablePage::classroomeditChange);
    connect(ttcolorbox, &QComboBox::activated, this, &TimetablePage::ttcolorboxChange);
    connect(lessonpicker1, &QTimeEdit::timeChanged, this, &TimetablePage::lessonpicker1Change);
    connect(lessonpicker2, &QTimeEdit::timeChanged, this, &TimetablePage::lessonpicker2Change);
    // A time that was refused does not stay shown as if it were stored.
    for (QTimeEdit *picker : {lessonpicker1, lessonpicker2}) {
        connect(picker, &QTimeEdit::editingFinished, this, [this] {
            if (editorsstore())
                showlesson(selectedlesson);
        });
    }
    return box;
}

QWidget *TimetablePage::buildviewcontrols()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);

    ttnewlessonbutton = new QToolButton(box);
    ttnewlessonbutton->setObjectName(QStringLiteral("ttnewlessonbutton"));
    ttnewlessonbutton->setText(QStringLiteral("New lesson"));
    ttnewlessonbutton->setCheckable(true);
    settranslatable(ttnewlessonbutton, TransKind::speedbutton);
    ttdeletebutton = namedbutton("ttdeletebutton", QStringLiteral("Delete lesson"), box);
    showelapsedcheck = new QCheckBox(QStringLiteral("Show elapsed time"), box);
    showelapsedcheck->setObjectName(QStringLiteral("showelapsedcheck"));
    settranslatable(showelapsedcheck, TransKind::checkbox);
    auto *buttons = new QWidget(box);
    auto *buttonrow = new QHBoxLayout(buttons);
    buttonrow->setContentsMargins(0, 0, 0, 0);
    buttonrow->addWidget(ttnewlessonbutton);
    buttonrow->addWidget(ttdeletebutton);
    buttonrow->addWidget(showelapsedcheck);
    buttonrow->addStretch(1);
    grid->addWidget(buttons, 0, 0, 1, 7);

    // Two rows, so that the page stays as narrow as the others.
    timelinepicker1 = timepicker("timelinepicker1", box);
    timelinepicker2 = timepicker("timelinepicker2", box);
    QLabel *startslabel = caption("Timeline starts:", timelinepicker1, box);
    QLabel *endslabel = caption("Timeline ends:", timelinepicker2, box);
    grid->addWidget(startslabel, 1, 0);
    grid->addWidget(timelinepicker1, 1, 1);
    grid->addWidget(endslabel, 1, 2);
    grid->addWidget(timelinepicker2, 1, 3);
    timelinecontrols_ = {buttons, startslabel, timelinepicker1, endslabel, timelinepicker2};

    showlessonsspin = spin("showlessonsspin", 1, 15, box);
    QLabel *showlabel = caption("Display lessons:", showlessonsspin, box);
    grid->addWidget(showlabel, 1, 0);
    grid->addWidget(showlessonsspin, 1, 1);
    tablecontrols_ = {showlabel, showlessonsspin};

    lessoninpixelsspin = spin("lessoninpixelsspin", 1, 99, box);
    grid->setColumnStretch(4, 1);
    grid->addWidget(caption("Lesson in pixels:", lessoninpixelsspin, box), 1, 5);
    grid->addWidget(lessoninpixelsspin, 1, 6);

    connect(ttnewlessonbutton, &QToolButton::clicked, this, &TimetablePage::ttnewlessonbuttonClick);
    connect(ttdeletebutton, &QPushButton::clicked, this, &TimetablePage::ttdeletebuttonClick);
    connect(showelapsedcheck, &QCheckBox::clicked, this,
            [this](bool on) { settings_.setflag(Setting::showelapsedcheck, on); });
    connect(timelinepicker1, &QTimeEdit::timeChanged, this, &TimetablePage::timelinepicker1Change);
    connect(timelinepicker2, &QTimeEdit::timeChanged, this, &TimetablePage::timelinepicker2Change);
    for (QTimeEdit *picker : {timelinepicker1, timelinepicker2})
        connect(picker, &QTimeEdit::editingFinished, this, &TimetablePage::readsettings);
    connect(showlessonsspin, &QSpinBox::valueChanged, this,
            [this](int n) { settings_.setnumber(Setting::showlessonsspin, n); });
    connect(lessoninpixelsspin, &QSpinBox::valueChanged, this,
            [this](int n) { settings_.setnumber(Setting::lessoninpixels, n); });
    return box;
}

void TimetablePage::settingchanged(Setting which)
{
    switch (which) {
    case Setting::twoweeks: evenoddcheckClick(); break;
    case Setting::tttype: tttypecomboChange(); break;
    case Setting::showlessonsspin:
    case Setting::lessoninpixels:
    case Setting::timelinepicker1:
    case Setting::timelinepicker2:
    case Setting::showelapsedcheck:
    case Setting::weekendeducation:
    case Setting::weekstarts:
        readsettings();
        break;
    default: break;
    }
}

void TimetablePage::readsettings()
{
    const QSignalBlocker b1(showlessonsspin), b2(lessoninpixelsspin), b3(timelinepicker1),
        b4(timelinepicker2);
    showlessonsspin->setValue(settings_.number(Setting::showlessonsspin));
    lessoninpixelsspin->setValue(settings_.number(Setting::lessoninpixels));
    showelapsedcheck->setChecked(settings_.flag(Setting::showelapsedcheck));
    const TtRange range = ttrange(settings_.time(Setting::timelinepicker1), settings_.time(Setting::timelinepicker2));
    ttfirstminute = range.firstminute;
    ttlastminute = range.lastminute;
    timelinepicker1->setTime(timeof(ttfirstminute));
    timelinepicker2->setTime(timeof(ttlastminute));
    repaintview();
}

void TimetablePage::showmodecontrols()
{
    const bool timeline = settings_.number(Setting::tttype) == 1;
    for (QWidget *w : timelinecontrols_)
        w->setVisible(timeline);
    for (QWidget *w : tablecontrols_)
        w->setVisible(!timeline);
}

void TimetablePage::resetview()
{
    selectedlesson = -1;
    hoveredlesson = -1;
    lasthoveredlesson = -1;
    dragging = false;
    editorsfilled = false;
    if (ttnewlessonbutton)
        ttnewlessonbutton->setChecked(false);
    showlesson(-1);
}

void TimetablePage::repaintview()
{
    // The box is as wide as its picture, so the scroll area can scroll it.
    const QSize size(ttpicturewidth(view()), ttpictureheight);
    if (timetablebox->minimumSize() != size)
        timetablebox->setMinimumSize(size);
    timetablebox->update();
}

TtView TimetablePage::view() const
{
    TtView v;
    v.weekcode = weekcode;
    v.timelinetype = settings_.number(Setting::tttype) == 1;
    v.lessoninpixels = settings_.number(Setting::lessoninpixels);
    v.showlessons = settings_.number(Setting::showlessonsspin);
    v.firstminute = ttfirstminute;
    v.lastminute = ttlastminute;
    v.weekendeducation = settings_.flag(Setting::weekendeducation);
    v.weekstarts = settings_.number(Setting::weekstarts);
    v.hovered = hoveredlesson;
    v.placing = ttnewlessonbutton->isChecked();
    v.inhand = lessoninhand;
    v.showelapsed = settings_.flag(Setting::showelapsedcheck);
    v.now = clock_.now();
    return v;
}

void TimetablePage::paintbox()
{
    const QImage picture = ttpaint(db_.timetable, view(), 1.0, timetablebox->height());
    QPainter painter(timetablebox);
    painter.drawImage(0, 0, picture);
    painter.fillRect(QRect(picture.width(), 0, timetablebox->width() - picture.width(), timetablebox->height()),
                     Qt::white);
}

bool TimetablePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != timetablebox)
        return PageWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint: paintbox(); return true;
    case QEvent::MouseButtonPress:
        timetableboxMouseDown(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    case QEvent::MouseMove:
        timetableboxMouseMove(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease: timetableboxMouseUp(); return true;
    case QEvent::Leave: timetableboxMouseLeave(); return false;
    default: return false;
    }
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
    showmodecontrols();
    repaintview();
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
    repaintview();
    savetimetable();
}

void TimetablePage::evenoddcheckClick()
{
    const bool two = settings_.flag(Setting::twoweeks);
    for (QWidget *w : std::initializer_list<QWidget *>{evenbutton, oddbutton, thisweekbutton, switchbutton})
        w->setVisible(two);
    BitBtn29Click();
}

void TimetablePage::savetimetable()
{
    const OwnChange own(*this);
    db_.savetimetable();
}

void TimetablePage::showlesson(int index)
{
    const bool valid = index >= 0 && index < int(db_.timetable.size());
    const QList<QWidget *> editors = {subjectedit,   teacheredit,   classroomedit,
                                      ttcolorbox,    lessonpicker1, lessonpicker2};
    for (QWidget *w : editors)
        w->setEnabled(valid);
    showingselected_ = valid && index == selectedlesson;
    if (!valid)
        return;
    editorsfilled = false;
    {
        const QSignalBlocker b1(subjectedit), b2(teacheredit), b3(classroomedit), b4(ttcolorbox),
            b5(lessonpicker1), b6(lessonpicker2);
        const TLessonRec &l = db_.timetable[index];
        // Setting a text drops the selection and the cursor: only a change is set.
        for (const auto &[edit, text] : {std::pair{subjectedit, l.subject.text()},
                                         std::pair{teacheredit, l.teacher.text()},
                                         std::pair{classroomedit, l.classroom.text()}}) {
            if (edit->text() != text)
                edit->setText(text);
        }
        ttcolorbox->setCurrentIndex(ttcolorbox->findData(l.color));
        lessonpicker1->setTime(timeof(l.start));
        lessonpicker2->setTime(timeof(l.end));
        // A hovered lesson is only shown: typing must not seem to change it.
        for (QLineEdit *edit : {subjectedit, teacheredit, classroomedit})
            edit->setReadOnly(!showingselected_);
        lessonpicker1->setReadOnly(!showingselected_);
        lessonpicker2->setReadOnly(!showingselected_);
    }
    editorsfilled = true;
}

bool TimetablePage::editorsstore() const
{
    return editorsfilled && showingselected_ && selectedlesson >= 0 && selectedlesson < int(db_.timetable.size());
}

void TimetablePage::timetableboxMouseDown(QPoint pos)
{
    if (ttnewlessonbutton->isChecked()) {
        db_.timetable.push_back(lessoninhand);
        ttnewlessonbutton->setChecked(false);
        selectedlesson = int(db_.timetable.size()) - 1;
        showlesson(selectedlesson);
        repaintview();
    } else {
        selectedlesson = tthittest(db_.timetable, view(), pos.x(), pos.y());
        showlesson(selectedlesson);
        if (selectedlesson >= 0) {
            lessoninhand = db_.timetable[selectedlesson];
            grabx = pos.x() - ttlessonx(view(), lessoninhand, true);
            if (weekcode >= 1)
                dragging = true;
        }
    }
    if (subjectedit->isEnabled()) {
        // Selected whole, so that typing replaces the subject ("New lesson").
        subjectedit->setFocus();
        subjectedit->selectAll();
    }
}

void TimetablePage::timetableboxMouseMove(QPoint pos)
{
    if (ttnewlessonbutton->isChecked() || dragging) {
        ttdragstep(lessoninhand, view(), pos, grabx);
        // Only shown: filling the pickers stores nothing.
        const QSignalBlocker b1(lessonpicker1), b2(lessonpicker2);
        lessonpicker1->setTime(timeof(lessoninhand.start));
        lessonpicker2->setTime(timeof(lessoninhand.end));
        repaintview();
    }
    hoveredlesson = tthittest(db_.timetable, view(), pos.x(), pos.y());
    if (hoveredlesson != lasthoveredlesson) {
        repaintview();
        timetablebox->setCursor(hoveredlesson >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
        showlesson(hoveredlesson >= 0 ? hoveredlesson : selectedlesson);
        lasthoveredlesson = hoveredlesson;
    }
    if (dragging && selectedlesson >= 0 && selectedlesson < int(db_.timetable.size()))
        db_.timetable[selectedlesson] = lessoninhand;
}

void TimetablePage::timetableboxMouseUp()
{
    dragging = false;
    sorttimetable(db_.timetable, selectedlesson);
    // The hovered index may name another lesson after the sort.
    hoveredlesson = lasthoveredlesson = -1;
    repaintview();
    savetimetable();
}

void TimetablePage::timetableboxMouseLeave()
{
    showlesson(selectedlesson);
}

void TimetablePage::ttnewlessonbuttonClick()
{
    if (ttnewlessonbutton->isChecked()) {
        lessoninhand = TLessonRec{};
        lessoninhand.subject = ttnewlessonbutton->text().left(maxtext);
        lessoninhand.color = lessonwhite;
        lessoninhand.day = 1;
        lessoninhand.week = qint8(weekcode);
        lessoninhand.start = 8 * 60;
        lessoninhand.end = 8 * 60 + 45;
        lessoninhand.number = 0;
        // The pointer holds the new 45-minute lesson at its middle.
        grabx = ttround(settings_.number(Setting::lessoninpixels) / 60.0 * 22.5);
    }
    repaintview();
}

void TimetablePage::ttdeletebuttonClick()
{
    if (weekcode >= 1 && selectedlesson >= 0 && selectedlesson < int(db_.timetable.size())) {
        db_.timetable.erase(db_.timetable.begin() + selectedlesson);
        selectedlesson = -1;
        hoveredlesson = lasthoveredlesson = -1;
        dragging = false;
        showlesson(-1);
        repaintview();
    }
    savetimetable();
}

void TimetablePage::storetext(QLineEdit *edit, ShortString<255> TLessonRec::*field)
{
    if (!editorsstore())
        return;
    db_.timetable[selectedlesson].*field = edit->text().left(maxtext);
    repaintview();
    savetimetable();
}

void TimetablePage::subjecteditChange()
{
    storetext(subjectedit, &TLessonRec::subject);
}

void TimetablePage::teachereditChange()
{
    storetext(teacheredit, &TLessonRec::teacher);
}

void TimetablePage::classroomeditChange()
{
    storetext(classroomedit, &TLessonRec::classroom);
}

void TimetablePage::ttcolorboxChange()
{
    if (!editorsstore() || ttcolorbox->currentIndex() < 0)
        return;
    db_.timetable[selectedlesson].color = ttcolorbox->currentData().toInt();
    repaintview();
    savetimetable();
}

void TimetablePage::lessonpicker1Change()
{
    if (!editorsstore() || lessonpicker2->time() <= lessonpicker1->time())
        return;
    setlessontime(true, minutesof(lessonpicker1));
    savetimetable();
}

void TimetablePage::lessonpicker2Change()
{
    if (!editorsstore() || lessonpicker2->time() <= lessonpicker1->time())
        return;
    setlessontime(false, minutesof(lessonpicker2));
    savetimetable();
}

void TimetablePage::setlessontime(bool isstart, int minutes)
{
    if (selectedlesson < 0 || selectedlesson >= int(db_.timetable.size()))
        return;
    auto set = [&](TLessonRec &l) { (isstart ? l.start : l.end) = minutes; };
    if (weekcode > 0) {
        set(db_.timetable[selectedlesson]);
    } else {
        const qint8 number = db_.timetable[selectedlesson].number;
        for (TLessonRec &l : db_.timetable) {
            if (l.number == number && l.week == weekcode)
                set(l);
        }
    }
    repaintview();
    sorttimetable(db_.timetable, selectedlesson);
}

void TimetablePage::BitBtn31Click()
{
    printform_.showtimetable(db_.timetable, view());
}

void TimetablePage::timelinepicker1Change()
{
    if (timelinepicker2->time() > timelinepicker1->time())
        settings_.settime(Setting::timelinepicker1, timelinepicker1->time());
}

void TimetablePage::timelinepicker2Change()
{
    if (timelinepicker2->time() > timelinepicker1->time())
        settings_.settime(Setting::timelinepicker2, timelinepicker2->time());
}
