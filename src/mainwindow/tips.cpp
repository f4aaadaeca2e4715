#include "mainwindow/tips.h"

std::optional<Tip> parsetip(const QString &line)
{
    if (line.size() < 30)
        return std::nullopt;
    Tip tip;
    const qsizetype dollar = line.indexOf(QLatin1Char('$')); // 0-based; the '$' at position 1 is index 0
    if (dollar > 0) {
        bool ok = false;
        const int icon = line.left(dollar).toInt(&ok);
        tip.icon = ok ? icon : 0;
        tip.text = line.mid(dollar + 1);
    } else {
        tip.text = line;
    }
    if (tip.icon < 0 || tip.icon >= tipiconcount)
        tip.icon = 0;
    // A link counts only past the tenth character, so a tip may name an address.
    const qsizetype http = tip.text.indexOf(QStringLiteral("http://"));
    if (http >= 10) {
        tip.link = tip.text.mid(http);
        tip.text = tip.text.left(http);
    }
    return tip;
}

QStringList builtintips()
{
    return {
        QStringLiteral("4$Arm the reminder of a calendar record and Quillmoter rings with a melody of your choice at its time."),
        QStringLiteral("5$The Overview counts down to the next bell: fill in your timetable and switch on \"In school\" mode."),
        QStringLiteral("2$Repeat a calendar record every week on chosen days, or every month in chosen months."),
        QStringLiteral("1$Marks can carry a weight: a test counts double, a short quiz only a quarter."),
        QStringLiteral("12$Make a backup of your data folder now and then: a pupil's year is worth two minutes."),
        QStringLiteral("8$Enter your friends' birthdays and name days and the Overview tells you which comes next."),
        QStringLiteral("6$Notes are rich text: headings, colours and lists for everything you need to remember."),
        QStringLiteral("13$The Overview shows the moon phase of today, and the calendar that of any day you pick."),
    };
}
