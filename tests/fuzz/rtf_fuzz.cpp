// The RTF reader on any bytes: what it reads is written, read again and
// written again, and the second save must give the very same bytes and text
// with nothing dropped (nothing is lost or changed by saving a note twice).

#include "platform/rtf.h"

#include "fuzzcheck.h"

#include <QGuiApplication>
#include <QTextDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Documents lay out text, which needs fonts and so an application.
    static int argc = 1;
    static char name[] = "rtf_fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;

    const QByteArray input = fuzzcheck::bytes(data, size);
    QTextDocument first;
    rtf::read(input, first);
    const QByteArray written = rtf::write(first);
    QTextDocument second;
    const rtf::Dropped dropped = rtf::read(written, second);
    fuzzcheck::require(!dropped.any(), "a saved note drops nothing when read again");
    fuzzcheck::require(rtf::write(second) == written, "a note saved twice gives the same bytes");
    fuzzcheck::require(second.toPlainText() == first.toPlainText(), "a saved note keeps its text");
    return 0;
}
