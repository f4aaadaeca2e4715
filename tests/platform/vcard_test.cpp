#include "platform/vcard.h"

#include "platform/ansi.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QTemporaryDir>

#include <iterator>
#include <random>
#include <tuple>

using testsupport::writefile;

namespace {

// Every byte outside printable ASCII, and "=" itself, as "=XX".
QByteArray qp(const QByteArray &bytes)
{
    QByteArray out;
    for (const char c : bytes) {
        const auto b = uchar(c);
        if (b < 0x20 || b > 0x7E || b == '=')
            out += '=' + QByteArray::number(b, 16).toUpper().rightJustified(2, '0');
        else
            out += c;
    }
    return out;
}

// Text as quoted-printable windows-1250.
QByteArray qp1250(const QString &text)
{
    return qp(ansi::encode(text));
}

std::tuple<int, int, int> dmy(const SourceDate &d)
{
    return {d.day, d.month, d.year};
}

const std::tuple<int, int, int> nodate = dmy(SourceDate{});

class VCardTest : public ::testing::Test
{
protected:
    // Writes `data` into a new file and reads it.
    std::optional<VCardSource> read(const QByteArray &data)
    {
        const QString path = dir.filePath(QStringLiteral("cards%1.vcf").arg(++files));
        EXPECT_TRUE(writefile(path, data));
        QString error;
        std::optional<VCardSource> source = VCardSource::readvcard(path, &error);
        EXPECT_TRUE(source) << error.toStdString();
        return source;
    }

    QTemporaryDir dir;
    int files = 0;
};

} // namespace

