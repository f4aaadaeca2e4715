#include "platform/vcard.h"

#include "platform/ansi.h"
#include "platform/wholefile.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QDate>
#include <QStringDecoder>
#include <QStringList>

#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace {

// One content line taken apart: the name without its group, and the
// parameters this reader looks at.
struct Property
{
    QByteArray name;      // upper case
    QByteArrayList types; // upper case, from TYPE= and from 2.1's bare parameters
    QByteArray encoding;  // upper case
    QByteArray charset;
    bool pref = false;    // PREF=1
    QByteArray omityear;  // X-APPLE-OMIT-YEAR: the year that stands for none
    QByteArray value;     // as written: still encoded and escaped
};

using Card = std::vector<Property>;

// A logical line while it is put together from physical ones. The colon that
// ends the name and parameters is looked for only in what was added, so a
// long run of continuation lines costs linear time.
struct Pending
{
    QByteArray text;
    qsizetype colon = -1;
    qsizetype scanned = 0;
    bool quoted = false;
    bool quotedprintable = false;

    void scan()
    {
        for (; colon < 0 && scanned < text.size(); ++scanned) {
            const char c = text.at(scanned);
            if (c == '"') {
                quoted = !quoted;
            } else if (c == ':' && !quoted) {
                colon = scanned;
                quotedprintable = text.left(colon).toUpper().contains("QUOTED-PRINTABLE");
            }
        }
    }

    // A quoted-printable value ending in "=" goes on in the next line.
    bool softbreak() const { return quotedprintable && text.endsWith('='); }
};

bool isendcard(QByteArrayView line)
{
    // Only short lines can be it; spares copying long ones.
    return line.size() < 32 && QByteArray(line.data(), line.size()).trimmed().toUpper() == "END:VCARD";
}

// The file's logical lines: physical lines end with CR LF, LF or CR; a line
// starting with a blank continues the previous one without that blank, and a
// quoted-printable soft break ("=" at the end) joins the next line as it is.
std::vector<QByteArray> logicallines(const QByteArray &data)
{
    std::vector<QByteArray> lines;
    Pending pending;
    bool open = false;
    const auto finish = [&] {
        if (open)
            lines.push_back(std::move(pending.text));
        pending = Pending();
        open = false;
    };

    const qsizetype n = data.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype end = i;
        while (end < n && data.at(end) != '\r' && data.at(end) != '\n')
            ++end;
        const QByteArrayView line(data.constData() + i, end - i);
        i = end + 1;
        if (end + 1 < n && data.at(end) == '\r' && data.at(end + 1) == '\n')
            ++i;

        // A broken soft break must not swallow the end of the card.
        if (open && pending.softbreak() && !isendcard(line)) {
            pending.text.chop(1);
            pending.text.append(line);
        } else if (open && !line.isEmpty() && (line.front() == ' ' || line.front() == '\t')) {
            pending.text.append(line.sliced(1));
        } else if (line.isEmpty()) {
            finish();
            continue;
        } else {
            finish();
            pending.text = line.toByteArray();
            open = true;
        }
        pending.scan();
    }
    finish();
    return lines;
}

// Splits at every `separator` outside double quotes.
QByteArrayList splitunquoted(const QByteArray &text, char separator)
{
    QByteArrayList parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c == '"') {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            parts << text.mid(start, i - start);
            start = i + 1;
        }
    }
    parts << text.mid(start);
    return parts;
}

// Takes a logical line apart; false when it has no name or no colon.
bool parseline(const QByteArray &line, Property *p)
{
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line.at(i) == '"')
            quoted = !quoted;
        else if (line.at(i) == ':' && !quoted)
            colon = i;
    }
    if (colon < 0)
        colon = line.indexOf(':'); // an unbalanced quote: the plain first colon
    if (colon < 0)
        return false;

    const QByteArrayList head = splitunquoted(line.left(colon), ';');
    const QByteArray name = head.first().trimmed();
    p->name = name.mid(name.lastIndexOf('.') + 1).toUpper(); // without its group
    if (p->name.isEmpty())
        return false;
    p->value = line.mid(colon + 1);

    for (qsizetype k = 1; k < head.size(); ++k) {
        const QByteArray param = head.at(k).trimmed();
        const qsizetype equals = param.indexOf('=');
        if (equals < 0) {
            // 2.1 writes types and encodings bare: "TEL;HOME;VOICE:".
            const QByteArray bare = param.toUpper();
            if (bare == "QUOTED-PRINTABLE" || bare == "BASE64")
                p->encoding = bare;
            else if (!bare.isEmpty())
                p->types << bare;
            continue;
        }
        const QByteArray key = param.left(equals).trimmed().toUpper();
        QByteArray value = param.mid(equals + 1);
        value.replace('"', "");
        value = value.trimmed();
        if (key == "TYPE") {
            for (const QByteArray &type : value.split(',')) {
                const QByteArray t = type.trimmed().toUpper();
                if (!t.isEmpty())
                    p->types << t;
            }
        } else if (key == "ENCODING") {
            p->encoding = value.toUpper();
        } else if (key == "CHARSET") {
            p->charset = value;
        } else if (key == "PREF") {
            p->pref = p->pref || value == "1";
        } else if (key == "X-APPLE-OMIT-YEAR") {
            p->omityear = value;
        }
    }
    return true;
}

