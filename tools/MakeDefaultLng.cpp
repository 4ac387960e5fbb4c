// make_default_lng WORK_FOLDER DESTINATION: generates the program's default
// language file in WORK_FOLDER and copies it to DESTINATION.
#include <filesystem>
#include <iostream>

#include "help/CommonAppHelp.h"
#include "utils/FileUtils.h"
#include "utils/MiscUtils.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_default_lng WORK_FOLDER DESTINATION\n";
        return 2;
    }
    try {
        std::filesystem::create_directories(argv[1]);
        const std::string generated = nimbra::GenerateDefaultLanguageFile(argv[1]);
        nimbra::WriteFileReplacing(
            argv[2], nimbra::ReadFileBytes(nimbra::NativePath(generated), std::size_t{64} << 20));
        std::cout << "Wrote " << argv[2] << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "make_default_lng: " << e.what() << "\n";
        return 1;
    }
}
