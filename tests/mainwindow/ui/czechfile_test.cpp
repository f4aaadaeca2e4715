// The Czech language file against the program: every text the program
// translates has its key, and every key is a text the program shows. A
// failure names the keys, so a new window or message only needs its lines
// added to the file.

#include "mainwindow/ui/program.h"

#include "mainwindow/ui/mainwindow.h"
#include "mainwindow/ui/navbar.h"
#include "mainwindow/ui/reminderpopup.h"
#include "organizer/ui/notespage.h"
#include "organizer/ui/taskspage.h"
#include "school/ui/markspage.h"
#include "widgets/ui/namedialog.h"

#include "database/database.h"
#include "database/recovery.h"
#include "database/dbversion.h"
#include "database/settings.h"
#include "database/upgrade.h"
#include "platform/ansi.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "messagescan.h"
#include "platform/melodyplayer.h"
#include "testsupport.h"
#include "uitestsupport.h"
#include "widgets/language.h"
#include "widgets/ui/translation.h"
#include "widgets/pagetable.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>

using testsupport::chooserow;
using testsupport::FakePlayer;
using testsupport::readfile;
using testsupport::RecordingPrompter;
using testsupport::writefile;

namespace {

const QString programfiles = QStringLiteral(QM_PROGRAM_FILES);
const QString sources = QStringLiteral(QM_SOURCE_DIR);

using messagescan::id;
using messagescan::Scan;
using messagescan::Use;

// What a failure names: the section and the key as the program has it.
QString shown(const QString &section, const QString &key)
{
    return QStringLiteral("[%1] %2").arg(section, key);
}

// The keys of a language file, section by section (as ids), with the
// values kept for the checks of their form.
struct Entry
{
    QString section, key, value;
};
QMap<QString, Entry> filekeys(const QByteArray &bytes)
{
    QMap<QString, Entry> keys;
    QString section;
    const QString text = ansi::decode(bytes);
    for (const QString &raw : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            keys.insert(id(section, line.left(eq)), {section, line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return keys;
}

// --- What the program looks up while it is used. ---

const std::optional<QByteArray> &czechbytes();

// Answers the modal windows an action opens, one step per window in the
// order they open (a window opened from inside a step is the next one);
// each step runs on its window, which is then closed if it is still up.
class Modals
{
public:
    using Step = std::function<void(QWidget *)>;

    // Runs `action` and answers what it opens with `steps`; the failures
    // name `what`.
    static void run(const QString &what, const std::function<void()> &action, QList<Step> steps = {})
    {
        auto script = std::make_shared<Modals>();
        script->what_ = what;
        script->steps_ = std::move(steps);
        script->poll(script);
        action();
        script->done_ = true;
        EXPECT_TRUE(script->steps_.isEmpty()) << what.toStdString() << ": " << script->steps_.size()
                                              << " window(s) did not open";
    }
    // A step that only looks.
    static Step close() { return [](QWidget *) {}; }

private:
    void poll(const std::shared_ptr<Modals> &self)
    {
        // A new timer each time: a step's own modal loop must not hold up
        // the look-out for the window it opens.
        QTimer::singleShot(5, [self] {
            if (self->done_)
                return;
            QWidget *window = QApplication::activeModalWidget();
            if (!window || self->open_.contains(window) || !window->isVisible()) {
                self->poll(self);
                return;
            }
            self->open_ << window;
            self->poll(self);
            if (self->steps_.isEmpty())
                ADD_FAILURE() << self->what_.toStdString() << ": unexpected window "
                              << window->windowTitle().toStdString();
            else
                self->steps_.takeFirst()(window);
            if (window->isVisible()) {
                if (auto *dialog = qobject_cast<QDialog *>(window))
                    dialog->reject();
                else
                    window->close();
            }
            self->open_.removeOne(window);
        });
    }

    QString what_;
    QList<Step> steps_;
    QList<QWidget *> open_;
    bool done_ = false;
};

// A step that types `name` into the name dialog and presses OK.
Modals::Step answername(const QString &name)
{
    return [name](QWidget *window) {
        auto *dialog = qobject_cast<TForm4 *>(window);
        ASSERT_TRUE(dialog) << "not the name dialog: " << window->windowTitle().toStdString();
        dialog->edit()->setText(name);
        QTest::mouseClick(dialog->okbutton(), Qt::LeftButton);
    };
}

template <class W = QAbstractButton>
W *child(QWidget *parent, const char *name)
{
    W *w = parent->findChild<W *>(QLatin1String(name));
    EXPECT_TRUE(w) << name;
    return w;
}

void click(QWidget *parent, const char *name)
{
    if (QAbstractButton *b = child(parent, name))
        QTest::mouseClick(b, Qt::LeftButton);
}

// Shows a menu as its button or the context would, then closes it.
void openmenu(QMenu *menu)
{
    ASSERT_TRUE(menu);
    menu->popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    menu->hide();
}

// A window's texts as it shows them, with where they are.
QList<std::pair<QString, QString>> showntexts(QWidget *window)
{
    QList<std::pair<QString, QString>> texts;
    texts.append({window->windowTitle(), QStringLiteral("title")});
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) && !qobject_cast<QMenu *>(w))
            continue;
        // Texts the program fills in, and its name, are never translated.
        if (w->property("qm_transtag").toInt() == 1)
            continue;
        const QString where = QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts.append({label->text(), where});
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts.append({button->text(), where});
        if (auto *box = qobject_cast<QGroupBox *>(w))
            texts.append({box->title(), where});
        if (auto *box = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < box->count(); ++i)
                texts.append({box->itemText(i), where});
        }
        if (auto *list = qobject_cast<QListWidget *>(w)) {
            for (int i = 0; i < list->count(); ++i)
                texts.append({list->item(i)->text(), where});
        }
        if (auto *menu = qobject_cast<QMenu *>(w)) {
            for (const QAction *action : menu->actions())
                texts.append({action->text(), where});
        }
        texts.append({w->toolTip(), where + QStringLiteral(" (hint)")});
    }
    return texts;
}

