#include "vendor/AdvListView.h"

#include "framework/classes/TypInfo.h"
#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

constexpr TColor kOwnSelection = 0x0000C000;  // green, far from the system highlight

struct ListViews : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    ImageListPtr small = SolidImages(16, {clRed, clBlue});
    TAdvListView* view = Create<TAdvListView>(form.get());

    void SetUp() override {
        view->SetParent(form.get());
        view->SetBounds(0, 0, 300, 200);  // client 298 x 198 inside the one-pixel border
        view->AddColumn("Word", 120);
        view->AddColumn("Count", 80)->Alignment = taRightJustify;
    }
    void Fill(int count) {
        for (int i = 0; i < count; ++i)
            view->AddItem("item" + std::to_string(i))->SubItems.push_back(std::to_string(i));
    }
};

}  // namespace

TEST_F(ListViews, RowsLieUnderTheHeaderAtTheItemHeight) {
    Fill(3);
    view->SetItemHeight(20);
    const int header = view->HeaderHeight();
    EXPECT_GT(header, 0);
    EXPECT_EQ(view->ItemRect(0), Rect(0, header, 298, header + 20));
    EXPECT_EQ(view->ItemRect(2).Top, header + 40);
    EXPECT_EQ(view->ItemAtPos(Point(5, header + 45)), 2);
    EXPECT_EQ(view->ItemAtPos(Point(5, header + 65)), -1);  // below the last item
    EXPECT_EQ(view->ItemAtPos(Point(5, 1)), -1);            // on the header
    view->SetItemHeight(0);
    EXPECT_EQ(view->ItemHeight(), 1);
}

TEST_F(ListViews, ItemHeightAndImagesAreReachableByName) {
    SetPropValue(view, "ItemHeight", TValue(std::int64_t{22}));
    EXPECT_EQ(view->ItemHeight(), 22);
    SetObjectProp(view, "SmallImages", small.get());
    EXPECT_EQ(view->SmallImages(), small.get());
    EXPECT_EQ(GetObjectProp(view, "LargeImages"), nullptr);
    small.reset();  // a list that goes leaves no dangling reference
    EXPECT_EQ(view->SmallImages(), nullptr);
}

TEST_F(ListViews, SmallImagesStandBeforeTheCaption) {
    Fill(2);
    view->SetItemHeight(20);
    view->SetSmallImages(small.get());
    view->Items(1)->ImageIndex = 1;
    auto pic = Picture(*form);
    const int top = 1 + view->HeaderHeight() + 20;  // the view's border is one pixel
    EXPECT_EQ(BoundsOfColor(*pic, clBlue), Rect(5, top + 2, 21, top + 18));
    EXPECT_EQ(CountOfColor(*pic, clRed), 0);
}

TEST_F(ListViews, OwnSelectionColoursApplyOnlyWhenOwnerDrawing) {
    Fill(3);
    view->SetSelectionColor(kOwnSelection);
    view->SetItemIndex(1);
    const TRect row = view->ItemRect(1);
    auto plain = Picture(*form);
    EXPECT_TRUE(PixelIs(*plain, 1 + 250, 1 + row.Top + 1, clHighlight));
    view->SetOwnerDraw(true);
    auto own = Picture(*form);
    EXPECT_TRUE(PixelIs(*own, 1 + 250, 1 + row.Top + 1, kOwnSelection));
    EXPECT_TRUE(PixelIs(*own, 1 + 250, 1 + view->ItemRect(0).Top + 1, clWindow));
}

TEST_F(ListViews, HeaderTakesItsColourWhenHeaderOwnerDrawing) {
    view->SetHeaderColor(clYellow);
    auto plain = Picture(*form);
    EXPECT_TRUE(PixelIs(*plain, 250, 3, clBtnFace));
    view->SetHeaderOwnerDraw(true);
    auto own = Picture(*form);
    EXPECT_TRUE(PixelIs(*own, 250, 3, clYellow));
}

TEST_F(ListViews, AssignedDrawEventPaintsOnlyTheVisibleRows) {
    Fill(1000);
    view->SetItemHeight(20);
    view->SetOwnerDraw(true);
    std::vector<int> drawn;
    view->OnDrawItem = TLVDrawItemEvent::Lambda(
        [&](TObject*, TListItem* item, TRect, TOwnerDrawState) { drawn.push_back(item->Index()); });
    view->SetTopIndex(500);
    Picture(*form);
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.front(), 500);
    EXPECT_LE(drawn.size(), 11u);  // 198 pixels less the header, 20 a row, a part row at the bottom
}

TEST_F(ListViews, TopIndexKeepsTheLastPageFull) {
    Fill(50);
    view->SetItemHeight(20);
    view->SetTopIndex(1000);
    EXPECT_EQ(view->TopIndex(), 50 - view->VisibleRowCount());
    view->SetTopIndex(-3);
    EXPECT_EQ(view->TopIndex(), 0);
    view->SetItemIndex(40);  // selecting scrolls the item into view
    EXPECT_GE(40, view->TopIndex());
    EXPECT_LT(40, view->TopIndex() + view->VisibleRowCount());
}

TEST_F(ListViews, SelectionFollowsClicksAndKeys) {
    Fill(5);
    view->SetItemHeight(20);
    int changes = 0;
    view->OnSelectItem = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    const TRect row = view->ItemRect(2);
    ClickAt(*form, 1 + 10, 1 + row.Top + 5);
    EXPECT_EQ(view->ItemIndex(), 2);
    EXPECT_TRUE(view->Items(2)->Selected());
    std::uint16_t key = VK_DOWN;
    view->Perform(WM_KEYDOWN, key);
    EXPECT_EQ(view->ItemIndex(), 3);
    EXPECT_FALSE(view->Items(2)->Selected());  // single selection
    EXPECT_EQ(changes, 2);
    EXPECT_THROW(view->SetItemIndex(5), EListError);
    view->DeleteItem(3);
    EXPECT_EQ(view->ItemIndex(), -1);
}

