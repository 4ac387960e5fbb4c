#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/Exception.h"

namespace nimbra {

// Raised when a file cannot be read.
class EInOutError : public Exception {
  public:
    using Exception::Exception;
};

// Raised when a file holds more bytes than its reader takes.
class EFileTooLargeError : public EInOutError {
  public:
    using EInOutError::EInOutError;
};

// True when the name is an existing file (not a folder); any error gives false.
bool FileExists(std::string_view fileName);
// True when the name is an existing folder; any error gives false.
bool DirectoryExists(std::string_view dirName);
// Deletes a file (never a folder); false when it could not be deleted.
bool RemoveFile(std::string_view fileName);
// The whole file's bytes. Raises EInOutError when it cannot be read, and
// EFileTooLargeError when it holds more than maxSize bytes (files from
// outside must not exhaust memory).
std::string ReadFileBytes(std::string_view fileName, std::size_t maxSize);

// Replaces the file's content with `bytes`: the bytes go to a new temporary
// file in the same folder, which is then renamed over the file, so a failure
// (full disk, crash) leaves either the old file or the new one, never half a
// file. Raises EOSError naming the file and the failed call, after removing
// the temporary file.
void WriteFileReplacing(const std::string& fileName, std::string_view bytes);
// The start of the message of a failed write: Cannot write "name".
std::string WriteErrorSubject(std::string_view fileName);

// The name without its folder ("\", "/" or a drive colon).
std::string ExtractFileName(std::string_view fileName);
// The name without its extension (the part from the last "." of the name on).
std::string RemoveFileExt(std::string_view fileName);

}  // namespace nimbra
