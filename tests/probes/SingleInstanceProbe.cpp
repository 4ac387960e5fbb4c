// A program for the single-instance tests, which start it more than once:
//
//   SingleInstanceProbe.exe IDENTIFIER OUTFILE [/serve [/stubborn]] [arguments...]
//
// A start that finds a running copy with the same identifier hands its
// command line over and ends with kHandedOver; with the switch "exit" it
// asks that copy to end instead and ends with kEnded, or kStillRunning when
// the copy still runs after a second. A first start ends at once
// with kFirst (kFirstWithTray when the switch "tray" is among its
// arguments); with /serve it stays instead, writes each command line handed
// to it into OUTFILE, and ends with kFirst after one that ends in " stop"
// or (unless /stubborn) asks it to exit.
#include <windows.h>

#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/Unicode.h"
#include "utils/CmdLineUtils.h"
#include "utils/MySingleInstance_win.h"

namespace {

enum TProbeExit {
    kFirst = 10,
    kFirstWithTray = 11,
    kHandedOver = 20,
    kEnded = 21,
    kStillRunning = 22,
    kFailed = 30
};

constexpr DWORD kExitWaitMs = 1000;

int Run(int argc, wchar_t** argv) {
    using namespace nimbra;
    if (argc < 3)
        return kFailed;
    const std::filesystem::path outFile(argv[2]);
    if (CheckPrevInstance(ToUtf8(argv[1]), true)) {
        if (CmdLineSwitchPresent(kExitSwitch))
            return EndPrevInstance(kExitWaitMs) ? kEnded : kStillRunning;
        ActivatePrevInstance();
        return kHandedOver;
    }
    if (!CmdLineSwitchPresent("serve"))
        return CmdLineSwitchPresent("tray") ? kFirstWithTray : kFirst;

    TMySingleInstance receiver(nullptr);
    receiver.SetNoAutoActivate(true);
    const bool stubborn = CmdLineSwitchPresent("stubborn");
    receiver.OnInstanceLaunch = [&](TMySingleInstance&, const std::string& commandLine) {
        std::ofstream(outFile, std::ios::binary | std::ios::trunc) << commandLine;
        const bool exit = CmdLineSwitchPresent(kExitSwitch, SplitCommandLine(commandLine));
        if (commandLine.ends_with(" stop") || (exit && !stubborn))
            PostQuitMessage(0);
    };
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return kFirst;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        const int result = Run(argc, argv);
        nimbra::CloseInstanceMutex();
        return result;
    } catch (const std::exception&) {
        return kFailed;
    }
}
