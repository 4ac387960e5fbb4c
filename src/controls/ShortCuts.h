#pragma once

#include <cstdint>
#include <string>

#include "base/Set.h"
#include "base/TypInfo.h"

namespace nimbra {

// A key combination as one 16-bit value: the virtual-key code in the low
// byte, Win 0x1000, Shift 0x2000, Ctrl 0x4000, Alt 0x8000. Actions, menus
// and the settings store all use this form; 0 is no shortcut.
using TShortCut = std::uint16_t;

inline constexpr TShortCut scWin = 0x1000;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

// The state of the modifier keys (and mouse buttons) with a key or click;
// the bit numbers are those the settings and the system use.
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble, ssWin };
using TShiftState = Set<TShiftStateItem>;
const TTypeInfo& EnumTypeInfo(TShiftStateItem);

// The value of a key with modifiers; 0 for a key above 255.
TShortCut ShortCut(unsigned key, TShiftState shift);
// The key (the value's low twelve bits) and the modifiers of a value.
void ShortCutToKey(TShortCut shortCut, unsigned& key, TShiftState& shift);

// The system hotkey form: a virtual-key code and a modifier mask.
inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModShift = 4;
inline constexpr unsigned kModWin = 8;
TShortCut HotKeyToShortCut(unsigned key, unsigned modifiers);
void ShortCutToHotKey(TShortCut shortCut, unsigned& key, unsigned& modifiers);

// "Shift+", "Ctrl+", "Alt+", "Win+" in this order, then the key's name (a
// table of common keys, else the keyboard layout's name for the key). When
// the key has no name the whole text is empty. Names and prefixes follow the
// active language.
std::string ShortCutToText(TShortCut shortCut);

// The keyboard layout's name for a key that the table does not name; empty
// when the layout has none.
std::string KeyboardLayoutKeyName(unsigned key);

}  // namespace nimbra
