#pragma once

// Owners of POSIX descriptors and directory streams.
#include <dirent.h>
#include <unistd.h>

#include "base/Handles.h"

namespace nimbra {

struct TFdTraits {
    using TValue = int;
    static TValue Invalid() noexcept { return -1; }
    static void Close(TValue value) noexcept { ::close(value); }
};
using TFd = THandle<TFdTraits>;

using TDirHandle = THandle<TNullHandleTraits<DIR*, &::closedir>>;

}  // namespace nimbra
