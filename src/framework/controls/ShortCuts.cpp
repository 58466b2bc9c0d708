#include "framework/controls/ShortCuts.h"

#include "framework/controls/Messages.h"

#include <array>
#include <cctype>

namespace framework {

namespace {

// The names the classic menus give keys that have no letter or digit of their own.
constexpr std::array<const char*, 6> kLowNames = {"BkSp", "Tab", "", "", "", "Enter"};       // 0x08..0x0D
constexpr std::array<const char*, 9> kMoveNames = {"Space", "PgUp", "PgDn",  "End", "Home",  // 0x20..0x28
                                                   "Left",  "Up",   "Right", "Down"};
constexpr std::string_view kShift = "Shift+", kCtrl = "Ctrl+", kAlt = "Alt+";

std::string keyName(unsigned Key) {
    if (Key >= VK_BACK && Key <= VK_RETURN)
        return kLowNames[Key - VK_BACK];
    if (Key == VK_ESCAPE)
        return "Esc";
    if (Key >= VK_SPACE && Key <= VK_DOWN)
        return kMoveNames[Key - VK_SPACE];
    if (Key == VK_INSERT)
        return "Ins";
    if (Key == VK_DELETE)
        return "Del";
    if (Key >= '0' && Key <= '9')
        return std::string(1, static_cast<char>(Key));
    if (Key >= 'A' && Key <= 'Z')
        return std::string(1, static_cast<char>(Key));
    if (Key >= 0x60 && Key <= 0x69)  // the number pad's digits
        return std::string(1, static_cast<char>('0' + Key - 0x60));
    if (Key >= VK_F1 && Key <= VK_F1 + 23)
        return "F" + std::to_string(Key - VK_F1 + 1);
    return {};
}

bool startsWithNoCase(std::string_view Text, std::string_view Prefix) {
    if (Text.size() < Prefix.size())
        return false;
    for (std::size_t i = 0; i < Prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(Text[i])) !=
            std::tolower(static_cast<unsigned char>(Prefix[i])))
            return false;
    return true;
}

}  // namespace

TShortCut ShortCut(std::uint16_t Key, TShiftState Shift) {
    if (Key > 0xFF)
        return scNone;
    TShortCut result = Key;
    if (Shift & ssShift)
        result |= scShift;
    if (Shift & ssCtrl)
        result |= scCtrl;
    if (Shift & ssAlt)
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, std::uint16_t& Key, TShiftState& Shift) {
    Key = ShortCut & 0xFF;
    Shift = 0;
    if (ShortCut & scShift)
        Shift |= ssShift;
    if (ShortCut & scCtrl)
        Shift |= ssCtrl;
    if (ShortCut & scAlt)
        Shift |= ssAlt;
}

std::string ShortCutToText(TShortCut ShortCut) {
    const std::string name = keyName(ShortCut & 0xFF);
    if (name.empty())
        return {};
    std::string result;
    if (ShortCut & scShift)
        result += kShift;
    if (ShortCut & scCtrl)
        result += kCtrl;
    if (ShortCut & scAlt)
        result += kAlt;
    return result + name;
}

TShortCut TextToShortCut(std::string_view Text) {
    TShortCut modifiers = 0;
    // A modifier named twice counts once; what follows the last one must name a key.
    for (bool more = true; more;) {
        more = false;
        for (auto [prefix, flag] :
             {std::pair{kShift, scShift}, std::pair{kCtrl, scCtrl}, std::pair{kAlt, scAlt}})
            if (startsWithNoCase(Text, prefix)) {
                modifiers |= flag;
                Text.remove_prefix(prefix.size());
                more = true;
            }
    }
    if (Text.empty())
        return scNone;
    for (unsigned key = VK_BACK; key <= 0xFF; ++key) {
        const std::string name = keyName(key);
        if (!name.empty() && name.size() == Text.size() && startsWithNoCase(Text, name))
            return static_cast<TShortCut>(key | modifiers);
    }
    return scNone;
}

}  // namespace framework
