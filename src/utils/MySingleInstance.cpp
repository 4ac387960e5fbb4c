#include "utils/MySingleInstance.h"

namespace nimbra {

namespace {

constexpr std::string_view kMutexPrefix = "INSTMUTEX:";
constexpr std::string_view kMachineWidePrefix = "Global\\";
constexpr std::string_view kPropertyPrefix =
    "MyInstanceUtils.InstanceWindow.{945C5821-4FF3-4DB3-AADF-066FC0679D83}.";
constexpr std::string_view kMarkerSuffix = ".CommandLine:";

}  // namespace

std::string InstanceMutexName(std::string_view identifier, bool localOnly) {
    std::string name = localOnly ? std::string() : std::string(kMachineWidePrefix);
    name += kMutexPrefix;
    name += identifier;
    return name;
}

std::string InstanceWindowPropertyName(std::string_view identifier) {
    return std::string(kPropertyPrefix) + std::string(identifier);
}

std::string HandOverMarker(std::string_view identifier) {
    return std::string(identifier) + std::string(kMarkerSuffix);
}

std::string EncodeHandOver(std::string_view identifier, std::string_view commandLine) {
    return HandOverMarker(identifier) + std::string(commandLine);
}

std::optional<std::string> DecodeHandOver(std::string_view identifier, const void* data,
                                          std::size_t size) {
    const std::string marker = HandOverMarker(identifier);
    if (data == nullptr || size < marker.size() || size - marker.size() > kMaxHandOverCommandLine)
        return std::nullopt;
    const std::string_view bytes(static_cast<const char*>(data), size);
    if (bytes.substr(0, marker.size()) != marker)
        return std::nullopt;
    std::string_view commandLine = bytes.substr(marker.size());
    commandLine = commandLine.substr(0, commandLine.find('\0'));
    return std::string(commandLine);
}

}  // namespace nimbra
