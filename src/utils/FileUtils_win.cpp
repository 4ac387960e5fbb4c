#include <windows.h>

#include <algorithm>
#include <atomic>

#include "base/Handles_win.h"
#include "base/OsError.h"
#include "base/Unicode.h"
#include "utils/FileUtils.h"

namespace nimbra {

namespace {

std::wstring TemporaryName(const std::string& fileName) {
    static std::atomic<unsigned> counter{0};
    return ToWide(fileName + ".~" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(++counter));
}

// Gives up a half-written temporary file and reports the failed call.
[[noreturn]] void Abandon(TFileHandle& file, const std::wstring& temporary, const char* call,
                          const std::string& fileName) {
    const DWORD code = GetLastError();
    file.Reset();
    DeleteFileW(temporary.c_str());
    RaiseOSError(call, code, WriteErrorSubject(fileName));
}

}  // namespace

void WriteFileReplacing(const std::string& fileName, std::string_view bytes) {
    const std::wstring temporary = TemporaryName(fileName);
    TFileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        RaiseOSError("CreateFile", GetLastError(), WriteErrorSubject(fileName));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        // A write that takes nothing would loop for ever.
        if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0)
            Abandon(file, temporary, "WriteFile", fileName);
        done += written;
    }
    if (!FlushFileBuffers(file.Get()))
        Abandon(file, temporary, "FlushFileBuffers", fileName);
    // Closed here, so that a failing close is reported.
    if (!CloseHandle(file.Release()))
        Abandon(file, temporary, "CloseHandle", fileName);
    if (!MoveFileExW(temporary.c_str(), ToWide(fileName).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        Abandon(file, temporary, "MoveFileEx", fileName);
}

}  // namespace nimbra
