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

    void ListBox1Click();    // the card of the selected contact
    void BitBtn1Click();     // "New"
    void ListBox1DblClick(); // edit the selected contact
    void BitBtn9Click();     // "Edit"
    void BitBtn2Click();     // "Delete"
    void Koprovat1Click();   // "Copy" of the card's menu
    void BitBtn5Click();     // "Import from MS Outlook"
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
    QListView *ListBox1 = nullptr;        // the contacts by name
    ContactList *contactlist_ = nullptr;  // its rows
    bool quietlist_ = false;              // the rows are being set: no card yet
    QPushButton *BitBtn1 = nullptr;       // "New"
    QPushButton *BitBtn9 = nullptr;       // "Edit"
    QToolButton *BitBtn2 = nullptr;       // "Delete"
    QPushButton *BitBtn5 = nullptr;       // "Import from MS Outlook"
    QPushButton *BitBtn34 = nullptr;      // "Print"
    QLabel *Image1 = nullptr;             // the photo
    QLabel *Label8 = nullptr;             // the name
    QLabel *Label9 = nullptr;             // the company
    QPlainTextEdit *Memo2 = nullptr;      // the card text
    QMenu *PopupMenu1 = nullptr;          // the card text's "Copy"
    QList<QLabel *> cardwords_;           // CardCaptions in order, as translated
    QList<QLabel *> importwords_;         // ImportCaptions in order, as translated
};
