#include "framework/controls/Menus.h"
#include "framework/controls/ScrollInfo.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace framework;
using namespace testsupport;

namespace {

// A desktop of 800x600 with the form's client area at formOrigin on it.
TPoint formOrigin{100, 100};
bool Desktop(const TWinControl&, TPopupScreen& Screen) {
    Screen.ClientOrigin = formOrigin;
    Screen.WorkArea = Rect(0, 0, 800, 600);
    return true;
}

// Open, Recent (first, second, a line, More (deep)), a disabled parent, a hidden item, Quit.
struct SubMenus : ::testing::Test {
    FormPtr form = MakeForm(400, 300);
    TPopupMenu* menu = Create<TPopupMenu>(form.get());
    TMenuItem* open = Item("&Open");
    TMenuItem* recent = Item("&Recent");
    TMenuItem* first = Item("first", recent);
    TMenuItem* second = Item("&second", recent);
    TMenuItem* line = Item("-", recent);
    TMenuItem* more = Item("More", recent);
    TMenuItem* deep = Item("deep", more);
    TMenuItem* off = Item("O&ff", nullptr, false);
    TMenuItem* offSub = Item("never", off);
    TMenuItem* hidden = Item("&Hidden");
    TMenuItem* quit = Item("&Quit");
    std::vector<TMenuItem*> clicked;

    SubMenus() {
        hidden->SetVisible(false);
        menu->SetPopupComponent(form.get());
    }
    ~SubMenus() override {
        SetPopupScreenFinder(nullptr);
        formOrigin = TPoint{100, 100};
    }
    void Clicked(TObject* Sender) { clicked.push_back(static_cast<TMenuItem*>(Sender)); }
    TMenuItem* Item(const char* caption, TMenuItem* parent = nullptr, bool enabled = true) {
        auto* item = Create<TMenuItem>(menu);
        item->SetCaption(caption);
        item->SetEnabled(enabled);
        item->OnClick = TNotifyEvent::Of<&SubMenus::Clicked>(this);
        (parent ? parent : menu->Items())->Add(item);
        return item;
    }
    // The middle of an entry of an open list, in the form's coordinates.
    TPoint At(int level, int entry) {
        TDropDownList* list = menu->PopupList(level);
        const TRect r = list->ItemRect(entry);
        return TPoint{list->Left() + list->ClientInset() + r.Left + r.Width() / 2,
                      list->Top() + list->ClientInset() + r.Top + r.Height() / 2};
    }
    void MoveTo(TPoint p) { form->SendMouseInput(WM_MOUSEMOVE, p.X, p.Y); }
    void Click(TPoint p) { ClickAt(*form, p.X, p.Y); }
    void Key(std::uint16_t key) { form->SendKeyInput(key); }
    // The pointer rests: the menu's pause passes and its timer is delivered.
    void Rest() {
        std::this_thread::sleep_for(std::chrono::milliseconds(320));
        Application->ProcessMessages();
    }
};

}  // namespace

TEST_F(SubMenus, KeysOpenAndCloseOneLevelAtATime) {
    menu->Popup(10, 10);
    ASSERT_EQ(menu->PopupLevels(), 1);
    EXPECT_EQ(menu->PopupList()->Height(), 2 + 4 * menu->PopupList()->ItemRect(0).Height());  // Hidden takes no row
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RIGHT);
    ASSERT_EQ(menu->PopupLevels(), 2);
    EXPECT_EQ(menu->PopupItem(1), recent);
    EXPECT_EQ(menu->PopupList(1)->Hot(), 0);  // opened by a key: its first entry highlighted
    Key(VK_DOWN);
    Key(VK_DOWN);  // over the line to More
    EXPECT_EQ(menu->PopupList(1)->Hot(), 3);
    Key(VK_RETURN);
    ASSERT_EQ(menu->PopupLevels(), 3);
    EXPECT_EQ(menu->PopupItem(2), more);
    Key(VK_ESCAPE);  // one level only
    EXPECT_EQ(menu->PopupLevels(), 2);
    Key(VK_LEFT);
    EXPECT_EQ(menu->PopupLevels(), 1);
    EXPECT_EQ(menu->PopupList()->Hot(), 1);  // back on Recent
    Key(VK_LEFT);                            // the menu itself stays
    EXPECT_TRUE(menu->PoppedUp());
    Key(VK_RIGHT);
    Key(VK_DOWN);
    Key(VK_RETURN);  // second
    EXPECT_FALSE(menu->PoppedUp());
    EXPECT_EQ(menu->PopupLevels(), 0);
    // A parent is clicked as its sub-menu opens, so that its handler can fill it.
    EXPECT_EQ(clicked, (std::vector<TMenuItem*>{recent, more, recent, second}));
    EXPECT_EQ(GetCapture(), HWND{0});
}

