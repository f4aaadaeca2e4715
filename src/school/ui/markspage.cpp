#include "school/ui/markspage.h"

#include "database/database.h"
#include "database/settings.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/prompter.h"
#include "platform/ui/icons.h"
#include "school/marks.h"
#include "widgets/language.h"
#include "widgets/ui/colorbox.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/storablefields.h"
#include "widgets/ui/translation.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int namewidth = 150;
constexpr int markwidth = 25;
constexpr int rowheight = 22;
constexpr int maxtext = 255;

// Cells store while they are typed in, not only when the editor closes.
class TypingDelegate : public QStyledItemDelegate
{
public:
    TypingDelegate(int maxlength, QObject *parent) : QStyledItemDelegate(parent), maxlength_(maxlength) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setMaxLength(maxlength_);
        editor->setFrame(false);
        refuseunstorable(editor);
        connect(editor, &QLineEdit::textEdited, this, [this, editor] {
            emit const_cast<TypingDelegate *>(this)->commitData(editor);
        });
        return editor;
    }

private:
    int maxlength_;
};

// The room for a mark's text in its cell: the column less the margins the
// style keeps beside a cell's text, or those of a line editor and its cursor.
int cellroom(const QWidget *widget)
{
    const QStyle *style = widget ? widget->style() : QApplication::style();
    return markwidth - 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1);
}
constexpr int editorroom = markwidth - 2 * 2 - 1;

// Faces for marks of up to three characters in cells of a fixed width. The
// grid's own face while a text fits; else the grid's family condensed, at
// the size at which any three digits (or two and a "-" or "/") fit, one face
// for all of them so a column of points stays even; a wider text, such as
// one with a "+" or letters, gets its own size.
class MarkFaces
{
public:
    QFont facefor(const QFont &font, const QString &text, int room) const
    {
        if (QFontMetrics(font).horizontalAdvance(text) <= room)
            return font;
        if (font != base_ || room != room_) {
            base_ = font;
            room_ = room;
            QFont narrow = font;
            narrow.setStretch(QFont::Condensed);
            narrow.setPixelSize(QFontInfo(font).pixelSize());
            narrow_ = fittingfont(narrow, {QStringLiteral("888"), QStringLiteral("88-"), QStringLiteral("88/")}, room);
        }
        if (QFontMetrics(narrow_).horizontalAdvance(text) <= room)
            return narrow_;
        return fittingfont(narrow_, {text}, room);
    }

private:
    mutable QFont base_, narrow_;
    mutable int room_ = -1;
};

// A mark cell stores its text without blanks, shows it whole in a face that
// fits, and shows its colour as two frames.
class MarkDelegate : public TypingDelegate
{
public:
    MarkDelegate(const std::vector<TSubjectRec> &subjects, QObject *parent)
        : TypingDelegate(32767, parent), subjects_(subjects)
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        auto *editor = static_cast<QLineEdit *>(TypingDelegate::createEditor(parent, option, index));
        const QFont font = option.font;
        connect(editor, &QLineEdit::textChanged, editor, [this, editor, font](const QString &text) {
            editor->setFont(faces_.facefor(font, text, editorroom));
        });
        return editor;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, normalizemark(static_cast<QLineEdit *>(editor)->text()));
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.row() >= int(subjects_.size()))
            return;
        const qint32 colour = subjects_[index.row()].marks[index.column()].color;
        painter->save();
        painter->setPen(wincolor(quint32(colour) & 0xFFFFFF));
        painter->setBrush(Qt::NoBrush);
        const QRect cell = option.rect.adjusted(0, 0, -1, -1);
        painter->drawRect(cell);
        painter->drawRect(cell.adjusted(1, 1, -1, -1));
        painter->restore();
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        TypingDelegate::initStyleOption(option, index);
        option->font = faces_.facefor(option->font, option->text, cellroom(option->widget));
        option->fontMetrics = QFontMetrics(option->font);
    }

private:
    const std::vector<TSubjectRec> &subjects_;
    MarkFaces faces_;
};