struct Walk
{
    QMap<QString, Use> looked;   // id -> what was looked up, and in which step
    QStringList english;         // texts shown in English where the file has Czech
};

// Runs the program in Czech and uses every window, menu and question a
// pupil can reach without a printer, a file dialog or an error.
Walk walkprogram(const QMap<QString, Entry> &czech)
{
    Walk walk;
    QTemporaryDir dir;
    const QString dbpath = dir.filePath(QStringLiteral("Quillmoter/"));
    QDir().mkpath(dbpath);
    writefile(dbpath + Language::languagefile, "czech\r\n");
    Language &language = currentlanguage();
    const Language saved = language;
    language.loadlanguage(dbpath, {programfiles});
    EXPECT_EQ(language.language(), QStringLiteral("czech"));

    RecordingPrompter answers;
    answers.answer = mb::idno; // nothing is deleted, nothing restarts
    Database db{dbpath};
    Settings settings;
    Clock clock;
    clock.setsource([] { return QDateTime(QDate(2026, 11, 18), QTime(10, 0)); });
    FakePlayer player;
    QString step = QStringLiteral("start-up");
    LookupRecorder recorder;
    // Keys first looked up since the last step belong to that step.
    auto looked = [&] {
        for (const TransKey &k : recorder.keys()) {
            if (!walk.looked.contains(id(k.section, k.key)))
                walk.looked.insert(id(k.section, k.key), {k.section, k.key, step});
        }
    };
    // What a window shows in English although the file has it in Czech.
    auto lookat = [&](QWidget *window) {
        for (const auto &[text, where] : showntexts(window)) {
            if (text.isEmpty())
                continue;
            for (auto it = czech.cbegin(); it != czech.cend(); ++it) {
                if (it->key == text && it->value != text && !it->value.isEmpty()) {
                    const QString found = QStringLiteral("%1: %2 shows \"%3\" ([%4] has \"%5\")")
                                              .arg(step, where, text, it->section, it->value);
                    if (!walk.english.contains(found))
                        walk.english << found;
                }
            }
        }
    };
    auto looking = [&](Modals::Step inner) {
        return [&, inner](QWidget *window) {
            lookat(window);
            inner(window);
        };
    };

    auto setstep = [&](const QString &name) {
        looked();
        step = name;
    };
    auto act = [&](const QString &what, const std::function<void()> &action, QList<Modals::Step> steps = {}) {
        setstep(what);
        Modals::run(what, action, std::move(steps));
    };
    {
        ProgramWindows windows(db, settings, language, clock, player, {}, [] { return true; });
        EXPECT_TRUE(windows.create());
        translate(language, windows.windows(), windows.memos());
        TForm1 &form1 = windows.form1();
        EXPECT_TRUE(form1.programstart());
        // The program reads the copy beside it, which the build makes.
        EXPECT_EQ(readfile(folders::programfile(QStringLiteral("czech.lng"))), czechbytes())
            << "the copy of czech.lng beside the program differs from resources/program: build again";
        settings.setnumber(Setting::memoedit, 0); // notes open in the program's own editor
        form1.setcolors();
        form1.showmainwindow();
        auto *bar = child<NavigationBar>(&form1, "ButtonGroup1");
        auto show = [&](Page page, const char *name) {
            setstep(QLatin1String(name));
            emit bar->buttonclicked(page);
            QCoreApplication::processEvents();
            lookat(&form1);
            return form1.pages().at(page);
        };

        QWidget *overview = show(pageoverview, "Overview");
        act(QStringLiteral("export"), [&] { click(overview, "BitBtn23"); },
            {looking([](QWidget *w) { click(w, "BitBtn2"); })});
        act(QStringLiteral("import"), [&] { click(overview, "BitBtn24"); },
            {looking([](QWidget *w) { click(w, "BitBtn1"); })});
        act(QStringLiteral("about box"), [&] { click(&form1, "BitBtn15"); }, {looking(Modals::close())});

        QWidget *contacts = show(pagecontacts, "Contacts");
        act(QStringLiteral("new contact"), [&] { click(contacts, "BitBtn1"); },
            {looking([](QWidget *w) {
                click(w, "BitBtn1"); // OK without a name
                child<QLineEdit>(w, "Edit1")->setText(QStringLiteral("Xyzzy Novák"));
                click(w, "BitBtn2"); // a name day for a name no list has
                click(w, "BitBtn1");
            })});
        auto *contactlist = child<QListView>(contacts, "ListBox1");
        contactlist->setCurrentIndex(contactlist->model()->index(0, 0));
        act(QStringLiteral("edit contact"), [&] { click(contacts, "BitBtn9"); }, {looking(Modals::close())});
        act(QStringLiteral("delete contact"), [&] { click(contacts, "BitBtn2"); });
        act(QStringLiteral("import contacts"), [&] { click(contacts, "BitBtn5"); });
        openmenu(contacts->findChild<QMenu *>());

        QWidget *calendar = show(pagecalendar, "Calendar");
        act(QStringLiteral("new record"), [&] { click(calendar, "BitBtn6"); },
            {looking([](QWidget *w) {
                w->findChild<QPlainTextEdit *>()->setPlainText(QStringLiteral("Písemka"));
                for (QPushButton *b : w->findChildren<QPushButton *>()) {
                    if (b->text() == QLatin1String("OK"))
                        QTest::mouseClick(b, Qt::LeftButton);
                }
            })});
        act(QStringLiteral("edit record"), [&] { click(calendar, "editbutton"); },
            {looking(Modals::close())});
        act(QStringLiteral("delete record"), [&] { click(calendar, "deletebutton"); });
        for (QMenu *menu : calendar->findChildren<QMenu *>()) {
            openmenu(menu);
            for (QAction *action : menu->actions())
                action->trigger(); // the questions, answered No
        }

        QWidget *tasks = show(pagetasks, "Tasks");
        act(QStringLiteral("new task category"), [&] { click(tasks, "BitBtn3"); },
            {looking(answername(QStringLiteral("Škola")))});
        chooserow(child<QListWidget>(tasks, "ListBox2"), QStringLiteral("Škola"));
        act(QStringLiteral("rename task category"), [&] { click(tasks, "BitBtn16"); },
            {looking(answername(QStringLiteral("Domov")))});
        act(QStringLiteral("new task"), [&] { click(tasks, "BitBtn10"); },
            {looking(answername(QStringLiteral("Úkol")))});
        act(QStringLiteral("edit task"), [&] { static_cast<TasksPage *>(tasks)->CheckListBox1DblClick(); },
            {looking(answername(QStringLiteral("Úkol 2")))});
        for (const char *name : {"newmenu", "deletemenu"})
            openmenu(child<QMenu>(tasks, name));
        act(QStringLiteral("delete task"), [&] { click(tasks, "BitBtn11"); });
        for (QAction *action : child<QMenu>(tasks, "deletemenu")->actions())
            action->trigger();
        act(QStringLiteral("delete task category"), [&] { click(tasks, "BitBtn4"); });

        QWidget *marks = show(pagemarks, "Marks");
        auto *markspage = static_cast<MarksPage *>(marks);
        openmenu(child<QMenu>(marks, "termmenu"));
        act(QStringLiteral("new term"), [&] { markspage->Novobdob1Click(); },
            {looking(answername(QStringLiteral("Pololetí 1")))});
        act(QStringLiteral("terms"), [&] { markspage->Naststarobdob1Click(); },
            {looking([](QWidget *w) {
                 auto *list = child<QListWidget>(w, "ListBox1");
                 list->setCurrentRow(list->count() - 1);
                 click(w, "BitBtn1"); // rename
                 click(w, "BitBtn4"); // delete: asked, answered No
             }),
             looking(answername(QStringLiteral("Pololetí 2")))});

        QWidget *notes = show(pagenotes, "Notes");
        act(QStringLiteral("new note category"), [&] { click(notes, "BitBtn27"); },
            {looking(answername(QStringLiteral("Fyzika")))});
        chooserow(child<QListWidget>(notes, "ListBox3"), QStringLiteral("Fyzika"));
        act(QStringLiteral("rename note category"), [&] { click(notes, "BitBtn35"); },
            {looking(answername(QStringLiteral("Chemie")))});
        act(QStringLiteral("new note"), [&] { click(notes, "BitBtn40"); },
            {looking(answername(QStringLiteral("Pokusy"))), looking(Modals::close())});
        act(QStringLiteral("rename note"), [&] { click(notes, "BitBtn38"); },
            {looking(answername(QStringLiteral("Laboratoř")))});
        act(QStringLiteral("open note"), [&] { static_cast<NotesPage *>(notes)->memoslistboxDblClick(); },
            {looking(Modals::close())});
        act(QStringLiteral("delete note"), [&] { click(notes, "BitBtn41"); });
        act(QStringLiteral("delete note category"), [&] { click(notes, "BitBtn36"); });

        QWidget *timetable = show(pagetimetable, "Timetable");
        act(QStringLiteral("print timetable"), [&] { click(timetable, "BitBtn31"); },
            {looking(Modals::close())});

        QWidget *settingspage = show(pagesettings, "Settings");
        act(QStringLiteral("subjects list"), [&] { click(settingspage, "BitBtn12"); },
            {looking([](QWidget *w) { click(w, "BitBtn2"); })});

        setstep(QStringLiteral("reminder pop-up"));
        for (QWidget *window : windows.windows()) {
            if (auto *ring = qobject_cast<Tringform *>(window)) {
                ring->showreminder(QStringLiteral("Písemka"), QPixmap());
                lookat(ring);
                ring->PaintBox1Click();
            }
        }
        setstep(QStringLiteral("tray menu"));
        openmenu(child<QMenu>(&form1, "traymenu"));
        setstep(QStringLiteral("closing to the tray"));
        form1.close();
        looked();
    }
    language = saved;
    return walk;
}

