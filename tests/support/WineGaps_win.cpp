#include <windows.h>

#include <gtest/gtest.h>

#include <iostream>

#include "support/WineGaps.h"

namespace nimbra::testing_support {

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void NoteWineGap(const std::string& gap) {
    testing::Test::RecordProperty("WineGap", gap);
    std::cout << "[ WINE GAP ] " << gap << std::endl;
}

}  // namespace nimbra::testing_support
