// The record loaders: the first byte picks the record kind, the rest is the
// file. Every whole record decodes, and what it encodes to decodes and
// encodes to the same bytes again (a load, a save and a reload agree).

#include "database/records.h"

#include "fuzzcheck.h"

namespace {

template <class Rec>
void roundtrip(const QByteArray &file)
{
    QByteArray once(Rec::size, '\0'), twice(Rec::size, '\0');
    for (qsizetype at = 0; at + Rec::size <= file.size(); at += Rec::size) {
        const Rec loaded = Rec::decode(file.constData() + at);
        loaded.encode(once.data());
        const Rec reloaded = Rec::decode(once.constData());
        if constexpr (requires { loaded.stored(); })
            fuzzcheck::require(reloaded.stored() == loaded.stored(), "a record's key survives a save");
        reloaded.encode(twice.data());
        fuzzcheck::require(once == twice, "a saved record reloads to the same record");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray file = fuzzcheck::bytes(data + 1, size - 1);
    switch (data[0] % 6) {
    case 0: roundtrip<TContactRec>(file); break;
    case 1: roundtrip<TCalItemRec>(file); break;
    case 2: roundtrip<TTaskRec>(file); break;
    case 3: roundtrip<TLessonRec>(file); break;
    case 4: roundtrip<TSubjectRec>(file); break;
    case 5: roundtrip<TMarkRec>(file); break;
    }
    return 0;
}
