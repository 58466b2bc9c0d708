#include "framework/controls/ShortCuts.h"

#include "framework/controls/Messages.h"

#include <gtest/gtest.h>

using namespace framework;

TEST(ShortCuts, TextNamesModifiersInTheirOrderThenTheKey) {
    EXPECT_EQ(ShortCutToText(ShortCut('S', ssCtrl)), "Ctrl+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, ssShift)), "Shift+Del");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F1 + 4, 0)), "F5");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F1 + 23, ssAlt | ssCtrl | ssShift)), "Shift+Ctrl+Alt+F24");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_NEXT, ssAlt)), "Alt+PgDn");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_BACK, 0)), "BkSp");
    EXPECT_EQ(ShortCutToText(ShortCut(0x63, ssCtrl)), "Ctrl+3");  // the number pad's 3
    EXPECT_EQ(ShortCutToText(ShortCut(0x0A, ssCtrl)), "");        // a key without a name
    EXPECT_EQ(ShortCutToText(scNone), "");
    EXPECT_EQ(ShortCut(0x141, ssCtrl), scNone);  // not a key of one byte
    std::uint16_t key = 0;
    TShiftState shift = 0;
    ShortCutToKey(ShortCut(VK_RETURN, ssCtrl | ssAlt), key, shift);
    EXPECT_EQ(key, VK_RETURN);
    EXPECT_EQ(shift, TShiftState{ssCtrl | ssAlt});
}

TEST(ShortCuts, EveryNamedKeyReadsBackFromItsText) {
    int named = 0;
    for (unsigned key = 0; key <= 0xFF; ++key)
        for (TShiftState shift : {TShiftState{0}, TShiftState{ssCtrl}, TShiftState{ssShift | ssAlt}}) {
            const TShortCut cut = ShortCut(static_cast<std::uint16_t>(key), shift);
            const std::string text = ShortCutToText(cut);
            if (text.empty())
                continue;
            ++named;
            // The number pad's digits read back as the digits of the top row.
            const TShortCut expected = key >= 0x60 && key <= 0x69
                                           ? ShortCut(static_cast<std::uint16_t>('0' + key - 0x60), shift)
                                           : cut;
            EXPECT_EQ(TextToShortCut(text), expected) << text;
        }
    // BkSp, Tab, Enter, Esc; Space to Down; Ins, Del; digits, letters, the pad's digits, F1-F24.
    EXPECT_EQ(named, 3 * (4 + 9 + 2 + 10 + 26 + 10 + 24));
}

TEST(ShortCuts, TextIsReadInAnyCaseAndOrderAndNonsenseGivesNone) {
    EXPECT_EQ(TextToShortCut("ctrl+shift+a"), ShortCut('A', ssCtrl | ssShift));
    EXPECT_EQ(TextToShortCut("ALT+CTRL+del"), ShortCut(VK_DELETE, ssCtrl | ssAlt));
    EXPECT_EQ(TextToShortCut("Ctrl+Ctrl+S"), ShortCut('S', ssCtrl));
    EXPECT_EQ(TextToShortCut("f12"), ShortCut(VK_F1 + 11, 0));
    for (const char* bad :
         {"", "Ctrl+", "Ctrl+Foo", "Hyper+A", "F25", "F0", "Ctrl S", "S+Ctrl", "Ctrl+SS", "F5 "})
        EXPECT_EQ(TextToShortCut(bad), scNone) << bad;
}
