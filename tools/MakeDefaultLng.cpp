// make_default_lng WORK_FOLDER DESTINATION: generates the program's default
// language file in WORK_FOLDER from its windows, frames and data modules and
// copies it to DESTINATION. The windows read the settings store when they
// are made: a key of the tool's own keeps the user's settings out of it.
#include <windows.h>

#include <filesystem>
#include <iostream>

#include "app/ProgramWindows.h"
#include "base/ComInit.h"
#include "base/Unicode.h"
#include "help/CommonAppHelp.h"
#include "utils/ConfigUtils.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"
#include "utils/NimbraCfg.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_default_lng WORK_FOLDER DESTINATION\n";
        return 2;
    }
    try {
        const nimbra::TComInitializer com;
        nimbra::AppIni().SetAppKey("\\Quillmoor Software\\NimbraDefaultTexts");
        nimbra::TNimbraCfg configuration;
        std::filesystem::create_directories(argv[1]);
        const std::string generated = nimbra::GenerateDefaultLanguageFile(
            nimbra::ToUtf8(argv[1]), nimbra::CreateProgramWindows);
        nimbra::WriteFileReplacing(nimbra::ToUtf8(argv[2]),
                                   nimbra::ReadFileBytes(generated, std::size_t{64} << 20));
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quillmoor Software\\NimbraDefaultTexts");
        std::wcout << L"Wrote " << argv[2] << L"\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "make_default_lng: " << e.what() << "\n";
        return 1;
    }
}
