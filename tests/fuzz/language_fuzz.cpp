// The language-file reader: captions, messages and the '#' memos a
// translation pass takes from a language file.

#include "platform/hashtext.h"
#include "platform/inifile.h"

#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const IniFile file = IniFile::fromdata(fuzzcheck::bytes(data, size));
    for (const char *section : {"Labels", "Buttons", "ComboBoxes", "Menus", "CheckBoxes", "Messages", "Language"}) {
        const QString text = file.readstring(QLatin1String(section), QStringLiteral("Contacts"), QString());
        fuzzcheck::require(text.size() <= IniFile::maxvalue, "a value is cut at its length");
    }
    for (const char *memo : {"About", "Donate", "Subjects", "Tips", "Tips2"}) {
        QStringList lines;
        const QString text = file.readstring(QStringLiteral("Memos"), QLatin1String(memo), QString());
        hashtolines(text, lines);
        fuzzcheck::require(lines.size() <= text.count(QLatin1Char('#')) + 1, "one line per '#' at most");
    }
    (void)file.readstring(QStringLiteral("Language"), QStringLiteral("dateformat"), QStringLiteral("MMMM d"));
    return 0;
}
