// The gallery worked from the keyboard alone: Tab and Shift+Tab walk every control that takes
// the focus, once a round and in tab order, each brought into view and showing where the focus
// is in every colour style; Space, the arrows, Ctrl+Tab and Alt with a letter work the controls.

#include "GalleryFixture.h"

#include "framework/controls/CheckBox.h"
#include "framework/controls/FocusFrame.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Messages.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ScrollBars.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "vendor/AdvOfficePager.h"
#include "vendor/AdvOfficeTabSet.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

// The controls Tab should reach, found from the control tree: windowed, showing, enabled and
// tab stops.
void CollectFocusable(TWinControl* parent, std::set<TWinControl*>& out) {
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* win = As<TWinControl>(parent->Controls(i)); win && win->Visible() && win->Enabled()) {
            if (win->TabStop())
                out.insert(win);
            CollectFocusable(win, out);
        }
}

// The tab orders from the window down to the control: a walk in tab order meets them ascending.
std::vector<int> TabPath(TWinControl* c) {
    std::vector<int> path;
    for (; c && c->Parent(); c = c->Parent())
        path.insert(path.begin(), c->TabOrder());
    return path;
}

class GalleryKeyboard : public GalleryFixture {
protected:
    TWinControl* Tab(TShiftState shift = 0) {
        window->SendKeyInput(VK_TAB, shift);
        framework::Application->ProcessMessages();
        return window->FocusedControl();
    }
    // One round of Tab from the focused control, until it comes back.
    std::vector<TWinControl*> Round(TShiftState shift = 0) {
        std::vector<TWinControl*> seen{window->FocusedControl()};
        for (int i = 0; i < 200; ++i) {
            TWinControl* next = Tab(shift);
            if (next == seen.front())
                return seen;
            seen.push_back(next);
        }
        ADD_FAILURE() << "Tab never came back to " << seen.front()->Name();
        return seen;
    }
    // The control's client area as it shows now.
    std::unique_ptr<TBitmap, TFreeDeleter> Shot(TWinControl* c) {
        framework::Application->ProcessMessages();
        window->PaintInvalid();
        std::unique_ptr<TBitmap, TFreeDeleter> b(new TBitmap(c->ClientWidth(), c->ClientHeight()));
        c->PaintTo(*b->Canvas(), 0, 0);
        return b;
    }
    TWinControl* Focus(const std::string& name) {
        auto* c = Named<TWinControl>(name);
        EXPECT_TRUE(c) << name;
        if (c)
            c->SetFocus();
        return c;
    }
};

// The pixels that changed when the control took the focus and stand out at least 3:1 from
// what was there before.
int PixelsStandingOut(const TBitmap& focused, const TBitmap& unfocused) {
    int count = 0;
    for (int y = 0; y < focused.Height(); ++y)
        for (int x = 0; x < focused.Width(); ++x)
            if (LuminanceContrast(PixelAt(focused, x, y), PixelAt(unfocused, x, y)) >= kFocusFrameContrast)
                ++count;
    return count;
}

}  // namespace

TEST_F(GalleryKeyboard, TabVisitsEveryControlOnceInTabOrderAndShiftTabWalksBack) {
    Open();
    std::set<TWinControl*> expected;
    CollectFocusable(window.get(), expected);
    ASSERT_GT(expected.size(), 25u);
    ASSERT_TRUE(window->FocusedControl());
    Tab(ssShift);
    Tab();  // from the first control of the round: the window shows with the first one focused
    const std::vector<TWinControl*> round = Round();
    EXPECT_EQ(std::set<TWinControl*>(round.begin(), round.end()), expected);
    EXPECT_EQ(round.size(), expected.size()) << "a control reached twice";
    for (std::size_t i = 1; i < round.size(); ++i)
        EXPECT_LT(TabPath(round[i - 1]), TabPath(round[i]))
            << round[i - 1]->Name() << " before " << round[i]->Name();
    for (const char* name : {"Pager", "TabsContext", "AdvOfficePager1", "EditSearch", "SearchButton"})
        EXPECT_TRUE(expected.count(Named<TWinControl>(name))) << name;

    std::vector<TWinControl*> back = Round(ssShift);
    ASSERT_EQ(back.size(), round.size());
    std::reverse(back.begin() + 1, back.end());
    EXPECT_EQ(back, round);
}

