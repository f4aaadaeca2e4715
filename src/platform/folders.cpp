#include "platform/folders.h"

#include "platform/collate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString getspecialfolder(int csidl)
{
    QStandardPaths::StandardLocation where;
    switch (csidl) {
    case folders::CSIDL_APPDATA:
        where = QStandardPaths::GenericDataLocation;
        break;
    case folders::CSIDL_DESKTOPDIRECTORY:
        where = QStandardPaths::DesktopLocation;
        break;
    default:
        return {};
    }
    QString path = QStandardPaths::writableLocation(where);
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

namespace folders {

QStringList programfolders()
{
    QStringList out;
    QString exedir = QCoreApplication::applicationDirPath();
    if (exedir.isEmpty())
        return out;
    const QString candidates[] = {
        exedir,
        QDir::cleanPath(exedir + QStringLiteral("/../share/quillmoter")),
    };
    for (const QString &dir : candidates) {
        if (QFileInfo(dir).isDir())
            out << dir;
    }
    return out;
}

QString programfile(const QString &name)
{
    const QStringList dirs = programfolders();
    for (const QString &dir : dirs) {
        const QString path = dir + QLatin1Char('/') + name;
        if (QFileInfo::exists(path))
            return path;
    }
    if (dirs.isEmpty())
        return name;
    return dirs.last() + QLatin1Char('/') + name;
}

QMap<QString, QString> filesbyname(const QStringList &folders, const QString &extension)
{
    QMap<QString, QString> files;
    for (const QString &folder : folders) {
        const QFileInfoList found = QDir(folder).entryInfoList({QStringLiteral("*.") + extension},
                                                                QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo &file : found) {
            const QString name = file.completeBaseName();
            if (!name.isEmpty() && !files.contains(name))
                files.insert(name, file.filePath());
        }
    }
    return files;
}

QStringList sortednames(const QMap<QString, QString> &files)
{
    QStringList names = files.keys();
    sortalphabetically(names);
    return names;
}

} // namespace folders
