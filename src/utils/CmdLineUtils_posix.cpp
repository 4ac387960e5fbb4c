#include <fstream>
#include <iterator>

#include "utils/CmdLineUtils.h"

namespace nimbra {

// The kernel keeps the arguments as the program received them, each ended by
// a zero byte; without it there are none to read.
std::vector<std::string> CommandLineArguments() {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> args;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\0', start);
        if (end == std::string::npos)
            end = bytes.size();
        args.emplace_back(bytes, start, end - start);
        start = end + 1;
    }
    if (!args.empty())
        args.erase(args.begin());
    return args;
}

}  // namespace nimbra
