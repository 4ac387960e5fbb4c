#include <array>
#include <string_view>

#include "controls/ShortCuts.h"

namespace nimbra {

namespace {

struct TLayoutName {
    unsigned Key;
    std::string_view Name;
};

// What a US keyboard layout calls the keys the common table leaves out.
constexpr std::array<TLayoutName, 20> kUsLayoutNames{
    {{20, "Caps Lock"}, {44, "Prnt Scrn"}, {106, "Num *"},    {107, "Num +"},       {109, "Num -"},
     {110, "Num Del"},  {111, "Num /"},    {144, "Num Lock"}, {145, "Scroll Lock"}, {186, ";"},
     {187, "="},        {188, ","},        {189, "-"},        {190, "."},           {191, "/"},
     {192, "`"},        {219, "["},        {220, "\\"},       {221, "]"},           {222, "'"}}};

}  // namespace

std::string KeyboardLayoutKeyName(unsigned key) {
    for (const TLayoutName& entry : kUsLayoutNames) {
        if (entry.Key == key)
            return std::string(entry.Name);
    }
    return {};
}

}  // namespace nimbra