// --- What the program asks a language file for. ---

const Scan &scanned()
{
    static const Scan scan = messagescan::scanmessages(sources);
    return scan;
}

const std::optional<QByteArray> &czechbytes()
{
    static const std::optional<QByteArray> bytes = readfile(programfiles + QStringLiteral("/czech.lng"));
    return bytes;
}

const QMap<QString, Entry> &czechkeys()
{
    static const QMap<QString, Entry> keys = czechbytes() ? filekeys(*czechbytes()) : QMap<QString, Entry>();
    return keys;
}

const Walk &walked()
{
    static const Walk walk = walkprogram(czechkeys());
    return walk;
}

class CzechFileTest : public ::testing::Test
{
protected:
    CzechFileTest()
    {
        windows.create();
        for (const TransKey &k : translationkeys(windows.windows()))
            want(k.section, k.key, QStringLiteral("a control"));
        // Looked up by the program itself rather than through a control.
        for (const PageEntry &entry : pagetable)
            want("Labels", QLatin1String(entry.caption), QStringLiteral("the page table"));
        want("Labels", "Welcome to Quillmoter organizer!", QStringLiteral("the welcome note"));
        for (const char *key : {"About", "Donate", "Subjects", "Tips"})
            want("Memos", QLatin1String(key), QStringLiteral("a whole text"));
        want("Language", "dateformat", QStringLiteral("the date line"));
        for (const Use &use : scanned().texts)
            want(use.section, use.key, use.where);
        for (const Use &use : walked().looked) {
            // Tips of the language's own, which a file may leave out.
            if (id(use.section, use.key) != id("Memos", "Tips2"))
                want(use.section, use.key, QStringLiteral("looked up while using: ") + use.where);
        }
        // The database check's texts reach the message boxes through its prompts.
        for (const QString &text : {dbversionmissing, dbversionnewer(), actualizequestion, actualizefailed})
            want("Messages", text, QStringLiteral("the database check"));
        // So do the start's notes on what it recovered.
        for (const QString &text : {importundone, importfinished, termsfinished, upgradefinished, changeundone,
                                    recoveryfailed, notputback, asideputback, asidekept})
            want("Messages", text, QStringLiteral("the start's recovery"));
        // Why a melody cannot play, filled into its message.
        for (const QString &text : {melodyreason::nofile, melodyreason::notasound, melodyreason::nooutput})
            want("Messages", text, QStringLiteral("a melody's failure"));
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    Language language;
    Clock clock;
    FakePlayer player;
    RecordingPrompter answers;
    ProgramWindows windows{db, settings, language, clock, player, {}, [] { return false; }};
    QMap<QString, Use> wanted; // id -> the key as the program has it, and where it uses it
    void want(const QString &section, const QString &key, const QString &where)
    {
        if (!wanted.contains(id(section, key)))
            wanted.insert(id(section, key), {section, key, where});
    }
    const std::optional<QByteArray> &file = czechbytes();
    const QMap<QString, Entry> &keys = czechkeys();
};

} // namespace

