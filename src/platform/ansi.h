#pragma once
// The one converter between the windows-1250 bytes of the data files and the
// QStrings the program works with. Every byte value maps to its own character
// (the five bytes windows-1250 leaves undefined map to the C1 controls of the
// same number), so bytes read from a file are written back unchanged.

#include <QByteArray>
#include <QString>

namespace ansi {

// Decodes `length` bytes.
QString decode(const char *data, qsizetype length);
inline QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }

// Encodes every character; a character windows-1250 lacks becomes '?'
// (one byte per character, also for characters outside the BMP).
QByteArray encode(const QString &text);

// Encodes at most `capacity` characters into `out`; returns the bytes written.
qsizetype encode(const QString &text, char *out, qsizetype capacity);

// True when `text` reads back unchanged after it is written: windows-1250
// has every one of its characters.
bool encodable(const QString &text);

// Writes the byte of each of the `length` UTF-16 units at `text` into `out`
// (room for `length` bytes) and returns true when every unit has a byte that
// reads back as that unit; false (and `out` partly written) otherwise.
bool encodeexactly(const char16_t *text, qsizetype length, char *out);

// The characters of `text` that windows-1250 lacks, each once, in the order
// they first appear; empty when the whole text can be stored.
QString unstorable(const QString &text);

// Those characters as a message names them: each one as it is, or as its
// code ("U+200B") when it would not show on its own.
QString unstorablechars(const QString &text);

// What a user is told when a typed text holds such characters; "%s" takes
// unstorablechars().
inline const QString unstorablemessage =
    QStringLiteral("These characters cannot be stored: %s#Please use other characters.");

// The byte a character is written as ('?' when windows-1250 lacks it).
char byteof(char32_t codepoint);

// The character a byte is read as.
QChar charof(unsigned char byte);

// Number of characters of `text` as stored: one per code point.
qsizetype storedlength(const QString &text);

// The first `count` characters of `text` (code points; never splits a pair).
QString cut(const QString &text, qsizetype count);

} // namespace ansi
