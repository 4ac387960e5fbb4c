#include "controls/ShortCuts.h"

#include <array>
#include <string_view>

#include "utils/NewLangUtilsTexts.h"

namespace nimbra {

const TTypeInfo& EnumTypeInfo(TShiftStateItem) {
    static const TTypeInfo info = MakeEnumTypeInfo(
        "TShiftStateItem",
        {"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble", "ssWin"});
    return info;
}

namespace {

struct TModifierBit {
    TShiftStateItem Shift;
    TShortCut Bit;
    unsigned HotKeyMod;
};

// In the order the text shows them.
constexpr std::array<TModifierBit, 4> kModifiers{{{ssShift, scShift, kModShift},
                                                  {ssCtrl, scCtrl, kModControl},
                                                  {ssAlt, scAlt, kModAlt},
                                                  {ssWin, scWin, kModWin}}};

struct TKeyName {
    unsigned Key;
    const TCodeText& Name;
};

constexpr std::string_view kConst = kStringConstantsSection;

const std::array<TKeyName, 16> kKeyNames{{{8, CodeText(kConst, "SmkcBkSp")},
                                          {9, CodeText(kConst, "SmkcTab")},
                                          {13, CodeText(kConst, "SmkcEnter")},
                                          {19, CodeText(kConst, "SmkcPause")},
                                          {27, CodeText(kConst, "SmkcEsc")},
                                          {32, CodeText(kConst, "SmkcSpace")},
                                          {33, CodeText(kConst, "SmkcPgUp")},
                                          {34, CodeText(kConst, "SmkcPgDn")},
                                          {35, CodeText(kConst, "SmkcEnd")},
                                          {36, CodeText(kConst, "SmkcHome")},
                                          {37, CodeText(kConst, "SmkcLeft")},
                                          {38, CodeText(kConst, "SmkcUp")},
                                          {39, CodeText(kConst, "SmkcRight")},
                                          {40, CodeText(kConst, "SmkcDown")},
                                          {45, CodeText(kConst, "SmkcIns")},
                                          {46, CodeText(kConst, "SmkcDel")}}};

// In the order the text shows them, as the modifiers above.
const std::array<const TCodeText*, 4> kPrefixes{
    &CodeText(kConst, "SmkcShift"), &CodeText(kConst, "SmkcCtrl"), &CodeText(kConst, "SmkcAlt"),
    &CodeText(kConst, "SmkcWin")};

std::string KeyName(unsigned key) {
    if (key > 255)
        return {};
    for (const TKeyName& entry : kKeyNames) {
        if (entry.Key == key)
            return GetLocalizedString(entry.Name);
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    // The numeric pad's digits read as plain digits.
    if (key >= 96 && key <= 105)
        return std::string(1, static_cast<char>('0' + key - 96));
    if (key >= 112 && key <= 135)
        return "F" + std::to_string(key - 111);
    return KeyboardLayoutKeyName(key);
}

}  // namespace

TShortCut ShortCut(unsigned key, TShiftState shift) {
    if (key > 255)
        return 0;
    auto value = static_cast<TShortCut>(key);
    for (const TModifierBit& m : kModifiers) {
        if (shift.Contains(m.Shift))
            value |= m.Bit;
    }
    return value;
}

void ShortCutToKey(TShortCut shortCut, unsigned& key, TShiftState& shift) {
    key = shortCut & 0x0FFFu;
    shift = {};
    for (const TModifierBit& m : kModifiers) {
        if ((shortCut & m.Bit) != 0)
            shift.Include(m.Shift);
    }
}

TShortCut HotKeyToShortCut(unsigned key, unsigned modifiers) {
    TShiftState shift;
    for (const TModifierBit& m : kModifiers) {
        if ((modifiers & m.HotKeyMod) != 0)
            shift.Include(m.Shift);
    }
    return ShortCut(key, shift);
}

void ShortCutToHotKey(TShortCut shortCut, unsigned& key, unsigned& modifiers) {
    key = shortCut & 0x0FFFu;
    modifiers = 0;
    for (const TModifierBit& m : kModifiers) {
        if ((shortCut & m.Bit) != 0)
            modifiers |= m.HotKeyMod;
    }
}

std::string ShortCutToText(TShortCut shortCut) {
    const std::string name = KeyName(shortCut & 0x0FFFu);
    if (name.empty())
        return {};
    std::string text;
    for (std::size_t i = 0; i < kModifiers.size(); ++i) {
        if ((shortCut & kModifiers[i].Bit) != 0)
            text += GetLocalizedString(*kPrefixes[i]);
    }
    return text + name;
}

}  // namespace nimbra
