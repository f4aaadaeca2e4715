#include "mainwindow/ui/aboutbox.h"

#include "database/settings.h"
#include "mainwindow/makerpages.h"
#include "platform/pictures.h"
#include "platform/shell.h"
#include "platform/ui/icons.h"
#include "widgets/language.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/linklabel.h"
#include "widgets/ui/translation.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace {

QLabel *placed(QLabel *label, int x, int y)
{
    label->move(x, y);
    label->adjustSize();
    // Clicks on the texts count as clicks on the box.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

QStringList builtinabout()
{
    return {
        QStringLiteral("Quillmoter organizer keeps a pupil's or student's school year in one window: "
                       "contacts with birthdays and name days, a calendar with reminders, tasks, marks "
                       "with their averages, notes and the timetable."),
        QString(),
        QStringLiteral("Everything you enter stays on your computer, in your own data folder. Each change "
                       "is saved at once."),
        QString(),
        QStringLiteral("Quillmoter is free. Tell us what you miss, what does not work and what you would "
                       "like to have: the web page on the right is the place for it."),
    };
}

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), about(builtinabout())
{
    setObjectName(QStringLiteral("AboutBox"));
    setFixedSize(615, 449);
    // The frame is painted when shown rather than kept as a picture of the
    // whole box (a megabyte for a box that may never open).
    setMask(regionwithout(borderimage(size()), borderkey));

    auto *icon = new QLabel(this);
    icon->setPixmap(iconpixmap(QStringLiteral("quillmoter.svg"), QSize(64, 64)));
    placed(icon, 136, 8);

    QFont name(QStringLiteral("Arial"));
    name.setBold(true);
    name.setPixelSize(20);
    auto *title = new QLabel(QStringLiteral("Quillmoter organizer"), this);
    title->setFont(name);
    settranslatable(title, TransKind::label, 1);
    placed(title, 207, 16);
    auto *slogan = new QLabel(QStringLiteral("Have a school under control!"), this);
    QPalette grey = slogan->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    slogan->setPalette(grey);
    settranslatable(slogan, TransKind::label);
    placed(slogan, 207, 40);

    // FormCreate: the version.
    auto *version = new QLabel(programversion, this);
    version->setObjectName(QStringLiteral("Label3"));
    settranslatable(version, TransKind::label, 1);
    placed(version, 446, 24);

    auto *picture = new QLabel(this);
    picture->setPixmap(iconpixmap(QStringLiteral("page4-marks.svg"), QSize(64, 64)));
    placed(picture, 342, 111);

    // The web column starts a little left of the picture's right side so the
    // whole address fits beside it.
    constexpr int webx = 416;
    auto *web = captionlabel(QStringLiteral("Web:"), this);
    placed(web, webx, 111);
    Label13 = new LinkLabel(makersiteinternational, this);
    Label13->setObjectName(QStringLiteral("Label13"));
    QFont underlined = Label13->font();
    underlined.setUnderline(true);
    underlined.setPixelSize(11);
    Label13->setFont(underlined);
    settranslatable(Label13, TransKind::label, 1);
    Label13->move(webx, 135);
    Label13->adjustSize();
    connect(Label13, &LinkLabel::clicked, this, &TAboutBox::Label13Click);

    auto *invitation = new QLabel(QStringLiteral("Information about Quillmoter, new versions, general discussion "
                                                 "and support. Also more my free games, programs and projects "
                                                 "for download."),
                                  this);
    settranslatable(invitation, TransKind::label);
    invitation->setWordWrap(true);
    invitation->setGeometry(webx, 163, 615 - 20 - webx, 120);
    invitation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    invitation->setAttribute(Qt::WA_TransparentForMouseEvents);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setGeometry(25, 78, 311, 331);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    settranslatable(BitBtn1, TransKind::bitbtn);
    BitBtn1->adjustSize();
    BitBtn1->move(263, 415);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TAboutBox::BitBtn1Click);
}

QString TAboutBox::linkaddress() const
{
    return Label13->text() + QStringLiteral("?app=qmtr") + programversion;
}

void TAboutBox::BitBtn1Click()
{
    close();
}

void TAboutBox::PaintBox1Click()
{
    close();
}

void TAboutBox::FormDeactivate()
{
    if (isVisible())
        close();
}

void TAboutBox::Label13Click()
{
    openwebpage(linkaddress());
}

void TAboutBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    PaintBox1Paint(painter, size());
}

void TAboutBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        PaintBox1Click();
}

void TAboutBox::showEvent(QShowEvent *event)
{
    // The text as the language left it.
    Memo1->setPlainText(about.join(u'\n'));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(restoredwindow(size(), screen->availableGeometry()).topLeft());
    QDialog::showEvent(event);
    BitBtn1->setFocus();
}

bool TAboutBox::event(QEvent *event)
{
    if (event->type() == QEvent::WindowDeactivate)
        FormDeactivate();
    return QDialog::event(event);
}
