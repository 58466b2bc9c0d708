#include "framework/controls/ListBox.h"
#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

struct ListBoxFixture : ::testing::Test {
    FormPtr form = MakeForm(120, 100);
    TListBox* list = nullptr;
    int clicks = 0;
    void SetUp() override {
        list = Create<TListBox>(form.get());
        // A client area of five items of 16 pixels, inside the border and beside the 17-pixel
        // scroll bar that twenty items need.
        list->SetBounds(0, 0, 104, 84);
        list->SetParent(form.get());
        for (int i = 0; i < 20; ++i)
            list->Items()->Add("item " + std::to_string(i));
        list->OnClick = TNotifyEvent::Lambda([this](TObject*) { ++clicks; });
    }
};

}  // namespace

TEST_F(ListBoxFixture, SelectedItemIsPaintedInTheHighlightColours) {
    form->SetColor(clGray);
    list->SetColor(clYellow);  // white is left to the selected item's text
    list->SetBorderStyle(bsNone);
    list->SetItemIndex(1);
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 50, 16, clHighlight));
    EXPECT_TRUE(PixelIs(*pic, 82, 31, clHighlight));
    EXPECT_TRUE(PixelIs(*pic, 50, 15, clYellow));
    EXPECT_TRUE(PixelIs(*pic, 50, 32, clYellow));
    // Text of the selected item is in the highlight text colour, inside its row.
    auto text = BoundsOfColor(*pic, clHighlightText);
    ASSERT_TRUE(text.has_value());
    EXPECT_GE(text->Top, 16);
    EXPECT_LE(text->Bottom, 32);
    EXPECT_GE(text->Left, 2);  // the classic two-pixel indent
}

TEST_F(ListBoxFixture, SunkenBorderSurroundsTheClientArea) {
    auto pic = Picture(*form);
    EXPECT_EQ(list->ClientRect(), Rect(0, 0, 83, 80));
    EXPECT_TRUE(PixelIs(*pic, 0, 0, clBtnShadow));
    EXPECT_TRUE(PixelIs(*pic, 1, 1, cl3DDkShadow));
    EXPECT_TRUE(PixelIs(*pic, 103, 83, clBtnHighlight));
    EXPECT_TRUE(PixelIs(*pic, 102, 82, cl3DLight));
    EXPECT_TRUE(PixelIs(*pic, 2, 2, clWindow));
    EXPECT_EQ(list->ClientToScreen(TPoint{0, 0}), (TPoint{2, 2}));
}

TEST_F(ListBoxFixture, KeyboardMovesTheSelectionAndScrolls) {
    list->SetFocus();
    form->SendKeyInput(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 0);
    form->SendKeyInput(VK_END);
    EXPECT_EQ(list->ItemIndex(), 19);
    EXPECT_EQ(list->TopIndex(), 15);  // the last page is full
    form->SendKeyInput(VK_PRIOR);
    EXPECT_EQ(list->ItemIndex(), 15);
    form->SendKeyInput(VK_HOME);
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(list->TopIndex(), 0);
    form->SendKeyInput(VK_UP);  // already at the top: no change, no click
    EXPECT_EQ(clicks, 4);
}

TEST_F(ListBoxFixture, ClickSelectsTheItemUnderTheMouse) {
    list->SetTopIndex(3);
    ClickAt(*form, 10, 40);  // third visible row
    EXPECT_EQ(list->ItemIndex(), 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->ItemAtPos(TPoint{10, 79}, true), 7);
    EXPECT_EQ(list->ItemRect(5), Rect(0, 32, 100, 48));
}

TEST_F(ListBoxFixture, ExtendedMultiSelectFollowsShiftAndCtrl) {
    list->SetMultiSelect(true);
    ClickAt(*form, 10, 5);            // item 0
    ClickAt(*form, 10, 40, ssShift);  // items 0..2
    ClickAt(*form, 10, 70, ssCtrl);   // and item 4
    EXPECT_EQ(list->SelCount(), 4);
    EXPECT_TRUE(list->Selected(2));
    EXPECT_FALSE(list->Selected(3));
    EXPECT_TRUE(list->Selected(4));
    ClickAt(*form, 10, 20);  // a plain click starts again
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_THROW(list->Selected(20), EListError);
}

