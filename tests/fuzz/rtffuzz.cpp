#include "rtffuzz.h"

#include "platform/rtf.h"

#include <QByteArray>
#include <QTextDocument>

bool fuzzrtf(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument first;
    rtf::read(input, first);
    const QByteArray written = rtf::write(first);

    QTextDocument second;
    const rtf::Dropped dropped = rtf::read(written, second);
    return !dropped.any() && rtf::write(second) == written && second.toPlainText() == first.toPlainText();
}
