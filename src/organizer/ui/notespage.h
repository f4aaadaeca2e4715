#pragma once
// The Notes page: the note categories on the left, the chosen category's
// notes on the right, and the buttons that make, rename, open and delete
// notes and categories. Each note is a rich-text file in the notes folder
// (organizer/notes.h); the folder is the store.

#include "organizer/notes.h"
#include "organizer/ui/categorypage.h"
#include "platform/filenames.h"

#include <functional>

class QListWidget;

class NotesPage : public CategoryPage
{
    Q_OBJECT

public:
    static inline const QString noteexists =
        QStringLiteral("Note with this name already exists, please enter another one.");
    static inline const QString toolong = toolongnamemessage;
    static inline const QString createfailed = QStringLiteral("Unable to create the note.");
    static inline const QString renamefailed =
        QStringLiteral("Unable to rename note, it is probably currently opened.");
    static inline const QString deletequestion = QStringLiteral("Delete selected note?");
    static inline const QString deletefailed =
        QStringLiteral("Unable to delete note, it is probably currently opened.");
    static inline const QString deletecategoryquestion =
        QStringLiteral("Delete selected category with all included notes?");
    static inline const QString renamesomefailed =
        QStringLiteral("Unable to rename some notes, they are probably currently opened.");
    static inline const QString deletesomefailed =
        QStringLiteral("Unable to delete some notes, they are probably currently opened.");
    static inline const QString openfailed =
        QStringLiteral("Unable to open the note with selected editor.#Please choose internal editor or any existing "
                       "external editor in Settings tab.");
    // The built-in editor's entry of the note editor choice.
    static inline const QString builtineditor = QStringLiteral("Build-in editor");

    // Opens a note in the built-in editor: its path and the window's caption.
    using NoteOpener = std::function<void(const QString &path, const QString &caption)>;

    // `askname`: the name dialog; `builtineditor`: the note editor. Both are
    // made once by the program.
    NotesPage(Database &db, Settings &settings, Clock &clock, NameAsker askname, NoteOpener builtineditor,
              QWidget *parent = nullptr);

    // The file of note `name` in the selected category.
    QString memofilename(const QString &name) const;
    // Opens a note in the editor the settings choose.
    void openmemo(const QString &path, const QString &name);

    void ListBox3Click(); // a category chosen (the category list): lists its notes
    void memoslistboxDblClick(); // opens the selected note
    void BitBtn27Click() { newcategory(); }    // "New" under "Categories:"
    void BitBtn35Click() { renamecategory(); } // "Rename" under "Categories:"
    void BitBtn36Click() { deletecategory(); } // "Delete" under "Categories:", with its notes
    void BitBtn40Click(); // "New" under the notes: a new note in the category
    void BitBtn38Click(); // "Rename" under the notes: the selected note
    void BitBtn41Click(); // "Delete" under the notes: the selected note

protected:
    bool renamecontent(const QString &old, const QString &name) override;
    void deletecontent(const QString &category) override;
    void categorychosen() override { ListBox3Click(); }
    void otherchange(DbKind kind) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildnotes(QBoxLayout *page);
    QString memosfolder() const;
    QStringList categorynotes(const QString &category) const;
    // Lists the notes and selects `select` (row 0 when it is not there).
    void fillnotes(const QString &select);
    QStringList noterows() const;
    // Tells the user why a note could not be made or renamed.
    void reportnote(NoteResult result, const QString &failure);
    // The notes were added or removed: the Overview counts them again.
    void countmemos();

    NoteOpener builtineditor_;
    QListWidget *memoslistbox = nullptr; // the notes of the selected category
    QPushButton *BitBtn40 = nullptr;     // "New" note
    QPushButton *BitBtn38 = nullptr;     // "Rename" note
    QPushButton *BitBtn41 = nullptr;     // "Delete" note
};
