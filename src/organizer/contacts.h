#pragma once
// Contacts without a window: the card text, photo numbers and photo files,
// name-day detection, and the contact import's mapping.

#include "database/records.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

class ContactSource;
class Database;

// Captions the card is put together from: the contact editor's labels and
// the "age" label, as translated; `dateformat` shows a day and month.
struct CardCaptions
{
    QString home = QStringLiteral("Home:");
    QString phone = QStringLiteral("Phone:");
    QString fax = QStringLiteral("Fax:");
    QString work = QStringLiteral("Work:");
    QString cellphone = QStringLiteral("Cellphone:");
    QString im1 = QStringLiteral("IM1:");
    QString im2 = QStringLiteral("IM2:");
    QString nameday = QStringLiteral("Name day:");
    QString birthday = QStringLiteral("Birthday:");
    QString age = QStringLiteral("age");
    QString dateformat = QStringLiteral("MMMM d");
};

// The lines of a contact's card: addresses, phones, addresses on the web,
// name day, birthday with the age, and the note.
QStringList contactcard(const TContactRec &contact, QDate today, const CardCaptions &captions = {});

// What a contact's print holds: two empty lines, the name, the company
// (also when empty), an empty line and the card's lines.
QStringList contactprintlines(const QString &name, const QString &company, const QStringList &card);

// A day and month of the year in `format`, in `year` where it exists, else
// in a leap year (29 February), else as "d.m." (a date no year has).
QString daymonthtext(int day, int month, int year, const QString &format);

// The smallest photo number no record holds (records without a name too).
int getnewphotoid(const std::vector<TContactRec> &contacts);

// The photo file of a photo number.
QString photofile(const Database &db, int photo);

// A photo number for a new contact: getnewphotoid, with any file left under
// that number deleted, so a new contact never shows someone else's photo.
int handoutphotoid(const Database &db, const std::vector<TContactRec> &contacts);

// Photos are stored with their longer side 80 pixels (a side of at least 1).
QSize photosize(QSize picture);
// The picture as it is stored: white, with the picture stretched over all
// but its last column and row.
QImage makephoto(const QImage &picture);
// Writes the photo as a Windows bitmap, whole or not at all.
bool savephoto(const QImage &photo, const QString &path, QString *error = nullptr);

// The picture a contact shows: its photo file, else "nophoto.bmp" beside
// the program, else a drawn placeholder. Never fails.
QImage contactphoto(const QString &path);

// A name-day detection's find: list line and the word of the name.
struct NameDayMatch
{
    int line;
    QString word;
};
constexpr int maxnamedaymatches = 20;
// The lines of `namedays` that hold a word of `name` as one of their
// comma-separated names (blanks ignored, A to Z without regard to case).
// None when there are more than maxnamedaymatches: the detection then ends.
std::optional<QList<NameDayMatch>> detectnameday(const QString &name, const QStringList &namedays);
// Day and month of a list line, counted by the empty lines above it; none
// for a line past the twelfth month or past the end of its month.
std::optional<std::pair<int, int>> namedayofline(const QStringList &namedays, int line);

// Captions of the import's note lines (hidden labels, translated).
struct ImportCaptions
{
    QString mainwork = QStringLiteral("Main work telephone");
    QString mailing = QStringLiteral("Mailing address");
    QString nickname = QStringLiteral("Nickname");
    QString jobtitle = QStringLiteral("Job title");
    QString profession = QStringLiteral("Profession");
    QString language = QStringLiteral("Language");
    QString hobbies = QStringLiteral("Hobbies");
    QString network = QStringLiteral("Computer network");
    QString office = QStringLiteral("Office");
    QString department = QStringLiteral("Department");
    QString primary = QStringLiteral("Primary telephone");
    QString other = QStringLiteral("Other telephone"); // numbers that found no field of their own
};

// The contact of one item of a source (its photo number left 0); texts are
// as they will be stored (windows-1250, 255 characters).
TContactRec importedcontact(const ContactSource &source, int item, const ImportCaptions &captions = {});

// Imports every item that has a name, each with a photo number of its own
// (never 0: a new record holds 0 while its number is looked for), and saves
// the contacts. Nothing is added when reading fails part-way:
// the reason is returned then, and is empty on success.
QString importcontacts(Database &db, const ContactSource &source, const ImportCaptions &captions = {},
                       int *added = nullptr);