// Typing always edits the cell the pupil clicked. A view's keyboard search
// would move to another row whose text starts with the key and open its
// editor there, so the next keys overwrite another subject's mark; and a
// click on the current cell only opens its editor after the double-click
// time, dropping keys typed before it into that search.
class EditGrid : public QTableWidget
{
public:
    EditGrid(int rows, int columns, QWidget *parent) : QTableWidget(rows, columns, parent) {}

    void keyboardSearch(const QString &) override {}

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override
    {
        if (trigger == SelectedClicked)
            trigger = CurrentChanged; // at once, as a newly clicked cell
        return QTableWidget::edit(index, trigger, event);
    }
};

QTableWidget *grid(const char *name, int columns, QWidget *parent)
{
    auto *table = new EditGrid(1, columns, parent);
    table->setObjectName(QLatin1String(name));
    table->horizontalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(rowheight);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    return table;
}

QLabel *icon(const char *file, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(iconpixmap(QLatin1String(file), QSize(16, 16)));
    return label;
}

QString celltext(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

MarksPage::MarksPage(Database &db, Settings &settings, Clock &clock, Tsubjfnameform &termsform,
                     NameAsker askname, QWidget *parent)
    : PageWidget(db, settings, clock, parent), termsform_(termsform), askname_{std::move(askname)}
{
    auto *page = pagelayout<QVBoxLayout>();
    page->addWidget(buildgrids(), 1);
    page->addWidget(buildeditors());

    totalaveragetext = hiddenlabel(this, QStringLiteral("Total average:"));
    averagestext = hiddenlabel(this, QStringLiteral("Averages:"));
    totalsumtext = hiddenlabel(this, QStringLiteral("Total sum:"));
    sumstext = hiddenlabel(this, QStringLiteral("Sums:"));
    previoustermtext = hiddenlabel(this, QStringLiteral("Previous term"));

    connect(&db_, &Database::changed, this, &MarksPage::datachanged);
    // The start: the marks, then the stored marks format over them.
    connect(&db_, &Database::reloaded, this, [this] {
        refreshmarks();
        ComboBox2Change();
    });
    connect(&settings_, &Settings::changed, this, &MarksPage::settingchanged);
    ComboBox2Change();
}

QWidget *MarksPage::buildgrids()
{
    auto *box = new FramedBox(this);
    auto *layout = box->insidelayout<QGridLayout>();

    StringGrid1 = grid("StringGrid1", TSubjectRec::markcount, box);
    StringGrid1->horizontalHeader()->setMinimumSectionSize(markwidth);
    StringGrid1->horizontalHeader()->setDefaultSectionSize(markwidth);
    StringGrid1->verticalHeader()->setFixedWidth(namewidth);
    StringGrid1->setItemDelegate(new MarkDelegate(db_.subjects, StringGrid1));
    StringGrid4 = grid("StringGrid4", 1, box);
    StringGrid5 = grid("StringGrid5", 1, box);
    StringGrid3 = grid("StringGrid3", 1, box);
    StringGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (QTableWidget *side : {StringGrid4, StringGrid5, StringGrid3}) {
        side->verticalHeader()->hide();
        side->horizontalHeader()->setStretchLastSection(true);
        side->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        side->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // The side grids' rows stay beside their subjects' rows.
        connect(StringGrid1->verticalScrollBar(), &QScrollBar::valueChanged, side->verticalScrollBar(),
                &QScrollBar::setValue);
        connect(side->verticalScrollBar(), &QScrollBar::valueChanged, StringGrid1->verticalScrollBar(),
                &QScrollBar::setValue);
    }
    StringGrid4->setItemDelegate(new TypingDelegate(maxtext, StringGrid4));
    StringGrid5->setItemDelegate(new TypingDelegate(maxtext, StringGrid5));
    StringGrid4->setFixedWidth(90);
    StringGrid5->setFixedWidth(90);
    StringGrid3->setFixedWidth(70);

    resultscaption = new QLabel(QStringLiteral("Averages:"), box);
    resultscaption->setObjectName(QStringLiteral("resultscaption"));
    settranslatable(resultscaption, TransKind::label, 1); // set from the hidden texts
    averageicon = icon("markaverage.svg", box);
    sumicon = icon("marksum.svg", box);
    auto *resultsrow = new QHBoxLayout;
    resultsrow->addWidget(averageicon);
    resultsrow->addWidget(sumicon);
    resultsrow->addWidget(resultscaption, 1);
    layout->addWidget(icon("markplus.svg", box), 0, 1, Qt::AlignHCenter);
    layout->addWidget(icon("markminus.svg", box), 0, 2, Qt::AlignHCenter);
    layout->addLayout(resultsrow, 0, 3);
    layout->addWidget(StringGrid1, 1, 0);
    layout->addWidget(StringGrid4, 1, 1);
    layout->addWidget(StringGrid5, 1, 2);
    layout->addWidget(StringGrid3, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(1, 1);

    connect(StringGrid1, &QTableWidget::itemChanged, this, &MarksPage::StringGrid1SetEditText);
    connect(StringGrid4, &QTableWidget::itemChanged, this, &MarksPage::StringGrid4SetEditText);
    connect(StringGrid5, &QTableWidget::itemChanged, this, &MarksPage::StringGrid5SetEditText);
    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { StringGrid1SelectCell(column + 1, row); });
    return box;
}

QWidget *MarksPage::buildeditors()
{
    auto *box = new FramedBox(this);
    auto *layout = box->insidelayout<QGridLayout>();

    ColorBox1 = new ColorBox(box);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    ComboBox1 = new QComboBox(box);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (const char *weight : {"One quarter", "One half", "Three quarters", "Normal", "Double", "Tripple", "Quadruple"})
        ComboBox1->addItem(QLatin1String(weight));
    settranslatable(ComboBox1, TransKind::combobox);
    ComboBox1->setCurrentIndex(weightindex(1.0));
    Edit4 = new QLineEdit(box);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    Edit4->setMaxLength(maxtext);
    refuseunstorable(Edit4);
    auto *colourcaption = new QLabel(QStringLiteral("Colour:"), box);
    weightcaption = new QLabel(QStringLiteral("Weight:"), box);
    auto *notecaption = new QLabel(QStringLiteral("Note:"), box);
    for (QLabel *l : {colourcaption, weightcaption, notecaption})
        settranslatable(l, TransKind::label);
    layout->addWidget(colourcaption, 0, 0);
    layout->addWidget(ColorBox1, 0, 1);
    layout->addWidget(weightcaption, 0, 2);
    layout->addWidget(ComboBox1, 0, 3);
    layout->addWidget(notecaption, 0, 4);
    layout->addWidget(Edit4, 0, 5);
    layout->setColumnStretch(5, 1);

    warninglabel = new QLabel(QStringLiteral("Unable to recognize and add some marks, please check the entry!"), box);
    warninglabel->setObjectName(QStringLiteral("warninglabel"));
    warninglabel->setWordWrap(true);
    warninglabel->setStyleSheet(QStringLiteral("color: #C00000;"));
    settranslatable(warninglabel, TransKind::label);
    warninglabel->hide();
    totalcaption = new QLabel(QStringLiteral("Total average:"), box);
    totalcaption->setObjectName(QStringLiteral("totalcaption"));
    settranslatable(totalcaption, TransKind::label, 1);
    QFont bold = totalcaption->font();
    bold.setBold(true);
    totalcaption->setFont(bold);
    totallabel = new QLabel(box);
    totallabel->setObjectName(QStringLiteral("totallabel"));
    totallabel->setFont(bold);
    SpeedButton7 = new QToolButton(box);
    SpeedButton7->setObjectName(QStringLiteral("SpeedButton7"));
    SpeedButton7->setText(QStringLiteral("Action"));
    settranslatable(SpeedButton7, TransKind::speedbutton);
    auto *menu = new QMenu(SpeedButton7);
    menu->setObjectName(QStringLiteral("termmenu"));
    QAction *newterm = menu->addAction(QStringLiteral("New term"));
    newterm->setObjectName(QStringLiteral("Novobdob1"));
    QAction *manage = menu->addAction(QStringLiteral("Load/manage terms"));
    manage->setObjectName(QStringLiteral("Naststarobdob1"));
    settranslatable(menu, TransKind::popupmenu);
    SpeedButton7->setMenu(menu);
    // The menu opens under the button, wherever the window stands.
    SpeedButton7->setPopupMode(QToolButton::InstantPopup);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(totalcaption);
    bottom->addWidget(totallabel);
    bottom->addSpacing(16);
    bottom->addWidget(warninglabel, 1);
    bottom->addStretch(0);
    bottom->addWidget(SpeedButton7);
    layout->addLayout(bottom, 1, 0, 1, 6);

    connect(ColorBox1, &ColorBox::colourchosen, this, &MarksPage::ColorBox1Change);
    connect(ComboBox1, &QComboBox::activated, this, &MarksPage::ComboBox1Change);
    connect(Edit4, &QLineEdit::textEdited, this, &MarksPage::Edit4Change);
    connect(newterm, &QAction::triggered, this, &MarksPage::Novobdob1Click);
    connect(manage, &QAction::triggered, this, &MarksPage::Naststarobdob1Click);
    return box;
}

Terms MarksPage::terms() const
{
    return Terms(db_, previoustermtext->text());
}

void MarksPage::datachanged(DbKind kind)
{
    // The whole database reloading ends with one refresh of its own.
    if (kind == DbKind::subjects && !ownchange() && !db_.loading())
        refreshmarks();
}

void MarksPage::settingchanged(Setting which)
{
    if (which == Setting::suma)
        ComboBox2Change();
}

void MarksPage::savesubjects()
{
    const OwnChange own(*this);
    db_.savesubjects();
}

void MarksPage::refreshmarks()
{
    {
        const QSignalBlocker b1(StringGrid1), b3(StringGrid3), b4(StringGrid4), b5(StringGrid5);
        const int rows = qMax(1, int(db_.subjects.size()));
        QStringList names;
        for (QTableWidget *g : {StringGrid1, StringGrid3, StringGrid4, StringGrid5}) {
            g->clearContents();
            g->setRowCount(rows);
        }
        for (int r = 0; r < int(db_.subjects.size()); ++r) {
            const TSubjectRec &s = db_.subjects[r];
            names << s.name;
            for (int c = 0; c < TSubjectRec::markcount; ++c)
                StringGrid1->setItem(r, c, new QTableWidgetItem(s.marks[c].mark));
            StringGrid4->setItem(r, 0, new QTableWidgetItem(s.pluses));
            StringGrid5->setItem(r, 0, new QTableWidgetItem(s.minuses));
        }
        // Without subjects the one row takes nothing.
        for (QTableWidget *g : {StringGrid1, StringGrid4, StringGrid5})
            g->setEditTriggers(db_.subjects.empty() ? QAbstractItemView::NoEditTriggers
                                                    : QAbstractItemView::AllEditTriggers);
        StringGrid1->setVerticalHeaderLabels(names.isEmpty() ? QStringList{QString()} : names);
        // There is always a current cell, so the editors always show a mark.
        if (!db_.subjects.empty() && (StringGrid1->currentRow() < 0 || StringGrid1->currentColumn() < 0))
            StringGrid1->setCurrentCell(0, 0);
    }
    countaverages();
    filling_ = false;
    StringGrid1SelectCell(StringGrid1->currentColumn() + 1, StringGrid1->currentRow());
    filling_ = true;
}

void MarksPage::countaverages()
{
    const Averages a = ::countaverages(db_.subjects, settings_.number(Setting::suma));
    const QSignalBlocker quiet(StringGrid3);
    // Rows stand for subjects once the grids are filled; before that there
    // is no row to show a result in.
    for (int r = 0; r < a.results.size() && r < StringGrid3->rowCount(); ++r) {
        auto *item = new QTableWidgetItem(a.results[r]);
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        StringGrid3->setItem(r, 0, item);
    }
    totallabel->setText(a.total);
    warninglabel->setVisible(a.warning);
}

void MarksPage::StringGrid1SetEditText()
{
    // Every row is read back, so the subjects always hold what is shown.
    for (int r = 0; r < int(db_.subjects.size()) && r < StringGrid1->rowCount(); ++r) {
        TSubjectRec &s = db_.subjects[r];
        if (const QTableWidgetItem *header = StringGrid1->verticalHeaderItem(r))
            s.name = header->text().left(30);
        for (int c = 0; c < TSubjectRec::markcount; ++c)
            s.marks[c].mark = normalizemark(celltext(StringGrid1, r, c));
    }
    countaverages();
    savesubjects();
}

void MarksPage::readsidegrid(QTableWidget *grid, ShortString<255> TSubjectRec::*field)
{
    for (int r = 0; r < int(db_.subjects.size()) && r < grid->rowCount(); ++r)
        db_.subjects[r].*field = celltext(grid, r, 0).left(maxtext);
    savesubjects();
}

void MarksPage::StringGrid4SetEditText()
{
    readsidegrid(StringGrid4, &TSubjectRec::pluses);
}

void MarksPage::StringGrid5SetEditText()
{
    readsidegrid(StringGrid5, &TSubjectRec::minuses);
}

void MarksPage::StringGrid1SelectCell(int column, int row)
{
    if (column < 1 || column > TSubjectRec::markcount || row < 0 || row >= int(db_.subjects.size()))
        return;
    const TMarkRec &mark = db_.subjects[row].marks[column - 1];
    filling_ = false;
    {
        const QSignalBlocker b1(ColorBox1), b2(ComboBox1), b3(Edit4);
        ColorBox1->setcolour(mark.color);
        Edit4->setText(mark.note);
        if (const int index = weightindex(mark.weight); index >= 0)
            ComboBox1->setCurrentIndex(index);
    }
    filling_ = true;
}

TMarkRec *MarksPage::currentmark()
{
    const int row = StringGrid1->currentRow();
    const int column = StringGrid1->currentColumn();
    if (row < 0 || row >= int(db_.subjects.size()) || column < 0 || column >= TSubjectRec::markcount)
        return nullptr;
    return &db_.subjects[row].marks[column];
}

void MarksPage::ColorBox1Change()
{
    if (TMarkRec *mark = currentmark()) {
        mark->color = ColorBox1->colour();
        StringGrid1->viewport()->update();
        savesubjects();
    }
}

void MarksPage::ComboBox1Change()
{
    TMarkRec *mark = currentmark();
    if (!mark || ComboBox1->currentIndex() < 0)
        return;
    mark->weight = markweights[ComboBox1->currentIndex()];
    savesubjects();
    countaverages();
}

void MarksPage::Edit4Change()
{
    if (!filling_)
        return;
    if (TMarkRec *mark = currentmark()) {
        mark->note = Edit4->text().left(maxtext);
        savesubjects();
    }
}

void MarksPage::ComboBox2Change()
{
    const bool sums = settings_.number(Setting::suma) == markssums;
    weightcaption->setVisible(!sums);
    ComboBox1->setVisible(!sums);
    averageicon->setVisible(!sums);
    sumicon->setVisible(sums);
    totalcaption->setText(sums ? totalsumtext->text() : totalaveragetext->text());
    resultscaption->setText(sums ? sumstext->text() : averagestext->text());
    countaverages();
}

void MarksPage::Novobdob1Click()
{
    // The open term's name is kept in "subjfname.dat".
    const QString name =
        askname_(QStringLiteral("Create new term"), QStringLiteral("Name:"), QString(), true, NameKept::inlistfile);
    TermError error;
    const TermOutcome outcome = terms().newterm(
        name, [] { return trans_confirmation(Terms::overwritequestion) == mb::idyes; }, error);
    if (outcome == TermOutcome::failed)
        showtermerror(error);
}

void MarksPage::Naststarobdob1Click()
{
    termsform_.showterms(terms(), askname_);
}
