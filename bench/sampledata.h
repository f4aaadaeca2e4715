#pragma once
// Records as a well-used database holds them, for the benchmarks.

#include "database/database.h"
#include "database/recordrules.h"

inline TContactRec samplecontact(int i)
{
    TContactRec c;
    c.name = QStringLiteral("Kate\u0159ina Nov\u00e1kov\u00e1 %1").arg(i);
    c.company = QStringLiteral("Gymn\u00e1zium Jana Nerudy");
    c.homephone = QStringLiteral("+420 601 234 %1").arg(i % 1000, 3, 10, QLatin1Char('0'));
    c.homeaddress = QStringLiteral("Hlavn\u00ed 12#110 00 Praha 1");
    c.workaddress = QStringLiteral("\u0160koln\u00ed 3#120 00 Praha 2");
    c.cellphone = QStringLiteral("+420 777 123 456");
    c.webpage = QStringLiteral("http://example.org/~student%1").arg(i);
    c.email1 = QStringLiteral("student%1@example.org").arg(i);
    c.email2 = QStringLiteral("home%1@example.org").arg(i);
    c.note = QString(200, QLatin1Char('n'));
    c.birthday = quint16(1 + i % 28);
    c.birthmonth = quint16(1 + i % 12);
    c.birthyear = 2008;
    c.nameday = quint16(1 + (i * 7) % 28);
    c.namedaymonth = quint16(1 + (i * 5) % 12);
    return c;
}

inline TCalItemRec samplecalitem(int i)
{
    TCalItemRec r;
    r.text = QStringLiteral("Test z matematiky %1#kapitola 4 a 5").arg(i);
    r.repetition = (i % 3 == 0) ? "w1010100" : (i % 3 == 1 ? "m111111111111" : "0");
    r.date = 46000 + i % 400;
    r.timefrom = 800;
    r.timeto = 900;
    r.timemode = timemode_both;
    r.icon = qint16(i % 9);
    return r;
}

inline TTaskRec sampletask(int i)
{
    TTaskRec t;
    t.text = QStringLiteral("Read chapter %1 of the reader").arg(i);
    t.category = (i % 4 == 0) ? QString() : QStringLiteral("School %1").arg(i % 5);
    t.done = i % 3 == 0;
    return t;
}

inline TSubjectRec samplesubject(int i)
{
    TSubjectRec s;
    newsubject(s, QStringLiteral("Subject %1").arg(i));
    for (int m = 0; m < 30; ++m) {
        s.marks[m].mark = QString::number(1 + (i + m) % 5);
        s.marks[m].note = QStringLiteral("test %1").arg(m);
    }
    return s;
}

// Fills `db` with that many records of each kind and saves every file.
inline void fillsample(Database &db, int contacts, int calitems, int tasks, int subjects)
{
    db.contacts.clear();
    db.calitems.clear();
    db.tasks.clear();
    db.subjects.clear();
    for (int i = 0; i < contacts; ++i)
        db.contacts.push_back(samplecontact(i));
    for (int i = 0; i < calitems; ++i)
        db.calitems.push_back(samplecalitem(i));
    for (int i = 0; i < tasks; ++i)
        db.tasks.push_back(sampletask(i));
    for (int i = 0; i < subjects; ++i)
        db.subjects.push_back(samplesubject(i));
    db.savecontacts();
    db.savecalitems();
    db.savetasks();
    db.savesubjects();
}