TEST_F(VCardTest, Version21QuotedPrintableAndCharsets)
{
    const QByteArray qpcharset = ";CHARSET=windows-1250;ENCODING=QUOTED-PRINTABLE:";
    QByteArray data = "BEGIN:VCARD\r\nVERSION:2.1\r\n";
    data += "N" + qpcharset + qp1250(QStringLiteral("Žák")) + ";" + qp1250(QStringLiteral("Řehoř")) + "\r\n";
    // A soft line break in the middle of the name.
    data += "FN" + qpcharset + qp1250(QStringLiteral("Řeh")) + "=\r\n" + qp1250(QStringLiteral("oř Žák")) + "\r\n";
    data += "ORG" + qpcharset + qp1250(QStringLiteral("Škola")) + ";" + qp1250(QStringLiteral("Třída 5.A")) + "\r\n";
    data += "TEL;HOME;VOICE:+420 111\r\nTEL;WORK;FAX:+420 222\r\nTEL;CELL;PREF:+420 333\r\nTEL;PREF;HOME:+420 444\r\n";
    // A picture, folded and ended by a blank line, is skipped; its last line's "=" is no soft break.
    data += "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n /9j/4AAQ\r\n SkZJRg==\r\n\r\n";
    // Some writers leave base64 lines unindented.
    data += "LOGO;BASE64:\r\nR0lGODlh\r\nAQABAA==\r\n\r\n";
    data += "EMAIL;INTERNET:zak@skola.cz\r\n";
    data += "ADR;HOME" + qpcharset + ";;" + qp1250(QStringLiteral("Dlouhá 5\r\nDvůr")) + ";"
            + qp1250(QStringLiteral("Plzeň")) + ";;301 00;" + qp1250(QStringLiteral("Česká republika")) + "\r\n";
    data += "LABEL;POSTAL" + qpcharset + qp1250(QStringLiteral("P. O. Box 7\r\n301 00 Plzeň")) + "\r\n";
    data += "HOBBY;CHARSET=windows-1250;ENCODING=QUOTED-PRINTABLE:=9aachy\r\n"; // lower-case hex
    data += "TITLE:C:\\Temp\\n\r\n";                                           // 2.1 has no "\n" escape
    data += "BDAY:19900517\r\nEND:VCARD\r\n";
    // No CHARSET: valid UTF-8 reads as UTF-8, other bytes as windows-1250.
    data += "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Jiří Čížek\r\nEND:VCARD\r\n";
    data += "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:" + ansi::encode(QStringLiteral("Jiří Čížek")) + "\r\nEND:VCARD\r\n";
    data += "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:" + qp("Ji\xC5\x99\xC3\xAD")
            + "\r\nEND:VCARD\r\n";
    // Š and á in ISO-8859-2, where windows-1250 has © for the first byte.
    data += "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=ISO-8859-2;ENCODING=QUOTED-PRINTABLE:=A9=E1rka\r\nEND:VCARD\r\n";

    const std::optional<VCardSource> source = read(data);
    ASSERT_TRUE(source);
    ASSERT_EQ(source->count(), 5);
    const VCardSource &s = *source;
    EXPECT_EQ(s.text(0, "fullname"), QStringLiteral("Řehoř Žák"));
    EXPECT_EQ(s.text(0, "companyname"), QStringLiteral("Škola"));
    EXPECT_EQ(s.text(0, "Department"), QStringLiteral("Třída 5.A"));
    EXPECT_EQ(s.text(0, "HomeTelephoneNumber"), QStringLiteral("+420 111"));
    EXPECT_EQ(s.text(0, "Home2TelephoneNumber"), QStringLiteral("+420 444"));
    EXPECT_EQ(s.text(0, "businessfaxnumber"), QStringLiteral("+420 222"));
    EXPECT_EQ(s.text(0, "Businesstelephonenumber"), QString());
    EXPECT_EQ(s.text(0, "mobiletelephonenumber"), QStringLiteral("+420 333"));
    EXPECT_EQ(s.text(0, "PrimaryTelephoneNumber"), QStringLiteral("+420 333"));
    EXPECT_EQ(s.text(0, "email1address"), QStringLiteral("zak@skola.cz"));
    EXPECT_EQ(s.text(0, "homeaddress"), QStringLiteral("Dlouhá 5\r\nDvůr\r\n301 00 Plzeň\r\nČeská republika"));
    EXPECT_EQ(s.text(0, "mailingaddress"), QStringLiteral("P. O. Box 7\r\n301 00 Plzeň"));
    EXPECT_EQ(s.text(0, "Hobby"), QStringLiteral("šachy"));
    EXPECT_EQ(s.text(0, "jobtitle"), QStringLiteral("C:\\Temp\\n"));
    EXPECT_EQ(dmy(s.birthday(0)), std::make_tuple(17, 5, 1990));

    EXPECT_EQ(s.text(1, "fullname"), QStringLiteral("Jiří Čížek"));
    EXPECT_EQ(s.text(2, "fullname"), QStringLiteral("Jiří Čížek"));
    EXPECT_EQ(s.text(3, "fullname"), QStringLiteral("Jiří"));
    if (QStringDecoder("ISO-8859-2").isValid()) { // Qt knows it only when built with ICU
        EXPECT_EQ(s.text(4, "fullname"), QStringLiteral("Šárka"));
    }
}

