#pragma once

#include <windows.h>

#include <string>

#include "base/Handles_win.h"

namespace nimbra::testing_support {

// A program the test starts with exactly this command line (no window of a
// console of its own); ended by force if it still runs when the object goes.
class ChildProcess {
  public:
    // Raises std::runtime_error when the program cannot be started.
    explicit ChildProcess(std::wstring commandLine);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Running() const;
    // The exit code once it ended, or STILL_ACTIVE after `ms` milliseconds.
    DWORD Wait(DWORD ms = 20000) const;

  private:
    TKernelHandle process_;
};

// A file beside the running test program (helper programs are built there).
std::wstring BesideTestProgram(const std::wstring& fileName);

}  // namespace nimbra::testing_support
