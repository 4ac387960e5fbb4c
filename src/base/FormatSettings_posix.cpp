#include "base/FormatSettings.h"

namespace nimbra {

// Outside Windows there is no user locale of the same shape; the defaults
// (US English) serve until a language file replaces them.
TFormatSettings LocaleFormatSettings() {
    return TFormatSettings{};
}

}  // namespace nimbra