// The scan of the sources misses nothing: every text argument of a lookup
// or a message is read, or is known to pass a text on.
TEST(CzechFileScan, EveryTextArgumentIsReadOrKnown)
{
    const Scan &scan = scanned();
    EXPECT_TRUE(scan.unknown.isEmpty()) << "text arguments the scan cannot read (make them a constant, or add the "
                                           "function that passes them on to the sinks):\n"
                                        << scan.unknown.join(u'\n').toStdString();
    EXPECT_TRUE(scan.stale.isEmpty()) << "known arguments no longer met:\n" << scan.stale.join(u'\n').toStdString();
    // Sanity of the scan itself.
    for (const char *text : {"Error", "Are you sure you want to delete selected contact?", "Unable to save %s:#%s",
                             "Enter category name:", "Enter note name:", "Text:"})
        EXPECT_TRUE(scan.texts.contains(id("Messages", QLatin1String(text)))) << text;
    EXPECT_TRUE(scan.texts.contains(id("Buttons", "Even week")));
}

// In Czech, with every window, menu and question opened, each text the
// program looked up is in the file, and nothing shows in English what the
// file has in Czech.
TEST(CzechFileWalk, EveryWindowReadsCzech)
{
    ASSERT_TRUE(czechbytes()) << "czech.lng is missing";
    const Walk &walk = walked();
    // Sanity of the walk itself: the name dialog, a question and a pass key.
    ASSERT_TRUE(walk.looked.contains(id("Messages", "Enter note name:")));
    ASSERT_TRUE(walk.looked.contains(id("Messages", "Are you sure you want to delete selected contact?")));
    ASSERT_TRUE(walk.looked.contains(id("Labels", "Export to:")));

    QStringList missing;
    for (const Use &use : walk.looked) {
        // Tips of the language's own, which a file may leave out.
        if (id(use.section, use.key) == id("Memos", "Tips2"))
            continue;
        if (!czechkeys().contains(id(use.section, use.key)))
            missing << shown(use.section, use.key) + QStringLiteral("   (") + use.where + u')';
    }
    EXPECT_TRUE(missing.isEmpty()) << "czech.lng lacks " << missing.size() << " keys:\n"
                                   << missing.join(u'\n').toStdString();
    EXPECT_TRUE(walk.english.isEmpty()) << "English left in Czech:\n" << walk.english.join(u'\n').toStdString();
}

