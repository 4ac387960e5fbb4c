#pragma once

#include <string>
#include <string_view>

namespace nimbra {

// Whole-file access by UTF-8 path names.

// True when the path names an existing file (not a folder).
bool FileExists(const std::string& fileName);

// Reads the whole file into `bytes`. Returns false when the file does not
// exist; raises EOSError (naming the call) for any other failure.
bool ReadFileBytes(const std::string& fileName, std::string& bytes);

// Replaces the file's content with `bytes`: the bytes go to a new temporary
// file in the same folder, which is then renamed over the file, so a failure
// (full disk, crash) leaves either the old file or the new one, never half a
// file. Raises EOSError on failure, after removing the temporary file.
void WriteFileReplacing(const std::string& fileName, std::string_view bytes);

}  // namespace nimbra
