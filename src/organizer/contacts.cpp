#include "organizer/contacts.h"

#include "database/database.h"
#include "organizer/anniversaries.h"
#include "platform/ansi.h"
#include "platform/contactsource.h"
#include "platform/folders.h"
#include "platform/hashtext.h"
#include "platform/wholefile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>

namespace {

constexpr int photoside = 80;

QSet<int> photosinuse(const std::vector<TContactRec> &contacts)
{
    QSet<int> taken;
    for (const TContactRec &c : contacts)
        taken.insert(c.photo);
    return taken;
}

int smallestfree(const QSet<int> &taken)
{
    int n = 0;
    while (taken.contains(n))
        ++n;
    return n;
}

// A text as the record keeps it: windows-1250, so what the list shows is
// what the file will hold.
QString stored(const QString &text)
{
    return ansi::decode(ansi::encode(ansi::cut(text, 255)));
}

// The lines of a multi-line value joined with '#'.
QString hashlines(const QString &value)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n"));
    return value.split(breaks).join(QLatin1Char('#'));
}

} // namespace

QString daymonthtext(int day, int month, int year, const QString &format)
{
    QDate date(year, month, day);
    if (!date.isValid())
        date = QDate(2000, month, day); // a leap year: 29 February stands
    if (!date.isValid())
        return QStringLiteral("%1.%2.").arg(day).arg(month);
    return QLocale().toString(date, format);
}

QStringList contactcard(const TContactRec &c, QDate today, const CardCaptions &captions)
{
    QStringList lines;
    auto block = [&](const QString &caption, const QString &phone, const QString &fax, const QString &address) {
        if (phone.isEmpty() && fax.isEmpty() && address.isEmpty())
            return;
        lines << caption;
        if (!phone.isEmpty())
            lines << captions.phone + QLatin1Char(' ') + phone;
        if (!fax.isEmpty())
            lines << captions.fax + QLatin1Char(' ') + fax;
        if (!address.isEmpty())
            hashtolines(address, lines);
        lines << QString();
    };
    block(captions.home, c.homephone, c.homefax, c.homeaddress);
    block(captions.work, c.workphone, c.workfax, c.workaddress);
    if (!c.cellphone.isEmpty())
        lines << captions.cellphone + QLatin1Char(' ') + c.cellphone.text() << QString();
    if (!c.webpage.isEmpty() && c.webpage.text() != QLatin1String("http://"))
        lines << QStringLiteral("WWW: ") + c.webpage.text();
    if (!c.email1.isEmpty())
        lines << QStringLiteral("email1: ") + c.email1.text();
    if (!c.email2.isEmpty())
        lines << QStringLiteral("email2: ") + c.email2.text();
    if (!c.im1.isEmpty())
        lines << captions.im1 + QLatin1Char(' ') + c.im1.text();
    if (!c.im2.isEmpty())
        lines << captions.im2 + QLatin1Char(' ') + c.im2.text();
    lines << QString();
    if (c.nameday != 0)
        lines << captions.nameday + QLatin1Char(' ')
                     + daymonthtext(c.nameday, c.namedaymonth, today.year(), captions.dateformat);
    if (c.birthday != 0) {
        lines << captions.birthday + QLatin1Char(' ')
                     + daymonthtext(c.birthday, c.birthmonth, today.year(), captions.dateformat);
        if (c.birthyear != 0)
            lines.last() += QLatin1Char(' ') + QString::number(c.birthyear) + QStringLiteral(", ") + captions.age
                            + QStringLiteral(": ") + QString::number(countage(c, today));
    }
    lines << QString();
    if (!c.note.isEmpty())
        hashtolines(c.note, lines);
    return lines;
}

int getnewphotoid(const std::vector<TContactRec> &contacts)
{
    return smallestfree(photosinuse(contacts));
}

QString photofile(const Database &db, int photo)
{
    return db.path(dbfolder::photos + QLatin1Char('/') + QString::number(photo) + QStringLiteral(".bmp"));
}

