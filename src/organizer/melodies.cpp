#include "organizer/melodies.h"

#include "platform/folders.h"
#include "platform/melodyplayer.h"

#include <QFileInfo>

const QStringList &builtinmelodynames()
{
    static const QStringList names = {QStringLiteral("Nylon"), QStringLiteral("Alarm"), QStringLiteral("Budoucnost"),
                                      QStringLiteral("Probuzen\u00ed"), QStringLiteral("Pseudonokia")};
    return names;
}

const QStringList &builtinmelodyfiles()
{
    static const QStringList files = {QStringLiteral("Nylon.mp3"), QStringLiteral("Alarm.mp3"),
                                      QStringLiteral("Budoucnost.mp3"), QStringLiteral("Probuzeni.mp3"),
                                      QStringLiteral("Pseudonokia.mp3")};
    return files;
}

QString melodyfile(int number, const QStringList &custommelodies)
{
    if (number < 0)
        return {};
    const int n = int(custommelodies.size());
    if (number > n + 4)
        number = 1;
    if (number >= builtinmelodycount) {
        const QString &path = custommelodies.at(number - builtinmelodycount);
        if (QFileInfo(path).isFile())
            return path;
        number = 0;
    }
    return folders::programfile(builtinmelodyfiles().at(number));
}

void setplayermelody(MelodyPlayer &player, int number, const QStringList &custommelodies)
{
    const QString path = melodyfile(number, custommelodies);
    if (!path.isEmpty())
        player.setfile(path);
}

QString melodyname(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? name : name.left(name.size() - suffix.size() - 1);
}

QStringList custommelodyentries(const QStringList &custommelodies)
{
    QStringList entries;
    for (const QString &path : custommelodies)
        entries << QFileInfo(path).fileName();
    return entries;
}

void renumbermelodies(std::vector<TCalItemRec> &calitems, int deleted)
{
    for (TCalItemRec &r : calitems) {
        int melody = qint8(r.melody); // stored as a signed byte
        if (melody == deleted)
            melody = 0;
        if (melody > deleted)
            melody -= 1;
        r.melody = quint8(qint8(melody));
    }
}
