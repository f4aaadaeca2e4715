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

// Where a translation pass gets its texts: the language file, or (to list
// what a file must hold) the English texts themselves.
class TranslationTexts
{
public:
    virtual ~TranslationTexts() = default;
    // The text of `key`, keeping `shown` when there is none.
    virtual QString lookup(const QString &section, const QString &key, const QString &shown) const = 0;

    QString text(const QString &section, const QString &key) const
    {
        return key.isEmpty() ? key : lookup(section, key, key);
    }
    QString text(const QString &section, const QString &key, const QString &shown) const
    {
        return key.isEmpty() ? shown : lookup(section, key, shown);
    }
};

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

    // Translates the windows (the pass `windows` runs over them with the
    // file's texts: widgets/translation.h) and the memos once. A missing
    // language file switches to English and changes nothing.
    void translate(const std::function<void(const TranslationTexts &)> &windows, const TranslatedMemos &memos = {});

    // The date format of the Overview's date line ("dateformat" in section
    // "Language"), "MMMM d" until a language file gives another.
    const QString &dateformat() const { return dateformat_; }

private:
    QString filepath() const;
    // The language file at `path` as read, kept for later lookups.
    std::shared_ptr<const IniFile> openedfile(const QString &path) const;

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
