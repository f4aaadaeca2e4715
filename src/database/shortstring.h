#pragma once
// A text field of a record with a fixed capacity in characters (stored as a
// length byte and that many windows-1250 bytes). Assigning a longer text keeps
// its first `N` characters, so what is in memory is what a save writes.

#include "platform/ansi.h"

#include <QString>

template <int N>
class ShortString
{
    static_assert(N > 0 && N <= 255, "a counted string holds at most 255 characters");

public:
    static constexpr int capacity = N;

    ShortString() = default;
    ShortString(const QString &text) : text_(ansi::cut(text, N)) {}
    ShortString(const char *utf8) : ShortString(QString::fromUtf8(utf8)) {}

    ShortString &operator=(const QString &text)
    {
        text_ = ansi::cut(text, N);
        return *this;
    }
    ShortString &operator=(const char *utf8) { return *this = QString::fromUtf8(utf8); }

    const QString &text() const { return text_; }
    operator const QString &() const { return text_; }
    bool isEmpty() const { return text_.isEmpty(); }

    friend bool operator==(const ShortString &a, const ShortString &b) { return a.text_ == b.text_; }
    friend bool operator==(const ShortString &a, const QString &b) { return a.text_ == b; }

    // For decoders that already hold at most N characters.
    static ShortString trusted(QString text)
    {
        ShortString s;
        s.text_ = std::move(text);
        return s;
    }

private:
    QString text_;
};
