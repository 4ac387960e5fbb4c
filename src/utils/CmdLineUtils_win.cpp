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

std::vector<std::string> ArgumentsOf(const wchar_t* commandLine) {
    std::vector<std::string> args;
    // The system reads an empty line as the path of this program.
    if (*commandLine == L'\0')
        return args;
    int count = 0;
    const TArgv argv(CommandLineToArgvW(commandLine, &count));
    if (!argv)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(ToUtf8(argv.Get()[i]));
    return args;
}

}  // namespace

std::vector<std::string> CommandLineArguments() {
    return ArgumentsOf(GetCommandLineW());
}

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    return ArgumentsOf(ToWide(commandLine).c_str());
}

}  // namespace nimbra
