#pragma once
// INI files as the settings, the yearly prompt keys and the language files use
// them: "[Section]" lines and "key=value" lines, windows-1250, CR LF. Section
// and key names match ignoring case and surrounding blanks; there is no
// comment syntax, so keys may hold any character but '=' and line breaks.
// Writing a key replaces its line in place and keeps every other line as it
// was. Not QSettings: that one quotes, escapes and reorders.

#include <QByteArray>
#include <QString>
#include <QStringList>

class IniFile
{
public:
    static constexpr int maxvalue = 2047; // characters a read returns at most

    // Reads the file now; a missing file is an empty one. Anything else that
    // cannot be read (a folder, a FIFO, a file too large) leaves readerror().
    explicit IniFile(QString path);
    // The content of a file already read; it has no path to be saved to.
    static IniFile fromdata(const QByteArray &data);

    const QString &path() const { return path_; }
    bool exists() const { return exists_; }
    // The reason the file could not be read, empty when it could (or is missing).
    const QString &readerror() const { return readerror_; }

    // The value of the first matching key, trimmed and cut to maxvalue
    // characters; `fallback` when there is none.
    QString readstring(const QString &section, const QString &key, const QString &fallback) const;
    bool haskey(const QString &section, const QString &key) const;

    // Sets the key in memory: replaces the first matching line, or adds the key
    // at the end of its section (the section at the end of the file when it is
    // missing). Line breaks in the key or value become blanks.
    void writestring(const QString &section, const QString &key, const QString &value);

    // The whole file as a save writes it.
    QByteArray data() const;
    // Writes the whole file. Refuses (false) when it could not be read, so a
    // file that exists but was unreadable is never replaced by a partial one.
    bool save(QString *error = nullptr);

    // Reads, sets one key and saves, like a single private-profile write.
    static bool writekey(const QString &path, const QString &section, const QString &key,
                         const QString &value, QString *error = nullptr);

private:
    IniFile() = default;
    // Index of the header line of `section`, or -1.
    qsizetype sectionline(const QString &section) const;
    // Index of the line of `key` in the section starting after `header`, or -1;
    // `end` receives the index after the section's last key line.
    qsizetype keyline(qsizetype header, const QString &key, qsizetype *end = nullptr) const;

    QString path_;
    QStringList lines_;
    bool exists_ = false;
    QString readerror_;
};
