#pragma once

// Asks the user for one line of text (Windows only).
#include <string>

namespace nimbra {

// Shows a small modal window with `caption`, the `prompt` above an edit
// field holding `value`, OK and Cancel; on OK `value` takes the text and the
// answer is true.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

}  // namespace nimbra
