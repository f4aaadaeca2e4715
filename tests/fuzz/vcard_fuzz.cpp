// The vCard reader: any file gives items whose every asked property and
// birthday can be read.

#include "platform/vcard.h"

#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const VCardSource source = VCardSource::fromdata(fuzzcheck::bytes(data, size));
    for (int i = 0; i < source.count(); ++i) {
        for (const char *property : {"fullname", "nickname", "email1address", "homeaddress",
                                     "mobiletelephonenumber", "OtherTelephoneNumber", "webpage", "Hobby"})
            (void)source.text(i, QLatin1String(property));
        (void)source.birthday(i);
    }
    fuzzcheck::require(source.text(source.count(), QStringLiteral("fullname")).isEmpty(), "out of range is empty");
    return 0;
}
