#include "utils/FileUtils.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace nimbra {

namespace {

// UTF-8 inside; the library converts to the platform's file names.
std::filesystem::path ToPath(std::string_view name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

[[noreturn]] void RaiseReadError(std::string_view fileName, const std::string& reason) {
    throw EInOutError("Cannot read \"" + std::string(fileName) + "\": " + reason);
}

}  // namespace

bool FileExists(std::string_view fileName) {
    if (fileName.empty())
        return false;
    std::error_code error;
    return std::filesystem::is_regular_file(ToPath(fileName), error);
}

bool DirectoryExists(std::string_view dirName) {
    if (dirName.empty())
        return false;
    std::error_code error;
    return std::filesystem::is_directory(ToPath(dirName), error);
}

bool RemoveFile(std::string_view fileName) {
    std::error_code error;
    return !fileName.empty() && std::filesystem::remove(ToPath(fileName), error);
}

std::string ReadFileBytes(std::string_view fileName, std::size_t maxSize) {
    const std::filesystem::path path = ToPath(fileName);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        RaiseReadError(fileName, error.message());
    if (size > maxSize)
        RaiseReadError(fileName, "the file is larger than " + std::to_string(maxSize) + " bytes");
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        RaiseReadError(fileName, "the file cannot be opened");
    // Read at most one byte more than allowed: the file may grow meanwhile.
    std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
    stream.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (stream.bad())
        RaiseReadError(fileName, "reading failed");
    bytes.resize(static_cast<std::size_t>(stream.gcount()));
    if (bytes.size() > maxSize)
        RaiseReadError(fileName, "the file is larger than " + std::to_string(maxSize) + " bytes");
    return bytes;
}

std::string ExtractFileName(std::string_view fileName) {
    const auto slash = fileName.find_last_of("\\/:");
    return std::string(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
}

std::string RemoveFileExt(std::string_view fileName) {
    const auto dot = fileName.find_last_of(".\\/:");
    if (dot == std::string_view::npos || fileName[dot] != '.')
        return std::string(fileName);
    return std::string(fileName.substr(0, dot));
}

}  // namespace nimbra
