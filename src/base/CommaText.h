#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nimbra {

// The comma-text form of a list of lines, stored as one value: items are
// separated by commas; an item holding a blank, a control character, a comma
// or a double quote (or an empty item) is enclosed in double quotes with
// inner quotes doubled.
std::string EncodeCommaText(const std::vector<std::string>& items);

// The reverse: items are separated by commas or by runs of blanks and
// control characters outside quotes; a quoted item ends at its closing quote
// ("" inside stands for one quote) or, when unterminated, at the end of the
// text; a comma at the very end adds an empty last item.
std::vector<std::string> DecodeCommaText(std::string_view text);

// One item in the quoted form, if it needs quoting.
std::string QuoteCommaTextItem(std::string_view item);

}  // namespace nimbra
