#include "support/ChildProcess_win.h"

#include <filesystem>
#include <stdexcept>

namespace nimbra::testing_support {

ChildProcess::ChildProcess(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &info))
        throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
}

ChildProcess::~ChildProcess() {
    if (Running())
        TerminateProcess(process_.Get(), 99);
}

bool ChildProcess::Running() const {
    return WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::Wait(DWORD ms) const {
    WaitForSingleObject(process_.Get(), ms);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.Get(), &code);
    return code;
}

std::wstring BesideTestProgram(const std::wstring& fileName) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return (std::filesystem::path(std::wstring(path, length)).parent_path() / fileName).wstring();
}

}  // namespace nimbra::testing_support
