#pragma once

#include <string>
#include <vector>

#include "shell/SysFolders.h"

namespace nimbra {

inline constexpr const char* kSysFoldersSection = "SysFolders";

// The display name in the active language: section "SysFolders", ident the
// identifier ("sfDesktop"), the built-in name as the default.
std::string GetShellFolderName(TShellFolder folder);

// The 58 translatable constants, "SysFolders.sfDesktop=Desktop", in table
// order, for the language support to list and translate.
std::vector<std::string> SysFoldersConstants();

}  // namespace nimbra
