#include "framework/controls/ComboBox.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

struct ComboFixture : ::testing::Test {
    FormPtr form = MakeForm(200, 150);
    TComboBox* combo = nullptr;
    int changes = 0, selects = 0, drops = 0, closes = 0;
    void SetUp() override {
        combo = Create<TComboBox>(form.get());
        combo->SetBounds(10, 10, 120, 0);
        combo->SetParent(form.get());
        for (const char* s : {"alpha", "beta", "gamma", "delta", "epsilon"})
            combo->Items()->Add(s);
        combo->OnChange = TNotifyEvent::Lambda([this](TObject*) { ++changes; });
        combo->OnSelect = TNotifyEvent::Lambda([this](TObject*) { ++selects; });
        combo->OnDropDown = TNotifyEvent::Lambda([this](TObject*) { ++drops; });
        combo->OnCloseUp = TNotifyEvent::Lambda([this](TObject*) { ++closes; });
    }
    // The first entry of the open list starts just inside its one-pixel frame.
    int ListEntryY(int entry) const {
        return combo->Top() + combo->Height() + 1 + entry * combo->ItemHeight();
    }
};

}  // namespace

TEST_F(ComboFixture, SelectionTextAndItemsStayInStep) {
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(2);
    EXPECT_EQ(combo->Text(), "gamma");
    combo->SetText("DELTA");  // the item of that text, in its own spelling
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), "delta");
    combo->SetText("omega");  // a typed combo keeps a text that names no item
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "omega");
    combo->SetItemIndex(7);
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetItemIndex(4);
    combo->Items()->Delete(4);  // the selected item goes: nothing stays selected
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(changes, 0);  // only the user's choices are changes

    combo->SetStyle(csDropDownList);
    combo->SetText("omega");
    EXPECT_EQ(combo->Text(), "");
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ComboFixture, HeightFollowsTheItemHeight) {
    EXPECT_EQ(combo->Height(), 16 + 6);
    combo->SetItemHeight(15);
    EXPECT_EQ(combo->Height(), 21);
    combo->SetBounds(10, 10, 120, 80);
    EXPECT_EQ(combo->Height(), 21);
}

TEST_F(ComboFixture, ClickOpensTheListBelowAndAChoiceClosesIt) {
    combo->SetStyle(csDropDownList);
    combo->SetColor(clYellow);
    auto before = Picture(*form);
    ClickAt(*form, 60, 20);
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(drops, 1);
    auto pic = Picture(*form);
    // Five entries of 16 pixels in a black frame, right below the combo and as wide.
    const int top = combo->Top() + combo->Height();
    EXPECT_TRUE(RectIs(*pic, Rect(10, top, 130, top + 1), clWindowFrame));
    EXPECT_TRUE(RectIs(*pic, Rect(10, top + 81, 130, top + 82), clWindowFrame));
    EXPECT_TRUE(PixelIs(*pic, 125, top + 40, clYellow));
    EXPECT_TRUE(PixelIs(*pic, 60, top + 83, clWhite));
    EXPECT_TRUE(PixelIs(*before, 60, top + 40, clWhite));

    form->SendMouseInput(WM_MOUSEMOVE, 60, ListEntryY(1) + 8);
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 125, ListEntryY(1) + 8, clHighlight));  // the entry under the mouse
    EXPECT_TRUE(PixelIs(*pic, 125, ListEntryY(2) + 8, clYellow));

    ClickAt(*form, 60, ListEntryY(3) + 8);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), "delta");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(closes, 1);
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 60, top + 40, clWhite));  // the list is gone from the picture
}

TEST_F(ComboFixture, ListOpensUpwardsWithoutRoomBelow) {
    combo->SetTop(110);
    combo->SetDroppedDown(true);
    auto pic = Picture(*form);
    EXPECT_TRUE(RectIs(*pic, Rect(10, 110 - 1, 130, 110), clWindowFrame));
    EXPECT_TRUE(RectIs(*pic, Rect(10, 110 - 82, 130, 110 - 81), clWindowFrame));
}

TEST_F(ComboFixture, KeyboardMovesChoosesAndCancels) {
    combo->SetStyle(csDropDownList);
    combo->SetFocus();
    form->SendKeyInput(VK_DOWN);  // closed: the arrows choose directly
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(changes, 1);
    form->SendKeyInput(VK_DOWN, ssAlt);
    ASSERT_TRUE(combo->DroppedDown());
    form->SendKeyInput(VK_DOWN);
    form->SendKeyInput(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 0);  // moving in the open list chooses nothing yet
    form->SendKeyInput(VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 0);
    form->SendKeyInput(VK_F4);
    form->SendKeyInput(VK_END);
    form->SendKeyInput(VK_RETURN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 4);
    EXPECT_EQ(changes, 2);
    form->SendCharInput(U'b');  // the next entry that starts with the letter
    EXPECT_EQ(combo->Text(), "beta");
}

