#pragma once
// A text field of a record with a fixed capacity in characters (stored as a
// length byte and that many windows-1250 bytes). Assigning a longer text keeps
// its first `N` characters, so what is in memory is what a save writes.
//
// A long field (names, addresses, notes, titles) is one pointer in memory,
// and its text the windows-1250 bytes the file has: half of what UTF-16
// takes, in one small block. Ten thousand contacts of fifteen such fields
// are most of what the program keeps, so this holds its memory down. A text
// with a character the code page lacks (a save writes it as '?') keeps its
// UTF-16 units instead, so reading a field always gives back what was
// assigned. Such a field makes a QString each time it is read.
//
// A short field (a repetition, a mark, a subject's name) stays a QString: it
// takes little room, and scans of every record read it, where copies that
// share the text cost no allocation.

#include "platform/ansi.h"

#include <QString>

#include <type_traits>
#include <utility>

namespace shortstring {

// The block of one non-empty text: a 16-bit header (the count of units, the
// top bit set when they are UTF-16 units rather than bytes), then the units.
// Nothing is allocated for an empty text.
class Packed
{
public:
    Packed() noexcept = default;
    Packed(const Packed &other);
    Packed(Packed &&other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    Packed &operator=(const Packed &other);
    Packed &operator=(Packed &&other) noexcept;
    ~Packed();

    // `length` windows-1250 bytes.
    void setbytes(const char *bytes, qsizetype length);
    // Kept as bytes when windows-1250 has every character, else as it is.
    void settext(const QString &text);

    QString text() const;
    bool isEmpty() const { return block_ == nullptr; }
    // Writes the windows-1250 bytes of at most `capacity` characters ('?'
    // for those the code page lacks); returns the count written.
    qsizetype write(char *out, qsizetype capacity) const;

    // A text has one form only (bytes whenever it can), so equal texts have
    // equal blocks.
    friend bool operator==(const Packed &a, const Packed &b);

private:
    void reset(char *block) noexcept;

    char *block_ = nullptr;
};

// A short field's text as it is.
class Plain
{
public:
    void setbytes(const char *bytes, qsizetype length) { text_ = ansi::decode(bytes, length); }
    void settext(const QString &text) { text_ = text; }
    QString text() const { return text_; }
    bool isEmpty() const { return text_.isEmpty(); }
    qsizetype write(char *out, qsizetype capacity) const { return ansi::encode(text_, out, capacity); }
    friend bool operator==(const Plain &a, const Plain &b) { return a.text_ == b.text_; }

private:
    QString text_;
};

// Fields up to this capacity are short.
constexpr int shortcapacity = 30;

} // namespace shortstring

template <int N>
class ShortString
{
    static_assert(N > 0 && N <= 255, "a counted string holds at most 255 characters");

public:
    static constexpr int capacity = N;

    ShortString() = default;
    ShortString(const QString &text) { text_.settext(ansi::cut(text, N)); }
    ShortString(const char *utf8) : ShortString(QString::fromUtf8(utf8)) {}

    ShortString &operator=(const QString &text)
    {
        text_.settext(ansi::cut(text, N));
        return *this;
    }
    ShortString &operator=(const char *utf8) { return *this = QString::fromUtf8(utf8); }

    QString text() const { return text_.text(); }
    operator QString() const { return text_.text(); }
    bool isEmpty() const { return text_.isEmpty(); }

    friend bool operator==(const ShortString &a, const ShortString &b) { return a.text_ == b.text_; }
    friend bool operator==(const ShortString &a, const QString &b) { return a.text() == b; }

    // A field as a record file holds it: `length` (at most N) windows-1250 bytes.
    static ShortString frombytes(const char *bytes, qsizetype length)
    {
        ShortString s;
        s.text_.setbytes(bytes, length < N ? length : N);
        return s;
    }
    // Writes the field's bytes for a record file; returns the count written.
    qsizetype write(char *out) const { return text_.write(out, N); }

private:
    std::conditional_t<(N <= shortstring::shortcapacity), shortstring::Plain, shortstring::Packed> text_;
};
