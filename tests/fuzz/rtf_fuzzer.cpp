// libFuzzer entry for the RTF reader (built by build.sh with clang++).

#include "rtffuzz.h"

#include <QGuiApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Documents lay out text, which needs fonts and so an application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (!fuzzrtf(data, size))
        std::abort();
    return 0;
}