TEST_F(ComboFixture, TypingEditsTheTextOfATypedCombo) {
    combo->SetFocus();
    for (char32_t c : {U'g', U'a', U'm', U'm', U'a', U'x', U'\b'})
        form->SendCharInput(c);
    EXPECT_EQ(combo->Text(), "gamma");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(changes, 7);
}

TEST_F(ComboFixture, FocusLeavingClosesTheList) {
    auto* other = Create<TComboBox>(form.get());
    other->SetBounds(140, 10, 50, 0);
    other->SetParent(form.get());
    combo->SetFocus();
    combo->SetDroppedDown(true);
    other->SetFocus();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(closes, 1);
}

TEST_F(ComboFixture, OwnerDrawnEntriesGetTheirStateInFieldAndList) {
    combo->SetStyle(csOwnerDrawFixed);
    struct Call {
        int index;
        TRect rect;
        TOwnerDrawState state;
    };
    std::vector<Call> calls;
    combo->OnDrawItem = TDrawItemEvent::Lambda([&](TWinControl* c, int i, TRect r, TOwnerDrawState s) {
        calls.push_back({i, r, s});
        auto* box = static_cast<TComboBox*>(c);
        box->Canvas()->FillRect(r);  // the brush as prepared for the state
    });
    combo->SetItemIndex(1);
    Picture(*form);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].index, 1);
    EXPECT_EQ(calls[0].state, TOwnerDrawState{odComboBoxEdit});
    EXPECT_EQ(calls[0].rect, Rect(1, 1, combo->ClientWidth() - TCustomComboBox::kButtonWidth - 1, 17));

    calls.clear();
    combo->SetDroppedDown(true);
    auto pic = Picture(*form);
    ASSERT_EQ(calls.size(), 6u);  // the five entries of the list, and the field again
    int selected = 0;
    for (const Call& c : calls)
        if (!(c.state & odComboBoxEdit) && (c.state & odSelected)) {
            ++selected;
            EXPECT_EQ(c.index, 1);
        }
    EXPECT_EQ(selected, 1);
    // The selected entry was painted on the list's canvas in the highlight colour.
    EXPECT_TRUE(PixelIs(*pic, 60, ListEntryY(1) + 8, clHighlight));
    EXPECT_TRUE(PixelIs(*pic, 60, ListEntryY(0) + 8, clWindow));
}

TEST_F(ComboFixture, VariableEntriesAreMeasuredOnce) {
    combo->SetStyle(csOwnerDrawVariable);
    int measured = 0;
    combo->OnMeasureItem = TMeasureItemEvent::Lambda([&](TWinControl*, int i, int& h) {
        ++measured;
        h = i == 0 ? 30 : 10;
    });
    combo->SetDroppedDown(true);
    auto pic = Picture(*form);
    EXPECT_EQ(measured, 5);
    const int top = combo->Top() + combo->Height();
    // 30 + 4 x 10 pixels of entries inside the frame.
    EXPECT_TRUE(RectIs(*pic, Rect(10, top + 71, 130, top + 72), clWindowFrame));
}

TEST_F(ComboFixture, FreeingTheComboWhileOpenLeavesNoList) {
    combo->SetDroppedDown(true);
    ASSERT_EQ(form->ControlCount(), 2);
    combo->Free();
    EXPECT_EQ(form->ControlCount(), 0);
    Picture(*form);
}

// An open list closes as a desktop's combo does, also when it was opened from code and the combo
// never had the focus: a press outside it (on a control that takes no focus), Escape, or a click
// on the combo itself. The press that closes it picks nothing.
TEST_F(ComboFixture, AnOpenListClosesOnAPressOutsideOnEscapeAndOnTheComboItself) {
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(1);
    combo->SetDroppedDown(true);
    ASSERT_TRUE(combo->DroppedDown());
    ClickAt(*form, 180, 140);  // the bare form, below the list
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(closes, 1);

    combo->SetDroppedDown(true);
    form->SendKeyMessage(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());

    combo->SetDroppedDown(true);
    ClickAt(*form, 60, 20);  // the combo's own field
    EXPECT_FALSE(combo->DroppedDown());

    // Opened by a click, the list still chooses with the next one.
    ClickAt(*form, 60, 20);
    ASSERT_TRUE(combo->DroppedDown());
    ClickAt(*form, 60, ListEntryY(3) + 8);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(changes, 1);
}