TEST_F(ListViews, IconViewShowsLargeImagesInAGrid) {
    ImageListPtr large = SolidImages(32, {clBlue});
    Fill(2);
    view->SetLargeImages(large.get());
    view->SetViewStyle(vsIcon);
    view->Items(1)->ImageIndex = 0;
    const TRect cell = view->ItemRect(1);
    EXPECT_EQ(cell.Top, 0);
    EXPECT_GT(cell.Left, 0);
    auto pic = Picture(*form);
    auto blue = BoundsOfColor(*pic, clBlue);
    ASSERT_TRUE(blue);
    EXPECT_EQ(blue->Width(), 32);
    EXPECT_TRUE(cell.Contains(Point(blue->Left - 1, blue->Top - 1)));
}

// Rows are written in the list's own font, whatever the header's; a new resolution scales the
// columns, the rows and the header's font with it.
TEST_F(ListViews, ColumnsRowsAndBothFontsFollowTheResolution) {
    Fill(1);
    view->SetHeaderOwnerDraw(true);  // the header in HeaderFont's own colour
    view->HeaderFont()->SetColor(clBlue);
    view->HeaderFont()->SetHeight(-24);
    view->Font()->SetColor(clRed);
    auto pic = Picture(*form);
    const auto item = BoundsOfColor(*pic, clRed);
    ASSERT_TRUE(item);
    EXPECT_LE(item->Height(), 11);  // eight points, not the header's 24 pixels
    EXPECT_GT(BoundsOfColor(*pic, clBlue)->Height(), 14);

    form->ChangeScale(144, 96);
    EXPECT_EQ(view->Columns(0)->Width, 180);
    EXPECT_EQ(view->Columns(1)->Width, 120);
    EXPECT_EQ(view->ItemHeight(), 26);  // 17 * 1.5, rounded as MulDiv does
    EXPECT_EQ(view->HeaderFont()->Height(), -36);
    const auto larger = BoundsOfColor(*Picture(*form), clRed);
    ASSERT_TRUE(larger);
    EXPECT_GE(larger->Height(), item->Height() * 4 / 3);
    EXPECT_GE(larger->Width(), item->Width() * 4 / 3);
}

// The list keeps each item's place and the selected places as items come and go, so the
// selection is found without looking through the items.
TEST_F(ListViews, SelectionAndPlacesFollowDeletedItems) {
    Fill(6);
    view->SetMultiSelect(true);
    view->Items(4)->SetSelected(true);
    view->Items(2)->SetSelected(true);
    EXPECT_EQ(view->ItemIndex(), 2);
    view->DeleteItem(2);
    EXPECT_EQ(view->ItemIndex(), 3);  // the former fifth item
    EXPECT_EQ(view->Items(3)->Caption, "item4");
    EXPECT_TRUE(view->Items(3)->Selected());
    EXPECT_EQ(view->Items(3)->Index(), 3);
    view->DeleteItem(0);
    EXPECT_EQ(view->ItemIndex(), 2);
    EXPECT_EQ(view->Items(3)->Index(), 3);
    // One choice replaces a multiple selection; deselecting the last leaves none.
    view->Items(0)->SetSelected(true);
    view->SetItemIndex(1);
    for (int i = 0; i < view->ItemCount(); ++i)
        EXPECT_EQ(view->Items(i)->Selected(), i == 1) << i;
    view->Items(1)->SetSelected(false);
    EXPECT_EQ(view->ItemIndex(), -1);
    // Without multiple selection, selecting one item drops the other.
    view->SetMultiSelect(false);
    view->Items(3)->SetSelected(true);
    view->Items(0)->SetSelected(true);
    EXPECT_FALSE(view->Items(3)->Selected());
    EXPECT_EQ(view->ItemIndex(), 0);
    view->ClearItems();
    EXPECT_EQ(view->ItemIndex(), -1);
    view->AddItem("again");
    EXPECT_EQ(view->Items(0)->Index(), 0);
    EXPECT_FALSE(view->Items(0)->Selected());
}

// More rows than fit bring the vertical bar; columns wider than the view the horizontal one,
// which moves the header and the rows together.
TEST_F(ListViews, BarsScrollRowsAndColumnsWiderThanTheView) {
    Fill(5);
    Picture(*form);
    EXPECT_EQ(view->WindowStyle(), 0u);
    Fill(40);
    view->AddColumn("Wide", 200);
    auto pic = Picture(*form);
    EXPECT_EQ(view->WindowStyle(), WS_HSCROLL | WS_VSCROLL);
    TScrollInfo info;
    view->GetScrollInfo(SB_HORZ, info);
    EXPECT_EQ(info.nMax, 399);
    EXPECT_EQ(info.nPage, view->ClientWidth());
    view->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(view->TopIndex(), 45 - view->VisibleRowCount());
    view->Perform(WM_HSCROLL, SB_RIGHT);
    view->GetScrollInfo(SB_HORZ, info);
    EXPECT_EQ(info.nPos, 400 - view->ClientWidth());
    // A click on the last column's part of a row selects that row.
    const int row = view->TopIndex() + 1;
    ClickAt(*form, view->ClientWidth() - 5, 1 + view->HeaderHeight() + view->ItemHeight() + 3);
    EXPECT_EQ(view->ItemIndex(), row);
}
