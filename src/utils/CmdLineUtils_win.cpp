#include <windows.h>

#include <shellapi.h>

#include "base/Handles.h"
#include "base/Unicode.h"
#include "utils/CmdLineUtils.h"

namespace nimbra {

namespace {

void FreeArgv(LPWSTR* argv) noexcept {
    LocalFree(argv);
}

using TArgv = THandle<TNullHandleTraits<LPWSTR*, &FreeArgv>>;

}  // namespace

std::vector<std::string> CommandLineArguments() {
    int count = 0;
    const TArgv argv(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> args;
    if (!argv)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(ToUtf8(argv.Get()[i]));
    return args;
}

}  // namespace nimbra