TEST_F(ListBoxFixture, DeletingItemsKeepsTheSelectionOnTheSameItem) {
    list->SetItemIndex(5);
    list->Items()->Delete(2);
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_EQ(list->Items()->Strings(4), "item 5");
    list->Items()->Delete(4);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->Items()->Insert(0, "first");
    EXPECT_EQ(list->Count(), 19);
}

TEST_F(ListBoxFixture, OwnerDrawCallsTheEventForEachVisibleItemWithItsState) {
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemIndex(2);
    std::vector<std::pair<int, TOwnerDrawState>> drawn;
    list->OnDrawItem = TDrawItemEvent::Lambda([&](TWinControl* c, int index, TRect r, TOwnerDrawState state) {
        drawn.push_back({index, state});
        auto* box = static_cast<TListBox*>(c);
        box->Canvas()->Brush()->SetColor(index == 2 ? clRed : clLime);
        box->Canvas()->FillRect(r);
    });
    auto pic = Picture(*form);
    ASSERT_EQ(drawn.size(), 5u);
    EXPECT_EQ(drawn[2].first, 2);
    EXPECT_TRUE(drawn[2].second & odSelected);
    EXPECT_FALSE(drawn[1].second & odSelected);
    EXPECT_TRUE(RectIs(*pic, Rect(2, 34, 85, 50), clRed));  // inside the border, beside the bar
    EXPECT_TRUE(RectIs(*pic, Rect(2, 2, 85, 34), clLime));
}

TEST_F(ListBoxFixture, VariableHeightsComeFromMeasureItem) {
    list->OnMeasureItem = TMeasureItemEvent::Lambda([](TWinControl*, int index, int& h) { h = 10 + index; });
    list->SetStyle(lbOwnerDrawVariable);
    EXPECT_EQ(list->ItemRect(0), Rect(0, 0, 100, 10));
    EXPECT_EQ(list->ItemRect(2), Rect(0, 21, 100, 33));
    EXPECT_EQ(list->ItemAtPos(TPoint{5, 21}, true), 2);
    list->Items()->Add("late");  // measured as it arrives
    EXPECT_EQ(list->ItemRect(20).Height(), 30);
}

TEST(VirtualListBox, AsksForTextsAndStoresNone) {
    FormPtr form = MakeForm(120, 100);
    auto* list = Create<TListBox>(form.get());
    list->SetBounds(0, 0, 100, 80);
    list->SetParent(form.get());
    list->SetStyle(lbVirtual);
    std::vector<int> asked;
    list->OnData = TLBGetDataEvent::Lambda([&](TWinControl*, int index, std::string& s) {
        asked.push_back(index);
        s = "v" + std::to_string(index);
    });
    list->SetCount(1000000);
    EXPECT_EQ(list->Items()->Count(), 1000000);
    EXPECT_EQ(list->Items()->Strings(999999), "v999999");
    asked.clear();
    list->SetTopIndex(500000);
    Picture(*form);
    EXPECT_EQ(asked, (std::vector<int>{500000, 500001, 500002, 500003, 500004}));
    EXPECT_THROW(list->Items()->Add("x"), EListError);
}

TEST_F(ListBoxFixture, AStandardListBoxNeverCallsTheDrawEvent) {
    int calls = 0;
    list->OnDrawItem = TDrawItemEvent::Lambda([&](TWinControl*, int, TRect, TOwnerDrawState) { ++calls; });
    Picture(*form);
    EXPECT_EQ(calls, 0);
    list->SetStyle(lbOwnerDrawFixed);
    Picture(*form);
    EXPECT_EQ(calls, 5);
}