bool isvcard(const QByteArray &value)
{
    return value.size() < 32 && value.trimmed().toUpper() == "VCARD";
}

// The cards of the file, each with the properties this reader uses. A card
// cut off by the next BEGIN or by the end of the file keeps what it has; a
// card nested in a 2.1 AGENT property is left out.
std::vector<Card> readcards(const QByteArray &data)
{
    std::vector<Card> cards;
    Card card;
    bool open = false;
    bool agent = false; // the previous property was an AGENT waiting for its card
    int nested = 0;
    for (const QByteArray &line : logicallines(data)) {
        Property p;
        if (!parseline(line, &p))
            continue;
        if (p.name == "BEGIN" && isvcard(p.value)) {
            if (open && (agent || nested > 0)) {
                ++nested;
                agent = false;
                continue;
            }
            if (open)
                cards.push_back(std::move(card));
            card.clear();
            open = true;
            agent = false;
            continue;
        }
        if (p.name == "END" && isvcard(p.value)) {
            if (nested > 0) {
                --nested;
                continue;
            }
            if (open)
                cards.push_back(std::move(card));
            card.clear();
            open = false;
            continue;
        }
        if (!open || nested > 0)
            continue;
        agent = p.name == "AGENT" && p.value.trimmed().isEmpty();
        // Extensions and pictures are of no use here, but for the one that
        // marks a group in 3.0 address books.
        if ((p.name.startsWith("X-") && p.name != "X-ADDRESSBOOKSERVER-KIND") || p.encoding == "BASE64"
            || p.encoding == "B")
            continue;
        card.push_back(std::move(p));
    }
    if (open)
        cards.push_back(std::move(card));
    return cards;
}

// A card that stands for a group of other cards (4.0's KIND, and the
// extension 3.0 address books write), not for a person.
bool isgroup(const Card &card)
{
    for (const Property &p : card) {
        if ((p.name == "KIND" || p.name == "X-ADDRESSBOOKSERVER-KIND") && p.value.trimmed().toLower() == "group")
            return true;
    }
    return false;
}

int hexvalue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray quotedprintable(const QByteArray &encoded)
{
    QByteArray out;
    out.reserve(encoded.size());
    const qsizetype n = encoded.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = encoded.at(i);
        if (c != '=') {
            out += c;
            continue;
        }
        const int high = i + 1 < n ? hexvalue(encoded.at(i + 1)) : -1;
        const int low = i + 2 < n ? hexvalue(encoded.at(i + 2)) : -1;
        if (high >= 0 && low >= 0) {
            out += char(high * 16 + low);
            i += 2;
        } else if (i + 1 < n) {
            out += c; // no escape after all: kept as written
        } // a final "=" is a soft break with nothing after it
    }
    return out;
}

bool iswindows1250(const QByteArray &name)
{
    return name == "windows-1250" || name == "windows1250" || name == "cp1250" || name == "cp-1250"
           || name == "x-cp1250";
}