TEST_F(CzechFileTest, EveryTranslatableTextHasAKey)
{
    ASSERT_TRUE(file) << "czech.lng is missing";
    // Sanity of the gathering itself.
    ASSERT_TRUE(wanted.contains(id("CheckBoxes", "Show Moon phase")));
    ASSERT_TRUE(wanted.contains(id("Messages", "Error")));
    ASSERT_TRUE(wanted.contains(id("Messages", "Are you sure you want to delete selected contact?")));
    ASSERT_TRUE(wanted.contains(id("Messages", "Unable to save %s:#%s")));

    QStringList missing;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        if (!keys.contains(it.key()))
            missing << shown(it->section, it->key) + QStringLiteral("   (") + it->where + u')';
    }
    EXPECT_TRUE(missing.isEmpty()) << "czech.lng lacks " << missing.size() << " keys:\n"
                                   << missing.join(u'\n').toStdString();
}

TEST_F(CzechFileTest, EveryKeyIsATextTheProgramShows)
{
    ASSERT_TRUE(file);
    QStringList orphans;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        // "Tips2" adds tips of the language's own; nothing in the program names it.
        if (it.key() == id("Memos", "Tips2"))
            continue;
        if (!wanted.contains(it.key()))
            orphans << shown(it->section, it->key);
    }
    EXPECT_TRUE(orphans.isEmpty()) << "czech.lng has " << orphans.size() << " keys the program never asks for:\n"
                                   << orphans.join(u'\n').toStdString();
}

