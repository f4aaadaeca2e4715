#include "database/shortstring.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace shortstring {
namespace {

constexpr quint16 wideflag = 0x8000;
constexpr qsizetype headersize = sizeof(quint16);

quint16 headerof(const char *block)
{
    quint16 header;
    std::memcpy(&header, block, sizeof header);
    return header;
}

qsizetype countof(quint16 header)
{
    return header & ~wideflag;
}

qsizetype unitsize(quint16 header)
{
    return (header & wideflag) ? qsizetype(sizeof(char16_t)) : 1;
}

qsizetype blocksize(const char *block)
{
    const quint16 header = headerof(block);
    return headersize + countof(header) * unitsize(header);
}

char *allocate(qsizetype size, quint16 header)
{
    char *block = static_cast<char *>(::operator new(size_t(size)));
    std::memcpy(block, &header, sizeof header);
    return block;
}

} // namespace

Packed::Packed(const Packed &other)
{
    if (other.block_) {
        const qsizetype size = blocksize(other.block_);
        block_ = static_cast<char *>(::operator new(size_t(size)));
        std::memcpy(block_, other.block_, size_t(size));
    }
}

Packed &Packed::operator=(const Packed &other)
{
    if (this != &other)
        *this = Packed(other);
    return *this;
}

Packed &Packed::operator=(Packed &&other) noexcept
{
    if (this != &other)
        reset(std::exchange(other.block_, nullptr));
    return *this;
}

Packed::~Packed()
{
    ::operator delete(block_);
}

void Packed::reset(char *block) noexcept
{
    ::operator delete(block_);
    block_ = block;
}

void Packed::setbytes(const char *bytes, qsizetype length)
{
    Q_ASSERT(length >= 0 && length < wideflag);
    if (length == 0) {
        reset(nullptr);
        return;
    }
    char *block = allocate(headersize + length, quint16(length));
    std::memcpy(block + headersize, bytes, size_t(length));
    reset(block);
}

void Packed::settext(const QString &text)
{
    const qsizetype length = text.size();
    Q_ASSERT(length < wideflag);
    if (length == 0) {
        reset(nullptr);
        return;
    }
    const char16_t *units = reinterpret_cast<const char16_t *>(text.utf16());
    char *block = allocate(headersize + length, quint16(length));
    if (!ansi::encodeexactly(units, length, block + headersize)) {
        ::operator delete(block);
        block = allocate(headersize + length * qsizetype(sizeof(char16_t)), quint16(length | wideflag));
        std::memcpy(block + headersize, units, size_t(length) * sizeof(char16_t));
    }
    reset(block);
}

QString Packed::text() const
{
    if (!block_)
        return QString();
    const quint16 header = headerof(block_);
    const qsizetype count = countof(header);
    if (!(header & wideflag))
        return ansi::decode(block_ + headersize, count);
    QString text(count, Qt::Uninitialized);
    std::memcpy(text.data(), block_ + headersize, size_t(count) * sizeof(char16_t));
    return text;
}

qsizetype Packed::write(char *out, qsizetype capacity) const
{
    if (!block_)
        return 0;
    const quint16 header = headerof(block_);
    if (header & wideflag)
        return ansi::encode(text(), out, capacity);
    const qsizetype count = std::min(countof(header), capacity);
    std::memcpy(out, block_ + headersize, size_t(count));
    return count;
}

bool operator==(const Packed &a, const Packed &b)
{
    if (!a.block_ || !b.block_)
        return a.block_ == b.block_;
    const qsizetype size = blocksize(a.block_);
    return size == blocksize(b.block_) && std::memcmp(a.block_, b.block_, size_t(size)) == 0;
}

} // namespace shortstring