TEST_F(VCardTest, Version30EscapesTypeListsAndAddresses)
{
    // LF line ends, names and parameters in any case.
    const QByteArray data = "begin:vcard\n"
                            "VERSION:3.0\n"
                            "FN:Jan Novák\\, ml.\n"
                            "N:Novák;Jan;;;\n"
                            "ORG:Firma\\, s.r.o.;Účtárna\\;sklad\n"
                            "Title:Vedoucí\\nskladu\\\\A\n"
                            "ROLE:Účetní\n"
                            "tel;type=HOME,VOICE:111\n"
                            "TEL;TYPE=home;TYPE=voice:222\n"
                            "TEL;TYPE=HOME;TYPE=FAX:333\n"
                            "TEL;TYPE=WORK:444\n"
                            "TEL;TYPE=work,fax:555\n"
                            "TEL;TYPE=WORK,VOICE:666\n"
                            "TEL;TYPE=ISDN:777\n"
                            "TEL;TYPE=X-COMPANY-MAIN:888\n"
                            "TEL;TYPE=pref,CELL:999\n"
                            "TEL;TYPE=HOME:000\n"
                            "TEL;TYPE=HOME:\n"
                            "EMAIL;TYPE=INTERNET:\n"
                            "EMAIL;TYPE=INTERNET:a@x.cz\n"
                            "EMAIL;TYPE=INTERNET,PREF:b@x.cz\n"
                            "EMAIL:c@x.cz\n"
                            "EMAIL:d@x.cz\n"
                            "ADR;TYPE=HOME:;;Dlouhá 5\\nBlok B;Praha;;110 00;Česko\n"
                            "ADR;TYPE=WORK,POSTAL:P.O. Box 12;3. patro;Nádražní 1;Brno;Jihomoravský kraj;602 00;\n"
                            "URL;TYPE=WORK:http\\://firma.cz\n"
                            "URL:https://jan.cz\n"
                            "URL;TYPE=HOME:https://doma.cz\n"
                            "NICKNAME:Honza,Jeník\n"
                            "LANG:cs\n"
                            "HOBBY:rybaření\n"
                            "NOTE:not asked for\n"
                            "BDAY:1990-05-17T00:00:00Z\n"
                            "END:VCARD\n";
    const std::optional<VCardSource> source = read(data);
    ASSERT_TRUE(source);
    ASSERT_EQ(source->count(), 1);
    const VCardSource &s = *source;
    EXPECT_EQ(s.text(0, "FULLNAME"), QStringLiteral("Jan Novák, ml."));
    EXPECT_EQ(s.text(0, "companyname"), QStringLiteral("Firma, s.r.o."));
    EXPECT_EQ(s.text(0, "department"), QStringLiteral("Účtárna;sklad"));
    EXPECT_EQ(s.text(0, "jobtitle"), QStringLiteral("Vedoucí\nskladu\\A"));
    EXPECT_EQ(s.text(0, "Profession"), QStringLiteral("Účetní"));

    // The third home number, and empty values, take no place.
    EXPECT_EQ(s.text(0, "HomeTelephoneNumber"), QStringLiteral("111"));
    EXPECT_EQ(s.text(0, "Home2TelephoneNumber"), QStringLiteral("222"));
    EXPECT_EQ(s.text(0, "HomeFaxNumber"), QStringLiteral("333"));
    EXPECT_EQ(s.text(0, "Businesstelephonenumber"), QStringLiteral("444"));
    EXPECT_EQ(s.text(0, "business2telephonenumber"), QStringLiteral("666"));
    EXPECT_EQ(s.text(0, "businessfaxnumber"), QStringLiteral("555"));
    EXPECT_EQ(s.text(0, "ISDNnumber"), QStringLiteral("777"));
    EXPECT_EQ(s.text(0, "CompanyMainTelephoneNumber"), QStringLiteral("888"));
    EXPECT_EQ(s.text(0, "mobiletelephonenumber"), QStringLiteral("999"));
    EXPECT_EQ(s.text(0, "PrimaryTelephoneNumber"), QStringLiteral("999"));

    EXPECT_EQ(s.text(0, "email1address"), QStringLiteral("a@x.cz"));
    EXPECT_EQ(s.text(0, "email2address"), QStringLiteral("b@x.cz"));
    EXPECT_EQ(s.text(0, "email3address"), QStringLiteral("c@x.cz"));

    EXPECT_EQ(s.text(0, "homeaddress"), QStringLiteral("Dlouhá 5\r\nBlok B\r\n110 00 Praha\r\nČesko"));
    const QString work = QStringLiteral("P.O. Box 12\r\n3. patro\r\nNádražní 1\r\n602 00 Brno, Jihomoravský kraj");
    EXPECT_EQ(s.text(0, "businessaddress"), work);
    EXPECT_EQ(s.text(0, "mailingaddress"), work);

    EXPECT_EQ(s.text(0, "webpage"), QStringLiteral("https://jan.cz"));
    EXPECT_EQ(s.text(0, "businesshomepage"), QStringLiteral("http://firma.cz"));
    EXPECT_EQ(s.text(0, "personalhomepage"), QStringLiteral("https://doma.cz"));
    EXPECT_EQ(s.text(0, "nickname"), QStringLiteral("Honza"));
    EXPECT_EQ(s.text(0, "Language"), QStringLiteral("cs"));
    EXPECT_EQ(s.text(0, "Hobby"), QStringLiteral("rybaření"));
    EXPECT_EQ(dmy(s.birthday(0)), std::make_tuple(17, 5, 1990));

    // Names without a vCard source, unknown names and items out of range are empty.
    for (const char *name : {"FTPSite", "ComputerNetworkName", "OfficeLocation", "GovernmentIDNumber",
                             "OrganizationalIDNumber", "note", "FN", ""})
        EXPECT_EQ(s.text(0, name), QString()) << name;
    EXPECT_EQ(s.text(-1, "fullname"), QString());
    EXPECT_EQ(s.text(1, "fullname"), QString());
    EXPECT_EQ(dmy(s.birthday(1)), nodate);
    EXPECT_EQ(dmy(s.birthday(-1)), nodate);
}

