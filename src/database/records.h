#pragma once
// The fixed-size records of the data files. In memory they are plain structs;
// on disk each is written field by field at fixed offsets, little-endian,
// with zero pad bytes (encode / decode), never as a memory image.

#include "database/shortstring.h"

#include <QtGlobal>

#include <array>

struct TContactRec
{
    static constexpr qsizetype size = 3852;

    ShortString<255> name; // the key; shown in the contacts list
    ShortString<255> company;
    ShortString<255> homephone;
    ShortString<255> homefax;
    ShortString<255> homeaddress; // lines joined by '#'
    ShortString<255> workphone;
    ShortString<255> workfax;
    ShortString<255> workaddress; // lines joined by '#'
    ShortString<255> cellphone;
    ShortString<255> webpage;
    ShortString<255> email1;
    ShortString<255> email2;
    ShortString<255> im1;
    ShortString<255> im2;
    ShortString<255> note; // lines joined by '#'
    qint16 photo = 0;      // picture "photos/<photo>.bmp"
    quint16 birthday = 0;  // day of month, 0 = no birthday
    quint16 birthmonth = 0;
    quint16 birthyear = 0; // 0 = not given
    quint16 nameday = 0;   // day of month, 0 = none
    quint16 namedaymonth = 0;

    bool stored() const { return !name.isEmpty(); }
    void encode(char *out) const; // writes exactly `size` bytes
    static TContactRec decode(const char *in);
    bool operator==(const TContactRec &) const = default;
};

// Time modes of a calendar record.
enum : quint8 { timemode_none = 0, timemode_one = 1, timemode_both = 2 };

struct TCalItemRec
{
    static constexpr qsizetype size = 288;

    qint16 icon = 0;
    qint16 timefrom = 0; // hour * 100 + minute
    qint16 timeto = 0;
    quint8 timemode = 0;
    quint8 melody = 0; // 0..4 built in, 5 + k line k of the custom list
    bool remind = false;
    ShortString<255> text;      // the key: a title, optionally '#' and more lines
    ShortString<13> repetition; // "0", "w" + 7 day flags, "m" + 12 month flags
    double date = 0;            // day number

    bool stored() const { return !text.isEmpty(); }
    void encode(char *out) const;
    static TCalItemRec decode(const char *in);
    bool operator==(const TCalItemRec &) const = default;
};

struct TTaskRec
{
    static constexpr qsizetype size = 513;

    bool done = false;
    ShortString<255> text;     // the key
    ShortString<255> category; // empty = the default category

    bool stored() const { return !text.isEmpty(); }
    void encode(char *out) const;
    static TTaskRec decode(const char *in);
    bool operator==(const TTaskRec &) const = default;
};

struct TLessonRec
{
    static constexpr qsizetype size = 784;

    ShortString<255> subject;
    ShortString<255> teacher;
    ShortString<255> classroom;
    qint32 start = 0; // minutes after midnight
    qint32 end = 0;
    qint8 day = 0;    // row 1..7
    qint8 week = 0;   // -1, -2 table mode; 1, 2 timeline mode
    qint8 number = 0; // lesson slot 0..14 of the table mode
    qint32 color = 0; // 0x00BBGGRR

    bool stored() const { return true; } // lessons have no key
    void encode(char *out) const;
    static TLessonRec decode(const char *in);
    bool operator==(const TLessonRec &) const = default;
};

struct TMarkRec
{
    static constexpr qsizetype size = 272;

    ShortString<3> mark; // as typed; empty = no mark
    ShortString<255> note;
    qint32 color = 0;
    double weight = 0;

    void encode(char *out) const;
    static TMarkRec decode(const char *in);
    bool operator==(const TMarkRec &) const = default;
};

struct TSubjectRec
{
    static constexpr qsizetype size = 27744;
    static constexpr int markcount = 100;

    ShortString<30> name; // the key
    std::array<TMarkRec, markcount> marks;
    ShortString<255> pluses;
    ShortString<255> minuses;

    bool stored() const { return !name.isEmpty(); }
    void encode(char *out) const;
    static TSubjectRec decode(const char *in);
    bool operator==(const TSubjectRec &) const = default;
};
