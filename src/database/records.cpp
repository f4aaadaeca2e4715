#include "database/records.h"

#include "database/recordbytes.h"

#include <cstring>

namespace {

using namespace recordbytes;

// Fields are filled from the record's bytes and written back as bytes; a long
// field keeps them as they are, with nothing to decode on a load.
template <int N>
void putstr(char *rec, qsizetype offset, const ShortString<N> &s)
{
    rec[offset] = static_cast<char>(s.write(rec + offset + 1));
}

template <int N>
ShortString<N> getstr(const char *rec, qsizetype offset)
{
    return ShortString<N>::frombytes(rec + offset + 1, strlength(rec, offset, N));
}

} // namespace

void TContactRec::encode(char *out) const
{
    std::memset(out, 0, size);
    const ShortString<255> *texts[] = {&name, &company, &homephone, &homefax, &homeaddress,
                                       &workphone, &workfax, &workaddress, &cellphone, &webpage,
                                       &email1, &email2, &im1, &im2, &note};
    qsizetype offset = 0;
    for (const ShortString<255> *t : texts) {
        putstr(out, offset, *t);
        offset += 256;
    }
    putint<qint16>(out, 3840, photo);
    putint<quint16>(out, 3842, birthday);
    putint<quint16>(out, 3844, birthmonth);
    putint<quint16>(out, 3846, birthyear);
    putint<quint16>(out, 3848, nameday);
    putint<quint16>(out, 3850, namedaymonth);
}

TContactRec TContactRec::decode(const char *in)
{
    TContactRec r;
    ShortString<255> *texts[] = {&r.name, &r.company, &r.homephone, &r.homefax, &r.homeaddress,
                                 &r.workphone, &r.workfax, &r.workaddress, &r.cellphone, &r.webpage,
                                 &r.email1, &r.email2, &r.im1, &r.im2, &r.note};
    qsizetype offset = 0;
    for (ShortString<255> *t : texts) {
        *t = getstr<255>(in, offset);
        offset += 256;
    }
    r.photo = getint<qint16>(in, 3840);
    r.birthday = getint<quint16>(in, 3842);
    r.birthmonth = getint<quint16>(in, 3844);
    r.birthyear = getint<quint16>(in, 3846);
    r.nameday = getint<quint16>(in, 3848);
    r.namedaymonth = getint<quint16>(in, 3850);
    return r;
}

void TCalItemRec::encode(char *out) const
{
    std::memset(out, 0, size);
    putint<qint16>(out, 0, icon);
    putint<qint16>(out, 2, timefrom);
    putint<qint16>(out, 4, timeto);
    putint<quint8>(out, 6, timemode);
    putint<quint8>(out, 7, melody);
    putflag(out, 8, remind);
    putstr(out, 9, text);
    putstr(out, 265, repetition);
    putdouble(out, 280, date); // 279 is a pad byte
}

TCalItemRec TCalItemRec::decode(const char *in)
{
    TCalItemRec r;
    r.icon = getint<qint16>(in, 0);
    r.timefrom = getint<qint16>(in, 2);
    r.timeto = getint<qint16>(in, 4);
    r.timemode = getint<quint8>(in, 6);
    r.melody = getint<quint8>(in, 7);
    r.remind = getflag(in, 8);
    r.text = getstr<255>(in, 9);
    r.repetition = getstr<13>(in, 265);
    r.date = getdouble(in, 280);
    return r;
}

void TTaskRec::encode(char *out) const
{
    std::memset(out, 0, size);
    putflag(out, 0, done);
    putstr(out, 1, text);
    putstr(out, 257, category);
}

TTaskRec TTaskRec::decode(const char *in)
{
    TTaskRec r;
    r.done = getflag(in, 0);
    r.text = getstr<255>(in, 1);
    r.category = getstr<255>(in, 257);
    return r;
}

void TLessonRec::encode(char *out) const
{
    std::memset(out, 0, size);
    putstr(out, 0, subject);
    putstr(out, 256, teacher);
    putstr(out, 512, classroom);
    putint<qint32>(out, 768, start);
    putint<qint32>(out, 772, end);
    putint<qint8>(out, 776, day);
    putint<qint8>(out, 777, week);
    putint<qint8>(out, 778, number);
    putint<qint32>(out, 780, color); // 779 is a pad byte
}

TLessonRec TLessonRec::decode(const char *in)
{
    TLessonRec r;
    r.subject = getstr<255>(in, 0);
    r.teacher = getstr<255>(in, 256);
    r.classroom = getstr<255>(in, 512);
    r.start = getint<qint32>(in, 768);
    r.end = getint<qint32>(in, 772);
    r.day = getint<qint8>(in, 776);
    r.week = getint<qint8>(in, 777);
    r.number = getint<qint8>(in, 778);
    r.color = getint<qint32>(in, 780);
    return r;
}

void TMarkRec::encode(char *out) const
{
    std::memset(out, 0, size);
    putstr(out, 0, mark);
    putstr(out, 4, note);
    putint<qint32>(out, 260, color);
    putdouble(out, 264, weight);
}

TMarkRec TMarkRec::decode(const char *in)
{
    TMarkRec r;
    r.mark = getstr<3>(in, 0);
    r.note = getstr<255>(in, 4);
    r.color = getint<qint32>(in, 260);
    r.weight = getdouble(in, 264);
    return r;
}

void TSubjectRec::encode(char *out) const
{
    std::memset(out, 0, size);
    putstr(out, 0, name); // 31 is a pad byte
    for (int i = 0; i < markcount; ++i)
        marks[i].encode(out + 32 + i * TMarkRec::size);
    putstr(out, 27232, pluses);
    putstr(out, 27488, minuses);
}

TSubjectRec TSubjectRec::decode(const char *in)
{
    TSubjectRec r;
    r.name = getstr<30>(in, 0);
    for (int i = 0; i < markcount; ++i)
        r.marks[i] = TMarkRec::decode(in + 32 + i * TMarkRec::size);
    r.pluses = getstr<255>(in, 27232);
    r.minuses = getstr<255>(in, 27488);
    return r;
}

static_assert(32 + TSubjectRec::markcount * TMarkRec::size + 2 * 256 == TSubjectRec::size);
