// The INI parser must take any bytes; afterwards every listed section and key
// must be found again by the binary-search lookups, and writing the store out
// and reading it back must settle: a round trims bare-word names, which can
// turn a written key line into a comment or a header on the next round, so
// the text is stable from the third rendering on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/Locale.h"
#include "base/Unicode.h"
#include "utils/FastIniUtils.h"

namespace {

using nimbra::TFastIniFile;
using nimbra::TStringList;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckSortedUnique(const TStringList& list) {
    for (int i = 1; i < list.Count(); ++i)
        Check(nimbra::AnsiCompareText(list.Strings(i - 1), list.Strings(i)) < 0);
}

// Every section and key the store lists is reachable by its lookups.
void CheckLookups(TFastIniFile& ini) {
    TStringList sections;
    ini.ReadSections(sections);
    CheckSortedUnique(sections);
    const std::string missing(1, '\x01');
    for (int s = 0; s < sections.Count(); ++s) {
        const std::string& section = sections.Strings(s);
        TStringList keys;
        TStringList values;
        ini.ReadSection(section, keys);
        ini.ReadSectionValues(section, values);
        CheckSortedUnique(keys);
        Check(keys.Count() == values.Count());
        for (int k = 0; k < keys.Count(); ++k) {
            const std::string& key = keys.Strings(k);
            const std::string value = ini.ReadString(section, key, missing);
            Check(value != missing);
            Check(values.Strings(k) == key + "=" + value);
        }
    }
}

std::string Reparsed(const std::string& text) {
    TFastIniFile ini("");
    ini.SetText(text);
    CheckLookups(ini);
    return ini.GetText();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks raw bytes or the decoding a file load applies.
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string text =
        (data[0] & 1) != 0 ? nimbra::DecodeTextFile(bytes) : std::string(bytes);

    TFastIniFile ini("");
    ini.SetText(text);
    CheckLookups(ini);

    const std::string third = Reparsed(Reparsed(ini.GetText()));
    Check(Reparsed(third) == third);

    // Deleting every key of the first section empties and removes it;
    // writing a key back creates it again.
    TStringList sections;
    ini.ReadSections(sections);
    if (sections.Count() > 0) {
        const std::string section = sections.Strings(0);
        TStringList keys;
        ini.ReadSection(section, keys);
        for (int k = 0; k < keys.Count(); ++k)
            ini.DeleteKey(section, keys.Strings(k));
        if (keys.Count() > 0)
            Check(!ini.SectionExists(section));
        ini.WriteString(section, "fuzz", "value");
        Check(ini.ReadString(section, "fuzz", "") == "value");
        CheckLookups(ini);
    }
    return 0;
}
