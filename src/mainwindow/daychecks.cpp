#include "mainwindow/daychecks.h"

#include "database/database.h"
#include "database/settings.h"
#include "mainwindow/makerpages.h"
#include "platform/clock.h"
#include "platform/inifile.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "widgets/language.h"

DayChecks::DayChecks(Database &db, Settings &settings, Language &language, Clock &clock)
    : db_(db), settings_(settings), language_(language), clock_(clock)
{
}

QString DayChecks::makerpage() const
{
    return makersite(language_.language()) + QStringLiteral("index.php?app=qmtr") + programversion;
}

bool DayChecks::checkevents()
{
    const QDate today = clock_.today();
    if (!versionasking_ && settings_.flag(Setting::checkversion) && today >= newversiondate) {
        versionasking_ = true;
        const bool yes = trans_confirmation(newversionquestion) == mb::idyes;
        versionasking_ = false;
        if (yes) {
            openwebpage(makerpage());
            return true;
        }
    }
    if (!firstpromptasking_)
        showwebprompt(12, 1, firstprompt, firstpromptasking_);
    if (!secondpromptasking_)
        showwebprompt(30, 12, secondprompt, secondpromptasking_);
    return false;
}

void DayChecks::showwebprompt(int day, int month, const QString &text, bool &asking)
{
    const QDate today = clock_.today();
    if (today.month() != month || today.day() != day)
        return;
    asking = true;
    const QString path = db_.path(settingsfilename);
    const QString key = QStringLiteral("%1.%2.%3").arg(day).arg(month).arg(today.year());
    bool ok = false;
    const bool asked = IniFile(path).readstring(settingssection, key, QStringLiteral("0")).toInt(&ok) != 0 && ok;
    if (!asked) {
        if (trans_confirmation(text) == mb::idyes)
            openwebpage(makerpage());
        if (!IniFile::writekey(path, settingssection, key, QStringLiteral("1")))
            trans_messagebox(unabletowrite, {path}, QStringLiteral("Error"), mb::iconerror);
    }
    asking = false;
}