TEST_F(SubMenus, ADisabledItemsSubMenuNeverOpens) {
    menu->Popup(10, 10);
    Key(VK_END);
    EXPECT_EQ(menu->PopupList()->Hot(), 3);  // Quit: Off cannot be highlighted
    Key(VK_UP);
    EXPECT_EQ(menu->PopupList()->Hot(), 1);
    Click(At(0, 2));
    MoveTo(At(0, 2));
    Rest();
    EXPECT_EQ(menu->PopupLevels(), 1);
    form->SendCharInput(U'f');
    EXPECT_EQ(menu->PopupLevels(), 1);
    EXPECT_TRUE(clicked.empty());
}

TEST_F(SubMenus, AcceleratorsPickOrOpenAndCycleWhereShared) {
    menu->Popup(10, 10);
    form->SendCharInput(U'R');
    ASSERT_EQ(menu->PopupLevels(), 2);
    EXPECT_EQ(menu->PopupList(1)->Hot(), 0);
    form->SendCharInput(U's');
    EXPECT_FALSE(menu->PoppedUp());
    EXPECT_EQ(clicked.back(), second);
    // Two items marked with the same letter: each press highlights the next, Enter picks.
    quit->SetCaption("&Open too");
    menu->Popup(10, 10);
    form->SendCharInput(U'o');
    EXPECT_EQ(menu->PopupList()->Hot(), 0);
    form->SendCharInput(U'o');
    EXPECT_EQ(menu->PopupList()->Hot(), 3);
    form->SendCharInput(U'o');
    EXPECT_EQ(menu->PopupList()->Hot(), 0);
    form->SendCharInput(U'x');  // no item has it
    EXPECT_TRUE(menu->PoppedUp());
    Key(VK_RETURN);
    EXPECT_EQ(clicked.back(), open);
}

TEST_F(SubMenus, TheMouseOpensAfterAPauseOrAtOnceByAClick) {
    menu->Popup(10, 10);
    MoveTo(At(0, 1));
    EXPECT_EQ(menu->PopupLevels(), 1);  // not yet
    Rest();
    ASSERT_EQ(menu->PopupLevels(), 2);
    EXPECT_EQ(menu->PopupList(1)->Hot(), -1);  // opened by the pointer: nothing highlighted
    // Beside its item, its first entry level with it, its border over the parent's.
    TDropDownList* parent = menu->PopupList(0);
    TDropDownList* sub = menu->PopupList(1);
    EXPECT_EQ(sub->Left(), parent->Left() + parent->Width() - 1);
    EXPECT_EQ(At(1, 0).Y, At(0, 1).Y);
    // Back on the parent's list, onto another item: after the pause the sub-menu closes.
    MoveTo(At(0, 0));
    EXPECT_EQ(menu->PopupLevels(), 2);
    Rest();
    EXPECT_EQ(menu->PopupLevels(), 1);
    // A click opens at once; the pointer then walks into the sub-menu and its sub-menu.
    Click(At(0, 1));
    ASSERT_EQ(menu->PopupLevels(), 2);
    MoveTo(At(1, 3));
    EXPECT_EQ(menu->PopupList(0)->Hot(), 1);  // the way to the pointer stays highlighted
    Rest();
    ASSERT_EQ(menu->PopupLevels(), 3);
    // Crossing another item of the first list on the way back does not close what it leads to
    // once the pointer is back on it in time.
    MoveTo(At(0, 0));
    MoveTo(At(0, 1));
    Rest();
    EXPECT_EQ(menu->PopupLevels(), 3);
    Click(At(2, 0));
    EXPECT_FALSE(menu->PoppedUp());
    EXPECT_EQ(clicked.back(), deep);
}