// Text from a value's bytes. Without a charset (or with one Qt does not know)
// it is UTF-8; `guess` (2.1) reads bytes that are not valid UTF-8 as
// windows-1250 instead, as older Windows programs wrote them.
QString decodebytes(const QByteArray &bytes, const QByteArray &charset, bool guess)
{
    const QByteArray name = charset.trimmed().toLower();
    if (iswindows1250(name))
        return ansi::decode(bytes); // not every Qt build has this one
    if (!name.isEmpty()) {
        QStringDecoder decoder(name.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (guess && utf8.hasError())
        return ansi::decode(bytes);
    return text;
}

QString decodevalue(const Property &p, bool v21)
{
    const QByteArray bytes = p.encoding == "QUOTED-PRINTABLE" ? quotedprintable(p.value) : p.value;
    return decodebytes(bytes, p.charset, v21);
}

// 3.0 and 4.0 escape "\n", "\,", "\;" and "\\"; any other escaped character
// stands for itself. 2.1 escapes only ";", and keeps other backslashes as text.
QString unescape(const QString &text, bool v21)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(i + 1);
        if (v21 && next != u';') {
            out += c;
            continue;
        }
        out += (next == u'n' || next == u'N') ? QChar(u'\n') : next;
        ++i;
    }
    return out;
}

// Splits at every `separator` no backslash escapes; the parts keep their escapes.
QStringList splitescaped(const QString &text, QChar separator)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\\') {
            ++i;
        } else if (text.at(i) == separator) {
            parts << text.mid(start, i - start);
            start = i + 1;
        }
    }
    parts << text.mid(start);
    return parts;
}

// The parts of a list or of a structured value (N, ADR, ORG), unescaped and trimmed.
QStringList splitvalue(const QString &text, QChar separator, bool v21)
{
    QStringList parts = splitescaped(text, separator);
    for (QString &part : parts)
        part = unescape(part, v21).trimmed();
    return parts;
}

// The non-empty lines of a text, trimmed.
QStringList textlines(const QString &text)
{
    QStringList lines;
    for (const QString &line : wholefile::splitlines(text)) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines << trimmed;
    }
    return lines;
}

// ADR parts (post box; extended; street; locality; region; postal code;
// country) as address lines.
QString addresstext(const QStringList &parts)
{
    const auto part = [&](qsizetype k) { return k < parts.size() ? parts.at(k) : QString(); };
    QStringList lines;
    lines << textlines(part(0)) << textlines(part(1)) << textlines(part(2));
    // "postal code locality, region" on one line.
    QStringList place;
    for (const QString &s : {part(5), part(3)}) {
        if (!s.isEmpty())
            place << s;
    }
    QString placeline = place.join(u' ');
    const QString region = part(4);
    if (!region.isEmpty())
        placeline = placeline.isEmpty() ? region : placeline + QStringLiteral(", ") + region;
    lines << textlines(placeline) << textlines(part(6));
    return lines.join(QStringLiteral("\r\n"));
}

bool isdigits(QStringView text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !text.isEmpty();
}

// BDAY as 19900517, 1990-05-17 (either with a time after "T") or, without a
// year, --0517 or --05-17. Anything else, or a day the calendar lacks, is no
// birthday.
std::optional<SourceDate> birthdayof(const QString &value)
{
    QStringView date = QStringView(value).trimmed();
    const qsizetype t = date.indexOf(u'T', 0, Qt::CaseInsensitive);
    if (t >= 0)
        date = date.left(t);

    QStringView year, month, day;
    if (date.startsWith(u"--")) {
        date = date.sliced(2);
        if (date.size() == 4) {
            month = date.sliced(0, 2);
            day = date.sliced(2);
        } else if (date.size() == 5 && date.at(2) == u'-') {
            month = date.sliced(0, 2);
            day = date.sliced(3);
        }
    } else if (date.size() == 8) {
        year = date.sliced(0, 4);
        month = date.sliced(4, 2);
        day = date.sliced(6);
    } else if (date.size() == 10 && date.at(4) == u'-' && date.at(7) == u'-') {
        year = date.sliced(0, 4);
        month = date.sliced(5, 2);
        day = date.sliced(8);
    }
    if (!isdigits(month) || !isdigits(day) || !(year.isEmpty() || isdigits(year)))
        return std::nullopt;

    SourceDate d;
    d.day = day.toInt();
    d.month = month.toInt();
    d.year = year.isEmpty() ? 0 : year.toInt();
    // 4501 and up would read as "no date"; a leap year checks a day without one.
    if (!year.isEmpty() && (d.year < 1 || d.year > 4500))
        return std::nullopt;
    if (!QDate(d.year == 0 ? 2000 : d.year, d.month, d.day).isValid())
        return std::nullopt;
    return d;
}

bool has(const QByteArrayList &types, const char *type)
{
    return types.contains(QByteArray(type));
}