TEST_F(VCardTest, Version40QuotedTypesPreferenceAndUris)
{
    // CR line ends.
    const QByteArray data = "BEGIN:VCARD\rVERSION:4.0\r"
                            "N:Svobodová;Eva;Marie;Ing.;\r"
                            "TEL;VALUE=uri;TYPE=cell:tel:+420123\r"
                            "TEL;TYPE=home;PREF=2:+420 777\r"
                            "TEL;TYPE=\"work,voice\";PREF=1:+420 555 000\r"
                            "TEL;TYPE=\"main-number\";VALUE=uri:TEL:+420 999\r"
                            "URL;TYPE=work:https://a.cz\r"
                            "URL;TYPE=home:https://b.cz\r"
                            "ADR;TYPE=\"home,postal\";LABEL=\"Nad Lesem 3\\n120 00 Praha\":"
                            ";;Nad Lesem 3;Praha;;120 00;\r"
                            "BDAY:--0517\r"
                            "END:VCARD\r"
                            // An empty FN gives way to N; a typeless URL wins.
                            "BEGIN:VCARD\rVERSION:4.0\rFN:\rN:;Eva;;;\r"
                            "URL;TYPE=home:https://b.cz\rURL:https://c.cz\r"
                            "BDAY;VALUE=date:--05-17\rEND:VCARD\r";
    const std::optional<VCardSource> source = read(data);
    ASSERT_TRUE(source);
    ASSERT_EQ(source->count(), 2);
    const VCardSource &s = *source;
    EXPECT_EQ(s.text(0, "fullname"), QStringLiteral("Eva Svobodová"));
    EXPECT_EQ(s.text(0, "mobiletelephonenumber"), QStringLiteral("+420123"));
    EXPECT_EQ(s.text(0, "HomeTelephoneNumber"), QStringLiteral("+420 777"));
    EXPECT_EQ(s.text(0, "Businesstelephonenumber"), QStringLiteral("+420 555 000"));
    EXPECT_EQ(s.text(0, "PrimaryTelephoneNumber"), QStringLiteral("+420 555 000"));
    EXPECT_EQ(s.text(0, "CompanyMainTelephoneNumber"), QStringLiteral("+420 999"));
    EXPECT_EQ(s.text(0, "webpage"), QStringLiteral("https://a.cz"));
    EXPECT_EQ(s.text(0, "homeaddress"), QStringLiteral("Nad Lesem 3\r\n120 00 Praha"));
    EXPECT_EQ(s.text(0, "mailingaddress"), QStringLiteral("Nad Lesem 3\r\n120 00 Praha"));
    EXPECT_EQ(dmy(s.birthday(0)), std::make_tuple(17, 5, 0));

    EXPECT_EQ(s.text(1, "fullname"), QStringLiteral("Eva"));
    EXPECT_EQ(s.text(1, "webpage"), QStringLiteral("https://c.cz"));
    EXPECT_EQ(dmy(s.birthday(1)), std::make_tuple(17, 5, 0));
}

