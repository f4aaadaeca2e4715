#include "mainwindow/ui/backupwindow.h"

#include "database/backup.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/prompter.h"
#include "platform/ui/icons.h"
#include "widgets/language.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Texts put together at run time, translated as hidden labels.
const char *const runtimetexts[] = {
    "Export database", "Import database", "Export to:", "Database path:", "Contacts", "Calendar", "Tasks", "Marks", "Timetable", "Notes", "category",
    "marks term name", "database version", "contact photos", "marks terms", "Database was exported to folder",
    "Unable to export following folders", "Current database was replaced by database from folder",
    "Unable to import following folders (do not need to be an error if database version was older)",
    "error while deleting old records",
};

QString withslash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

TForm8::TForm8(QString dbpath, Clock &clock, QWidget *parent)
    : QDialog(parent), dbpath_(withslash(std::move(dbpath))), clock_(clock)
{
    setWindowTitle(QStringLiteral("Import/export database"));
    setfixeddialogframe(this);
    setModal(true);
    for (const char *english : runtimetexts)
        texts_.insert(QLatin1String(english), hiddenlabel(this, QLatin1String(english)));

    auto *box = new FramedBox(this);
    box->setObjectName(QStringLiteral("PaintBox1"));
    auto *grid = box->insidelayout<QGridLayout>();

    Image1 = new QLabel(box);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(iconpixmap(QStringLiteral("backupimport.svg"), QSize(48, 48)));
    Image2 = new QLabel(box);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(iconpixmap(QStringLiteral("backupexport.svg"), QSize(48, 48)));
    auto *icons = new QVBoxLayout;
    icons->addWidget(Image1);
    icons->addWidget(Image2);
    icons->addStretch();
    grid->addLayout(icons, 0, 0, 4, 1);

    Label1 = captionlabel(QStringLiteral("Export to:"), box);
    Label1->setObjectName(QStringLiteral("Label1"));
    settranslatable(Label1, TransKind::label, 1); // set by the mode
    grid->addWidget(Label1, 0, 1, 1, 2);

    Edit1 = new QLineEdit(box);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setMinimumWidth(320);
    grid->addWidget(Edit1, 1, 1);
    Button1 = new QPushButton(box);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setIcon(QIcon(iconpixmap(QStringLiteral("browse.svg"), QSize(16, 16))));
    Button1->setToolTip(QStringLiteral("Select folder"));
    settranslatable(Button1, TransKind::bitbtn);
    grid->addWidget(Button1, 1, 2);

    Label2 = new QLabel(QStringLiteral("Database will be exported into new folder:"), box);
    Label2->setObjectName(QStringLiteral("Label2"));
    settranslatable(Label2, TransKind::label);
    grid->addWidget(Label2, 2, 1, 1, 2);
    Label3 = new QLabel(box);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont bold = Label3->font();
    bold.setBold(true);
    Label3->setFont(bold);
    settranslatable(Label3, TransKind::label, 1);
    grid->addWidget(Label3, 3, 1, 1, 2);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    progress_->hide();

    BitBtn1 = namedbutton("BitBtn1", QStringLiteral("Import"), this);
    BitBtn2 = namedbutton("BitBtn2", QStringLiteral("Export"), this);
    for (QPushButton *b : {BitBtn1, BitBtn2}) {
        b->setMinimumSize(97, 25);
        b->setAutoDefault(false);
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(box);
    layout->addWidget(progress_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Opens where the field points, else in the home folder; titled like
    // the button that opens it.
    choosefolder_ = [this] {
        const QString shown = chosenfolder();
        return QFileDialog::getExistingDirectory(this, Button1->toolTip(),
                                                 QFileInfo(shown).isDir() ? shown : QDir::homePath());
    };
    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm8::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm8::BitBtn2Click);
    setmode(Mode::importing);
}

QString TForm8::text(const QString &english) const
{
    const QLabel *label = texts_.value(english);
    return label ? label->text() : english;
}

void TForm8::setmode(Mode mode)
{
    mode_ = mode;
    const bool exporting = mode == Mode::exporting;
    setWindowTitle(text(exporting ? QStringLiteral("Export database") : QStringLiteral("Import database")));
    Image1->setVisible(!exporting);
    Image2->setVisible(exporting);
    Label1->setText(text(exporting ? QStringLiteral("Export to:") : QStringLiteral("Database path:")));
    Label2->setVisible(exporting);
    Label3->setVisible(exporting);
    if (exporting) {
        exportstamp = backup::exportstamp(clock_.now());
        Label3->setText(backup::exportfoldername(exportstamp));
    }
    BitBtn1->setVisible(!exporting);
    BitBtn2->setVisible(exporting);
}

void TForm8::showexport()
{
    setmode(Mode::exporting);
    exec();
}

void TForm8::showimport()
{
    setmode(Mode::importing);
    exec();
}

void TForm8::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm8::FormShow()
{
    Edit1->setText(QDir::toNativeSeparators(getspecialfolder(folders::CSIDL_DESKTOPDIRECTORY)));
}

void TForm8::reject()
{
    if (!busy_) // a copy half done is never left behind
        QDialog::reject();
}

void TForm8::Button1Click()
{
    const QString folder = choosefolder_();
    if (!folder.isEmpty())
        Edit1->setText(QDir::toNativeSeparators(folder));
}

QString TForm8::chosenfolder() const
{
    const QString text = QDir::fromNativeSeparators(Edit1->text());
    return text.isEmpty() ? QString() : withslash(text);
}

// The chosen folder, or nothing after a message: it must exist and must not
// be the database folder or lie inside it (it would copy into or delete
// itself).
QString TForm8::usablefolder()
{
    const QString folder = chosenfolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        trans_messagebox(nopath, QStringLiteral("Error"), mb::iconerror);
        return {};
    }
    if (backup::isinside(folder, dbpath_)) {
        trans_messagebox(databasefolder, QStringLiteral("Error"), mb::iconerror);
        return {};
    }
    return folder;
}

