// Any bytes offered as a package must be read or refused without a crash, a
// hang or an allocation out of proportion to their size.
#include "engine/PackageReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    PackageRecord record;
    if (ReadUTXBytes(bytes, QStringLiteral("/tmp/Fuzz.utx"), record)) {
        if (record.NameCount != record.Names.size() || record.NameCount > qsizetype(size) ||
            record.PackageName != QStringLiteral("Fuzz"))
            std::abort();
    } else if (record != PackageRecord{}) {
        std::abort();
    }
    return 0;
}