TEST_F(VCardTest, FoldedLinesGroupsAndSeveralCards)
{
    QByteArray data = "\xEF\xBB\xBF"; // a byte order mark before the first card
    data += "BEGIN:VCARD\r\nVERSION:3.0\r\n"
            // Folded inside a UTF-8 sequence, with a space and with a tab.
            "FN:Jan Nov\xC3\r\n \xA1k\r\n"
            "TITLE:Ved\r\n\toucí\r\n"
            // Only the first blank of a continuation goes.
            "ROLE:a\r\n  b\r\n"
            // Folded inside the name and the parameters.
            "EMA\r\n IL:jan@x.cz\r\n"
            "TEL;TYPE=HO\r\n ME:123\r\n"
            // A group counts as the plain property; extensions are ignored.
            "item1.EMAIL;type=INTERNET:g@x.cz\r\n"
            "item1.X-ABLabel:_$!<Other>!$_\r\n"
            "item2.TEL;type=CELL:606\r\n"
            "item2.X-ABLabel:mobil\r\n"
            "X-SKYPE:jan.novak\r\n"
            "END:VCARD\r\n";
    // A 2.1 AGENT carries a card of its own, which is no item of the file.
    data += "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Karel\r\nAGENT:\r\n"
            "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Asistent\r\nTEL;WORK:1\r\nEND:VCARD\r\n"
            "TEL;WORK:2\r\nEND:VCARD\r\n";
    data += "begin:vcard\r\nversion:4.0\r\nfn:Třetí\r\nend:vcard\r\n";

    const std::optional<VCardSource> source = read(data);
    ASSERT_TRUE(source);
    ASSERT_EQ(source->count(), 3);
    const VCardSource &s = *source;
    EXPECT_EQ(s.text(0, "fullname"), QStringLiteral("Jan Novák"));
    EXPECT_EQ(s.text(0, "jobtitle"), QStringLiteral("Vedoucí"));
    EXPECT_EQ(s.text(0, "Profession"), QStringLiteral("a b"));
    EXPECT_EQ(s.text(0, "email1address"), QStringLiteral("jan@x.cz"));
    EXPECT_EQ(s.text(0, "email2address"), QStringLiteral("g@x.cz"));
    EXPECT_EQ(s.text(0, "HomeTelephoneNumber"), QStringLiteral("123"));
    EXPECT_EQ(s.text(0, "mobiletelephonenumber"), QStringLiteral("606"));
    EXPECT_EQ(s.text(1, "fullname"), QStringLiteral("Karel"));
    EXPECT_EQ(s.text(1, "Businesstelephonenumber"), QStringLiteral("2"));
    EXPECT_EQ(s.text(1, "business2telephonenumber"), QString());
    EXPECT_EQ(s.text(2, "fullname"), QStringLiteral("Třetí"));
}

TEST_F(VCardTest, BirthdayForms)
{
    struct Case
    {
        const char *line;
        std::tuple<int, int, int> date;
    };
    const Case cases[] = {
        {"BDAY:19900517", {17, 5, 1990}},
        {"BDAY:1990-05-17", {17, 5, 1990}},
        {"BDAY:1990-05-17T00:00:00Z", {17, 5, 1990}},
        {"BDAY:19900517T083000", {17, 5, 1990}},
        {"BDAY;VALUE=date:1990-05-17", {17, 5, 1990}},
        {"BDAY: 2004-02-29 ", {29, 2, 2004}},
        {"BDAY:--0517", {17, 5, 0}},
        {"BDAY:--05-17", {17, 5, 0}},
        {"BDAY:--0229", {29, 2, 0}},
        // Not a day of the calendar, or not a form of one.
        {"BDAY:1990-02-30", nodate},
        {"BDAY:2003-02-29", nodate},
        {"BDAY:19901317", nodate},
        {"BDAY:--1301", nodate},
        {"BDAY:--0230", nodate},
        {"BDAY:1990-05", nodate},
        {"BDAY:---17", nodate},
        {"BDAY:1990-5-17", nodate},
        {"BDAY:0000-05-17", nodate},
        {"BDAY:9999-05-17", nodate},
        {"BDAY:1990-+5-17", nodate},
        {"BDAY;VALUE=text:circa 1800", nodate},
        {"BDAY:", nodate},
        {"NOTE:no birthday", nodate},
        // The first usable one counts.
        {"BDAY:1990-02-30\r\nBDAY:2001-12-24", {24, 12, 2001}},
        // Address books write 1604 for "no year", and say so.
        {"BDAY;X-APPLE-OMIT-YEAR=1604:1604-05-17", {17, 5, 0}},
        {"BDAY;VALUE=date;x-apple-omit-year=1604:16040517T000000", {17, 5, 0}},
        {"BDAY;X-APPLE-OMIT-YEAR=1604:1990-05-17", {17, 5, 1990}},
    };
    QByteArray data;
    for (const Case &c : cases)
        data += QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\n") + c.line + "\r\nEND:VCARD\r\n";
    const std::optional<VCardSource> source = read(data);
    ASSERT_TRUE(source);
    ASSERT_EQ(source->count(), int(std::size(cases)));
    for (int i = 0; i < source->count(); ++i)
        EXPECT_EQ(dmy(source->birthday(i)), cases[i].date) << cases[i].line;
}