// The sections' scroll box brings the focused control into view, also when Tab goes round
// from the last control to the first.
TEST_F(GalleryKeyboard, TheFocusedControlIsScrolledIntoView) {
    Open();
    window->SetBounds(window->Left(), window->Top(), 520, 400);  // one column, most of it hidden
    framework::Application->ProcessMessages();
    auto* box = Named<TScrollBox>("Sections");
    ASSERT_TRUE(box);
    int scrolled = 0;
    const std::size_t count = Round().size();
    for (std::size_t i = 0; i < count; ++i) {  // the last Tab goes round to the first control
        TWinControl* c = Tab();
        const TPoint at = box->ScreenToClient(c->ClientToScreen(TPoint{0, 0}));
        const int bottom = at.Y + std::min(c->ClientHeight(), box->ClientHeight());
        EXPECT_GE(at.Y, 0) << c->Name();
        EXPECT_LE(bottom, box->ClientHeight()) << c->Name();
        scrolled = std::max(scrolled, box->VertScrollBar()->Position());
    }
    EXPECT_GT(scrolled, 1000);
}

// Each control's picture with the focus and without it: the focus shows in at least a line of
// pixels that stand out 3:1 from what was there, in every style.
TEST_F(GalleryKeyboard, EveryFocusedControlShowsItInEveryStyle) {
    for (int style = 0; style < vendor::kTMSStyleCount; ++style) {
        SCOPED_TRACE("style " + std::to_string(style));
        Open(static_cast<vendor::TTMSStyle>(style));
        std::map<TWinControl*, std::unique_ptr<TBitmap, TFreeDeleter>> focused;
        const std::vector<TWinControl*> round = Round();
        for (std::size_t i = 0; i <= round.size(); ++i) {
            TWinControl* c = round[i % round.size()];
            if (i < round.size())
                focused[c] = Shot(c);
            if (i > 0) {
                TWinControl* before = round[i - 1];
                const auto unfocused = Shot(before);
                const int minimum = std::min(12, before->ClientHeight() / 2);
                const int standing = PixelsStandingOut(*focused[before], *unfocused);
                EXPECT_GE(standing, minimum) << before->Name();
                if (standing < minimum)
                    SaveForInspection(*focused[before], before->Name() + "-style-" + std::to_string(style));
            }
            Tab();
        }
    }
}

// A list box shows the focus on its focused item, selected or not, and an empty one round
// itself; the frame scales with the resolution.
TEST_F(GalleryKeyboard, ListsShowTheFocusOnTheFocusedItem) {
    Open(vendor::tsDark);
    auto* list = As<TCustomListBox>(Focus("StyledListbox1"));
    ASSERT_TRUE(list && list->Count() > 1);
    list->SetItemIndex(1);
    const auto on = Shot(list);
    window->SelectNext(list, true);
    const auto off = Shot(list);
    const TRect row = list->ItemRect(1);
    int inRow = 0, outside = 0;
    for (int y = 0; y < on->Height(); ++y)
        for (int x = 0; x < on->Width(); ++x)
            if (LuminanceContrast(PixelAt(*on, x, y), PixelAt(*off, x, y)) >= kFocusFrameContrast)
                ++(row.Contains(TPoint{x, y}) ? inRow : outside);
    EXPECT_GE(inRow, 2 * row.Width());  // the frame's top and bottom lines at least
    EXPECT_EQ(outside, 0);

    SetSystemMetricsPixelsPerInch(144);
    EXPECT_EQ(FocusFrameWidth(), 2);
    SetSystemMetricsPixelsPerInch(96);
    EXPECT_EQ(FocusFrameWidth(), 1);
}

