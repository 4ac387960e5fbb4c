#include "controls/ShortCuts.h"

#include <array>
#include <string_view>

#include "utils/NewLangUtils.h"

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
    std::string_view Ident;
    std::string_view Name;
};

constexpr std::array<TKeyName, 16> kKeyNames{{{8, "SmkcBkSp", "BkSp"},
                                              {9, "SmkcTab", "Tab"},
                                              {13, "SmkcEnter", "Enter"},
                                              {19, "SmkcPause", "Pause"},
                                              {27, "SmkcEsc", "Esc"},
                                              {32, "SmkcSpace", "Space"},
                                              {33, "SmkcPgUp", "PgUp"},
                                              {34, "SmkcPgDn", "PgDn"},
                                              {35, "SmkcEnd", "End"},
                                              {36, "SmkcHome", "Home"},
                                              {37, "SmkcLeft", "Left"},
                                              {38, "SmkcUp", "Up"},
                                              {39, "SmkcRight", "Right"},
                                              {40, "SmkcDown", "Down"},
                                              {45, "SmkcIns", "Ins"},
                                              {46, "SmkcDel", "Del"}}};

constexpr std::array<std::string_view, 4> kPrefixIdents{"SmkcShift", "SmkcCtrl", "SmkcAlt",
                                                        "SmkcWin"};
constexpr std::array<std::string_view, 4> kPrefixes{"Shift+", "Ctrl+", "Alt+", "Win+"};

std::string KeyName(unsigned key) {
    if (key > 255)
        return {};
    for (const TKeyName& entry : kKeyNames) {
        if (entry.Key == key)
            return GetConstString(entry.Ident, entry.Name);
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
            text += GetConstString(kPrefixIdents[i], kPrefixes[i]);
    }
    return text + name;
}

}  // namespace nimbra
