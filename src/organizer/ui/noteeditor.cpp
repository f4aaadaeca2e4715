#include "organizer/ui/noteeditor.h"

#include "database/settings.h"
#include "organizer/memo.h"
#include "platform/clock.h"
#include "platform/collate.h"
#include "platform/dateformat.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "platform/ui/icons.h"
#include "platform/ui/printer.h"
#include "widgets/language.h"
#include "widgets/ui/colorbox.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QSpinBox>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

// Web addresses shown as links; the document's own formats stay untouched.
class WebLinkHighlighter : public QSyntaxHighlighter
{
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

protected:
    void highlightBlock(const QString &text) override
    {
        if (text.size() < 4)
            return;
        QTextCharFormat link;
        link.setForeground(QColor(0, 0, 0xEE));
        link.setFontUnderline(true);
        for (const memo::Link &l : memo::weblinks(text))
            setFormat(l.start, l.length, link);
    }
};

void memo::print(const QTextDocument &document, QPrinter &printer, const QString &title)
{
    printer.setDocName(title);
    // Printing lays out a copy at the printer's resolution, so the editor's
    // zoom stays on the screen.
    document.print(&printer);
}

namespace {

const QStringList &rtfmimetypes()
{
    static const QStringList types = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf"),
                                      QStringLiteral("text/richtext")};
    return types;
}

// The selected text up to its first paragraph break: what the find boxes start with.
QString selectedline(const QTextCursor &cursor)
{
    return cursor.selectedText().section(QChar::ParagraphSeparator, 0, 0);
}

} // namespace

// ---------------------------------------------------------------- MemoEdit

int ZoomDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return dpi_;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    case PdmDepth:
        return 32;
    default:
        return 1; // a one-pixel device: nothing is ever painted on it
    }
}

MemoEdit::MemoEdit(QWidget *parent) : QTextEdit(parent)
{
    setObjectName(QStringLiteral("RichEdit1"));
    document()->setDefaultFont(rtf::defaultfont());
    // Owned by the editor: a note's document, and what it owns, goes with the note.
    links_ = new WebLinkHighlighter(static_cast<QObject *>(this));
    links_->setDocument(document());
}

void MemoEdit::setnote(QTextDocument *note)
{
    links_->setDocument(nullptr);
    note->setParent(this);
    setDocument(note); // a previous note, a child of this, is deleted
    // The control keeps the old cursor's format for new text: each note
    // starts from its own first character's.
    setTextCursor(QTextCursor(note));
    links_->setDocument(note);
    applyzoom();
}

void MemoEdit::setzoom(int percent)
{
    percent = std::clamp(percent, minzoom, maxzoom);
    if (percent == zoom_)
        return;
    zoom_ = percent;
    applyzoom();
}

void MemoEdit::applyzoom()
{
    // Text is laid out for a device of zoomed resolution: every size in
    // points, explicit or not, grows with it, while the formats stay.
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    if (zoom_ == 100) {
        layout->setPaintDevice(nullptr);
    } else {
        zoomdevice_.setdpi((logicalDpiY() * zoom_ + 50) / 100);
        layout->setPaintDevice(&zoomdevice_);
    }
    document()->markContentsDirty(0, document()->characterCount());
    ensureCursorVisible();
}

bool MemoEdit::canInsertFromMimeData(const QMimeData *source) const
{
    for (const QString &type : rtfmimetypes()) {
        if (source->hasFormat(type))
            return true;
    }
    return source->hasText();
}

void MemoEdit::insertFromMimeData(const QMimeData *source)
{
    // Only what notes can store comes in: rich text through our reader,
    // everything else as plain text in the current format.
    for (const QString &type : rtfmimetypes()) {
        if (source->hasFormat(type)) {
            QTextDocument pasted;
            rtf::read(source->data(type), pasted);
            textCursor().insertFragment(QTextDocumentFragment(&pasted));
            ensureCursorVisible();
            return;
        }
    }
    if (source->hasText())
        insertPlainText(source->text());
}

QMimeData *MemoEdit::createMimeDataFromSelection() const
{
    const QTextDocumentFragment selection = textCursor().selection();
    QTextDocument copy;
    QTextCursor(&copy).insertFragment(selection);
    const QByteArray data = rtf::write(copy);
    auto *mime = new QMimeData;
    mime->setData(rtfmimetypes().at(0), data);
    mime->setData(rtfmimetypes().at(1), data);
    mime->setText(selection.toPlainText());
    return mime;
}

