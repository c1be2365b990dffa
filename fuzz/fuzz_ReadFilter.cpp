// Any unreal.flt contents decode and are judged without a crash, and what was
// decoded from a file taken as a list is stored again and reads back the same.
#include "engine/FilterList.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList entries = DecodeFilterFile(bytes);
    if (!FilterFileDamage(bytes).isEmpty())
        return 0;
    QString error;
    const std::optional<QByteArray> encoded = EncodeFilterFile(entries, &error);
    if (!encoded || !error.isEmpty() || DecodeFilterFile(*encoded) != entries)
        std::abort();
    return 0;
}
