#pragma once
// The program language: the built-in English texts, or one language file
// ("<name>.lng" beside the program) applied once at start-up. Every message
// box and question goes through trans_messagebox / trans_confirmation, which
// look their texts up in the same file.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

struct DbMessage;
struct DbPrompts;
class IniFile;
class QComboBox;
class QLabel;
class QObject;
class QPushButton;
class QWidget;

// What kind of control a widget is for the translation pass, and so which
// section of the language file holds its texts. Qt's classes cannot tell a
// bitmap button from a speed button, so every translatable control is marked.
enum class TransKind {
    label,        // QLabel: "Labels"
    bitbtn,       // QAbstractButton with a hint: "Buttons", caption and tool tip
    speedbutton,  // the same, translated only with tag 0
    buttongroup,  // a widget with a QStringList property "itemcaptions": "Labels"
    combobox,     // QComboBox items: "ComboBoxes"
    checklistbox, // QListWidget items: "Labels"
    popupmenu,    // QMenu, its top-level actions: "Menus"
    checkbox,     // QCheckBox: "CheckBoxes"
    radiobutton,  // QRadioButton: "RadioButtons"
};

// Tags: 0 translate the text as it is; 1 never translate (texts filled in at
// run time); 2 look labels and bitmap buttons up under their text + "*".
void settranslatable(QObject *control, TransKind kind, int tag = 0);

// A hidden label holding a text the program puts together at run time
// ("No lesson", "Unfiled", ...), translated with every other label.
QLabel *hiddenlabel(QWidget *parent, const QString &text);

// A bold caption in front of a value ("Name day:"), translated.
QLabel *captionlabel(const QString &text, QWidget *parent);

// A push button with its caption translated, named for tests to find.
QPushButton *namedbutton(const char *name, const QString &caption, QWidget *parent);

// A label for a text the program fills in (never translated), plain text,
// wrapped.
QLabel *valuelabel(QWidget *parent);

// Whole multi-line texts replaced from the "Memos" section.
struct TranslatedMemos
{
    QStringList *about = nullptr;
    QStringList *donate = nullptr;
    QStringList *subjects = nullptr;
    QStringList *tips = nullptr; // "Tips", then "Tips2" appended
};

// A text the translation pass looks up: the section and the key.
struct TransKey
{
    QString section;
    QString key;
    bool operator==(const TransKey &) const = default;
};

// Every key the translation pass looks up in `windows`, in the pass's
// order, changing nothing: what a language file has to translate.
QList<TransKey> translationkeys(const QList<QWidget *> &windows);

// While one lives, notes every section and key that is looked up (the
// translation pass, the message helpers, the name dialog, the pages' own
// lookups), in English as in any other language: what the program asks a
// language file for while it is used. One at a time.
class LookupRecorder
{
public:
    LookupRecorder();
    ~LookupRecorder();
    LookupRecorder(const LookupRecorder &) = delete;
    LookupRecorder &operator=(const LookupRecorder &) = delete;

    // In the order first looked up, each once.
    const QList<TransKey> &keys() const { return keys_; }
    void note(const QString &section, const QString &key);

private:
    QList<TransKey> keys_;
};

class Language
{
public:
    static inline const QString english = QStringLiteral("english");
    static inline const QString languagefile = QStringLiteral("language.dat");
    static inline const QString restartquestion = QStringLiteral(
        "You have selected different program language. Quillmoter has to be restarted to apply "
        "changes. By pressing Yes, Quillmoter will terminate itself. Please run it again after it.");

    // Lists "english" and the "*.lng" files of `folders` (sorted by name; the
    // first folder holding a name wins), then selects the entry stored in
    // dbpath + "language.dat" (the last equal entry). No file, or no equal
    // entry: English, and no entry selected for the latter.
    void loadlanguage(const QString &dbpath, const QStringList &programfolders);

    // Writes the selected entry's name (empty line when none) to "language.dat";
    // refuses when the file was there at load but could not be read.
    bool savelanguage(const QString &dbpath, QString *error = nullptr) const;

    // Why the stored choice could not be read at load; empty when it could.
    const QString &storederror() const { return storederror_; }
    const QString &language() const { return language_; }
    bool isenglish() const { return language_ == english; }
    // The entries of the language list: "english", then the files' base names.
    const QStringList &entries() const { return entries_; }
    int selected() const { return selected_; }
    // Selects another entry (the user's choice); true when it differs from
    // the one selected before. The language in use changes at the next start.
    bool choose(int entry);

    // The text of `key` in `section` of the language file, or `fallback`.
    // English (or no file) gives the fallback without reading anything.
    QString lookup(const QString &section, const QString &key, const QString &fallback) const;
    QString lookup(const QString &section, const QString &key) const { return lookup(section, key, key); }

    // Translates the windows and the memos once. A missing language file
    // switches to English and changes nothing. Change signals stay quiet.
    void translate(const QList<QWidget *> &windows, const TranslatedMemos &memos = {});

    // The date format of the Overview's date line ("dateformat" in section
    // "Language"), "MMMM d" until a language file gives another.
    const QString &dateformat() const { return dateformat_; }

private:
    QString filepath() const;

    QString language_ = english;
    QStringList entries_ = {english};
    QMap<QString, QString> files_; // base name -> path of its file
    int selected_ = 0;
    QString dateformat_ = QStringLiteral("MMMM d");
    mutable std::shared_ptr<const IniFile> lookupfile_;
    QString storederror_; // why "language.dat" could not be read at load
};

// The language the whole program uses (set up once at start-up).
Language &currentlanguage();

// An OK message box; text and caption from "Messages", '#' in the text a line break.
int trans_messagebox(const QString &text, const QString &caption, int flags);
// The same for a text with "%s" places that are filled in after translating.
int trans_messagebox(const QString &format, const QStringList &args, const QString &caption, int flags);
// Several messages as one, each translated, a blank line between them.
DbMessage joinmessages(const QList<DbMessage> &messages);
// A Yes/No question from "Messages"; 6 for Yes, 7 for No (also Escape or closing).
int trans_confirmation(const QString &text);

// Messages and questions of logic without a window, through the two above:
// errors with the caption "Error" and the exclamation icon.
DbPrompts messageprompts();

// Fills `box` with the language list as a pick list and asks the restart
// question once for each real change of its entry; on Yes runs `restart`.
void bindlanguagebox(QComboBox *box, Language &language, std::function<void()> restart);
