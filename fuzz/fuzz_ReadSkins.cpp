// Any SkinFormats.ini contents parse without a crash into a catalogue of at
// least one record, ending with a keyed record whenever the parse succeeds.
#include "catalogue/SkinCatalogue.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<SkinFormat> catalogue;
    const bool complete = ParseSkins(bytes, catalogue);
    if (catalogue.isEmpty() || (complete && catalogue.last().Key.isEmpty()))
        std::abort();
    return 0;
}