// Space presses the focused button and ticks the focused check box; the arrows choose in a
// radio group, and Alt with a caption's letter focuses and presses.
TEST_F(GalleryKeyboard, SpaceArrowsAndAcceleratorsWorkTheControls) {
    Open();
    auto* check = As<TCheckBox>(Focus("CheckCase"));
    ASSERT_TRUE(check);
    const bool was = check->Checked();
    window->SendCharInput(U' ', 0);
    EXPECT_NE(check->Checked(), was);

    auto* radio = As<TRadioGroup>(Focus("RadioSort"));
    ASSERT_TRUE(radio && radio->Items()->Count() >= 2);
    radio->SetItemIndex(0);
    window->SendKeyInput(VK_DOWN, 0);
    EXPECT_EQ(radio->ItemIndex(), 1);
    window->SendKeyInput(VK_UP, 0);
    window->SendKeyInput(VK_UP, 0);
    EXPECT_EQ(radio->ItemIndex(), 0) << "stops at the first";

    // The framework section's label "&Recent corpora:" names its list.
    window->SendCharInput(U'r', ssAlt);
    EXPECT_EQ(window->FocusedControl(), Named<TWinControl>("ListBox1"));
    // Without Alt the letter goes to the list, which keeps the focus.
    window->SendCharInput(U'r', 0);
    EXPECT_EQ(window->FocusedControl(), Named<TWinControl>("ListBox1"));
}

// Arrows move between the tabs of a focused pager and tab set; Ctrl+Tab from a control on a
// page shows the next page (round from the last) and takes the focus to its first control.
TEST_F(GalleryKeyboard, PagersAndTabSetsFollowTheArrowsAndCtrlTab) {
    Open();
    auto* pager = As<vendor::TAdvOfficePager>(Focus("AdvOfficePager1"));
    ASSERT_TRUE(pager && pager->AdvPageCount() == 3);
    pager->SetActivePageIndex(0);
    window->SendKeyInput(VK_RIGHT, 0);
    EXPECT_EQ(pager->ActivePageIndex(), 1);
    window->SendKeyInput(VK_END, 0);
    window->SendKeyInput(VK_RIGHT, 0);
    EXPECT_EQ(pager->ActivePageIndex(), 2) << "stops at the last";
    window->SendKeyInput(VK_HOME, 0);
    EXPECT_EQ(pager->ActivePageIndex(), 0);
    window->SendKeyInput(VK_TAB, ssCtrl | ssShift);
    EXPECT_EQ(pager->ActivePageIndex(), 2) << "round from the first";
    EXPECT_EQ(window->FocusedControl(), pager);

    auto* tabs = As<vendor::TAdvOfficeTabSet>(Focus("TabsContext"));
    ASSERT_TRUE(tabs);
    tabs->SetActiveTabIndex(0);
    window->SendKeyInput(VK_RIGHT, 0);
    EXPECT_EQ(tabs->ActiveTabIndex(), 1);
    window->SendKeyInput(VK_LEFT, 0);
    window->SendKeyInput(VK_LEFT, 0);
    EXPECT_EQ(tabs->ActiveTabIndex(), 0);

    auto* tool = Named<vendor::TAdvOfficePager>("Pager");
    ASSERT_TRUE(tool && tool->AdvPageCount() >= 2);
    const int page = tool->ActivePageIndex();
    window->SendKeyInput(VK_TAB, ssCtrl);
    EXPECT_EQ(tool->ActivePageIndex(), (page + 1) % tool->AdvPageCount());
    TWinControl* now = window->FocusedControl();
    ASSERT_TRUE(now);
    EXPECT_TRUE(tool->ActivePage()->ContainsControl(now) || now == tool) << now->Name();
    EXPECT_TRUE(now->CanFocus());
}
