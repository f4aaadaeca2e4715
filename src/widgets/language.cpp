#include "widgets/language.h"

#include "database/database.h"
#include "platform/folders.h"
#include "platform/hashtext.h"
#include "platform/inifile.h"
#include "platform/prompter.h"
#include "platform/wholefile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

const char *const kindproperty = "qm_transkind";
const char *const tagproperty = "qm_transtag";

LookupRecorder *recorder = nullptr;

void notelookup(const QString &section, const QString &key)
{
    if (recorder && !key.isEmpty())
        recorder->note(section, key);
}

// Where the translation pass gets its texts.
class Pass
{
public:
    virtual ~Pass() = default;
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

// Looks texts up in one opened language file for the whole pass.
class FilePass : public Pass
{
public:
    explicit FilePass(const QString &path) : ini_(path) {}
    QString lookup(const QString &section, const QString &key, const QString &shown) const override
    {
        notelookup(section, key);
        return ini_.readstring(section, key, shown);
    }

private:
    IniFile ini_;
};

// Changes nothing and notes every key asked for.
class RecordingPass : public Pass
{
public:
    QString lookup(const QString &section, const QString &key, const QString &shown) const override
    {
        keys.append({section, key});
        return shown;
    }
    mutable QList<TransKey> keys;
};

void translatewindows(const Pass &pass, const QList<QWidget *> &windows);

void translatebutton(const Pass &pass, QAbstractButton *button, int tag)
{
    const QString caption = button->text();
    const QString key = tag == 2 ? caption + QLatin1Char('*') : caption;
    if (!caption.isEmpty())
        button->setText(pass.text(QStringLiteral("Buttons"), key, caption));
    if (!button->toolTip().isEmpty())
        button->setToolTip(pass.text(QStringLiteral("Buttons"), button->toolTip()));
}

void translatecontrol(const Pass &pass, QObject *control)
{
    const QVariant kindvalue = control->property(kindproperty);
    if (!kindvalue.isValid())
        return;
    const auto kind = static_cast<TransKind>(kindvalue.toInt());
    const int tag = control->property(tagproperty).toInt();

    switch (kind) {
    case TransKind::label:
        if (auto *label = qobject_cast<QLabel *>(control); label && (tag == 0 || tag == 2)) {
            const QString caption = label->text();
            if (!caption.isEmpty()) {
                const QString key = tag == 2 ? caption + QLatin1Char('*') : caption;
                label->setText(pass.text(QStringLiteral("Labels"), key, caption));
            }
        }
        break;
    case TransKind::bitbtn:
        if (auto *button = qobject_cast<QAbstractButton *>(control); button && (tag == 0 || tag == 2))
            translatebutton(pass, button, tag);
        break;
    case TransKind::speedbutton:
        if (auto *button = qobject_cast<QAbstractButton *>(control); button && tag == 0)
            translatebutton(pass, button, 0);
        break;
    case TransKind::buttongroup: {
        QStringList captions = control->property("itemcaptions").toStringList();
        for (QString &c : captions)
            c = pass.text(QStringLiteral("Labels"), c);
        const QSignalBlocker quiet(control);
        control->setProperty("itemcaptions", captions);
        break;
    }
    case TransKind::combobox:
        if (auto *box = qobject_cast<QComboBox *>(control)) {
            const QSignalBlocker quiet(box);
            const int index = box->currentIndex();
            for (int i = 0; i < box->count(); ++i)
                box->setItemText(i, pass.text(QStringLiteral("ComboBoxes"), box->itemText(i)));
            box->setCurrentIndex(index);
        }
        break;
    case TransKind::checklistbox:
        if (auto *list = qobject_cast<QListWidget *>(control)) {
            const QSignalBlocker quiet(list);
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setText(pass.text(QStringLiteral("Labels"), list->item(i)->text()));
        }
        break;
    case TransKind::popupmenu:
        if (auto *menu = qobject_cast<QMenu *>(control)) {
            for (QAction *action : menu->actions()) {
                if (!action->isSeparator())
                    action->setText(pass.text(QStringLiteral("Menus"), action->text()));
            }
        }
        break;
    case TransKind::checkbox:
        if (auto *box = qobject_cast<QCheckBox *>(control); box && tag == 0)
            box->setText(pass.text(QStringLiteral("CheckBoxes"), box->text()));
        break;
    case TransKind::radiobutton:
        if (auto *button = qobject_cast<QRadioButton *>(control); button && tag == 0)
            button->setText(pass.text(QStringLiteral("RadioButtons"), button->text()));
        break;
    }
}

void translatewindows(const Pass &pass, const QList<QWidget *> &windows)
{
    for (QWidget *window : windows) {
        if (!window)
            continue;
        if (!window->windowTitle().isEmpty())
            window->setWindowTitle(pass.text(QStringLiteral("Labels"), window->windowTitle()));
        translatecontrol(pass, window);
        const QList<QObject *> controls = window->findChildren<QObject *>();
        for (QObject *control : controls)
            translatecontrol(pass, control);
    }
}

void translatememo(const Pass &pass, const QString &key, QStringList *lines)
{
    if (!lines)
        return;
    const QString value = pass.text(QStringLiteral("Memos"), key, linestohash(*lines));
    lines->clear();
    hashtolines(value, *lines);
}

} // namespace

