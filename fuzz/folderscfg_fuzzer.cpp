// No stored value may break loading the include-folders list: a list saved
// by the program is changed value by value as the input says (records of a
// section byte, a value byte and a length byte, then that many bytes of
// text; a value byte with its top bit set deletes the value instead), and
// the configuration must then load without raising, within the limits of a
// stored list, and with the default list when it refused the stored one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "base/StringList.h"
#include "folders/NimbraCustomFolders.h"
#include "folders/NimbraFoldersCfg.h"
#include "shell/SysFolders.h"
#include "utils/ConfigUtils.h"
#include "utils/NimbraCfg.h"

namespace {

using namespace nimbra;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

const std::string kSections[] = {"Nimbra\\Folders", "Nimbra\\Folders.Folders",
                                 "Nimbra\\Folders.Folders.Item0.Paths",
                                 "Nimbra\\Folders.Folders.Item3.Paths"};

void Setup() {
    AppIni().SetAppKey("\\Quillmoor Software\\NimbraFuzz");
    SetShellFolderResolver([](TShellFolder folder, bool) {
        return folder == sfStartMenu || folder == sfCommonStartMenu || folder == sfDesktop
                   ? "C:\\" + std::to_string(static_cast<int>(folder))
                   : std::string();
    });
}

// The default list with a separator and an entry of two locations, saved.
void SaveSampleList() {
    AppIni().EraseSection("Nimbra");
    TNimbraCfg cfg;
    TCustomFolders& folders = *cfg.FoldersCfg()->Folders();
    folders.AddSeparator();
    TCustomFolder* work = folders.Add();
    work->SetTitle("&Work");
    work->Paths()->AddDisk("C:\\Work");
    work->Paths()->AddShell(sfPersonal);
    cfg.FoldersCfg()->Save();
}

void Damage(std::string_view input) {
    std::size_t pos = 0;
    while (pos + 3 <= input.size()) {
        const std::string& section = kSections[static_cast<unsigned char>(input[pos]) % 4];
        const auto choice = static_cast<unsigned char>(input[pos + 1]);
        const std::size_t length = static_cast<unsigned char>(input[pos + 2]);
        pos += 3;
        const std::string value(input.substr(pos, length));
        pos += value.size();
        TStringList values;
        AppIni().ReadSectionValues(section, values);
        const std::string ident =
            values.Count() > 0 ? values.Names((choice & 0x7F) % values.Count()) : "Folders.Count";
        if ((choice & 0x80) != 0) {
            AppIni().DeleteKey(section, ident);
        } else {
            AppIni().WriteString(section, ident, value);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = (Setup(), true);
    (void)ready;
    SaveSampleList();
    Damage(std::string_view(reinterpret_cast<const char*>(data), size));
    AppIni().Close();
    try {
        TNimbraCfg cfg;
        cfg.Load();
        const TCustomFolders& folders = *cfg.FoldersCfg()->Folders();
        Check(folders.Count() <= kMaxStoredFolders);
        for (int i = 0; i < folders.Count(); ++i)
            Check(folders.Items(i)->Paths()->Count() <= kMaxStoredPaths);
        // A refused list went to the backup, and the default list (two
        // entries here) took its place.
        if (AppIni().SectionExists("Nimbra\\FoldersBackup"))
            Check(folders.Count() == 2);
    } catch (...) {
        std::abort();
    }
    return 0;
}
