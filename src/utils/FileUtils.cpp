#include "utils/FileUtils.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "utils/MiscUtils.h"

namespace nimbra {

namespace {

// UTF-8 inside; the library converts to the platform's file names. The
// program's paths are joined with backslashes, which become slashes outside
// Windows.
std::filesystem::path ToPath(std::string_view name) {
    const std::string native = NativePath(name);
    return std::filesystem::path(std::u8string(native.begin(), native.end()));
}

std::string ReadErrorText(std::string_view fileName, const std::string& reason) {
    return "Cannot read \"" + std::string(fileName) + "\": " + reason;
}

[[noreturn]] void RaiseReadError(std::string_view fileName, const std::string& reason) {
    throw EInOutError(ReadErrorText(fileName, reason));
}

[[noreturn]] void RaiseTooLarge(std::string_view fileName, std::size_t maxSize) {
    throw EFileTooLargeError(
        ReadErrorText(fileName, "the file is larger than " + std::to_string(maxSize) + " bytes"));
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
    if (fileName.empty())
        return false;
    const std::filesystem::path path = ToPath(fileName);
    std::error_code error;
    // remove() would take an empty folder of that name too.
    if (std::filesystem::is_directory(std::filesystem::symlink_status(path, error)))
        return false;
    return std::filesystem::remove(path, error);
}

std::string ReadFileBytes(std::string_view fileName, std::size_t maxSize) {
    const std::filesystem::path path = ToPath(fileName);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        RaiseReadError(fileName, error.message());
    if (size > maxSize)
        RaiseTooLarge(fileName, maxSize);
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
        RaiseTooLarge(fileName, maxSize);
    return bytes;
}

std::string WriteErrorSubject(std::string_view fileName) {
    return "Cannot write \"" + std::string(fileName) + "\"";
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