QString TForm8::reportname(const backup::Item &item) const
{
    QStringList parts;
    for (const QString &part : item.reportname)
        parts << text(part);
    return parts.join(QStringLiteral(" - "));
}

bool TForm8::runlong(const std::function<void(backup::Progress &)> &job)
{
    busy_ = true;
    for (QWidget *w : {static_cast<QWidget *>(BitBtn1), static_cast<QWidget *>(BitBtn2),
                       static_cast<QWidget *>(Button1)})
        w->setEnabled(false);
    progress_->setValue(0);
    progress_->show();

    backup::Progress progress;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(50);
    connect(&poll, &QTimer::timeout, this, [this, &progress] {
        const qint64 total = progress.total;
        progress_->setValue(total > 0 ? int(1000 * progress.done / total) : 0);
    });
    bool finished = false;
    QThread *worker = QThread::create([&job, &progress] { job(progress); });
    connect(worker, &QThread::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    worker->start();
    poll.start();
    loop.exec();
    // Ended otherwise: the program is quitting. The copy stops where it is.
    if (!finished)
        progress.cancel = true;
    worker->wait();
    delete worker;

    progress_->hide();
    for (QWidget *w : {static_cast<QWidget *>(BitBtn1), static_cast<QWidget *>(BitBtn2),
                       static_cast<QWidget *>(Button1)})
        w->setEnabled(true);
    busy_ = false;
    return finished;
}

void TForm8::BitBtn2Click()
{
    if (busy_)
        return;
    const QString folder = usablefolder();
    if (folder.isEmpty())
        return;
    const QString target = folder + backup::exportfoldername(exportstamp) + QLatin1Char('/');
    const bool existed = QFileInfo(target).isDir();
    if (!existed && !QDir().mkdir(target)) {
        trans_messagebox(cannotcreate, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    if (backup::holdsdatabase(target) && trans_confirmation(replacequestion) != mb::idyes)
        return;

    backup::ExportResult result;
    const bool finished =
        runlong([&](backup::Progress &progress) { result = backup::exportdatabase(dbpath_, target, &progress); });
    // A folder made here and left unfinished or empty is no backup at all;
    // one that was there keeps the mark of an unfinished export.
    auto removenew = [&] {
        if (!existed)
            QDir(target).removeRecursively();
    };
    if (!finished) {
        removenew();
        return;
    }
    if (!result.marked) {
        removenew();
        trans_messagebox(exportfailed, {result.error}, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    if (result.copied == 0) {
        removenew();
        trans_messagebox(nothingexported, {QDir::toNativeSeparators(target)}, QStringLiteral("Error"),
                         mb::iconwarning);
        return;
    }
    if (!result.complete) {
        removenew();
        trans_messagebox(exportfailed, {result.error}, QStringLiteral("Error"), mb::iconerror);
        return;
    }

    QString failures;
    for (const backup::Item *item : result.failed)
        failures += reportname(*item) + QStringLiteral(", ");
    QString message = text(QStringLiteral("Database was exported to folder")) + QLatin1Char(' ')
                      + QDir::toNativeSeparators(target);
    if (!failures.isEmpty())
        message += QStringLiteral("\n\n") + text(QStringLiteral("Unable to export following folders"))
                   + QStringLiteral(": ") + failures;
    prompter().messagebox(this, message, donecaption, mb::iconinformation);
    accept();
}

void TForm8::BitBtn1Click()
{
    if (busy_)
        return;
    if (trans_confirmation(importquestion) != mb::idyes)
        return;
    const QString folder = usablefolder();
    if (folder.isEmpty())
        return;
    if (backup::isincomplete(folder)) {
        trans_messagebox(incompletebackup, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    // The backup itself is only read: an older one is upgraded in the copy.
    const VersionCheck check = checkfolderversion(folder, messageprompts());
    if (check.result == VersionCheck::refused)
        return;

    backup::Import import(dbpath_, folder, mover_);
    bool staged = false;
    QString error;
    const bool finished =
        runlong([&](backup::Progress &progress) { staged = import.stage(check, &progress, &error); });
    if (!finished) {
        // Quitting: nothing of the database was touched yet, and it stays so.
        import.discard();
        return;
    }
    // From here to the reload nothing else runs: no tick, no page can save
    // between the replace and the new data in memory.
    if (!staged || !import.replace(&error)) {
        if (!import.stranded().isEmpty()) {
            trans_messagebox(importstranded, {error, import.stranded().join(QLatin1Char('#')), import.asidefolder()},
                             QStringLiteral("Error"), mb::iconerror);
            emit mustend();
            return;
        }
        import.discard();
        trans_messagebox(importfailed, {error}, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    emit imported();

    // In the order the items were copied: files, old folders that stayed,
    // then folders the backup lacks.
    QString failures;
    for (const backup::Item *item : import.missing()) {
        if (!item->folder)
            failures += reportname(*item) + QStringLiteral(", ");
    }
    for (const backup::Item *item : import.undeleted())
        failures += reportname(*item) + QStringLiteral(" - ") + text(QStringLiteral("error while deleting old records"))
                    + QStringLiteral(", ");
    for (const backup::Item *item : import.missing()) {
        if (item->folder)
            failures += reportname(*item) + QStringLiteral(", ");
    }
    QString message = text(QStringLiteral("Current database was replaced by database from folder"))
                      + QLatin1Char(' ') + QDir::toNativeSeparators(folder) + QLatin1Char('.');
    if (!failures.isEmpty())
        message += QStringLiteral("\n\n")
                   + text(QStringLiteral(
                       "Unable to import following folders (do not need to be an error if database version was older)"))
                   + QStringLiteral(": ") + failures;
    prompter().messagebox(this, message, donecaption, mb::iconinformation);
    accept();
}
