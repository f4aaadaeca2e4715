// The Settings page in the main window: what each control stores and what
// the rest of the program does with it, the colours, the autostart entry,
// the maker's pages and the about box.

#include "mainwindow/ui/mainwindow.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/ui/aboutbox.h"
#include "mainwindow/makerpages.h"
#include "mainwindow/ui/overviewpage.h"
#include "mainwindow/ui/settingspage.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/pictures.h"
#include "platform/shell.h"
#include "testsupport.h"
#include "uitestsupport.h"
#include "windowsupport.h"
#include "widgets/language.h"
#include "widgets/ui/linklabel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using testsupport::readfile;
using testsupport::RecordingPrompter;
using testsupport::writefile;

namespace {

class SettingsPageTest : public ::testing::Test
{
protected:
    SettingsPageTest()
    {
        clock.setsource([] { return QDateTime(QDate(2026, 12, 8), QTime(10, 0)); });
        setwebpageopener([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
    }
    ~SettingsPageTest() override { setwebpageopener({}); }

    // The main window started over the settings file `ini` (none when empty).
    void start(const QByteArray &ini = {})
    {
        form = StartedWindows(db, settings, language, clock);
        ASSERT_TRUE(form.create());
        if (!ini.isEmpty()) {
            ASSERT_TRUE(writefile(db.path(settingsfilename), ini));
        }
        page()->setprogrampath(QStringLiteral("/opt/My Apps/quillmoter"));
        ASSERT_TRUE(form->programstart());
        form->setcolors();
    }

    // A second run of the program over the same folder, with `ini` as its settings.
    StartedWindows startagain(const QByteArray &ini)
    {
        form.reset();
        later = std::make_unique<Settings>();
        StartedWindows again(db, *later, language, clock);
        EXPECT_TRUE(writefile(db.path(settingsfilename), ini));
        EXPECT_TRUE(again.create());
        EXPECT_TRUE(again->programstart());
        return again;
    }

    SettingsPage *page() const { return form->pages().settings; }
    template <class W>
    W *control(const char *name) const
    {
        W *w = form->findChild<W *>(QLatin1String(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    void showpage(Page which)
    {
        form->show();
        form->findChild<QStackedWidget *>(QStringLiteral("PageControl1"))->setCurrentIndex(which);
        QApplication::processEvents();
    }
    // Near the left end, where a check box has its box whatever its width.
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(std::min(8, w->width() / 2), w->height() / 2)); }
    QColor background(const char *name) const
    {
        return form->findChild<QWidget *>(QLatin1String(name))->palette().color(QPalette::Window);
    }

    QTemporaryDir dir;
    Database db{dir.filePath(QStringLiteral("Quillmoter/"))};
    Settings settings;
    Language language;
    Clock clock;
    RecordingPrompter answers;
    QStringList opened;
    StartedWindows form;
    std::unique_ptr<Settings> later;
};

} // namespace

TEST_F(SettingsPageTest, TheControlsShowTheStoredSettings)
{
    start("[Settings]\r\nInSchool=0\r\ncheckversion=0\r\n2weeks=1\r\ntttype=1\r\nsuma=2\r\ndigitalclock=1\r\n"
          "weekstarts=1\r\nmemoedit=3\r\nextedit=/usr/bin/abiword\r\nwelcomenote=Hello class\r\n"
          "dateformat=YYYY-MM-DD\r\nbarcolor=clRed\r\nbutton3visible=0\r\nannilang=slovak\r\n");
    EXPECT_FALSE(control<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("checkversion")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("evenoddcheck")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CheckBox4")->isChecked());
    EXPECT_EQ(control<QComboBox>("tttypecombo")->currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>("ComboBox2")->currentIndex(), 2);
    EXPECT_TRUE(control<QRadioButton>("digitalclock")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("analogclock")->isChecked());
    EXPECT_EQ(control<QComboBox>("weekstarts")->currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>("memoedit")->currentIndex(), 3);
    EXPECT_EQ(control<QLineEdit>("extedit")->text(), QStringLiteral("/usr/bin/abiword"));
    EXPECT_EQ(control<QLineEdit>("Edit5")->text(), QStringLiteral("Hello class"));
    EXPECT_EQ(control<QComboBox>("ComboBox6")->currentText(), QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(control<QComboBox>("ComboBox7")->currentData().toString(), QStringLiteral("slovak"));
    EXPECT_EQ(control<ColourSwatch>("Shape10")->colour(), QColor(Qt::red));
    EXPECT_EQ(control<QListWidget>("CheckListBox2")->item(2)->checkState(), Qt::Unchecked);
    EXPECT_EQ(control<QListWidget>("CheckListBox2")->item(3)->checkState(), Qt::Checked);
}

TEST_F(SettingsPageTest, ChoicesAreStoredAndTakeEffectAtOnce)
{
    start();
    showpage(pagesettings);
    auto *format = control<QComboBox>("ComboBox6");
    format->setCurrentIndex(format->findText(QStringLiteral("yyyy-mm-dd")));
    emit format->activated(format->currentIndex());
    EXPECT_EQ(settings.text(Setting::dateformat), QStringLiteral("yyyy-mm-dd"));
    EXPECT_EQ(form->pages().overview->findChild<QLabel *>(QStringLiteral("datelabel"))->text(), QStringLiteral("2026-12-08"));

    QTest::keyClicks(control<QLineEdit>("Edit5"), QStringLiteral("!"));
    EXPECT_EQ(settings.text(Setting::welcomenote), QStringLiteral("Welcome to Quillmoter organizer!!"));
    EXPECT_EQ(form->pages().overview->findChild<QLabel *>(QStringLiteral("welcome"))->text(),
              QStringLiteral("Welcome to Quillmoter organizer!!"));

    click(control<QCheckBox>("CheckBox1"));
    EXPECT_FALSE(settings.flag(Setting::inschool));
    EXPECT_FALSE(form->pages().overview->findChild<QWidget *>(QStringLiteral("lessonpanel"))->isVisible());
    EXPECT_TRUE(form->pages().overview->findChild<QWidget *>(QStringLiteral("inschooloff"))->isVisibleTo(form->pages().overview));
    // "Check for updates" leaves the lesson panel as it is.
    click(control<QCheckBox>("checkversion"));
    EXPECT_FALSE(settings.flag(Setting::checkversion));
    EXPECT_FALSE(form->pages().overview->findChild<QWidget *>(QStringLiteral("lessonpanel"))->isVisibleTo(form->pages().overview));

    click(control<QRadioButton>("digitalclock"));
    EXPECT_TRUE(settings.flag(Setting::digitalclock));
    emit control<QComboBox>("memoedit")->activated(0);
    EXPECT_EQ(settings.number(Setting::memoedit), 0);
    emit control<QComboBox>("ComboBox7")->activated(control<QComboBox>("ComboBox7")->findData("slovak"));
    EXPECT_EQ(settings.text(Setting::annilang), QStringLiteral("slovak"));
}

TEST_F(SettingsPageTest, ColoursFromTheSwatchesAndBackToTheDefaults)
{
    start();
    const QColor standard = wincolor(defaultcolour);
    EXPECT_EQ(background("navcolumn"), standard);
    EXPECT_EQ(background("TabSheet8"), standard);

    QColor offered;
    page()->setcolourdialog([&offered](const QColor &initial) -> std::optional<QColor> {
        offered = initial;
        return QColor(10, 20, 30);
    });
    showpage(pagesettings);
    click(control<ColourSwatch>("Shape10"));
    EXPECT_EQ(offered, standard) << "the dialog starts at the swatch's colour";
    EXPECT_EQ(settings.colour(Setting::barcolor), 0x001E140Au);
    EXPECT_EQ(background("navcolumn"), QColor(10, 20, 30));
    EXPECT_EQ(control<ColourSwatch>("Shape10")->colour(), QColor(10, 20, 30));
    EXPECT_EQ(background("TabSheet1"), standard) << "the pages keep theirs";

    click(control<ColourSwatch>("Shape11"));
    EXPECT_EQ(background("TabSheet1"), QColor(10, 20, 30));
    EXPECT_EQ(background("TabSheet8"), QColor(10, 20, 30));

    // Cancelled: nothing changes.
    page()->setcolourdialog([](const QColor &) { return std::nullopt; });
    click(control<ColourSwatch>("Shape11"));
    EXPECT_EQ(settings.colour(Setting::bgcolor), 0x001E140Au);

    click(control<QPushButton>("BitBtn17"));
    EXPECT_EQ(settings.colour(Setting::barcolor), defaultcolour);
    EXPECT_EQ(settings.colour(Setting::bgcolor), defaultcolour);
    EXPECT_EQ(background("navcolumn"), standard);
    EXPECT_EQ(background("TabSheet1"), standard);
    EXPECT_EQ(control<ColourSwatch>("Shape11")->colour(), standard);
    EXPECT_TRUE(page()->isVisible()) << "the page stays";
}

TEST_F(SettingsPageTest, TheAutostartEntryFollowsTheCheckBox)
{
    const QString entry = autostart::entrypath();
    QFile::remove(entry);
    start();
    // Written at start, as the setting is on by default.
    ASSERT_TRUE(QFileInfo::exists(entry));
    EXPECT_TRUE(readfile(entry)->contains("Exec=\"/opt/My Apps/quillmoter\" -h\n"));

    showpage(pagesettings);
    click(control<QCheckBox>("CheckBox4"));
    EXPECT_FALSE(settings.flag(Setting::startup));
    EXPECT_FALSE(QFileInfo::exists(entry));
    click(control<QCheckBox>("CheckBox4"));
    EXPECT_TRUE(QFileInfo::exists(entry));
    click(control<QCheckBox>("CheckBox4"));
    EXPECT_FALSE(QFileInfo::exists(entry));
    EXPECT_TRUE(answers.boxes.empty());

    // Off at the next start: the entry stays away, and nothing is said.
    auto again = startagain("[Settings]\r\nstartup=0\r\n");
    EXPECT_FALSE(QFileInfo::exists(entry));
    EXPECT_TRUE(answers.boxes.empty());
}

TEST_F(SettingsPageTest, TheBalloonOptionNeedsTheTray)
{
    start();
    showpage(pagesettings);
    auto *balloon = control<QCheckBox>("showballoon");
    EXPECT_TRUE(balloon->isEnabled());
    click(control<QCheckBox>("CheckBox5"));
    EXPECT_FALSE(settings.flag(Setting::usetray));
    EXPECT_FALSE(balloon->isEnabled());
    EXPECT_TRUE(balloon->isChecked()) << "it keeps its tick";
    EXPECT_FALSE(form->hidestotray());
    click(control<QCheckBox>("CheckBox5"));
    EXPECT_TRUE(balloon->isEnabled());
}

TEST_F(SettingsPageTest, TheMoonMakesRoomForTheClockAndTheDayBarForTheList)
{
    start();
    showpage(pageoverview);
    QWidget *clockface = form->pages().overview->findChild<QWidget *>(QStringLiteral("clock"));
    const int withmoon = clockface->mapTo(form.get(), QPoint()).x();
    settings.setflag(Setting::showmoon, false);
    QApplication::processEvents();
    EXPECT_LT(clockface->mapTo(form.get(), QPoint()).x(), withmoon - 20) << "the clock moves left into the moon's place";
    settings.setflag(Setting::showmoon, true);
    QApplication::processEvents();
    EXPECT_EQ(clockface->mapTo(form.get(), QPoint()).x(), withmoon);

    showpage(pagecalendar);
    QWidget *list = form->findChild<QWidget *>(QStringLiteral("ListView1"));
    QWidget *bar = form->findChild<QWidget *>(QStringLiteral("daybar"));
    const int withbar = list->height();
    const int barheight = bar->height();
    ASSERT_GT(barheight, 20);
    settings.setflag(Setting::showcalbar, false);
    QApplication::processEvents();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_GE(list->height(), withbar + barheight) << "the day list takes the bar's place";
    settings.setflag(Setting::showcalbar, true);
    QApplication::processEvents();
    EXPECT_EQ(list->height(), withbar);
}

TEST_F(SettingsPageTest, TheOtherNoteEditorIsChosenWithTheFileDialog)
{
    start();
    QString title;
    page()->setprogramdialog([&title](const QString &caption) {
        title = caption;
        return QStringLiteral("/usr/bin/libreoffice");
    });
    click(control<QPushButton>("BitBtn37"));
    EXPECT_EQ(title, QStringLiteral("Choose external editor"));
    EXPECT_EQ(settings.text(Setting::extedit), QStringLiteral("/usr/bin/libreoffice"));
    EXPECT_EQ(control<QLineEdit>("extedit")->text(), QStringLiteral("/usr/bin/libreoffice"));
    page()->setprogramdialog([](const QString &) { return QString(); });
    click(control<QPushButton>("BitBtn37"));
    EXPECT_EQ(settings.text(Setting::extedit), QStringLiteral("/usr/bin/libreoffice")) << "cancelled";
}

// "settings.ini" holds windows-1250 text: the welcome note never takes a
// letter it cannot hold, and a program path that holds one is refused, each
// with the letters named, so a restart shows what was shown.
TEST_F(SettingsPageTest, TextsTheSettingsFileCannotHoldAreRefusedAndNamed)
{
    start();
    auto *note = control<QLineEdit>("Edit5");
    note->clear();
    testsupport::typetext(note, QStringLiteral("Ahoj \u263a!"));
    EXPECT_EQ(note->text(), QStringLiteral("Ahoj !"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.boxes.size() == 1; }, 2000));
    EXPECT_EQ(answers.boxes[0].text, QStringLiteral("These characters cannot be stored: \u263a\nPlease use other "
                                                    "characters."));

    page()->setprogramdialog([](const QString &) { return QStringLiteral("/opt/\u7de8\u96c6/editor"); });
    click(control<QPushButton>("BitBtn37"));
    ASSERT_EQ(answers.boxes.size(), 2u);
    EXPECT_TRUE(answers.boxes[1].text.contains(QStringLiteral(": \u7de8 \u96c6\n")));
    EXPECT_EQ(control<QLineEdit>("extedit")->text(), QString()) << "not shown as chosen";

    ASSERT_TRUE(form->savesettings());
    auto again = startagain(*readfile(db.path(settingsfilename)));
    EXPECT_EQ(later->text(Setting::welcomenote), QStringLiteral("Ahoj !"));
    EXPECT_EQ(later->text(Setting::extedit), QString());
}

TEST_F(SettingsPageTest, TheDonationBlockHidesAndComesBack)
{
    start();
    showpage(pageoverview);
    QWidget *box = form->findChild<QWidget *>(QStringLiteral("donatebox"));
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(form->findChild<QLabel *>(QStringLiteral("Memo1"))->text().contains(QStringLiteral("donation")));

    click(control<QPushButton>("BitBtn18"));
    EXPECT_EQ(opened, QStringList({"https://quillmoter.example.org/index.php?art=make-a-donation&app=qmtr2.1"}));

    click(control<LinkLabel>("Label78"));
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(settings.flag(Setting::donationhidden));
    ASSERT_TRUE(form->savesettings());
    EXPECT_TRUE(readfile(db.path(settingsfilename))->contains("hidedonation2.1=1\r\n"));
    click(control<LinkLabel>("Label84"));
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(settings.flag(Setting::donationhidden));

    // Hidden in the file: hidden from the start.
    auto again = startagain("[Settings]\r\nhidedonation2.1=1\r\n");
    again->show();
    EXPECT_FALSE(again->findChild<QWidget *>(QStringLiteral("donatebox"))->isVisible());
}

TEST_F(SettingsPageTest, TheMakersPagesInTheLanguagesSite)
{
    EXPECT_EQ(donationaddress("czech"),
              "https://quillmoter.example.cz/index.php?art=prispet-libovolnou-castkou-podporit-muj-projekt&app=qmtr2.1");
    EXPECT_EQ(donationaddress("slovak"), donationaddress("czech"));
    EXPECT_EQ(donationaddress("english"),
              "https://quillmoter.example.org/index.php?art=make-a-donation&app=qmtr2.1");
    EXPECT_EQ(donationaddress("Czech"), donationaddress("english")) << "language names are lower case";
    EXPECT_EQ(languagefileaddress("czech"),
              "https://quillmoter.example.cz/index.php?art=quillmoter-organizer-creating-language-file");
    EXPECT_EQ(languagefileaddress("german"),
              "https://quillmoter.example.org/index.php?art=quillmoter-organizer-creating-language-file");

    start();
    click(control<LinkLabel>("Label110"));
    click(control<LinkLabel>("namedayslink"));
    EXPECT_EQ(opened, QStringList({languagefileaddress("english"), languagefileaddress("english")}));
}

TEST_F(SettingsPageTest, AnotherLanguageAsksToRestartAndYesEndsTheProgram)
{
    QTemporaryDir programdir;
    ASSERT_TRUE(writefile(programdir.filePath("czech.lng"), "[Labels]\r\n"));
    start();
    auto *box = control<QComboBox>("ComboBox3");
    // The box was filled from the program's folder; fill it from this one.
    language.loadlanguage(db.dbpath(), {programdir.path()});
    page()->bindlanguage(language, [this] { form->Ukonit1Click(); });
    ASSERT_EQ(box->count(), 2);
    answers.answer = mb::idno;
    box->setCurrentIndex(1);
    emit box->activated(1);
    ASSERT_EQ(answers.questions.size(), 1u);
    EXPECT_EQ(answers.questions[0], Language::restartquestion);
    EXPECT_FALSE(form->ended());

    answers.answer = mb::idyes;
    box->setCurrentIndex(0);
    emit box->activated(0);
    EXPECT_EQ(answers.questions.size(), 2u);
    EXPECT_TRUE(form->ended());
    EXPECT_EQ(readfile(db.path(Language::languagefile)), QByteArray("english\r\n"));
}

TEST_F(SettingsPageTest, RestoreWindowCentresTheDesignSize)
{
    start();
    form->show();
    // The texts the Overview fills in as it is shown (tips, donation) may
    // need more lines: the window takes its size once they are laid out.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return form->pages().overview->height() >= form->pages().overview->minimumSizeHint().height(); }, 5000));
    const QSize design = form->size();
    form->setGeometry(5, 5, design.width() + 100, design.height() + 50);
    form->Obnovitokno1Click();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(form->width() - design.width()), 1);
    EXPECT_LE(std::abs(form->height() - design.height()), 1);
    EXPECT_EQ(form->geometry(), restoredwindow(form->size(), screen));
}

TEST(AboutBox, ClosesOnOkOnAClickAndWhenAnotherWindowTakesTheFocus)
{
    TAboutBox box;
    EXPECT_EQ(box.size(), QSize(615, 449));
    EXPECT_EQ(box.findChild<QLabel *>(QStringLiteral("Label3"))->text(), QStringLiteral("2.1"));
    EXPECT_FALSE(box.mask().contains(QPoint(0, 0))) << "rounded corners";
    EXPECT_TRUE(box.mask().contains(QPoint(300, 0)));

    box.open();
    ASSERT_TRUE(box.isVisible());
    EXPECT_FALSE(box.findChild<QPlainTextEdit *>(QStringLiteral("Memo1"))->toPlainText().isEmpty());
    QTest::mouseClick(box.findChild<QPushButton *>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());

    box.open();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 440));
    EXPECT_FALSE(box.isVisible()) << "a click on the frame";
    box.open();
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_FALSE(box.isVisible()) << "a click on the background";

