#include "framework/controls/ListBox.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ScrollInfo.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
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
    EXPECT_EQ(menu->PopupList()->Height(),
              2 + 4 * menu->PopupList()->ItemRect(0).Height());  // Hidden takes no row
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

namespace {

struct TStyleCase {
    int Ppi;
    bool Dark;
};

// A menu of one row per mark: checked, radio, image, disabled image, shortcut, sub-menu, and
// the same caption plain and as the default item; pictured at a resolution in a colour style.
struct MenuMarks : ::testing::TestWithParam<TStyleCase> {
    FormPtr form = MakeForm(400, 300);
    ImageListPtr images = SolidImages(16, {clRed});
    TPopupMenu* menu = Create<TPopupMenu>(form.get());
    TColor ink = clMenuText;

    void SetUp() override {
        if (GetParam().Dark) {
            SetSysColor(COLOR_MENU, RGB(32, 34, 40));
            SetSysColor(COLOR_MENUTEXT, RGB(230, 230, 220));
            SetSysColor(COLOR_HIGHLIGHT, RGB(200, 120, 0));
            SetSysColor(COLOR_HIGHLIGHTTEXT, RGB(0, 0, 0));
        }
        Screen->SetPixelsPerInch(GetParam().Ppi);
        menu->SetImages(images.get());
        menu->SetPopupComponent(form.get());
        Add("Checked")->SetChecked(true);
        TMenuItem* radio = Add("Radio");
        radio->SetRadioItem(true);
        radio->SetChecked(true);
        Add("Image")->SetImageIndex(0);
        TMenuItem* grey = Add("Grey");
        grey->SetImageIndex(0);
        grey->SetEnabled(false);
        Add("Save")->SetShortCut(TextToShortCut("Ctrl+S"));
        Add("Sub", Add("More"));
        Add("Same");
        Add("Same")->SetDefault(true);
        menu->Popup(10, 10);
    }
    void TearDown() override {
        Screen->SetPixelsPerInch(96);
        ResetSysColors();
    }
    TMenuItem* Add(const char* caption, TMenuItem* parent = nullptr) {
        auto* item = Create<TMenuItem>(menu);
        item->SetCaption(caption);
        (parent ? menu->Items()->Items(menu->Items()->Count() - 1) : menu->Items())->Add(item);
        return item;
    }
    int Scaled(int v) const { return MulDiv(v, GetParam().Ppi, 96); }
    // An entry's row in the form's coordinates.
    TRect Row(int entry) {
        TDropDownList* list = menu->PopupList();
        TRect r = list->ItemRect(entry);
        r.Offset(list->Left() + list->ClientInset(), list->Top() + list->ClientInset());
        return r;
    }
    TRect ImageCell(int entry) {
        const TRect r = Row(entry);
        return Rect(r.Left, r.Top, r.Left + std::max(Scaled(20), 16 + Scaled(4)), r.Bottom);
    }
    TRect ArrowCell(int entry) {
        const TRect r = Row(entry);
        return Rect(r.Right - Scaled(20), r.Top, r.Right, r.Bottom);
    }
};

// The bounds of the pixels of a colour within an area; empty when there are none.
TRect InkIn(const TBitmap& bmp, const TRect& area, TColor colour, int* count = nullptr) {
    TRect found{area.Right, area.Bottom, area.Left, area.Top};
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (PixelAt(bmp, x, y) == ColorToRGB(colour)) {
                ++n;
                found = Rect(std::min(found.Left, x), std::min(found.Top, y), std::max(found.Right, x + 1),
                             std::max(found.Bottom, y + 1));
            }
    if (count)
        *count = n;
    return n ? found : TRect{};
}

// The bounds of the pixels within an area that differ from the background (text is smoothed).
TRect PaintedIn(const TBitmap& bmp, const TRect& area, TColor background) {
    TRect found{area.Right, area.Bottom, area.Left, area.Top};
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (PixelAt(bmp, x, y) != ColorToRGB(background))
                found = Rect(std::min(found.Left, x), std::min(found.Top, y), std::max(found.Right, x + 1),
                             std::max(found.Bottom, y + 1));
    return found.IsEmpty() ? TRect{} : found;
}

}  // namespace

