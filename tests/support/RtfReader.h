#pragma once

#include <optional>
#include <string>

namespace nimbra::testing_support {

// What a real RTF reader makes of a document: Debian's unrtf converts it to
// HTML, of which the text is returned (tags removed, character references
// decoded to UTF-8). Nothing when unrtf is not installed or fails.
struct RtfReading {
    std::string html;
    std::string text;
};
bool HaveRtfReader();
std::optional<RtfReading> ReadRtf(const std::string& rtf);

}  // namespace nimbra::testing_support
