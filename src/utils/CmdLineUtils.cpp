#include "utils/CmdLineUtils.h"

#include <algorithm>

#include "base/Locale.h"

namespace nimbra {

bool IsCmdLineSwitch(std::string_view arg) {
    return !arg.empty() && (arg.front() == '-' || arg.front() == '/');
}

bool CmdLineSwitchIs(std::string_view arg, std::string_view name) {
    return IsCmdLineSwitch(arg) && AnsiSameText(arg.substr(1), name);
}

bool CmdLineSwitchPresent(std::string_view name, const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [name](const std::string& arg) { return CmdLineSwitchIs(arg, name); });
}

bool CmdLineSwitchPresent(std::string_view name) {
    return CmdLineSwitchPresent(name, CommandLineArguments());
}

}  // namespace nimbra