TEST_P(MenuMarks, CheckMarkAndBulletStandInTheImageColumn) {
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, Row(0).Left + 1, Row(0).Top + 1, clMenu));
    const TRect tick = InkIn(*pic, ImageCell(0), ink);
    const int size = static_cast<int>(std::lround(7 * GetParam().Ppi / 96.0));
    EXPECT_EQ(tick.Width(), size);
    EXPECT_GE(tick.Height(), size - 1);
    EXPECT_LE(tick.Height(), size);
    if (GetParam().Ppi == 96) {
        EXPECT_TRUE(PictureIs(*pic, tick.Left, tick.Top,
                              {"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."},
                              {{'#', ColorToRGB(ink)}, {'.', ColorToRGB(clMenu)}}));
    }
    // The bullet: round, as wide as it is high, its middle inked and its corners not.
    const TRect bullet = InkIn(*pic, ImageCell(1), ink);
    EXPECT_EQ(bullet.Width(), Scaled(6));
    EXPECT_EQ(bullet.Height(), Scaled(6));
    EXPECT_TRUE(PixelIs(*pic, bullet.Left + bullet.Width() / 2, bullet.Top + bullet.Height() / 2, ink));
    EXPECT_TRUE(PixelIs(*pic, bullet.Left, bullet.Top, clMenu));
    // Highlighted, the mark takes the highlight's text colour.
    form->SendKeyInput(VK_DOWN);
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, Row(0).Left + 1, Row(0).Top + 1, clHighlight));
    EXPECT_EQ(InkIn(*pic, ImageCell(0), clHighlightText).Width(), size);
}

TEST_P(MenuMarks, ImagesAreCentredAndGreyWhenDisabled) {
    auto pic = Picture(*form);
    const TRect cell = ImageCell(2);
    const TRect red = InkIn(*pic, cell, clRed);
    EXPECT_EQ(red, Bounds(cell.Left + (cell.Width() - 16) / 2, cell.Top + (cell.Height() - 16) / 2, 16, 16));
    EXPECT_TRUE(InkIn(*pic, ImageCell(3), clRed).IsEmpty());
    int painted = 0;
    for (int y = ImageCell(3).Top; y < ImageCell(3).Bottom; ++y)
        for (int x = ImageCell(3).Left; x < ImageCell(3).Right; ++x)
            painted += PixelAt(*pic, x, y) != ColorToRGB(clMenu) ? 1 : 0;
    EXPECT_GE(painted, 16 * 16);  // the image is there, in grey
    EXPECT_GE(Row(2).Height(), 16 + Scaled(4));
}

TEST_P(MenuMarks, ShortCutStandsRightAndTheArrowAtTheEdge) {
    auto pic = Picture(*form);
    const TRect row = Row(4);
    const int end = row.Right - Scaled(20);
    const TRect text =
        PaintedIn(*pic, Rect(row.Left + row.Width() / 2, row.Top, row.Right, row.Bottom), clMenu);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_LE(text.Right, end);
    EXPECT_GE(text.Right, end - 3);
    EXPECT_GE(text.Width(), menu->PopupList()->Canvas()->TextWidth("Ctrl+S") - 4);
    // Only the row with a sub-menu has an arrow: a triangle whose tip points right.
    EXPECT_TRUE(InkIn(*pic, ArrowCell(4), ink).IsEmpty());
    const TRect arrow = InkIn(*pic, ArrowCell(5), ink);
    EXPECT_EQ(arrow.Width(), Scaled(3) + 1);
    EXPECT_EQ(arrow.Height(), 2 * Scaled(3) + 1);
    int tip = 0, base = 0;
    InkIn(*pic, Rect(arrow.Right - 1, arrow.Top, arrow.Right, arrow.Bottom), ink, &tip);
    InkIn(*pic, Rect(arrow.Left, arrow.Top, arrow.Left + 1, arrow.Bottom), ink, &base);
    EXPECT_EQ(tip, 1);
    EXPECT_EQ(base, arrow.Height());
    // The default item is bold: the same caption takes more ink.
    EXPECT_GT(PaintedIn(*pic, Row(7), clMenu).Width(), PaintedIn(*pic, Row(6), clMenu).Width());
}