void MemoEdit::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y() / 120;
        if (steps != 0)
            setzoom(zoom_ + 10 * steps);
        event->accept();
        return;
    }
    QTextEdit::wheelEvent(event);
}

void MemoEdit::keyPressEvent(QKeyEvent *event)
{
    // Ctrl and "+" zooms in also where "+" needs Shift, and on the "=" key under it.
    const bool ctrlplus = (event->modifiers() & Qt::ControlModifier) &&
                          (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal);
    if (event->matches(QKeySequence::ZoomIn) || ctrlplus) {
        setzoom(zoom_ + 10);
        return;
    }
    if (event->matches(QKeySequence::ZoomOut)) {
        setzoom(zoom_ - 10);
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void MemoEdit::mousePressEvent(QMouseEvent *event)
{
    pressedat_ = event->position().toPoint();
    QTextEdit::mousePressEvent(event);
}

void MemoEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    if ((at - pressedat_).manhattanLength() >= QApplication::startDragDistance())
        return; // a selection was dragged, not a click
    const QPoint indocument = at + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const int position = document()->documentLayout()->hitTest(indocument, Qt::ExactHit);
    if (position < 0)
        return;
    const QTextBlock block = document()->findBlock(position);
    const int offset = position - block.position();
    QString address = memo::weblinkat(block.text(), offset);
    if (address.isEmpty() && offset > 0)
        address = memo::weblinkat(block.text(), offset - 1);
    if (!address.isEmpty())
        emit urlclicked(address, event->button());
}

// ---------------------------------------------------------------- Tmemoform

Tmemoform::Tmemoform(Settings &settings, Clock &clock, QWidget *parent)
    : QDialog(parent), settings_(settings), clock_(clock)
{
    setObjectName(QStringLiteral("memoform"));
    setModal(true);
    setresizabledialogframe(this);
    resize(543, 412);
    setMinimumSize(480, 250);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    auto *band = new FramedBox(this);
    auto *bandrows = band->insidelayout<QVBoxLayout>();
    bandrows->setSpacing(4);
    column->addWidget(band);

    auto *textbox = new FramedBox(this);
    auto *textlayout = textbox->insidelayout<QVBoxLayout>();
    RichEdit1 = new MemoEdit(textbox);
    RichEdit1->setFrameShape(QFrame::NoFrame);
    textlayout->addWidget(RichEdit1);
    column->addWidget(textbox, 1);

    buildtoolbar(band);
    buildboxes(band);

    auto *okrow = new QHBoxLayout;
    okrow->addStretch(1);
    BitBtn1 = namedbutton("BitBtn1", QStringLiteral("OK"), this);
    BitBtn1->setAutoDefault(false);
    okrow->addWidget(BitBtn1);
    column->addLayout(okrow);
    connect(BitBtn1, &QPushButton::clicked, this, &Tmemoform::BitBtn1Click);

    connect(RichEdit1, &QTextEdit::cursorPositionChanged, this, &Tmemoform::RichEdit1SelectionChange);
    connect(RichEdit1, &QTextEdit::selectionChanged, this, &Tmemoform::RichEdit1SelectionChange);
    connect(RichEdit1, &QTextEdit::currentCharFormatChanged, this, &Tmemoform::RichEdit1SelectionChange);
    connect(RichEdit1, &MemoEdit::urlclicked, this, &Tmemoform::RichEdit1URLClick);

    Timer1 = new QTimer(this);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &Tmemoform::Timer1Timer);
    Timer1->start();
}

