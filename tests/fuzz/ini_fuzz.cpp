// The INI reader (settings, yearly prompt keys): any content reads, a write
// keeps every other line, and what is written reads back the same.

#include "platform/inifile.h"

#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    IniFile ini = IniFile::fromdata(fuzzcheck::bytes(data, size));
    const QString section = QStringLiteral("Settings");
    const QString key = QStringLiteral("InSchool");
    const QString before = ini.readstring(section, key, QStringLiteral("none"));

    const QByteArray saved = ini.data();
    const IniFile reloaded = IniFile::fromdata(saved);
    fuzzcheck::require(reloaded.data() == saved, "a saved INI file reloads to the same lines");
    fuzzcheck::require(reloaded.readstring(section, key, QStringLiteral("none")) == before,
                       "a saved INI file reads the same");

    ini.writestring(section, QStringLiteral("Fuzz"), QStringLiteral("value 1"));
    const IniFile written = IniFile::fromdata(ini.data());
    fuzzcheck::require(written.readstring(section, QStringLiteral("fuzz"), {}) == QStringLiteral("value 1"),
                       "a written key reads back");
    fuzzcheck::require(written.readstring(section, key, QStringLiteral("none")) == before,
                       "a write keeps the other keys");
    return 0;
}
