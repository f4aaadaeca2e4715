#include "widgets/language.h"

#include "database/database.h"
#include "platform/folders.h"
#include "platform/hashtext.h"
#include "platform/inifile.h"
#include "platform/prompter.h"
#include "platform/wholefile.h"

#include <QDir>
#include <QFileInfo>

namespace {

LookupRecorder *recorder = nullptr;

void notelookup(const QString &section, const QString &key)
{
    if (recorder && !key.isEmpty())
        recorder->note(section, key);
}

// Looks texts up in one opened language file for the whole pass.
class FilePass : public TranslationTexts
{
public:
    explicit FilePass(std::shared_ptr<const IniFile> ini) : ini_(std::move(ini)) {}
    QString lookup(const QString &section, const QString &key, const QString &shown) const override
    {
        notelookup(section, key);
        return ini_->readstring(section, key, shown);
    }

private:
    std::shared_ptr<const IniFile> ini_;
};

void translatememo(const TranslationTexts &pass, const QString &key, QStringList *lines)
{
    if (!lines)
        return;
    const QString value = pass.text(QStringLiteral("Memos"), key, linestohash(*lines));
    lines->clear();
    hashtolines(value, *lines);
}

} // namespace

void Language::loadlanguage(const QString &dbpath, const QStringList &programfolders)
{
    entries_ = {english};
    files_ = folders::filesbyname(programfolders, QStringLiteral("lng"));
    const QStringList names = folders::sortednames(files_);
    entries_ << names;

    language_ = english;
    storederror_.clear();
    const QString stored = dbpath + languagefile;
    if (wholefile::examine(stored, &storederror_) != wholefile::PathKind::missing) {
        const std::optional<QStringList> lines = wholefile::readlines(stored, &storederror_);
        language_ = !lines || lines->isEmpty() ? QString() : lines->first();
        if (lines)
            storederror_.clear();
    }
    // The stored text is the entry's base name, compared exactly.
    selected_ = -1;
    for (int i = 0; i < entries_.size(); ++i) {
        if (entries_[i] == language_)
            selected_ = i;
    }
    if (selected_ < 0)
        language_ = english;
}

bool Language::savelanguage(const QString &dbpath, QString *error) const
{
    // A choice that could not be read is not written over.
    if (!storederror_.isEmpty()) {
        if (error)
            *error = storederror_;
        return false;
    }
    const QString name = (selected_ >= 0 && selected_ < entries_.size()) ? entries_[selected_] : QString();
    return wholefile::save(dbpath + languagefile, wholefile::joinlines({name}), error);
}

bool Language::choose(int entry)
{
    if (entry < 0 || entry >= entries_.size() || entry == selected_)
        return false;
    selected_ = entry;
    return true;
}

QString Language::filepath() const
{
    return files_.value(language_);
}

QString Language::lookup(const QString &section, const QString &key, const QString &fallback) const
{
    notelookup(section, key);
    if (isenglish() || key.isEmpty())
        return fallback;
    const QString path = filepath();
    if (path.isEmpty())
        return fallback;
    return openedfile(path)->readstring(section, key, fallback);
}

std::shared_ptr<const IniFile> Language::openedfile(const QString &path) const
{
    // Read once, for the translation pass and every lookup after it:
    // captions are looked up whenever a list is rebuilt.
    if (!lookupfile_ || lookupfile_->path() != path)
        lookupfile_ = std::make_shared<const IniFile>(path);
    return lookupfile_;
}

void Language::translate(const std::function<void(const TranslationTexts &)> &windows,
                         const TranslatedMemos &memos)
{
    if (isenglish())
        return;
    const QString path = filepath();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        language_ = english;
        return;
    }
    const FilePass pass(openedfile(path));
    windows(pass);

    translatememo(pass, QStringLiteral("About"), memos.about);
    translatememo(pass, QStringLiteral("Donate"), memos.donate);
    translatememo(pass, QStringLiteral("Subjects"), memos.subjects);
    translatememo(pass, QStringLiteral("Tips"), memos.tips);
    if (memos.tips)
        hashtolines(pass.text(QStringLiteral("Memos"), QStringLiteral("Tips2"), QString()), *memos.tips);

    dateformat_ = pass.text(QStringLiteral("Language"), QStringLiteral("dateformat"), dateformat_);
}

LookupRecorder::LookupRecorder()
{
    Q_ASSERT(!recorder);
    recorder = this;
}

LookupRecorder::~LookupRecorder()
{
    recorder = nullptr;
}

void LookupRecorder::note(const QString &section, const QString &key)
{
    const TransKey k{section, key};
    if (!keys_.contains(k))
        keys_.append(k);
}

Language &currentlanguage()
{
    static Language language;
    return language;
}

int trans_messagebox(const QString &text, const QString &caption, int flags)
{
    return trans_messagebox(text, {}, caption, flags);
}

int trans_messagebox(const QString &format, const QStringList &args, const QString &caption, int flags)
{
    const Language &language = currentlanguage();
    const QString title = language.lookup(QStringLiteral("Messages"), caption);
    QString shown = DbMessage{language.lookup(QStringLiteral("Messages"), format), args}.text();
    return prompter().messagebox(nullptr, shown.replace(QLatin1Char('#'), QLatin1Char('\n')), title, flags);
}

DbMessage joinmessages(const QList<DbMessage> &messages)
{
    if (messages.size() == 1)
        return messages.first();
    // Each part is translated here; the joined format has nothing to translate.
    const Language &language = currentlanguage();
    DbMessage joined;
    for (const DbMessage &m : messages) {
        joined.format += joined.format.isEmpty() ? QStringLiteral("%s") : QStringLiteral("##%s");
        joined.args << DbMessage{language.lookup(QStringLiteral("Messages"), m.format), m.args}.text();
    }
    return joined;
}

int trans_confirmation(const QString &text)
{
    const QString shown = currentlanguage().lookup(QStringLiteral("Messages"), text);
    const int answer = prompter().confirmation(nullptr, QString(shown).replace(QLatin1Char('#'), QLatin1Char('\n')));
    return answer == mb::idyes ? mb::idyes : mb::idno;
}

DbPrompts messageprompts()
{
    return {[](const DbMessage &m) { trans_messagebox(m.format, m.args, QStringLiteral("Error"), mb::iconwarning); },
            [](const QString &question) { return trans_confirmation(question) == mb::idyes; }};
}
