#include "organizer/ui/contactspage.h"

#include "database/database.h"
#include "organizer/contactlist.h"
#include "organizer/ui/contacteditor.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/ui/icons.h"
#include "platform/ui/printer.h"
#include "platform/vcard.h"
#include "widgets/language.h"
#include "widgets/ui/framedbox.h"
#include "widgets/ui/translation.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

ContactsPage::ContactsPage(Database &db, Settings &settings, Clock &clock, TForm2 &editor, QWidget *parent)
    : PageWidget(db, settings, clock, parent), editor_(editor)
{
    choosefile_ = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QDir::homePath(),
                                            QStringLiteral("Contacts (*.vcf *.vcard);;All files (*)"));
    };
    auto *page = pagelayout<QHBoxLayout>();
    buildlist(page);
    buildcard(page);

    const CardCaptions english;
    for (const QString *word : {&english.home, &english.phone, &english.fax, &english.work, &english.cellphone,
                                &english.im1, &english.im2, &english.nameday, &english.birthday, &english.age})
        cardwords_ << hiddenlabel(this, *word);
    const ImportCaptions importenglish;
    for (const QString *word : {&importenglish.mainwork, &importenglish.mailing, &importenglish.nickname,
                                &importenglish.jobtitle, &importenglish.profession, &importenglish.language,
                                &importenglish.hobbies, &importenglish.network, &importenglish.office,
                                &importenglish.department, &importenglish.primary, &importenglish.other})
        importwords_ << hiddenlabel(this, *word);

    connect(&db_, &Database::changed, this, &ContactsPage::databasechanged);
    connect(&db_, &Database::reloaded, this, [this] {
        fillcontacts(-1);
        if (contactlist_->rowCount() > 0)
            setcurrentrow(0);
        ListBox1Click();
    });
}

void ContactsPage::buildlist(QBoxLayout *page)
{
    auto *left = new QVBoxLayout;
    auto *listbox = new FramedBox(this);
    auto *listlayout = listbox->insidelayout<QVBoxLayout>();
    ListBox1 = new QListView(listbox);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFrameShape(QFrame::NoFrame);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    contactlist_ = new ContactList(this);
    ListBox1->setModel(contactlist_);
    ListBox1->installEventFilter(this);
    listlayout->addWidget(ListBox1);
    left->addWidget(listbox, 1);

    auto *buttons = new QHBoxLayout;
    BitBtn1 = namedbutton("BitBtn1", QStringLiteral("New"), this);
    BitBtn9 = namedbutton("BitBtn9", QStringLiteral("Edit"), this);
    BitBtn2 = new QToolButton(this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setIcon(QIcon(iconpixmap(QStringLiteral("delete.svg"), QSize(16, 16))));
    BitBtn2->setToolTip(QStringLiteral("Delete"));
    settranslatable(BitBtn2, TransKind::bitbtn);
    BitBtn5 = namedbutton("BitBtn5", QStringLiteral("Import from MS Outlook"), this);
    BitBtn34 = namedbutton("BitBtn34", QStringLiteral("Print"), this);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn9);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn34);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn5);
    left->addLayout(buttons);
    page->addLayout(left, 2);

    connect(ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!quietlist_)
            ListBox1Click();
    });
    connect(ListBox1, &QListView::doubleClicked, this, &ContactsPage::ListBox1DblClick);
    connect(BitBtn1, &QPushButton::clicked, this, &ContactsPage::BitBtn1Click);
    connect(BitBtn9, &QPushButton::clicked, this, &ContactsPage::BitBtn9Click);
    connect(BitBtn2, &QToolButton::clicked, this, &ContactsPage::BitBtn2Click);
    connect(BitBtn5, &QPushButton::clicked, this, &ContactsPage::BitBtn5Click);
    connect(BitBtn34, &QPushButton::clicked, this, &ContactsPage::BitBtn34Click);
}