INSTANTIATE_TEST_SUITE_P(ResolutionsAndStyles, MenuMarks,
                         ::testing::Values(TStyleCase{96, false}, TStyleCase{144, false},
                                           TStyleCase{96, true}, TStyleCase{144, true}),
                         [](const auto& Case) {
                             return std::to_string(Case.param.Ppi) + (Case.param.Dark ? "Dark" : "Light");
                         });

TEST_F(SubMenus, ShortCutsOfTheFocusedControlsMenusClickTheirItems) {
    auto* panel = Create<TCustomControl>(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 200, 200);
    panel->SetPopupMenu(menu);
    auto* list = Create<TListBox>(form.get());
    list->SetParent(panel);
    list->SetBounds(10, 10, 100, 100);
    list->SetFocus();
    std::vector<std::uint16_t> keys;
    struct Keys {
        std::vector<std::uint16_t>* seen;
        void Down(TObject*, std::uint16_t& Key, TShiftState) { seen->push_back(Key); }
    } probe{&keys};
    list->OnKeyDown = TKeyEvent::Of<&Keys::Down>(&probe);
    second->SetShortCut(TextToShortCut("Ctrl+S"));
    quit->SetShortCut(TextToShortCut("Ctrl+Q"));
    hidden->SetShortCut(TextToShortCut("Ctrl+H"));
    offSub->SetShortCut(TextToShortCut("Ctrl+N"));
    form->SendKeyInput('S', ssCtrl);  // in a sub-menu, found through its parent
    form->SendKeyInput('Q', ssCtrl);
    EXPECT_EQ(clicked, (std::vector<TMenuItem*>{second, quit}));
    EXPECT_TRUE(keys.empty());
    // Hidden items, items under a disabled one and other keys leave the key to the control.
    form->SendKeyInput('H', ssCtrl);
    form->SendKeyInput('N', ssCtrl);
    form->SendKeyInput('S');
    quit->SetEnabled(false);
    form->SendKeyInput('Q', ssCtrl);
    EXPECT_EQ(clicked.size(), 2u);
    EXPECT_EQ(keys, (std::vector<std::uint16_t>{'H', 'N', 'S', 'Q'}));
    EXPECT_FALSE(menu->PoppedUp());
}

TEST_F(SubMenus, AReaderSeesEachLevelAsAMenuOfItsEntries) {
    quit->SetShortCut(ShortCut('Q', ssCtrl));
    open->SetChecked(true);
    menu->Popup(10, 10);
    Key(VK_DOWN);
    Key(VK_DOWN);  // onto Recent
    const TAccessible top = DescribeAccessible(*menu->PopupList());
    EXPECT_EQ(top.Role, TAccessibleRole::Menu);
    ASSERT_EQ(menu->PopupList()->AccessibleItemCount(), 4);  // the hidden item is not there
    const TAccessible opened = DescribeAccessible(*menu->PopupList(), 0);
    EXPECT_EQ(opened.Role, TAccessibleRole::MenuItem);
    EXPECT_EQ(opened.Name, "Open");
    EXPECT_TRUE(opened.Has(asChecked));
    const TAccessible recentItem = DescribeAccessible(*menu->PopupList(), 1);
    EXPECT_TRUE(recentItem.Has(asExpandable));
    EXPECT_TRUE(recentItem.Has(asFocused));
    EXPECT_EQ(menu->PopupList()->AccessibleFocusedItem(), 1);
    EXPECT_FALSE(DescribeAccessible(*menu->PopupList(), 2).Has(asEnabled));  // Off
    EXPECT_EQ(DescribeAccessible(*menu->PopupList(), 3).Description, "Ctrl+Q");

    // The click action picks as the pointer does; a disabled entry refuses it.
    EXPECT_FALSE(menu->PopupList()->DoAccessibleAction(2, "click"));
    EXPECT_TRUE(menu->PopupList()->DoAccessibleAction(3, "click"));
    EXPECT_EQ(clicked, std::vector<TMenuItem*>{quit});
    EXPECT_FALSE(menu->PoppedUp());
}
