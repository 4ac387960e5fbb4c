#pragma once

#include <span>
#include <string_view>

namespace nimbra {

// The lines of a help text built into the program (res/help/<name>.txt,
// without its extension); empty for an unknown name.
std::span<const std::string_view> EmbeddedHelpLines(std::string_view name);

}  // namespace nimbra
