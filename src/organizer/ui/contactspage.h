#pragma once
// The Contacts page: the contacts by name, the chosen one's card (photo,
// name, company and the other details as text), and the buttons that make,
// edit, delete and import contacts.

#include "organizer/contacts.h"
#include "widgets/ui/pagewidget.h"

#include <functional>

class ContactList;
class QLabel;
class QListView;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TForm2;
enum class DbKind;

class ContactsPage : public PageWidget
{
    Q_OBJECT

public:
    static inline const QString deletequestion = QStringLiteral("Are you sure you want to delete selected contact?");
    static inline const QString importquestion = QStringLiteral("Import contacts from MS Outlook database?");
    static inline const QString importfailed = QStringLiteral("Unable to import the contacts of %s:#%s");
    static inline const QString nocontactsfound = QStringLiteral("No contacts were found in %s.");

    // `editor`: the contact editor, made once by the program.
    ContactsPage(Database &db, Settings &settings, Clock &clock, TForm2 &editor, QWidget *parent = nullptr);

    // Asks for the file of contacts to import; the default shows the open dialog.
    void setcontactfilechooser(std::function<QString()> chooser) { choosefile_ = std::move(chooser); }

    // The record of the selected row, -1 when none is selected.
    int getcontactindex() const;

    void ListBox1Click();    // a contact chosen in the list: shows its card
    void BitBtn1Click();     // "New": a new contact in the contact editor
    void ListBox1DblClick(); // a double click in the list: edits the selected contact
    void BitBtn9Click();     // "Edit": edits the selected contact
    void BitBtn2Click();     // "Delete": the selected contact, after a question
    void Koprovat1Click();   // "Copy" of the card's menu (PopupMenu1): the selected card text
    void BitBtn5Click();     // "Import from MS Outlook": imports the contacts of a vCard file
    void BitBtn34Click();    // "Print": the card of the selected contact

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildlist(class QBoxLayout *page);
    void buildcard(QBoxLayout *page);
    void databasechanged(DbKind kind);
    // Lists every contact with a name, sorted, and selects the row of
    // record `select` (none when it has no row).
    void fillcontacts(int select);
    void addrow(int record);
    void selectrecord(int record);
    // Makes `row` the current and selected one (-1: none), quietly.
    void setcurrentrow(int row);
    void savecontacts();
    CardCaptions cardcaptions() const;
    ImportCaptions importcaptions() const;

    TForm2 &editor_;
    std::function<QString()> choosefile_;
    QListView *ListBox1 = nullptr;        // the contacts, sorted by name
    ContactList *contactlist_ = nullptr;  // its rows
    bool quietlist_ = false;              // the rows are being set: no card yet
    QPushButton *BitBtn1 = nullptr;       // "New": a new contact
    QPushButton *BitBtn9 = nullptr;       // "Edit": the selected contact
    QToolButton *BitBtn2 = nullptr;       // "Delete": the selected contact
    QPushButton *BitBtn5 = nullptr;       // "Import from MS Outlook": a vCard file's contacts
    QPushButton *BitBtn34 = nullptr;      // "Print": the selected contact's card
    QLabel *Image1 = nullptr;             // the card's photo
    QLabel *Label8 = nullptr;             // the card's name
    QLabel *Label9 = nullptr;             // the card's company
    QPlainTextEdit *Memo2 = nullptr;      // the card text: every other detail, read-only
    QMenu *PopupMenu1 = nullptr;          // the card text's menu: "Copy"
    QList<QLabel *> cardwords_;           // CardCaptions in order, as translated
    QList<QLabel *> importwords_;         // ImportCaptions in order, as translated
};