TEST_F(CzechFileTest, TranslationsKeepWhatTheProgramFillsIn)
{
    ASSERT_TRUE(file);
    // Every "%s" of a message and every "#" line break of a message stays.
    QStringList broken;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
        if (it->section.compare(QLatin1String("Messages"), Qt::CaseInsensitive) != 0)
            continue;
        if (it->key.count(QStringLiteral("%s")) != it->value.count(QStringLiteral("%s")) || it->value.isEmpty())
            broken << shown(it->section, it->key);
    }
    EXPECT_TRUE(broken.isEmpty()) << broken.join(u'\n').toStdString();

    // Whole texts hold their lines joined by "#"; tips keep "icon$text".
    const QStringList tips = keys.value(id("Memos", "Tips")).value.split(u'#');
    EXPECT_GE(tips.size(), 2);
    for (const QString &tip : tips)
        EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d+\$.{30,})")).match(tip).hasMatch()) << tip.toStdString();
    EXPECT_EQ(keys.value(id("Memos", "Subjects")).value.split(u'#').size(), 12);
    // The file is windows-1250 text, as language files are.
    EXPECT_EQ(ansi::encode(ansi::decode(*file)), *file);
    EXPECT_FALSE(file->contains("\xC3\x83")) << "no UTF-8 inside";
}