TEST_F(VCardTest, NumbersWithoutAHomeWorkOrMobileTypeTakeAFreeField)
{
    const QByteArray data = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Many\r\n"
                            "TEL:111\r\n"
                            "TEL;TYPE=VOICE:222\r\n"
                            "TEL;TYPE=HOME:888\r\n" // typed: its field whatever comes before
                            "item1.TEL:444\r\nitem1.X-ABLabel:_$!<Other>!$_\r\n"
                            "TEL;TYPE=OTHER:333\r\n"
                            "TEL;TYPE=CELL:555\r\n"
                            "TEL;TYPE=CELL:556\r\n"
                            "TEL;TYPE=FAX:666\r\n"
                            "TEL;TYPE=VOICE:777\r\n"
                            "END:VCARD\r\n"
                            "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Two\r\n"
                            "TEL;VOICE:123\r\nTEL;WORK;FAX:321\r\nTEL;PREF:999\r\nTEL;FAX:654\r\nEND:VCARD\r\n";
    const std::optional<VCardSource> source = read(data);
    ASSERT_TRUE(source);
    ASSERT_EQ(source->count(), 2);
    const VCardSource &s = *source;
    EXPECT_EQ(s.text(0, "HomeTelephoneNumber"), QStringLiteral("888"));
    EXPECT_EQ(s.text(0, "Home2TelephoneNumber"), QStringLiteral("111"));
    EXPECT_EQ(s.text(0, "Businesstelephonenumber"), QStringLiteral("222"));
    EXPECT_EQ(s.text(0, "business2telephonenumber"), QStringLiteral("444"));
    EXPECT_EQ(s.text(0, "mobiletelephonenumber"), QStringLiteral("555"));
    EXPECT_EQ(s.text(0, "HomeFaxNumber"), QStringLiteral("666"));
    EXPECT_EQ(s.text(0, "OtherTelephoneNumber"), QStringLiteral("333, 556, 777"))
        << "what finds no field is kept as other numbers, in file order";

    EXPECT_EQ(s.text(1, "HomeTelephoneNumber"), QStringLiteral("123"));
    EXPECT_EQ(s.text(1, "Home2TelephoneNumber"), QStringLiteral("999"));
    EXPECT_EQ(s.text(1, "PrimaryTelephoneNumber"), QStringLiteral("999"));
    EXPECT_EQ(s.text(1, "businessfaxnumber"), QStringLiteral("321"));
    EXPECT_EQ(s.text(1, "HomeFaxNumber"), QStringLiteral("654"));
    EXPECT_EQ(s.text(1, "OtherTelephoneNumber"), QString());
}

TEST_F(VCardTest, GroupCardsAreNoContacts)
{
    const QByteArray data = "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Class 5.A\r\n"
                            "MEMBER:urn:uuid:03a0e51f\r\nEND:VCARD\r\n"
                            "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Friends\r\nN:Friends\r\n"
                            "X-ADDRESSBOOKSERVER-KIND: Group\r\nX-ADDRESSBOOKSERVER-MEMBER:urn:uuid:1\r\nEND:VCARD\r\n"
                            "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:individual\r\nFN:Ann\r\nEND:VCARD\r\n"
                            "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:org\r\nFN:School\r\nEND:VCARD\r\n";
    const std::optional<VCardSource> source = read(data);
    ASSERT_TRUE(source);
    ASSERT_EQ(source->count(), 2);
    EXPECT_EQ(source->text(0, "fullname"), QStringLiteral("Ann"));
    EXPECT_EQ(source->text(1, "fullname"), QStringLiteral("School"));
}