    box.open();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&box, &deactivate);
    EXPECT_FALSE(box.isVisible());
    // Deactivated while hidden: nothing to do.
    QApplication::sendEvent(&box, &deactivate);
    EXPECT_FALSE(box.isVisible());
}

TEST(AboutBox, TheLinkAddsTheProgramAndItsVersion)
{
    QStringList opened;
    setwebpageopener([&opened](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    TAboutBox box;
    EXPECT_EQ(box.linkaddress(), QStringLiteral("https://quillmoter.example.org/?app=qmtr2.1"));
    auto *link = box.findChild<LinkLabel *>(QStringLiteral("Label13"));
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    setwebpageopener({});
    EXPECT_EQ(opened, QStringList({"https://quillmoter.example.org/?app=qmtr2.1"}));
}

TEST_F(SettingsPageTest, AboutAndTheOverviewsLinkShowTheAboutBoxModally)
{
    start();
    TAboutBox &box = *form.dialogs().aboutbox;
    int shown = 0;
    auto closesoon = [&] {
        QTimer::singleShot(0, [&] {
            if (box.isVisible() && box.isModal())
                ++shown;
            box.close();
        });
    };
    showpage(pageoverview);
    closesoon();
    click(control<QPushButton>("BitBtn15"));
    closesoon();
    click(form->pages().overview->findChild<LinkLabel *>(QStringLiteral("herelink")));
    EXPECT_EQ(shown, 2);
}