void ContactsPage::buildcard(QBoxLayout *page)
{
    auto *card = new FramedBox(this);
    auto *cardlayout = card->insidelayout<QGridLayout>();
    Image1 = new QLabel(card);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(80, 80);
    Image1->setAlignment(Qt::AlignCenter);
    Label8 = valuelabel(card);
    Label8->setObjectName(QStringLiteral("Label8"));
    QFont big = Label8->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    Label8->setFont(big);
    Label9 = valuelabel(card);
    Label9->setObjectName(QStringLiteral("Label9"));
    Memo2 = new QPlainTextEdit(card);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setFrameShape(QFrame::NoFrame);
    Memo2->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addAction(QStringLiteral("Copy"), this, &ContactsPage::Koprovat1Click);
    settranslatable(PopupMenu1, TransKind::popupmenu);
    connect(Memo2, &QPlainTextEdit::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(Memo2->mapToGlobal(at)); });

    auto *names = new QVBoxLayout;
    names->addWidget(Label8);
    names->addWidget(Label9);
    names->addStretch(1);
    cardlayout->addWidget(Image1, 0, 0);
    cardlayout->addLayout(names, 0, 1);
    cardlayout->addWidget(Memo2, 1, 0, 1, 2);
    cardlayout->setColumnStretch(1, 1);
    cardlayout->setRowStretch(1, 1);
    page->addWidget(card, 3);
}

CardCaptions ContactsPage::cardcaptions() const
{
    CardCaptions c;
    QString *fields[] = {&c.home, &c.phone, &c.fax, &c.work, &c.cellphone, &c.im1, &c.im2, &c.nameday, &c.birthday,
                         &c.age};
    for (int i = 0; i < int(std::size(fields)); ++i)
        *fields[i] = cardwords_[i]->text();
    c.dateformat = currentlanguage().dateformat();
    return c;
}

ImportCaptions ContactsPage::importcaptions() const
{
    ImportCaptions c;
    QString *fields[] = {&c.mainwork, &c.mailing, &c.nickname, &c.jobtitle, &c.profession, &c.language,
                         &c.hobbies,  &c.network, &c.office,   &c.department, &c.primary, &c.other};
    for (int i = 0; i < int(std::size(fields)); ++i)
        *fields[i] = importwords_[i]->text();
    return c;
}

void ContactsPage::fillcontacts(int select)
{
    {
        const QScopedValueRollback quiet(quietlist_, true);
        contactlist_->fill(db_.contacts);
    }
    selectrecord(select);
}

void ContactsPage::addrow(int record)
{
    // Into its alphabetical place, as a sorted list puts it; the selection
    // stays on its row.
    const QScopedValueRollback quiet(quietlist_, true);
    contactlist_->insert(db_.contacts, record);
}

void ContactsPage::selectrecord(int record)
{
    setcurrentrow(contactlist_->rowof(record));
}

void ContactsPage::setcurrentrow(int row)
{
    const QScopedValueRollback quiet(quietlist_, true);
    ListBox1->selectionModel()->setCurrentIndex(contactlist_->index(row), QItemSelectionModel::ClearAndSelect);
}

int ContactsPage::getcontactindex() const
{
    // Each row keeps its record: contacts of the same name stay apart.
    const QModelIndex current = ListBox1->currentIndex();
    if (!current.isValid() || !ListBox1->selectionModel()->isSelected(current))
        return -1;
    const int record = contactlist_->record(current.row());
    if (record < 0 || record >= int(db_.contacts.size()) || db_.contacts[record].name.isEmpty())
        return -1;
    return record;
}

void ContactsPage::savecontacts()
{
    const OwnChange own(*this);
    db_.savecontacts();
}

void ContactsPage::databasechanged(DbKind kind)
{
    // Saves of the page itself have refreshed it already; a reload refreshes
    // once at its end.
    if (kind == DbKind::contacts && !ownchange() && !db_.loading()) {
        fillcontacts(getcontactindex());
        ListBox1Click();
    }
}

