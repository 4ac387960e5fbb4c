#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace nimbra {

// What makes one copy of the program the only one: a named mutex decides
// which copy is first, its receiver window carries a named property, and a
// second copy hands its command line over in a WM_COPYDATA message whose
// data is the marker (identifier + ".CommandLine:") followed by the command
// line in UTF-8, with no terminating zero. The names and the data layout
// are here; the Windows side is in MySingleInstance_win.h.

// This program's instance identifier.
inline constexpr std::string_view kNimbraInstanceId = "{1CE4ADBD-C75B-419E-AA96-8285BD4D2282}";

// "INSTMUTEX:" + identifier: one name space per logon session; machine-wide
// with "Global\" before it.
std::string InstanceMutexName(std::string_view identifier, bool localOnly);
// The property that marks the running copy's receiver window.
std::string InstanceWindowPropertyName(std::string_view identifier);
// identifier + ".CommandLine:"
std::string HandOverMarker(std::string_view identifier);

// The longest command line a hand-over carries: what the system allows a
// process (32767 UTF-16 units), at most three UTF-8 bytes each.
inline constexpr std::size_t kMaxHandOverCommandLine = 32767 * 3;

// The data of a hand-over: the marker, then the command line.
std::string EncodeHandOver(std::string_view identifier, std::string_view commandLine);
// The command line a hand-over carries, or nothing when the data is not one
// of ours: shorter than the marker, not beginning with it, or longer than
// any command line can be. Reads exactly `size` bytes and never looks for a
// terminating zero beyond them; a zero inside ends the command line (a
// sender that counted the terminator in is understood too).
std::optional<std::string> DecodeHandOver(std::string_view identifier, const void* data,
                                          std::size_t size);

}  // namespace nimbra