struct Typed
{
    QString text;
    QByteArrayList types;
    bool pref = false;
};

// The `nth` text among `list` whose types `accept` takes.
template <typename Accept>
QString pick(const std::vector<Typed> &list, Accept accept, int nth = 0)
{
    for (const Typed &t : list) {
        if (accept(t.types) && nth-- == 0)
            return t.text;
    }
    return {};
}

// The phone numbers under the names the import asks for. Typed numbers go
// to their fields first. A number with no home, work or mobile type (plain,
// VOICE, OTHER: what most address books write) then takes the first free
// home or work number, an untyped fax the first free fax; what finds no
// field is listed as another number, so no number is lost.
template <typename Put>
void putphones(const std::vector<Typed> &phones, Put put)
{
    std::vector<bool> placed(phones.size());
    // The `nth` number `accept` takes, marked as placed.
    const auto typed = [&](auto accept, int nth = 0) {
        for (size_t k = 0; k < phones.size(); ++k) {
            if (accept(phones[k].types) && nth-- == 0) {
                placed[k] = true;
                return phones[k].text;
            }
        }
        return QString();
    };
    const auto home = [](const QByteArrayList &t) { return has(t, "HOME") && !has(t, "FAX"); };
    const auto work = [](const QByteArrayList &t) { return has(t, "WORK") && !has(t, "FAX"); };
    struct Field
    {
        const char *name;
        QString text;
    };
    Field phonefields[] = {{"hometelephonenumber", typed(home)},
                           {"home2telephonenumber", typed(home, 1)},
                           {"businesstelephonenumber", typed(work)},
                           {"business2telephonenumber", typed(work, 1)}};
    Field faxfields[] = {
        {"homefaxnumber", typed([](const QByteArrayList &t) { return has(t, "HOME") && has(t, "FAX"); })},
        {"businessfaxnumber", typed([](const QByteArrayList &t) { return has(t, "WORK") && has(t, "FAX"); })}};
    put("mobiletelephonenumber", typed([](const QByteArrayList &t) { return has(t, "CELL"); }));
    put("isdnnumber", typed([](const QByteArrayList &t) { return has(t, "ISDN"); }));
    put("companymaintelephonenumber", typed([](const QByteArrayList &t) {
            return has(t, "MAIN") || has(t, "X-COMPANY-MAIN") || has(t, "MAIN-NUMBER");
        }));

    QStringList others;
    for (size_t k = 0; k < phones.size(); ++k) {
        if (placed[k])
            continue;
        const QByteArrayList &t = phones[k].types;
        Field *field = nullptr;
        if (!has(t, "HOME") && !has(t, "WORK") && !has(t, "CELL")) {
            for (Field &f : has(t, "FAX") ? std::span<Field>(faxfields) : std::span<Field>(phonefields)) {
                if (f.text.isEmpty()) {
                    field = &f;
                    break;
                }
            }
        }
        if (field)
            field->text = phones[k].text;
        else
            others << phones[k].text;
    }
    for (const Field &f : phonefields)
        put(f.name, f.text);
    for (const Field &f : faxfields)
        put(f.name, f.text);
    put("othertelephonenumber", others.join(QStringLiteral(", ")));
}