int handoutphotoid(const Database &db, const std::vector<TContactRec> &contacts)
{
    const int photo = getnewphotoid(contacts);
    QFile::remove(photofile(db, photo)); // left by a contact never saved
    return photo;
}

QSize photosize(QSize picture)
{
    const int w = picture.width(), h = picture.height();
    if (w <= 0 || h <= 0 || w == h)
        return {photoside, photoside};
    if (w > h)
        return {photoside, std::max(1, int(h * double(photoside) / w))};
    return {std::max(1, int(w * double(photoside) / h)), photoside};
}

QImage makephoto(const QImage &picture)
{
    const QSize size = photosize(picture.size());
    QImage photo(size, QImage::Format_RGB32);
    photo.fill(Qt::white);
    QPainter painter(&photo);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(0, 0, size.width() - 1, size.height() - 1), picture);
    return photo;
}

bool savephoto(const QImage &photo, const QString &path, QString *error)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!photo.save(&buffer, "BMP")) {
        if (error)
            *error = QStringLiteral("The picture could not be turned into a bitmap.");
        return false;
    }
    return wholefile::save(path, buffer.data(), error);
}

namespace {

// The picture of a contact without a photo: read once, as most contacts
// show it; a plain head and shoulders when the file beside the program is
// missing or unreadable.
QImage nophoto()
{
    QImage picture(folders::programfile(QStringLiteral("nophoto.bmp")));
    if (!picture.isNull())
        return picture;
    QImage placeholder(photoside, photoside, QImage::Format_RGB32);
    placeholder.fill(QColor(0xE8, 0xEE, 0xF5));
    QPainter painter(&placeholder);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xA9, 0xBC, 0xD3));
    painter.drawEllipse(QRectF(26, 14, 28, 28));
    painter.drawEllipse(QRectF(12, 46, 56, 48));
    return placeholder;
}

} // namespace

QImage contactphoto(const QString &path)
{
    QImage photo;
    if (QFileInfo(path).isFile())
        photo.load(path);
    if (!photo.isNull())
        return photo;
    static const QImage none = nophoto();
    return none;
}

std::optional<QList<NameDayMatch>> detectnameday(const QString &name, const QStringList &namedays)
{
    const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QList<NameDayMatch> matches;
    for (const QString &word : words) {
        for (int i = 0; i < int(namedays.size()); ++i) {
            QString line = namedays.at(i) + QLatin1Char(',');
            line.remove(QLatin1Char(' '));
            const QStringList pieces = line.split(QLatin1Char(','));
            // The piece after the last comma is what the comma added.
            for (qsizetype p = 0; p + 1 < pieces.size(); ++p) {
                if (!sameignoringasciicase(pieces.at(p), word))
                    continue;
                if (matches.size() == maxnamedaymatches)
                    return std::nullopt;
                matches.push_back({i, word});
            }
        }
    }
    return matches;
}

std::optional<std::pair<int, int>> namedayofline(const QStringList &namedays, int line)
{
    if (line < 0 || line >= namedays.size())
        return std::nullopt;
    int month = 1;
    int lastempty = -1;
    for (int i = 0; i < line; ++i) {
        if (namedays.at(i).isEmpty()) {
            ++month;
            lastempty = i;
        }
    }
    const int day = lastempty < 0 ? line + 1 : line - lastempty;
    if (month > 12 || !QDate(2000, month, day).isValid())
        return std::nullopt;
    return std::make_pair(day, month);
}

