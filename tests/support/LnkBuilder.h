#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace nimbra::testing_support {

// The parts of a binary shell link, written independently of the reader so
// that tests can build exactly the bytes they need (the format's layout).
// Texts are UTF-8; each optional part is written only when set.
struct LnkSpec {
    std::uint32_t extraFlags = 0;            // flags besides those the parts imply
    std::optional<std::string> idListItems;  // items without the terminator
    std::optional<std::string> localBasePath;
    std::optional<std::string> networkShare;
    std::string commonPathSuffix;
    bool wideLinkInfo = false;  // the larger link information with wide texts
    bool unicodeStrings = true;
    std::optional<std::string> description;
    std::optional<std::string> relativePath;
    std::optional<std::string> workingDir;
    std::optional<std::string> arguments;
    std::optional<std::string> iconLocation;
    std::optional<std::string> environmentTarget;
    std::optional<std::string> iconEnvironment;
    std::uint32_t showCommand = 1;
    std::uint16_t hotKey = 0;
    std::int32_t iconIndex = 0;
    bool terminalBlock = true;
};

std::string BuildLnk(const LnkSpec& spec);

// Identifier list items: the "My Computer" root, a drive ("C:\"), and a file
// or folder item with its long name in a version-9 extension block.
std::string RootItem(bool myComputer = true);
std::string DriveItem(const std::string& drive);
std::string FileItem(const std::string& shortName, const std::string& longName, bool folder);
// `count` items of two bytes, their size alone: the smallest items there are.
std::string TinyItems(std::size_t count);

// Little-endian pieces.
std::string U16(std::uint16_t value);
std::string U32(std::uint32_t value);
std::string Utf16Z(const std::string& text);  // UTF-16LE with its NUL

}  // namespace nimbra::testing_support
