#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Exception.h"

namespace nimbra {

// Raised when bytes are not a shell link this reader accepts.
class ELnkFormatError : public Exception {
  public:
    using Exception::Exception;
};

// An item identifier list as bytes: its items followed by the two-byte zero
// terminator; empty when there is none.
using TItemIDList = std::vector<std::uint8_t>;

// Real shortcut files are a few kilobytes (even with a property store in their
// extra data); anything above 1 MiB is not a shortcut we want to hold in memory.
constexpr std::size_t kMaxLnkFileSize = 1024 * 1024;

// The show commands a link may store; any other stored value means normal.
constexpr std::int32_t kShowNormal = 1;
constexpr std::int32_t kShowMaximized = 3;
constexpr std::int32_t kShowMinNoActive = 7;

// What a shell link holds, as the shell's link object reports it.
struct TShellLinkData {
    // The target exactly as stored: environment references are kept.
    std::string Path;
    std::string Arguments;
    std::string Description;
    // Virtual-key code in the low byte, modifier flags in the high byte.
    std::uint16_t HotKey = 0;
    std::int32_t IconIndex = 0;
    std::string IconLocation;
    std::int32_t ShowCmd = kShowNormal;
    std::string WorkingDirectory;
    TItemIDList IDList;

    bool operator==(const TShellLinkData&) const = default;
};

// Link flags of the header (the format's names).
enum : std::uint32_t {
    lnkHasLinkTargetIDList = 0x1,
    lnkHasLinkInfo = 0x2,
    lnkHasName = 0x4,
    lnkHasRelativePath = 0x8,
    lnkHasWorkingDir = 0x10,
    lnkHasArguments = 0x20,
    lnkHasIconLocation = 0x40,
    lnkIsUnicode = 0x80,
    lnkForceNoLinkInfo = 0x100,
    lnkHasExpString = 0x200,
    lnkHasExpIcon = 0x4000,
};

// A decoded ".lnk" file: the link's fields and the places its path can come
// from, each empty when the file does not hold it.
struct TShellLinkFile {
    TShellLinkData Data;
    std::uint32_t LinkFlags = 0;
    std::string RelativePath;
    // The target of the environment-variable block (references unexpanded).
    std::string EnvironmentTarget;
    // The icon file of the icon-environment block (references unexpanded).
    std::string EnvironmentIcon;
    // The target from the link information (local base path or network share
    // joined with the common path suffix).
    std::string LinkInfoPath;
    // The file-system path the identifier list names.
    std::string IDListPath;
};

// Decodes a binary shell link ("[MS-SHLLINK]"). Every size and offset is
// checked against the bytes; anything that does not fit raises
// ELnkFormatError, as does input larger than kMaxLnkFileSize.
TShellLinkFile ParseShellLink(std::string_view bytes);

// Reads and decodes a ".lnk" file; raises ELnkFormatError for a bad file and
// EInOutError when it cannot be read.
TShellLinkFile ReadShellLinkFile(const std::string& fileName);

// The file-system path an item identifier list names ("C:\Dir\File.txt"),
// empty when it names something else (a virtual folder, a network item) or
// cannot be decoded. `idList` holds the items and may lack the terminator.
std::string IDListToPath(std::string_view idList);

}  // namespace nimbra