QToolButton *Tmemoform::toolbutton(const char *name, const char *icon, const QString &hint, bool checkable)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setIcon(QIcon(iconpixmap(QLatin1String(icon), QSize(16, 16))));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    // The text keeps the focus, and with it its selection.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void Tmemoform::buildtoolbar(QWidget *band)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    auto gap = [row] { row->addSpacing(6); };

    ToolButton1 = toolbutton("ToolButton1", "memobold.svg", QStringLiteral("Tučné (CTRL+B)"), true);
    ToolButton2 = toolbutton("ToolButton2", "memoitalic.svg", QStringLiteral("Kurzíva (CTRL+I)"), true);
    ToolButton3 = toolbutton("ToolButton3", "memounderline.svg", QStringLiteral("Podtržené (CTRL+U)"), true);
    ToolButton17 = toolbutton("ToolButton17", "memostrike.svg", QStringLiteral("Přeškrtnuté"), true);
    ToolButton4 = toolbutton("ToolButton4", "memoalignleft.svg", QStringLiteral("Zarovnat vlevo (CTRL+L)"), true);
    ToolButton5 = toolbutton("ToolButton5", "memoaligncenter.svg", QStringLiteral("Zarovnat uprostřed (CTRL+E)"), true);
    ToolButton6 = toolbutton("ToolButton6", "memoalignright.svg", QStringLiteral("Zarovnat vpravo (CTRL+R)"), true);
    ToolButton7 = toolbutton("ToolButton7", "memobullets.svg", QStringLiteral("Odrážky"), true);
    QToolButton *save = toolbutton("ToolButton8", "memosave.svg", QStringLiteral("Uložit (CTRL+S)"), false);
    QToolButton *undo = toolbutton("ToolButton9", "memoundo.svg", QStringLiteral("Zpět (CTRL+Z)"), false);
    QToolButton *redo = toolbutton("ToolButton16", "memoredo.svg", QStringLiteral("Vpřed (CTRL+Y)"), false);
    QToolButton *cut = toolbutton("ToolButton10", "memocut.svg", QStringLiteral("Vyjmout (CTRL+X)"), false);
    QToolButton *copy = toolbutton("ToolButton11", "memocopy.svg", QStringLiteral("Kopírovat (CTRL+C)"), false);
    QToolButton *paste = toolbutton("ToolButton12", "memopaste.svg", QStringLiteral("Vložit (CTRL+V)"), false);
    QToolButton *date = toolbutton("ToolButton13", "memodate.svg", QStringLiteral("Vložit datum a čas"), false);
    QToolButton *find = toolbutton("ToolButton15", "memofind.svg", QStringLiteral("Najít (CTRL+F)"), false);
    QToolButton *replace = toolbutton("ToolButton14", "memoreplace.svg", QStringLiteral("Nahradit (CTRL+H)"), false);
    QToolButton *print = toolbutton("ToolButton18", "memoprint.svg", QStringLiteral("Tisk"), false);

    // The platform's alignment numbers: left 0, right 1, centre 2.
    ToolButton4->setProperty("tag", 0);
    ToolButton6->setProperty("tag", 1);
    ToolButton5->setProperty("tag", 2);

    for (QToolButton *b : {ToolButton1, ToolButton2, ToolButton3, ToolButton17})
        row->addWidget(b);
    gap();
    for (QToolButton *b : {ToolButton4, ToolButton5, ToolButton6, ToolButton7})
        row->addWidget(b);
    gap();
    for (QToolButton *b : {save, undo, redo})
        row->addWidget(b);
    gap();
    for (QToolButton *b : {cut, copy, paste, date})
        row->addWidget(b);
    gap();
    for (QToolButton *b : {find, replace, print})
        row->addWidget(b);
    row->addStretch(1);
    static_cast<QBoxLayout *>(band->layout())->addLayout(row);

    connect(ToolButton1, &QToolButton::clicked, this, &Tmemoform::ToolButton1Click);
    connect(ToolButton2, &QToolButton::clicked, this, &Tmemoform::ToolButton2Click);
    connect(ToolButton3, &QToolButton::clicked, this, &Tmemoform::ToolButton3Click);
    connect(ToolButton17, &QToolButton::clicked, this, &Tmemoform::ToolButton17Click);
    for (QToolButton *b : {ToolButton4, ToolButton5, ToolButton6})
        connect(b, &QToolButton::clicked, this, [this, b] { alignclick(b->property("tag").toInt()); });
    connect(ToolButton7, &QToolButton::clicked, this, &Tmemoform::ToolButton7Click);
    connect(save, &QToolButton::clicked, this, &Tmemoform::ToolButton8Click);
    connect(undo, &QToolButton::clicked, RichEdit1, &QTextEdit::undo);
    connect(redo, &QToolButton::clicked, RichEdit1, &QTextEdit::redo);
    connect(cut, &QToolButton::clicked, RichEdit1, &QTextEdit::cut);
    connect(copy, &QToolButton::clicked, RichEdit1, &QTextEdit::copy);
    connect(paste, &QToolButton::clicked, RichEdit1, &QTextEdit::paste);
    connect(date, &QToolButton::clicked, this, &Tmemoform::ToolButton13Click);
    connect(find, &QToolButton::clicked, this, &Tmemoform::ToolButton15Click);
    connect(replace, &QToolButton::clicked, this, &Tmemoform::ToolButton14Click);
    connect(print, &QToolButton::clicked, this, &Tmemoform::ToolButton18Click);

    // Shortcuts the text control has no own use for run the buttons' clicks.
    const struct
    {
        QKeySequence keys;
        QToolButton *button;
    } shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_B), ToolButton1}, {QKeySequence(Qt::CTRL | Qt::Key_I), ToolButton2},
        {QKeySequence(Qt::CTRL | Qt::Key_U), ToolButton3}, {QKeySequence(Qt::CTRL | Qt::Key_L), ToolButton4},
        {QKeySequence(Qt::CTRL | Qt::Key_R), ToolButton6}, {QKeySequence(Qt::CTRL | Qt::Key_E), ToolButton5},
        {QKeySequence(Qt::CTRL | Qt::Key_S), save},        {QKeySequence(Qt::CTRL | Qt::Key_F), find},
        {QKeySequence(Qt::CTRL | Qt::Key_H), replace},     {QKeySequence(Qt::CTRL | Qt::Key_Y), redo},
    };
    for (const auto &s : shortcuts) {
        auto *action = new QAction(this);
        action->setShortcut(s.keys);
        connect(action, &QAction::triggered, s.button, &QToolButton::click);
        addAction(action);
    }
}

