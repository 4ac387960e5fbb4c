// The ID list walker must take any bytes: no read past the buffer (the bytes
// are copied into a buffer of exactly their size for AddressSanitizer), and
// every operation must agree with the others about where the list ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "shell/PidlUtils.h"

using namespace nimbra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::unique_ptr<unsigned char[]> bytes(new unsigned char[size == 0 ? 1 : size]);
    std::memcpy(bytes.get(), data, size);
    const auto pidl = reinterpret_cast<PItemIdList>(bytes.get());

    const std::size_t items = PidlItemCount(pidl, size);
    const std::size_t total = PidlSize(pidl, size);
    if (items > kMaxPidlItems || total > size)
        std::abort();

    const TPidlPtr copy = PidlCopy(pidl, size);
    if (PidlItemCount(copy.Get(), total + 2) != items || PidlSize(copy.Get(), total + 2) != total)
        std::abort();
    if (std::memcmp(copy.Get(), bytes.get(), total) != 0)
        std::abort();

    PCItemIdList last = nullptr;
    const TPidlPtr parent = SplitPidl(pidl, last, size);
    if ((last == nullptr) != (items == 0))
        std::abort();
    if (items > 0 && PidlItemCount(parent.Get()) != items - 1)
        std::abort();
    if (last != nullptr && PidlLast(static_cast<PCItemIdList>(pidl), size) != last)
        std::abort();

    const std::string virtualPath = PidlToVirtualPath(pidl, size);
    // Each of the items gives "::{...}" (40 characters) and a separator.
    if (!virtualPath.empty() && virtualPath.size() != items * 41 - 1)
        std::abort();

    PidlStripLast(pidl, size);
    if (items > 0 && PidlItemCount(pidl, size) != items - 1)
        std::abort();
    return 0;
}