TContactRec importedcontact(const ContactSource &source, int item, const ImportCaptions &captions)
{
    auto value = [&](const char *property) { return source.text(item, QLatin1String(property)); };
    TContactRec c;
    c.name = stored(value("fullname"));
    c.company = stored(value("companyname"));
    c.homephone = stored(value("HomeTelephoneNumber") + QLatin1Char(' ') + value("Home2TelephoneNumber"));
    c.homefax = stored(value("HomeFaxNumber"));
    c.workphone = stored(value("Businesstelephonenumber") + QLatin1Char(' ') + value("business2telephonenumber"));
    c.workfax = stored(value("businessfaxnumber"));
    c.cellphone = stored(value("mobiletelephonenumber"));
    c.email1 = stored(value("email1address"));
    c.email2 = stored(value("email2address"));
    const QString home = value("homeaddress");
    const QString business = value("businessaddress");
    c.homeaddress = stored(hashlines(home));
    c.workaddress = stored(hashlines(business));

    // Each note line only when its value is there; a full note takes no more.
    QString note;
    auto addline = [&](const QString &caption, const QString &text) {
        if (!text.isEmpty())
            note = stored(note + QLatin1Char('#') + caption + text);
    };
    auto withcaption = [](const QString &caption) { return caption + QStringLiteral(": "); };
    addline(withcaption(captions.mainwork), value("CompanyMainTelephoneNumber"));
    addline(QStringLiteral("email3: "), value("email3address"));
    const QString mailing = value("mailingaddress");
    if (mailing != home && mailing != business)
        addline(withcaption(captions.mailing), hashlines(mailing));
    addline(withcaption(captions.nickname), value("nickname"));
    addline(withcaption(captions.jobtitle), value("jobtitle"));

    QString web = value("webpage");
    for (const char *other : {"businesshomepage", "personalhomepage"}) {
        const QString page = value(other);
        if (!page.isEmpty() && page != value("webpage"))
            web += QStringLiteral(", ") + page;
    }
    c.webpage = stored(web);

    addline(withcaption(captions.profession), value("Profession"));
    addline(withcaption(captions.language), value("Language"));
    addline(QStringLiteral("FTP: "), value("FTPSite"));
    addline(withcaption(captions.hobbies), value("Hobby"));
    addline(QStringLiteral("ISDN: "), value("ISDNnumber"));
    addline(withcaption(captions.network), value("ComputerNetworkName"));
    addline(withcaption(captions.office), value("OfficeLocation"));
    addline(QStringLiteral("GovernmentIDNumber: "), value("GovernmentIDNumber"));
    addline(QStringLiteral("OrganizationalIDNumber: "), value("OrganizationalIDNumber"));
    addline(withcaption(captions.department), value("Department"));
    addline(withcaption(captions.primary), value("PrimaryTelephoneNumber"));
    addline(withcaption(captions.other), value("OtherTelephoneNumber"));
    c.note = note;

    const SourceDate birthday = source.birthday(item);
    if (birthday.year != 4501 && QDate(2000, birthday.month, birthday.day).isValid()) {
        c.birthday = quint16(birthday.day);
        c.birthmonth = quint16(birthday.month);
        c.birthyear = quint16(std::clamp(birthday.year, 0, 65535));
    }
    return c;
}

QString importcontacts(Database &db, const ContactSource &source, const ImportCaptions &captions, int *added)
{
    if (added)
        *added = 0;
    // Everything is read before anything is added: a failure part-way leaves
    // the contacts as they were, and a second try adds nothing twice.
    const int count = source.count();
    if (!source.failure().isEmpty())
        return source.failure();
    std::vector<TContactRec> fresh;
    for (int item = 0; item < count; ++item) {
        TContactRec c = importedcontact(source, item, captions);
        if (!source.failure().isEmpty())
            return source.failure();
        if (!c.name.isEmpty())
            fresh.push_back(std::move(c));
    }
    QSet<int> taken = photosinuse(db.contacts);
    taken.insert(0); // held by each new record while its number is looked for
    for (TContactRec &c : fresh) {
        c.photo = qint16(smallestfree(taken));
        taken.insert(c.photo);
        QFile::remove(photofile(db, c.photo));
        db.contacts.push_back(std::move(c));
    }
    if (added)
        *added = int(fresh.size());
    db.savecontacts();
    return {};
}

QStringList contactprintlines(const QString &name, const QString &company, const QStringList &card)
{
    return QStringList{QString(), QString(), name, company, QString()} + card;
}
