#include "school/subjectsmodel.h"

void newsubject(TSubjectRec &subject, const QString &name)
{
    subject = TSubjectRec{};
    subject.name = name;
    for (TMarkRec &m : subject.marks) {
        m.color = markwhite;
        m.weight = 1.0;
    }
}

QStringList defaultsubjectlist()
{
    return {
        QStringLiteral("English"),   QStringLiteral("French"),      QStringLiteral("Spanish"),
        QStringLiteral("Sociology"), QStringLiteral("History"),     QStringLiteral("Geography"),
        QStringLiteral("Mathematics"), QStringLiteral("Physics"),   QStringLiteral("Chemistry"),
        QStringLiteral("Biology"),   QStringLiteral("Art"),         QStringLiteral("Physical education"),
    };
}
