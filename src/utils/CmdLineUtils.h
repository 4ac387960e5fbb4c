#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nimbra {

// An argument that begins with "-" or "/"; its name is the rest.
bool IsCmdLineSwitch(std::string_view arg);
// True when `arg` is a switch whose whole name is `name`, letter case
// ignored: "/Tray", "-tray" and "-TRAY" are the switch "tray"; "tray",
// "--tray" and "/tray:x" are not.
bool CmdLineSwitchIs(std::string_view arg, std::string_view name);
// True when any of `args` is the switch.
bool CmdLineSwitchPresent(std::string_view name, const std::vector<std::string>& args);
// The same over the arguments of this process.
bool CmdLineSwitchPresent(std::string_view name);

// The arguments of this process as the system splits its (Unicode) command
// line, the program path left out.
std::vector<std::string> CommandLineArguments();

#ifdef _WIN32
// The arguments of a whole command line (program path first, as a second
// start hands it over), split by the system's rules, the program path left
// out.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
#endif

// The switch that asks a running copy to end: the installer and the
// uninstaller start the program with it to close the copy that runs.
inline constexpr std::string_view kExitSwitch = "exit";

}  // namespace nimbra
