#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "base/Handles_posix.h"
#include "base/OsError.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

std::string TemporaryName(const std::string& fileName) {
    static std::atomic<unsigned> counter{0};
    return fileName + ".~" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

// Gives up a half-written temporary file and reports the failed call.
[[noreturn]] void Abandon(TFd& file, const std::string& temporary, const char* call,
                          const std::string& fileName) {
    const int code = errno;
    file.Reset();
    ::unlink(temporary.c_str());
    RaiseOSError(call, static_cast<unsigned long>(code), WriteErrorSubject(fileName));
}

}  // namespace

void WriteFileReplacing(const std::string& fileName, std::string_view bytes) {
    const std::string target = NativePath(fileName);
    const std::string temporary = TemporaryName(target);
    TFd file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (!file)
        RaiseOSError("open", static_cast<unsigned long>(errno), WriteErrorSubject(fileName));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // A write that takes nothing would loop for ever.
            if (n == 0)
                errno = ENOSPC;
            Abandon(file, temporary, "write", fileName);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(file.Get()) != 0)
        Abandon(file, temporary, "fsync", fileName);
    // Closed here, so that a failing close is reported.
    if (::close(file.Release()) != 0)
        Abandon(file, temporary, "close", fileName);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        Abandon(file, temporary, "rename", fileName);
}

}  // namespace nimbra
