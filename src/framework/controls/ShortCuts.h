#pragma once
// Keyboard shortcuts of menu items: a virtual key with Shift, Ctrl and Alt packed in one word,
// and its text as menus show it ("Ctrl+S", "Shift+Del", "F5").

#include "framework/controls/ControlParts.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace framework {

using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

// The key in the low byte, the modifiers of Shift as the sc flags; 0 for a key above 0xFF.
TShortCut ShortCut(std::uint16_t Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, std::uint16_t& Key, TShiftState& Shift);
// "Shift+", "Ctrl+" and "Alt+" in that order, then the key's name; empty for a key without one.
std::string ShortCutToText(TShortCut ShortCut);
// The shortcut a text names, the modifiers in any order and any letter case; 0 when the text
// names none.
TShortCut TextToShortCut(std::string_view Text);

}  // namespace framework