TEST_F(SubMenus, APressOutsideTheChainClosesItAllAndAPressInsideNothing) {
    menu->Popup(10, 10);
    Click(At(0, 1));
    ASSERT_EQ(menu->PopupLevels(), 2);
    form->SendMouseInput(WM_LBUTTONDOWN, At(0, 0).X, At(0, 0).Y);
    EXPECT_EQ(menu->PopupLevels(), 2);
    form->SendMouseInput(WM_LBUTTONUP, At(0, 0).X, At(0, 0).Y);  // picks Open
    EXPECT_EQ(clicked.back(), open);
    EXPECT_FALSE(menu->PoppedUp());
    menu->Popup(10, 10);
    Click(At(0, 1));
    Click(TPoint{390, 290});
    EXPECT_FALSE(menu->PoppedUp());
    EXPECT_EQ(GetCapture(), HWND{0});
}

TEST_F(SubMenus, AnItemFreedWhileItsSubMenuShowsClosesThatLevel) {
    menu->Popup(10, 10);
    Click(At(0, 1));
    Key(VK_UP);  // from nothing to the last entry, More
    Key(VK_RIGHT);
    ASSERT_EQ(menu->PopupLevels(), 3);
    recent->Free();
    EXPECT_EQ(menu->PopupLevels(), 1);
    EXPECT_EQ(menu->PopupList()->ItemRect(3).Height(), 0);  // three entries left
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(clicked.back(), open);
}

TEST_F(SubMenus, HeadlessTheSubMenuIsPartOfTheFormsPicture) {
    menu->Popup(10, 10);
    Click(At(0, 1));
    TDropDownList* sub = menu->PopupList(1);
    ASSERT_NE(sub, nullptr);
    EXPECT_FALSE(sub->ShownApart());
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, sub->Left(), sub->Top() + 5, clWindowFrame));
    EXPECT_TRUE(PixelIs(*pic, sub->Left() + 3, sub->Top() + 3, clMenu));
    // Off a desktop the window's edge is the limit: at its right the sub-menu opens leftwards.
    menu->ClosePopup();
    menu->Popup(399, 10);
    Click(At(0, 1));
    TDropDownList* parent = menu->PopupList(0);
    sub = menu->PopupList(1);
    EXPECT_EQ(sub->Left() + sub->Width(), parent->Left() + 1);
}

TEST_F(SubMenus, OnADesktopSubMenusFlipAtTheWorkAreasEdges) {
    SetPopupScreenFinder(&Desktop);
    menu->Popup(10, 10);
    Click(At(0, 1));
    TDropDownList* parent = menu->PopupList(0);
    TDropDownList* sub = menu->PopupList(1);
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->ShownApart());
    EXPECT_EQ(sub->Left(), parent->Left() + parent->Width() - 1);
    // The form's right edge at the screen's: the sub-menu opens left of its parent; at the
    // bottom its last entry ends level with its item.
    menu->ClosePopup();
    for (const char* caption : {"third", "fourth", "fifth", "sixth"})
        Item(caption, recent);
    formOrigin = TPoint{800 - 400, 600 - 300};
    menu->Popup(395, 290);
    parent = menu->PopupList(0);
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->Left() + parent->Width(), 395);
    EXPECT_EQ(parent->Top() + parent->Height(), 290);
    Click(At(0, 1));
    sub = menu->PopupList(1);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Left() + sub->Width(), parent->Left() + 1);
    const TRect row = parent->ItemRect(1);
    EXPECT_EQ(sub->Top() + sub->Height(), parent->Top() + parent->ClientInset() + row.Bottom + 1);
    EXPECT_LE(sub->Top() + sub->Height(), 300);  // the work area's bottom, in the form's terms
}

TEST_F(SubMenus, AMenuLargerThanTheScreenGetsItsHeightAndScrolls) {
    SetPopupScreenFinder(&Desktop);
    for (int i = 0; i < 200; ++i)
        Item(("entry " + std::to_string(i)).c_str(), first);
    menu->Popup(10, 10);
    Click(At(0, 1));
    Key(VK_DOWN);
    Key(VK_RIGHT);
    TDropDownList* big = menu->PopupList(2);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->Top(), -formOrigin.Y);  // the work area's top
    EXPECT_EQ(big->Height(), 600);
    auto pic = Picture(*form);
    EXPECT_TRUE(big->ScrollBarShown(SB_VERT));
    EXPECT_GE(big->ClientWidth(), pic->Canvas()->TextWidth("entry 199"));
    Key(VK_END);
    EXPECT_EQ(big->Hot(), 199);
    EXPECT_FALSE(big->ItemRect(199).IsEmpty());  // scrolled into view
    Key(VK_RETURN);
    EXPECT_EQ(clicked.back()->Caption(), "entry 199");
}