void Tmemoform::buildboxes(QWidget *band)
{
    auto *row = new QHBoxLayout;
    ComboBox2 = new QComboBox(band);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setMinimumContentsLength(14);
    ComboBox2->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // The boxes of fonts, sizes and colours are not translated: font names and
    // numbers are no texts, and the colour names stay as the editor's own.
    // FormCreate: the screen fonts, "Arial" selected.
    ComboBox2->addItems(fontboxfamilies(QFontDatabase::families()));
    const int arial = ComboBox2->findText(QStringLiteral("Arial"), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (arial >= 0)
        ComboBox2->setCurrentIndex(arial);

    ComboBox1 = new QComboBox(band);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMinimumContentsLength(4);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        ComboBox1->addItem(QString::number(size));

    ColorBox1 = new ColorBox(band);
    ColorBox1->setObjectName(QStringLiteral("ColorBox1"));
    ColorBox1->setcolour(0x000000);

    SpinEdit1 = new QSpinBox(band);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(MemoEdit::minzoom, MemoEdit::maxzoom);
    SpinEdit1->setSingleStep(10);
    SpinEdit1->setValue(100);
    SpinEdit1->setSuffix(QStringLiteral(" %"));
    SpinEdit1->setToolTip(QStringLiteral("Zvětšení"));

    row->addWidget(ComboBox2, 3);
    row->addWidget(ComboBox1, 1);
    row->addWidget(ColorBox1, 2);
    row->addWidget(SpinEdit1, 1);
    static_cast<QBoxLayout *>(band->layout())->addLayout(row);

    // A size applies once it is picked or typed and confirmed with Enter, so
    // typing "12" does not first make the text one point high.
    connect(ComboBox1, &QComboBox::textActivated, this, &Tmemoform::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &Tmemoform::ComboBox2Change);
    connect(ColorBox1, &ColorBox::colourchosen, this, &Tmemoform::ColorBox1Change);
    connect(SpinEdit1, &QSpinBox::valueChanged, this, &Tmemoform::SpinEdit1Change);
}

void Tmemoform::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return; // back from the window manager, not a new show
    if (!placed_) {
        placed_ = true;
        if (const QScreen *s = screen())
            move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    FormShow();
}

void Tmemoform::FormShow()
{
    QString error;
    std::optional<memo::Loaded> loaded = memo::load(memopath, &error);
    if (!loaded) {
        // Nothing to edit: an empty editor saved over the file would lose it.
        RichEdit1->setnote(new QTextDocument);
        trans_messagebox(loadfailed, {memopath, error}, QStringLiteral("Error"), mb::iconerror);
        QMetaObject::invokeMethod(this, [this] { QDialog::done(Rejected); }, Qt::QueuedConnection);
        return;
    }
    dropped_ = loaded->dropped;
    droppedaccepted_ = false;
    RichEdit1->setnote(loaded->document.release());
    RichEdit1->document()->setModified(false);
    RichEdit1->setFocus();
    SpinEdit1->setValue(100);
    RichEdit1->setzoom(100);
    RichEdit1SelectionChange();
}

bool Tmemoform::ToolButton8Click()
{
    QTextDocument *document = RichEdit1->document();
    if (!document->isModified())
        return true;
    if (dropped_.any() && !droppedaccepted_ && trans_confirmation(droppedquestion) != mb::idyes)
        return false;
    QString error;
    if (!memo::save(memopath, *document, &error)) {
        trans_messagebox(savefailed, {memopath, error}, QStringLiteral("Error"), mb::iconerror);
        return false;
    }
    droppedaccepted_ = true;
    document->setModified(false);
    return true;
}

void Tmemoform::BitBtn1Click()
{
    if (ToolButton8Click())
        done(Accepted);
}

void Tmemoform::done(int result)
{
    if (RichEdit1->document()->isModified()) {
        const int answer = prompter().confirmationorcancel(this, changedquestion);
        if (answer == mb::idcancel)
            return;
        if (answer == mb::idyes && !ToolButton8Click())
            return; // not saved: the changes stay in the editor
    }
    for (QDialog *d : {static_cast<QDialog *>(finddialog_), static_cast<QDialog *>(replacedialog_)}) {
        if (d)
            d->hide();
    }
    QDialog::done(result);
}

void Tmemoform::ToolButton1Click()
{
    QTextCharFormat f;
    f.setFontWeight(ToolButton1->isChecked() ? QFont::Bold : QFont::Normal);
    RichEdit1->mergeCurrentCharFormat(f);
}

void Tmemoform::ToolButton2Click()
{
    QTextCharFormat f;
    f.setFontItalic(ToolButton2->isChecked());
    RichEdit1->mergeCurrentCharFormat(f);
}

void Tmemoform::ToolButton3Click()
{
    QTextCharFormat f;
    f.setFontUnderline(ToolButton3->isChecked());
    RichEdit1->mergeCurrentCharFormat(f);
}

void Tmemoform::ToolButton17Click()
{
    QTextCharFormat f;
    f.setFontStrikeOut(ToolButton17->isChecked());
    RichEdit1->mergeCurrentCharFormat(f);
}

void Tmemoform::alignclick(int tag)
{
    static constexpr Qt::Alignment bytag[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    RichEdit1->setAlignment(bytag[std::clamp(tag, 0, 2)]);
    ToolButton4->setChecked(tag == 0);
    ToolButton6->setChecked(tag == 1);
    ToolButton5->setChecked(tag == 2);
}

void Tmemoform::ToolButton7Click()
{
    memo::togglebullets(RichEdit1->textCursor());
    RichEdit1SelectionChange();
}

void Tmemoform::ToolButton13Click()
{
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.insertText(formatdate(settings_.text(Setting::dateformat), clock_.today()));
    RichEdit1->setTextCursor(cursor);
}

void Tmemoform::ToolButton15Click()
{
    if (!finddialog_) {
        finddialog_ = new MemoFindDialog(false, this);
        connect(finddialog_, &MemoFindDialog::findnext, this, [this] { findnext(); });
    }
    if (replacedialog_)
        replacedialog_->hide();
    finddialog_->start(selectedline(RichEdit1->textCursor()), QString());
    finddialog_->show();
    finddialog_->raise();
    finddialog_->activateWindow();
}

void Tmemoform::ToolButton14Click()
{
    if (!replacedialog_) {
        replacedialog_ = new MemoFindDialog(true, this);
        connect(replacedialog_, &MemoFindDialog::findnext, this, [this] { findnext(); });
        connect(replacedialog_, &MemoFindDialog::replace, this, &Tmemoform::replaceone);
        connect(replacedialog_, &MemoFindDialog::replaceall, this, &Tmemoform::replaceevery);
    }
    if (finddialog_)
        finddialog_->hide();
    const QString selected = selectedline(RichEdit1->textCursor());
    replacedialog_->start(selected, selected);
    replacedialog_->show();
    replacedialog_->raise();
    replacedialog_->activateWindow();
}

void Tmemoform::findnext()
{
    const MemoFindDialog *d = replacedialog_ && replacedialog_->isVisible() ? replacedialog_ : finddialog_;
    if (!d)
        return;
    QTextCursor cursor = RichEdit1->textCursor();
    if (memo::findnext(cursor, d->findtext(), d->flags()))
        RichEdit1->setTextCursor(cursor);
    else
        RichEdit1TextNotFound();
}

void Tmemoform::replaceone()
{
    QTextCursor cursor = RichEdit1->textCursor();
    if (memo::replaceselection(cursor, replacedialog_->findtext(), replacedialog_->replacement(),
                               replacedialog_->flags()))
        RichEdit1->setTextCursor(cursor);
    findnext();
}

void Tmemoform::replaceevery()
{
    if (memo::replaceall(*RichEdit1->document(), replacedialog_->findtext(), replacedialog_->replacement(),
                         replacedialog_->flags()) == 0)
        RichEdit1TextNotFound();
}

void Tmemoform::ToolButton18Click()
{
    // The printer chosen here is the one the other prints use too.
    if (printing::setupdialog(this))
        memo::print(*RichEdit1->document(), printing::printer(), windowTitle());
}

void Tmemoform::ComboBox1Change()
{
    if (const std::optional<int> size = memo::fontsize(ComboBox1->currentText())) {
        QTextCharFormat f;
        f.setFontPointSize(*size);
        RichEdit1->mergeCurrentCharFormat(f);
    }
    RichEdit1->setFocus();
}

void Tmemoform::ComboBox2Change()
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{ComboBox2->currentText()});
    RichEdit1->mergeCurrentCharFormat(f);
    RichEdit1->setFocus();
}

