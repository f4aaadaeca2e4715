#pragma once
// Bringing a database folder written by an older version of the program up
// to today's layouts: the version check with its messages and question, and
// the chain of steps, each rewriting some files from one layout to the next.
// Works on the files alone; callers load the folder afterwards.
//
// Each step is one change of the folder (see journal.h): its converted files
// and its own target version replace the old ones together, across a crash
// too, so a chain that stops part-way leaves a folder that the next attempt
// continues from the next step. The steps' conversions work on files in
// memory; running them on a folder reads and writes its files.

#include "database/database.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Checks the version of `folder` (ending with '/'), asks before upgrading,
// and runs the steps the folder needs. True when the folder now holds a
// current database; false (after a message, or a No) when it must not be
// used. A folder without "dbversion.dat" is refused here: only the start of
// a new database writes one.
bool actualdb(const QString &folder, const DbPrompts &prompts);

// The check alone, with its messages and question.
struct VersionCheck
{
    enum Result { refused, current, upgrade } result = refused;
    double from = 0; // upgrade: the version the steps start from
};
VersionCheck checkfolderversion(const QString &folder, const DbPrompts &prompts);

// What a step reads: the files of a folder by their names in it
// ("subjects/Autumn.dat" for a stored term).
class UpgradeSource
{
public:
    virtual ~UpgradeSource() = default;
    // The file's content, or nothing in `data` when it is missing. False
    // (with the reason in `error`) when it is there but cannot be read.
    virtual bool read(const QString &name, std::optional<QByteArray> &data, QString *error) const = 0;
    // The stored terms' files, "subjects/" + file name, in name order.
    virtual QStringList termfiles() const = 0;
    // How a message names the file.
    virtual QString where(const QString &name) const = 0;
};

// What a step writes besides its version: the new content of files.
struct UpgradeChanges
{
    void put(const QString &name, QByteArray data) { files.emplace_back(name, std::move(data)); }
    std::vector<std::pair<QString, QByteArray>> files;
};

// One step of the chain: its name, the version it writes, and its
// conversion, which gives false with the reason in `error` when it cannot be
// done. runstep() carries it out.
struct UpgradeStep
{
    QString name;
    QString target;
    std::function<bool(const UpgradeSource &source, UpgradeChanges &changes, QString *error)> convert;
};
const std::vector<UpgradeStep> &upgradesteps();

// Runs one step on a folder, as one change; or on files in memory (name ->
// content), which then hold what the folder would.
bool runstep(const QString &folder, const UpgradeStep &step, QString *error);
bool runstep(QMap<QString, QByteArray> &files, const UpgradeStep &step, QString *error);

// The steps that run on a folder of version `from`, in order: those whose
// target is greater.
std::vector<const UpgradeStep *> stepsfrom(double from);

// Runs those steps without asking. On failure the folder keeps the steps
// done so far (and their version); `error` says which step stopped and why.
bool runupgrade(const QString &folder, double from, QString *error);
bool runupgrade(QMap<QString, QByteArray> &files, double from, QString *error);

// The steps. A file a step converts that is missing is left missing (the
// load creates it empty or with its defaults); a grid file shorter than its
// one grid, or a time of day that does not read, stops the step before it
// writes anything.
bool convert10to11(const QString &folder, QString *error);
bool convert11to12(const QString &folder, QString *error);
bool convert12to13(const QString &folder, QString *error);
bool convert13to14(const QString &folder, QString *error);
bool convert14to15(const QString &folder, QString *error);
bool convert15to16(const QString &folder, QString *error);
bool convert16to17(const QString &folder, QString *error);
bool convert17to18(const QString &folder, QString *error);
bool convert18to19(const QString &folder, QString *error);
bool convert19to20(const QString &folder, QString *error);
bool convert20to21(const QString &folder, QString *error);

// The default category as versions before 2.0 stored it.
inline const QString olddefaultcategory = QStringLiteral("Neza\u0159azeno");

// Minutes after midnight of a time text of the old timetable grids
// ("7:05", "17:40:00"); an empty text is 0. Nothing when it does not read.
std::optional<int> gridtime(const QString &text);

// The question and the failure message.
inline const QString actualizequestion = QStringLiteral(
    "Database version is older than current organizer version. Do you want Quillmoter to actualize it? "
    "(keeping your data)");
inline const QString actualizefailed =
    QStringLiteral("Unable to actualize the database: %s##The files converted so far are kept.");
