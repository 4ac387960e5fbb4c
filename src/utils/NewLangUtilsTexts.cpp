#include "utils/NewLangUtilsTexts.h"

#include "shell/LocalizedSysFolders.h"

namespace nimbra {

std::vector<std::string> CodeTextConstants() {
    std::vector<std::string> constants;
    for (const TCodeText& text : kCodeTexts)
        constants.push_back(ConstantEntry(text));
    for (std::string& entry : SysFoldersConstants())
        constants.push_back(std::move(entry));
    return constants;
}

}  // namespace nimbra
