// Any unreal.flt contents decode without a crash, and what was decoded is
// stored again and reads back the same.
#include "engine/FilterList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList entries = DecodeFilterFile(bytes);
    QString error;
    const std::optional<QByteArray> encoded = EncodeFilterFile(entries, &error);
    if (!encoded || !error.isEmpty() || DecodeFilterFile(*encoded) != entries)
        std::abort();
    return 0;
}
