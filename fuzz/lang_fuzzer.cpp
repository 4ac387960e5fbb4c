// Language files from anywhere: the input is up to four files separated by
// NUL bytes, written as the languages A, B, C and D. Looking up every text of
// them along the template chains must end (files naming each other), a
// file's own non-empty text must win, and reading its locale values must
// keep whatever cannot be used.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "base/FormatSettings.h"
#include "base/StringList.h"
#include "utils/FastIniUtils.h"
#include "utils/NewLangUtils.h"

namespace {

namespace fs = std::filesystem;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path path = fs::temp_directory_path() /
                        ("nimbra-lang-fuzz-" + std::to_string(static_cast<long>(::getpid())));
        fs::create_directories(path);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(Folder(), ignored);
        });
        return path;
    }();
    return folder;
}

void LookUpEverything(nimbra::TLanguageFile& file, const fs::path& own) {
    nimbra::TFastIniFile ini(own.string());
    nimbra::TStringList sections;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count() && s < 32; ++s) {
        nimbra::TStringList values;
        ini.ReadSectionValues(sections.Strings(s), values);
        for (int v = 0; v < values.Count() && v < 64; ++v) {
            const std::string ident = values.Names(v);
            const std::string value = values.ValueFromIndex(v);
            if (ident.empty() || ident.find('=') != std::string::npos)
                continue;
            const std::string text = file.ReadText(sections.Strings(s), ident, "\x01");
            if (!value.empty())
                Check(text == nimbra::DecodeLanguageText(value));
            (void)file.ReadRaw(sections.Strings(s), ident + "x", "d");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const char* const languages[] = {"A", "B", "C", "D"};
    std::size_t start = 0;
    for (const char* language : languages) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        std::ofstream(Folder() / (std::string(language) + ".lng"), std::ios::binary)
            << input.substr(std::min(start, input.size()), end - std::min(start, input.size()));
        start = end + 1;
    }
    nimbra::ClearCache();
    nimbra::TLanguageFile file(Folder().string());
    file.SetLanguage("A");
    LookUpEverything(file, Folder() / "A.lng");

    const nimbra::TFormatSettings settings =
        nimbra::LocaleFormatSettingsOf(file, nimbra::TFormatSettings());
    for (const std::string& name : settings.LongMonthNames)
        (void)name;
    Check(settings.CurrencyFormat >= 0 && settings.CurrencyFormat <= 3);
    nimbra::ClearCache();
    return 0;
}