void Tmemoform::ColorBox1Change(qint32 colour)
{
    setselectedcolour(wincolor(quint32(colour)));
    RichEdit1->setFocus();
}

void Tmemoform::setselectedcolour(const QColor &colour)
{
    QTextCharFormat f;
    f.setForeground(colour);
    RichEdit1->mergeCurrentCharFormat(f);
}

void Tmemoform::SpinEdit1Change(int value)
{
    RichEdit1->setzoom(value);
}

void Tmemoform::RichEdit1SelectionChange()
{
    const QTextCharFormat f = RichEdit1->currentCharFormat();
    ToolButton1->setChecked(f.fontWeight() >= QFont::Bold);
    ToolButton2->setChecked(f.fontItalic());
    ToolButton3->setChecked(f.fontUnderline());
    ToolButton17->setChecked(f.fontStrikeOut());

    const Qt::Alignment align = RichEdit1->alignment() & Qt::AlignHorizontal_Mask;
    ToolButton5->setChecked(align & Qt::AlignHCenter);
    ToolButton6->setChecked(align & Qt::AlignRight);
    ToolButton4->setChecked(!(align & (Qt::AlignHCenter | Qt::AlignRight | Qt::AlignJustify)));
    // Down for bullets only: a numbered paragraph has numbering, but no bullet.
    const QTextList *list = RichEdit1->textCursor().currentList();
    ToolButton7->setChecked(list && memo::isbulleted(*list));

    const double size = f.fontPointSize() > 0 ? f.fontPointSize() : RichEdit1->document()->defaultFont().pointSizeF();
    ComboBox1->setEditText(memo::sizetext(size));

    const QColor colour = f.foreground().style() != Qt::NoBrush ? f.foreground().color() : QColor(Qt::black);
    ColorBox1->setcolour(wincolorvalue(colour));

    const QStringList families = f.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? RichEdit1->document()->defaultFont().family() : families.first();
    int row = ComboBox2->findText(family, Qt::MatchExactly | Qt::MatchCaseSensitive);
    const QSignalBlocker fontquiet(ComboBox2);
    // A face this system lacks ("Arial" of a note written elsewhere) is still
    // the note's face: the box names it rather than another one.
    if (row < 0 && !family.isEmpty()) {
        QStringList listed;
        for (int i = 0; i < ComboBox2->count(); ++i)
            listed << ComboBox2->itemText(i);
        row = int(sortedplace(listed, family));
        ComboBox2->insertItem(row, family);
    }
    if (row >= 0)
        ComboBox2->setCurrentIndex(row);
}

void Tmemoform::RichEdit1TextNotFound()
{
    prompter().messagebox(this, notfoundtext, notfoundcaption, mb::iconinformation);
}

void Tmemoform::RichEdit1URLClick(const QString &address, Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        openwebpage(address);
}

void Tmemoform::Timer1Timer()
{
    // A zoom made with the wheel or the keyboard shows in the zoom box.
    if (SpinEdit1->value() != RichEdit1->zoom())
        SpinEdit1->setValue(RichEdit1->zoom());
}
