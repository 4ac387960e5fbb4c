// The collection editor's private clipboard form is read from the system
// clipboard, where any program may put bytes under its name: reading must
// take any bytes, refusing them only with EConvertError, within the item
// limit; what it accepted must write out and read back to the same form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/Exception.h"
#include "folders/CollEditUtils.h"
#include "folders/NimbraCustomFolders.h"

namespace {

using namespace nimbra;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

int ItemCount(const TCustomFolders& folders) {
    int count = folders.Count();
    for (int i = 0; i < folders.Count(); ++i)
        count += folders.Items(i)->Paths()->Count();
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TCustomFolders folders;
    try {
        ReadCollectionStream(bytes, folders);
    } catch (const EConvertError&) {
        return 0;
    } catch (...) {
        std::abort();
    }
    Check(ItemCount(folders) <= kMaxStreamItems);
    try {
        const std::string written = WriteCollectionStream(folders);
        TCustomFolders again;
        ReadCollectionStream(written, again);
        Check(WriteCollectionStream(again) == written);
    } catch (...) {
        std::abort();
    }
    return 0;
}
