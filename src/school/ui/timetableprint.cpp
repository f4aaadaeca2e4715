#include "school/ui/timetableprint.h"

#include "platform/prompter.h"
#include "platform/ui/printer.h"
#include "widgets/language.h"
#include "widgets/pagetable.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

bool printtimetable(QPrinter &printer, const std::vector<TLessonRec> &timetable, const TtView &view, int widthcm,
                    const QString &title)
{
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const TtPrintGeometry at = ttprintgeometry(printer.logicalDpiX(), printer.logicalDpiY(), widthcm, view);
    // Painted at the printer's scale straight onto the page: a picture of
    // the whole printed size would take gigabytes at large widths.
    // Restored before the end: the shared printer's engine would otherwise
    // keep the margins for the next print.
    painter.save();
    painter.translate(at.left, at.top);
    ttpaint(painter, timetable, view, at.scale, ttpictureheight);
    painter.restore();
    return painter.end();
}

Tprintttform::Tprintttform(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Print timetable"));
    setfixeddialogframe(this);
    setModal(true);

    auto *box = new FramedBox(this);
    box->setObjectName(QStringLiteral("PaintBox1"));
    auto *grid = box->insidelayout<QGridLayout>();
    QLabel *Label2 = translatedlabel(QStringLiteral("Printer:"), box);
    Label3 = new QLabel(box);
    Label3->setObjectName(QStringLiteral("Label3"));
    settranslatable(Label3, TransKind::label, 1); // filled in at run time
    Label4 = hiddenlabel(this, QStringLiteral("None "));
    QPushButton *settings = namedbutton("BitBtn3", QStringLiteral("Print settings"), box);
    QLabel *Label1 = translatedlabel(QStringLiteral("Width in cm:"), box);
    SpinEdit1 = new QSpinBox(box);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(5, 99);
    SpinEdit1->setValue(16);
    Label1->setBuddy(SpinEdit1);
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(Label3, 0, 1);
    grid->addWidget(settings, 1, 1, Qt::AlignLeft);
    grid->addWidget(Label1, 2, 0);
    grid->addWidget(SpinEdit1, 2, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    Label3->setMinimumWidth(220);

    QPushButton *print = namedbutton("BitBtn1", QStringLiteral("Print"), this);
    QPushButton *storno = namedbutton("BitBtn2", QStringLiteral("Storno"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(print);
    buttons->addWidget(storno);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(box);
    layout->addLayout(buttons);

    connect(settings, &QPushButton::clicked, this, &Tprintttform::BitBtn3Click);
    connect(print, &QPushButton::clicked, this, &Tprintttform::BitBtn1Click);
    connect(storno, &QPushButton::clicked, this, &QDialog::reject);
}

int Tprintttform::showtimetable(const std::vector<TLessonRec> &timetable, const TtView &view)
{
    timetable_ = &timetable;
    view_ = view;
    // What only the screen shows is not printed.
    view_.hovered = -1;
    view_.placing = false;
    const int result = exec();
    timetable_ = nullptr;
    return result;
}

QString Tprintttform::getprintername() const
{
    return printing::printername(printing::printer(), Label4->text());
}

void Tprintttform::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void Tprintttform::FormShow()
{
    Label3->setText(getprintername());
}

void Tprintttform::BitBtn3Click()
{
    if (printing::setupdialog(this))
        Label3->setText(getprintername());
}

void Tprintttform::BitBtn1Click()
{
    QPrinter &printer = printing::printer();
    if (!printing::hasprinter(printer) || !timetable_) {
        prompter().messagebox(this, printing::notaccessible, QStringLiteral("Error"), mb::iconwarning);
        return;
    }
    const QString title = QStringLiteral("Quillmoter ") + pagecaption(pagetimetable);
    if (!printtimetable(printer, *timetable_, view_, SpinEdit1->value(), title))
        prompter().messagebox(this, printing::notaccessible, QStringLiteral("Error"), mb::iconwarning);
}