void ContactsPage::ListBox1Click()
{
    Memo2->clear();
    const int record = getcontactindex();
    if (record < 0) {
        Label8->clear();
        Label9->clear();
        Image1->clear();
        return;
    }
    const TContactRec &c = db_.contacts[record];
    Label8->setText(c.name);
    Label9->setText(c.company);
    Memo2->setPlainText(contactcard(c, clock_.today(), cardcaptions()).join(QLatin1Char('\n')));
    Image1->setPixmap(QPixmap::fromImage(contactphoto(photofile(db_, c.photo))));
}

void ContactsPage::BitBtn1Click()
{
    TContactRec fresh;
    fresh.webpage = QStringLiteral("http://");
    db_.contacts.push_back(fresh);
    const int record = int(db_.contacts.size()) - 1;
    // Searched with the new record in place: it holds 0, so 0 is never given.
    db_.contacts[record].photo = qint16(handoutphotoid(db_, db_.contacts));
    editor_.editcontact(record);
    savecontacts();
    if (!db_.contacts[record].name.isEmpty())
        addrow(record);
}

void ContactsPage::ListBox1DblClick()
{
    const int record = getcontactindex();
    if (record < 0)
        return;
    editor_.editcontact(record);
    // The name may have changed: the row moves to its place, still selected.
    fillcontacts(record);
    ListBox1Click();
    savecontacts();
}

void ContactsPage::BitBtn9Click()
{
    if (getcontactindex() >= 0)
        ListBox1DblClick();
}

void ContactsPage::BitBtn2Click()
{
    const int record = getcontactindex();
    if (record < 0 || trans_confirmation(deletequestion) != mb::idyes)
        return;
    const int row = ListBox1->currentIndex().row();
    QFile::remove(photofile(db_, db_.contacts[record].photo));
    db_.contacts[record].name = QString();
    {
        const QScopedValueRollback quiet(quietlist_, true);
        contactlist_->removerow(row);
        setcurrentrow(-1);
        if (row < contactlist_->rowCount())
            setcurrentrow(row);
        else if (row > 0)
            setcurrentrow(row - 1);
    }
    ListBox1Click();
    savecontacts();
}

void ContactsPage::Koprovat1Click()
{
    QString selected = Memo2->textCursor().selectedText();
    if (!selected.isEmpty())
        QApplication::clipboard()->setText(selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
}

void ContactsPage::BitBtn5Click()
{
    if (trans_confirmation(importquestion) != mb::idyes)
        return;
    const QString file = choosefile_();
    if (file.isEmpty())
        return;
    QString reason;
    int added = 0;
    const std::optional<VCardSource> source = VCardSource::readvcard(file, &reason);
    if (source) {
        const OwnChange own(*this);
        reason = importcontacts(db_, *source, importcaptions(), &added);
    }
    if (!reason.isEmpty()) {
        trans_messagebox(importfailed, {file, reason}, QStringLiteral("Error"), mb::iconerror);
        return;
    }
    if (added == 0) {
        // A file of something else, or of nothing: saying nothing would look like success.
        trans_messagebox(nocontactsfound, {file}, QStringLiteral("Error"), mb::iconwarning);
        return;
    }
    fillcontacts(getcontactindex());
    ListBox1Click();
}

bool ContactsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ListBox1 && listkeys(event, [this] { BitBtn9Click(); }, [this] { BitBtn2Click(); }))
        return true;
    return PageWidget::eventFilter(watched, event);
}

void ContactsPage::BitBtn34Click()
{
    const QString card = Memo2->toPlainText();
    printing::printtext(this, QStringLiteral("Quillmoter"),
                        contactprintlines(Label8->text(), Label9->text(),
                                          card.isEmpty() ? QStringList() : card.split(u'\n')));
}
