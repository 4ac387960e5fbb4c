#include "support/DescribeFolders.h"

namespace nimbra::testing_support {

std::vector<std::string> DescribeFolders(const TCustomFolders& folders) {
    std::vector<std::string> lines;
    for (int i = 0; i < folders.Count(); ++i) {
        const TCustomFolder* folder = folders.Items(i);
        std::string line = folder->Separator() ? "<separator>" : folder->Title();
        line += folder->Include() ? " +" : " -";
        for (int p = 0; p < folder->Paths()->Count(); ++p) {
            const TCustomFolderPath* path = folder->Paths()->Items(p);
            line +=
                path->PathType() == ptShell
                    ? " shell:" + std::string(EnumTypeInfo(sfDesktop).NameOf(path->ShellFolder()))
                    : " disk:" + path->Path();
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace nimbra::testing_support
