#pragma once
// Field access on raw record bytes: little-endian integers, IEEE doubles,
// flags and counted strings (a length byte, then the text's bytes). Shared by
// the record layouts of today and the older layouts the upgrade reads.

#include "platform/ansi.h"

#include <QString>
#include <QtGlobal>

#include <cstring>
#include <type_traits>

namespace recordbytes {

template <class T>
void putint(char *rec, qsizetype offset, T value)
{
    using U = std::make_unsigned_t<T>;
    U u = static_cast<U>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        rec[offset + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

template <class T>
T getint(const char *rec, qsizetype offset)
{
    using U = std::make_unsigned_t<T>;
    U u = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        u |= U(static_cast<unsigned char>(rec[offset + i])) << (8 * i);
    return static_cast<T>(u);
}

inline void putdouble(char *rec, qsizetype offset, double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    putint<quint64>(rec, offset, bits);
}

inline double getdouble(const char *rec, qsizetype offset)
{
    const quint64 bits = getint<quint64>(rec, offset);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void putflag(char *rec, qsizetype offset, bool value)
{
    rec[offset] = value ? 1 : 0;
}

inline bool getflag(const char *rec, qsizetype offset)
{
    return rec[offset] != 0;
}

// The text length of a counted string of `capacity`; a length byte above the
// capacity is read as the capacity, never past the field.
inline int strlength(const char *rec, qsizetype offset, int capacity)
{
    const int length = static_cast<unsigned char>(rec[offset]);
    return length > capacity ? capacity : length;
}

// Writes `text` (cut to `capacity`) into a zeroed field.
inline void putstr(char *rec, qsizetype offset, const QString &text, int capacity)
{
    const qsizetype length = ansi::encode(text, rec + offset + 1, capacity);
    rec[offset] = static_cast<char>(length);
}

inline QString getstr(const char *rec, qsizetype offset, int capacity)
{
    return ansi::decode(rec + offset + 1, strlength(rec, offset, capacity));
}

// Copies a counted string byte for byte into a zeroed field of `tocapacity`,
// cutting it when the new field is smaller.
inline void copystr(const char *in, qsizetype inoffset, int incapacity, char *out, qsizetype outoffset,
                    int tocapacity)
{
    int length = strlength(in, inoffset, incapacity);
    if (length > tocapacity)
        length = tocapacity;
    out[outoffset] = static_cast<char>(length);
    std::memcpy(out + outoffset + 1, in + inoffset + 1, size_t(length));
}

inline bool strempty(const char *rec, qsizetype offset)
{
    return rec[offset] == 0;
}

} // namespace recordbytes