// The texts of one card under the lowercase names the import asks for.
QHash<QString, QString> cardtexts(const Card &card, SourceDate *birthday)
{
    bool v21 = false;
    for (const Property &p : card) {
        if (p.name == "VERSION") {
            v21 = p.value.trimmed().startsWith('2');
            break;
        }
    }

    QString fullname, namefromparts, company, department, nickname, label;
    QString title, role, language, hobby;
    std::vector<Typed> phones, urls, addresses;
    QStringList emails;
    std::optional<SourceDate> bday;

    const auto firstof = [](QString *field, const QString &value) {
        if (field->isEmpty())
            *field = value;
    };
    for (const Property &p : card) {
        const QString value = decodevalue(p, v21);
        const QString text = unescape(value, v21).trimmed();
        if (p.name == "FN") {
            firstof(&fullname, text);
        } else if (p.name == "N") {
            const QStringList parts = splitvalue(value, u';', v21);
            QStringList names;
            for (qsizetype k : {1, 0}) {
                if (k < parts.size() && !parts.at(k).isEmpty())
                    names << parts.at(k);
            }
            firstof(&namefromparts, names.join(u' '));
        } else if (p.name == "ORG") {
            const QStringList parts = splitvalue(value, u';', v21);
            if (company.isEmpty() && department.isEmpty()) {
                company = parts.value(0);
                department = parts.value(1);
            }
        } else if (p.name == "TEL") {
            QString number = text;
            if (number.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive))
                number = number.sliced(4).trimmed();
            if (!number.isEmpty())
                phones.push_back({number, p.types, p.pref || has(p.types, "PREF")});
        } else if (p.name == "EMAIL") {
            if (!text.isEmpty())
                emails << text;
        } else if (p.name == "URL") {
            if (!text.isEmpty())
                urls.push_back({text, p.types});
        } else if (p.name == "ADR") {
            const QString address = addresstext(splitvalue(value, u';', v21));
            if (!address.isEmpty())
                addresses.push_back({address, p.types});
        } else if (p.name == "LABEL") {
            if (has(p.types, "POSTAL"))
                firstof(&label, textlines(text).join(QStringLiteral("\r\n")));
        } else if (p.name == "NICKNAME") {
            for (const QString &nick : splitvalue(value, u',', v21))
                firstof(&nickname, nick);
        } else if (p.name == "TITLE") {
            firstof(&title, text);
        } else if (p.name == "ROLE") {
            firstof(&role, text);
        } else if (p.name == "LANG") {
            firstof(&language, text);
        } else if (p.name == "HOBBY") {
            firstof(&hobby, text);
        } else if (p.name == "BDAY" && !bday) {
            bday = birthdayof(text);
            // Address books write a year of their own (1604) for "no year".
            if (bday && !p.omityear.isEmpty() && bday->year == p.omityear.toInt())
                bday->year = 0;
        }
    }

    QHash<QString, QString> texts;
    const auto put = [&texts](const char *name, const QString &value) {
        if (!value.isEmpty())
            texts.insert(QString::fromLatin1(name), value);
    };
    put("fullname", fullname.isEmpty() ? namefromparts : fullname);
    put("companyname", company);
    put("department", department);

    putphones(phones, put);
    for (const Typed &phone : phones) {
        if (phone.pref) {
            put("primarytelephonenumber", phone.text);
            break;
        }
    }

    put("email1address", emails.value(0));
    put("email2address", emails.value(1));
    put("email3address", emails.value(2));

    put("homeaddress", pick(addresses, [](const QByteArrayList &t) { return has(t, "HOME"); }));
    put("businessaddress", pick(addresses, [](const QByteArrayList &t) { return has(t, "WORK"); }));
    const QString postal = pick(addresses, [](const QByteArrayList &t) { return has(t, "POSTAL"); });
    put("mailingaddress", postal.isEmpty() ? label : postal);

    put("nickname", nickname);
    put("jobtitle", title);
    put("profession", role);
    put("language", language);
    put("hobby", hobby);

    const QString untyped = pick(urls, [](const QByteArrayList &t) { return !has(t, "HOME") && !has(t, "WORK"); });
    put("webpage", untyped.isEmpty() && !urls.empty() ? urls.front().text : untyped);
    put("businesshomepage", pick(urls, [](const QByteArrayList &t) { return has(t, "WORK"); }));
    put("personalhomepage", pick(urls, [](const QByteArrayList &t) { return has(t, "HOME"); }));

    *birthday = bday.value_or(SourceDate());
    return texts;
}

} // namespace

std::optional<VCardSource> VCardSource::readvcard(const QString &path, QString *error)
{
    // Address books with photos are larger than settings or lists.
    const std::optional<QByteArray> data = wholefile::read(path, error, wholefile::recordlimit);
    if (!data)
        return std::nullopt;
    return fromdata(*data);
}

VCardSource VCardSource::fromdata(QByteArray data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3); // a UTF-8 byte order mark would hide the first BEGIN

    VCardSource source;
    for (const Card &card : readcards(data)) {
        if (isgroup(card))
            continue;
        Item item;
        item.texts = cardtexts(card, &item.birthday);
        source.items_.push_back(std::move(item));
    }
    return source;
}

int VCardSource::count() const
{
    return int(items_.size());
}

QString VCardSource::text(int item, const QString &property) const
{
    if (item < 0 || item >= count())
        return {};
    return items_[size_t(item)].texts.value(property.toLower());
}

SourceDate VCardSource::birthday(int item) const
{
    if (item < 0 || item >= count())
        return {};
    return items_[size_t(item)].birthday;
}
