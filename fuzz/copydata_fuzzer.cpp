// The receiver of a second start's hand-over must take any WM_COPYDATA data:
// what it accepts begins with our marker, and what it hands on is the rest of
// the data, no byte from beyond it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "utils/MySingleInstance.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view id = nimbra::kNimbraInstanceId;
    const std::optional<std::string> commandLine = nimbra::DecodeHandOver(id, data, size);
    if (!commandLine)
        return 0;
    const std::string marker = nimbra::HandOverMarker(id);
    if (size < marker.size() || std::memcmp(data, marker.data(), marker.size()) != 0)
        std::abort();
    const std::size_t rest = size - marker.size();
    if (commandLine->size() > rest || commandLine->find('\0') != std::string::npos ||
        std::memcmp(commandLine->data(), data + marker.size(), commandLine->size()) != 0)
        std::abort();
    // Encoding what was decoded gives the data back up to a zero byte.
    const std::string again = nimbra::EncodeHandOver(id, *commandLine);
    if (std::memcmp(again.data(), data, again.size()) != 0)
        std::abort();
    return 0;
}
