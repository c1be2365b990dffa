// The update server's reply, split into its values and its link checked, as
// the About window does with whatever arrives.
#include "services/Links.h"
#include "services/UpdateCheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    UpdateBuffer buffer;
    StoreReply(buffer, QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const UpdateInfo info = SplitUpdate(buffer);
    (void)OpenableLink(info.LinkTarget());
    return 0;
}
