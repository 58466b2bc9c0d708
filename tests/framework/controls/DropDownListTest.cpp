#include "framework/controls/DropDownList.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Menus.h"
#include "support/FormFixture.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace testsupport;

namespace {

// A desktop of 800x600 with the form's client area at (100, 200) on it.
TPoint formOrigin{100, 200};
bool Desktop(const TWinControl&, TPopupScreen& Screen) {
    Screen.ClientOrigin = formOrigin;
    Screen.WorkArea = Rect(0, 0, 800, 600);
    return true;
}

struct OnADesktop : ::testing::Test {
    void SetUp() override { SetPopupScreenFinder(&Desktop); }
    void TearDown() override {
        SetPopupScreenFinder(nullptr);
        formOrigin = TPoint{100, 200};
    }
    FormPtr form = MakeForm(200, 150);
};

}  // namespace

TEST(PlacePopup, OpensBelowAndFlipsAboveOnlyWhereThatFits) {
    const TRect area = Rect(0, 0, 300, 200);
    EXPECT_EQ(PlacePopup(area, TPoint{100, 50}, Rect(10, 20, 110, 40), false), Bounds(10, 40, 100, 50));
    // No room below, room above: it ends at the anchor's top.
    EXPECT_EQ(PlacePopup(area, TPoint{100, 50}, Rect(10, 160, 110, 180), false), Bounds(10, 110, 100, 50));
    // Room on neither side: kept inside, as low as it may go.
    EXPECT_EQ(PlacePopup(area, TPoint{100, 150}, Rect(10, 90, 110, 110), false), Bounds(10, 50, 100, 150));
    // Past the right edge: moved in.
    EXPECT_EQ(PlacePopup(area, TPoint{100, 50}, Rect(250, 20, 290, 40), false), Bounds(200, 40, 100, 50));
}

TEST(PlacePopup, AMenuOpensRightOfThePointOrLeftOfIt) {
    const TRect area = Rect(0, 0, 300, 200);
    EXPECT_EQ(PlacePopup(area, TPoint{80, 40}, Rect(50, 50, 50, 50), true), Bounds(50, 50, 80, 40));
    EXPECT_EQ(PlacePopup(area, TPoint{80, 40}, Rect(250, 180, 250, 180), true), Bounds(170, 140, 80, 40));
}

TEST(PlacePopup, APopupLargerThanTheScreenIsShortenedToIt) {
    const TRect area = Rect(-50, -20, 250, 180);
    const TRect r = PlacePopup(area, TPoint{1000, 5000}, Rect(0, 0, 10, 10), false);
    EXPECT_EQ(r, area);
    EXPECT_EQ(PlacePopup(area, TPoint{0, -7}, Rect(0, 0, 10, 10), false).Height(), 1);
}

TEST_F(OnADesktop, AComboListReachesPastTheFormAndIsLeftOutOfItsPicture) {
    auto* combo = Create<TComboBox>(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 120, 120, 0);
    for (int i = 0; i < 8; ++i)
        combo->Items()->Add("entry " + std::to_string(i));
    combo->SetDroppedDown(true);
    auto* list = As<TDropDownList>(form->Controls(form->ControlCount() - 1));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->ShownApart());
    EXPECT_EQ(list->Top(), combo->Top() + combo->Height());
    EXPECT_GT(list->Top() + list->Height(), form->ClientHeight());
    // The form's picture shows what lies under the list.
    auto withList = form->Snapshot();
    combo->SetDroppedDown(false);
    auto without = form->Snapshot();
    for (int y = list->Top(); y < form->ClientHeight(); y += 3)
        ASSERT_EQ(withList->Canvas()->Pixels(20, y), without->Canvas()->Pixels(20, y)) << y;
    // A press outside takes the list away, as Escape does.
    combo->SetDroppedDown(true);
    list->Dismiss();
    EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(OnADesktop, AtTheScreensBottomTheComboListOpensAbove) {
    formOrigin = TPoint{100, 600 - 150};  // the form's bottom at the screen's
    auto* combo = Create<TComboBox>(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 120, 120, 0);
    for (int i = 0; i < 8; ++i)
        combo->Items()->Add("entry " + std::to_string(i));
    combo->SetDroppedDown(true);
    auto* list = As<TDropDownList>(form->Controls(form->ControlCount() - 1));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Top() + list->Height(), combo->Top());
}

TEST_F(OnADesktop, APopupMenuNearTheFormsEdgeStaysWholeOnTheScreen) {
    TPopupMenu menu(form.get());
    for (const char* caption : {"Cut", "Copy", "Paste", "Delete", "Select all"}) {
        auto* item = Create<TMenuItem>(&menu);
        item->SetCaption(caption);
        menu.Items()->Add(item);
    }
    menu.SetPopupComponent(form.get());
    menu.Popup(190, 140);
    TDropDownList* list = menu.PopupList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->ShownApart());
    // On the screen there is room to the right of and below the point: past the form's edges.
    EXPECT_EQ(list->Left(), 190);
    EXPECT_EQ(list->Top(), 140);
    // At the screen's right and bottom edge it opens left of and above the point.
    menu.ClosePopup();
    formOrigin = TPoint{800 - 200, 600 - 150};
    menu.Popup(190, 140);
    list = menu.PopupList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Left() + list->Width(), 190);
    EXPECT_EQ(list->Top() + list->Height(), 140);
}

TEST(OffTheDesktop, PopupsStayOnTheirWindow) {
    FormPtr form = MakeForm(200, 150);
    TPopupMenu menu(form.get());
    auto* item = Create<TMenuItem>(&menu);
    item->SetCaption("Only");
    menu.Items()->Add(item);
    menu.SetPopupComponent(form.get());
    menu.Popup(195, 145);
    ASSERT_NE(menu.PopupList(), nullptr);
    EXPECT_FALSE(menu.PopupList()->ShownApart());
    EXPECT_LE(menu.PopupList()->Left() + menu.PopupList()->Width(), 200);
}

TEST_F(OnADesktop, AComboListTallerThanTheScreenTakesItsHeightAndScrolls) {
    auto* combo = Create<TComboBox>(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 20, 120, 0);
    for (int i = 0; i < 100; ++i)
        combo->Items()->Add("entry " + std::to_string(i));
    combo->SetDropDownCount(100);
    combo->SetDroppedDown(true);
    auto* list = As<TDropDownList>(form->Controls(form->ControlCount() - 1));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Top(), -formOrigin.Y);  // the work area's top, in the form's terms
    EXPECT_EQ(list->Height(), 600);
    Picture(*form);
    EXPECT_TRUE(list->ScrollBarShown(SB_VERT));
    combo->SetItemIndex(99);
    EXPECT_FALSE(list->ItemRect(99).IsEmpty());  // the chosen entry is scrolled into view
}