void settranslatable(QObject *control, TransKind kind, int tag)
{
    control->setProperty(kindproperty, static_cast<int>(kind));
    control->setProperty(tagproperty, tag);
}

QLabel *hiddenlabel(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->hide();
    settranslatable(label, TransKind::label);
    return label;
}

QPushButton *namedbutton(const char *name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    settranslatable(button, TransKind::bitbtn);
    return button;
}

QLabel *captionlabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    settranslatable(label, TransKind::label);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLabel *valuelabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    settranslatable(label, TransKind::label, 1);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

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
    // Read once: captions are looked up whenever a list is rebuilt.
    if (!lookupfile_ || lookupfile_->path() != path)
        lookupfile_ = std::make_shared<const IniFile>(path);
    return lookupfile_->readstring(section, key, fallback);
}

void Language::translate(const QList<QWidget *> &windows, const TranslatedMemos &memos)
{
    if (isenglish())
        return;
    const QString path = filepath();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        language_ = english;
        return;
    }
    const FilePass pass(path);
    translatewindows(pass, windows);

    translatememo(pass, QStringLiteral("About"), memos.about);
    translatememo(pass, QStringLiteral("Donate"), memos.donate);
    translatememo(pass, QStringLiteral("Subjects"), memos.subjects);
    translatememo(pass, QStringLiteral("Tips"), memos.tips);
    if (memos.tips)
        hashtolines(pass.text(QStringLiteral("Memos"), QStringLiteral("Tips2"), QString()), *memos.tips);

    dateformat_ = pass.text(QStringLiteral("Language"), QStringLiteral("dateformat"), dateformat_);
}

QList<TransKey> translationkeys(const QList<QWidget *> &windows)
{
    RecordingPass pass;
    translatewindows(pass, windows);
    return pass.keys;
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

void bindlanguagebox(QComboBox *box, Language &language, std::function<void()> restart)
{
    {
        const QSignalBlocker quiet(box);
        box->setEditable(false);
        box->clear();
        for (const QString &entry : language.entries())
            box->addItem(entry, entry);
        box->setCurrentIndex(language.selected());
    }
    settranslatable(box, TransKind::combobox);
    // Only a choice by the user is a change; setting the box from code is not.
    QObject::connect(box, &QComboBox::activated, box, [&language, restart = std::move(restart)](int index) {
        if (!language.choose(index))
            return;
        if (trans_confirmation(Language::restartquestion) == mb::idyes && restart)
            restart();
    });
}