TEST_F(VCardTest, DamagedInputIsReadAsFarAsItGoes)
{
    // Garbage, also with card lines strewn in, reads without harm.
    std::mt19937 random(20260517);
    for (int round = 0; round < 20; ++round) {
        QByteArray garbage;
        for (int i = 0; i < 20000; ++i) {
            garbage += char(random() & 0xFF);
            if (random() % 500 == 0)
                garbage += round % 2 ? "\r\nBEGIN:VCARD\r\nFN;ENCODING=QUOTED-PRINTABLE:=" : "\nEND:VCARD\n \t=";
        }
        const std::optional<VCardSource> source = read(garbage);
        ASSERT_TRUE(source);
        for (int i = 0; i < source->count(); ++i) {
            source->text(i, "fullname");
            source->birthday(i);
        }
    }

    // A card without END keeps its properties, whether the next card or the end of the file cuts it off.
    std::optional<VCardSource> s = read("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Prvni\r\n"
                                        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Druhy\r\nEND:VCARD\r\n"
                                        "FN:outside any card\r\nEND:VCARD\r\n"
                                        "BEGIN:VCARD\nVERSION:3.0\nFN:Posledni\nTEL;TYPE=CELL:1");
    ASSERT_TRUE(s);
    ASSERT_EQ(s->count(), 3);
    EXPECT_EQ(s->text(0, "fullname"), QStringLiteral("Prvni"));
    EXPECT_EQ(s->text(1, "fullname"), QStringLiteral("Druhy"));
    EXPECT_EQ(s->text(2, "fullname"), QStringLiteral("Posledni"));
    EXPECT_EQ(s->text(2, "mobiletelephonenumber"), QStringLiteral("1"));

    // A soft break before END does not swallow it; broken escapes stay as written.
    s = read("BEGIN:VCARD\r\nVERSION:2.1\r\nFN;ENCODING=QUOTED-PRINTABLE:a=ZZb=4=\r\nEND:VCARD\r\n"
             "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;ENCODING=QUOTED-PRINTABLE:c=");
    ASSERT_TRUE(s);
    ASSERT_EQ(s->count(), 2);
    EXPECT_EQ(s->text(0, "fullname"), QStringLiteral("a=ZZb=4"));
    EXPECT_EQ(s->text(1, "fullname"), QStringLiteral("c"));

    // Lines without a name or colon are passed over.
    s = read("BEGIN:VCARD\r\n:value\r\n;TYPE=HOME:x\r\nno colon here\r\n.:y\r\nFN:Name\r\nEND:VCARD\r\n");
    ASSERT_TRUE(s);
    ASSERT_EQ(s->count(), 1);
    EXPECT_EQ(s->text(0, "fullname"), QStringLiteral("Name"));

    // Overlong lines: a 1 MB value, a 1 MB line without a colon, and long runs
    // of continuation lines and soft breaks.
    const QByteArray mega(1 << 20, 'a');
    QByteArray big = "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:" + mega + "\r\n" + mega;
    for (int i = 0; i < 200000; ++i)
        big += "\r\n y";
    big += "\r\nNOTE;ENCODING=QUOTED-PRINTABLE:";
    for (int i = 0; i < 200000; ++i)
        big += "=41=\r\n";
    // The last soft break takes the blank line, not the next property.
    big += "\r\nEMAIL:last@x.cz\r\nEND:VCARD\r\n";
    s = read(big);
    ASSERT_TRUE(s);
    ASSERT_EQ(s->count(), 1);
    EXPECT_EQ(s->text(0, "fullname").size(), mega.size());
    EXPECT_EQ(s->text(0, "email1address"), QStringLiteral("last@x.cz"));

    // No card at all is an empty source, not a failure.
    for (const char *content : {"", "\r\n\r\n", "FN:Nobody\r\nEND:VCARD\r\n", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"}) {
        s = read(content);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->count(), 0) << content;
    }
}

TEST_F(VCardTest, AFileThatCannotBeReadGivesNothingWithTheReason)
{
    for (const QString &path : {dir.filePath(QStringLiteral("missing.vcf")), dir.path()}) {
        QString error;
        EXPECT_FALSE(VCardSource::readvcard(path, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
    }
    EXPECT_FALSE(VCardSource::readvcard(dir.filePath(QStringLiteral("missing.vcf"))));
}
