#include "vendor/AdvOfficePager.h"

#include "framework/controls/Panel.h"
#include "framework/forms/Hints.h"
#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

struct Pagers : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    ImageListPtr images = SolidImages(16, {clRed, clBlue});
    TAdvOfficePager* pager = Create<TAdvOfficePager>(form.get());
    TAdvOfficePage* one = Page("One");
    TAdvOfficePage* two = Page("Two");

    void SetUp() override { pager->SetParent(form.get()); }
    TAdvOfficePage* Page(const char* caption) {
        auto* page = Create<TAdvOfficePage>(form.get());
        page->SetCaption(caption);
        page->SetAdvOfficePager(pager);
        return page;
    }
};

}  // namespace

TEST_F(Pagers, PagesLieUnderTheTabsAndOnlyTheActiveOneShows) {
    EXPECT_EQ(pager->AdvPageCount(), 2);
    EXPECT_EQ(pager->AdvPages(1), two);
    EXPECT_THROW(pager->AdvPages(2), EListError);
    EXPECT_EQ(two->PageIndex(), 1);
    EXPECT_EQ(pager->ActivePage(), one);                                  // the first page to come
    EXPECT_EQ(one->BoundsRect(), Rect(1, pager->TabHeight(), 299, 199));  // inside the page margin
    EXPECT_TRUE(one->Visible());
    EXPECT_FALSE(two->Visible());
    pager->SetActivePageIndex(1);
    EXPECT_TRUE(two->Visible());
    EXPECT_FALSE(one->Visible());
    pager->SetActivePageIndex(7);
    EXPECT_EQ(pager->ActivePageIndex(), -1);
}

TEST_F(Pagers, TabsShowTheirImageBeforeTheCaption) {
    pager->SetImages(images.get());
    one->SetImageIndex(0);
    two->SetImageIndex(1);
    EXPECT_EQ(pager->TabHeight(), 28);
    const TRect first = pager->TabRect(0), second = pager->TabRect(1);
    EXPECT_EQ(first.Left, 2);
    EXPECT_EQ(second.Left, first.Right + 2);
    auto pic = Picture(*form);
    // Six pixels in from the tab's left edge, centred between its top (2) and the page.
    EXPECT_EQ(BoundsOfColor(*pic, clRed), Rect(8, 7, 24, 23));
    EXPECT_EQ(BoundsOfColor(*pic, clBlue), Rect(second.Left + 6, 7, second.Left + 22, 23));
    const auto captions = BoundsOfColor(*pic, TMSStyleColors(tsLight).Text);
    ASSERT_TRUE(captions);
    EXPECT_GT(captions->Left, 24);
    // Larger images make a taller tab row, and the pages move down.
    ImageListPtr large = SolidImages(24, {clRed});
    pager->SetImages(large.get());
    EXPECT_EQ(one->Top(), 36);
    large.reset();
    EXPECT_EQ(pager->Images(), nullptr);
    EXPECT_EQ(one->Top(), 28);
    EXPECT_EQ(CountOfColor(*Picture(*form), clRed), 0);
}

TEST_F(Pagers, ClickingATabActivatesItsPage) {
    const TRect tab = pager->TabRect(1);
    ClickAt(*form, tab.Left + 3, tab.Top + 3);
    EXPECT_EQ(pager->ActivePage(), two);
    ClickAt(*form, 290, 10);  // beyond the tabs
    EXPECT_EQ(pager->ActivePage(), two);
}

TEST_F(Pagers, PagesLeavingThePagerAreForgotten) {
    std::unique_ptr<TAdvOfficePager, TFreeDeleter> other{Create<TAdvOfficePager>(nullptr)};
    auto* stranger = Create<TAdvOfficePage>(form.get());
    stranger->SetAdvOfficePager(other.get());
    pager->SetActivePage(stranger);  // not one of ours
    EXPECT_EQ(pager->ActivePage(), one);
    one->SetAdvOfficePager(nullptr);
    EXPECT_EQ(pager->ActivePage(), two);
    EXPECT_EQ(one->Parent(), nullptr);
    EXPECT_EQ(one->PageIndex(), -1);
    two->Free();
    EXPECT_EQ(pager->AdvPageCount(), 0);
    EXPECT_EQ(pager->ActivePage(), nullptr);
    const int owned = form->ComponentCount();
    other.reset();  // a pager frees the pages on it, as a parent frees its controls
    EXPECT_EQ(form->ComponentCount(), owned - 1);
}

namespace {

// A pager filling a wider form, with three pages; the form's white shows around it.
struct PagerLayout : ::testing::Test {
    FormPtr form = MakeForm(400, 200);
    TAdvOfficePager* pager = Create<TAdvOfficePager>(form.get());
    std::vector<TAdvOfficePage*> pages;
    const TAdvOfficePagerColors colors = PagerColorsOfStyle(tsLight);

    void SetUp() override {
        pager->SetParent(form.get());
        pager->SetBounds(0, 0, 400, 200);
        for (const char* caption : {"Concordance", "Words", "Plots"}) {
            auto* page = Create<TAdvOfficePage>(form.get());
            page->SetCaption(caption);
            page->SetAdvOfficePager(pager);
            pages.push_back(page);
        }
    }
    void MoveTo(int x, int y, TShiftState shift = 0) { form->SendMouseInput(WM_MOUSEMOVE, x, y, shift); }
};

}  // namespace

TEST_F(PagerLayout, TabSettingsSizeAndSpaceTheTabs) {
    pages[2]->SetCaption("");  // so that the only caption in the text colour is the second tab's
    const int natural = pager->TabRect(0).Width();
    TPagerTabSettings* s = pager->TabSettings();
    s->SetHeight(40);
    s->SetStartMargin(10);
    s->SetSpacing(5);
    s->SetLeftMargin(16);
    EXPECT_EQ(pager->TabRect(0), Rect(10, 2, 10 + natural + 10, 40));
    EXPECT_EQ(pager->TabRect(1).Left, pager->TabRect(0).Right + 5);
    EXPECT_EQ(pages[0]->BoundsRect(), Rect(1, 40, 399, 199));  // the page moves down with the row
    s->SetWidth(70);
    EXPECT_EQ(pager->TabRect(2), Rect(10 + 2 * 75, 2, 10 + 2 * 75 + 70, 40));
    // The active tab paints the whole of its rectangle; its caption starts after LeftMargin.
    auto pic = Picture(*form);
    EXPECT_EQ(PixelAt(*pic, 11, 3), colors.TabSelected);
    EXPECT_EQ(PixelAt(*pic, 78, 38), colors.TabSelected);
    const TRect inTab = Rect(85, 2, 155, 40);
    const auto text = BoundsOfColor(*pic, colors.Text);  // the second tab's caption
    ASSERT_TRUE(text);
    EXPECT_GE(text->Left, 85 + 16);
    EXPECT_TRUE(inTab.Contains(Point(text->Right - 1, text->Bottom - 1)));
}

TEST_F(PagerLayout, TabsStandOnTheChosenSideAndThePageMovesAway) {
    pages[2]->SetCaption("");  // so that the only caption in the text colour is the second tab's
    pager->SetTabPosition(tpBottom);
    EXPECT_EQ(pager->TabRect(0).Bottom, 200 - 2);
    EXPECT_EQ(pager->TabRect(0).Top, 200 - 28);
    EXPECT_EQ(pages[0]->BoundsRect(), Rect(1, 1, 399, 172));
    auto pic = Picture(*form);
    TRect face = pager->TabRect(0);
    face.Inflate(-1, -1);  // inside the border
    EXPECT_EQ(BoundsOfColor(*pic, colors.TabSelected), face);

    // Rotated side tabs: one tab row's height wide, as long as the caption needs.
    pager->SetTabPosition(tpLeft);
    const TRect left = pager->TabRect(0);
    EXPECT_EQ(left.Left, 2);
    EXPECT_EQ(left.Right, 28);
    EXPECT_GT(left.Height(), left.Width() * 2);
    EXPECT_EQ(pages[0]->BoundsRect(), Rect(28, 1, 399, 199));
    pic = Picture(*form);
    const TRect second = pager->TabRect(1);
    const auto caption = BoundsOfColor(*pic, colors.Text);
    ASSERT_TRUE(caption);
    EXPECT_GT(caption->Height(), caption->Width() * 2);  // the caption runs along the tab
    EXPECT_TRUE(second.Contains(Point(caption->Left, caption->Top)));
    EXPECT_TRUE(second.Contains(Point(caption->Right - 1, caption->Bottom - 1)));

    pager->SetTabPosition(tpRight);
    EXPECT_EQ(pager->TabRect(1).Right, 400 - 2);
    EXPECT_EQ(pages[0]->BoundsRect().Right, 400 - 28);

    // Upright side tabs stand one under the other, as wide as the widest caption.
    pager->SetRotateTabLeftRight(false);
    EXPECT_EQ(pager->TabRect(0).Width(), pager->TabRect(2).Width());
    EXPECT_EQ(pager->TabRect(1).Top, pager->TabRect(0).Bottom + 2);
    EXPECT_EQ(pager->TabRect(0).Height(), 26);
    pic = Picture(*form);
    const auto upright = BoundsOfColor(*pic, colors.Text);
    ASSERT_TRUE(upright);
    EXPECT_GT(upright->Width(), upright->Height() * 2);
    EXPECT_TRUE(pager->TabRect(1).Contains(Point(upright->Left, upright->Top)));
}

TEST_F(PagerLayout, MultiLineWrapsTabsIntoRows) {
    pager->SetWidth(90);
    EXPECT_EQ(pager->TabRows(), 1);
    EXPECT_GT(pager->TabRect(2).Right, 90);  // off the edge
    pager->SetMultiLine(true);
    EXPECT_EQ(pager->TabRows(), 3);
    EXPECT_EQ(pager->TabRect(1), Rect(2, 30, 2 + pager->TabRect(1).Width(), 56));
    EXPECT_EQ(pages[0]->Top(), 3 * 28);
    pager->SetWidth(400);
    EXPECT_EQ(pager->TabRows(), 1);
}

TEST_F(PagerLayout, FixedTabsAreAsLongAsTheLongest) {
    EXPECT_LT(pager->TabRect(1).Width(), pager->TabRect(0).Width());
    pager->SetFixedTabs(true);
    EXPECT_EQ(pager->TabRect(1).Width(), pager->TabRect(0).Width());
    EXPECT_EQ(pager->TabRect(2).Width(), pager->TabRect(0).Width());
}

TEST_F(PagerLayout, DraggingATabMovesItsPage) {
    std::vector<std::pair<int, int>> moves;
    pager->OnTabMoved =
        TTabMovedEvent::Lambda([&](TObject*, int from, int to) { moves.emplace_back(from, to); });
    const TRect first = pager->TabRect(0), third = pager->TabRect(2);
    // Without TabReorder a drag only chooses the tab it started on.
    form->SendMouseInput(WM_LBUTTONDOWN, first.Left + 3, 10);
    MoveTo(third.Left + 3, 10, ssLeft);
    form->SendMouseInput(WM_LBUTTONUP, third.Left + 3, 10);
    EXPECT_TRUE(moves.empty());
    EXPECT_EQ(pager->AdvPages(0), pages[0]);

    pager->SetTabReorder(true);
    pager->SetTabReorderIndicatorColor(clRed);
    form->SendMouseInput(WM_LBUTTONDOWN, first.Left + 3, 10);
    MoveTo(third.Left + 3, 10, ssLeft);
    // The drop place shows as a bar after the tab it lands behind.
    EXPECT_EQ(BoundsOfColor(*Picture(*form), clRed),
              Rect(third.Right, third.Top, third.Right + 2, third.Bottom));
    form->SendMouseInput(WM_LBUTTONUP, third.Left + 3, 10);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], std::make_pair(0, 2));
    EXPECT_EQ(pager->AdvPages(2), pages[0]);
    EXPECT_EQ(pages[0]->PageIndex(), 2);
    EXPECT_EQ(pager->ActivePage(), pages[0]);  // the dragged page stays chosen
    EXPECT_EQ(CountOfColor(*Picture(*form), clRed), 0);
    EXPECT_THROW(pager->MovePage(0, 3), EListError);
}

TEST_F(PagerLayout, TheTabUnderTheMouseGlowsAndIsReported) {
    std::vector<std::string> seen;
    pager->OnTabMouseEnter =
        TTabEvent::Lambda([&](TObject*, int i) { seen.push_back("enter " + std::to_string(i)); });
    pager->OnTabMouseLeave =
        TTabEvent::Lambda([&](TObject*, int i) { seen.push_back("leave " + std::to_string(i)); });
    const TRect words = pager->TabRect(1);
    EXPECT_EQ(CountOfColor(*Picture(*form), colors.Glow), 0);
    MoveTo(words.Left + 3, 10);
    EXPECT_EQ(BoundsOfColor(*Picture(*form), colors.Glow),
              Rect(words.Left + 1, words.Top + 1, words.Right - 1, words.Bottom - 1));
    MoveTo(pager->TabRect(2).Left + 3, 10);
    MoveTo(390, 10);  // beyond the tabs
    EXPECT_EQ(seen, (std::vector<std::string>{"enter 1", "leave 1", "enter 2", "leave 2"}));
    pager->SetGlow(false);
    MoveTo(words.Left + 3, 10);
    EXPECT_EQ(CountOfColor(*Picture(*form), colors.Glow), 0);
}

TEST_F(PagerLayout, AntiAliasSmoothsTheOuterCorners) {
    const TRect tab = pager->TabRect(0);
    auto pic = Picture(*form);
    const TColor corner = PixelAt(*pic, tab.Left, tab.Top);
    EXPECT_NE(corner, colors.Border);
    EXPECT_NE(corner, pager->Color());
    EXPECT_EQ(PixelAt(*pic, tab.Left, tab.Bottom - 1), colors.Border);  // the corner at the page stays
    pager->SetAntiAlias(false);
    EXPECT_EQ(PixelAt(*Picture(*form), tab.Left, tab.Top), colors.Border);
}

TEST_F(PagerLayout, TabHintsFollowTheMouse) {
    pager->SetHint("the pager");
    pages[1]->SetHint("all the words");
    const TRect words = pager->TabRect(1);
    MoveTo(words.Left + 3, 10);
    EXPECT_EQ(pager->Hint(), "the pager");  // without ShowTabHint
    MoveTo(390, 10);                        // beyond the tabs
    pager->SetShowTabHint(true);
    MoveTo(words.Left + 3, 10);
    EXPECT_EQ(pager->Hint(), "all the words");
    MoveTo(390, 10);  // beyond the tabs
    EXPECT_EQ(pager->Hint(), "the pager");
    pager->OfficeHint()->Title = "Pages";
    pager->OfficeHint()->Notes = "One page for each view";
    MoveTo(words.Left + 3, 10);
    MoveTo(390, 10);  // beyond the tabs
    EXPECT_EQ(pager->Hint(), "Pages|One page for each view");
}

TEST_F(PagerLayout, TabHintsShowAsTooltipsFromOneTabToTheNext) {
    pager->SetShowHint(true);
    pager->SetShowTabHint(true);
    pages[0]->SetHint("every line");
    pages[1]->SetHint("all the words");
    Application->SetHintShortPause(1);
    const auto window = [this]() -> THintWindow* {
        for (int i = 0; i < form->ControlCount(); ++i)
            if (auto* w = As<THintWindow>(form->Controls(i)))
                return w;
        return nullptr;
    };
    MoveTo(pager->TabRect(0).Left + 3, 10);
    ASSERT_NE(window(), nullptr);
    window()->Perform(WM_TIMER, THintWindow::kHintTimer);  // the pause is over
    ASSERT_TRUE(window()->Visible());
    EXPECT_EQ(window()->ShownText(), "every line");
    // The next tab's hint follows after the short pause, within the same control.
    MoveTo(pager->TabRect(1).Left + 3, 10);
    EXPECT_FALSE(window()->Visible());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    DeliverDueTimers();
    EXPECT_TRUE(window()->Visible());
    EXPECT_EQ(window()->ShownText(), "all the words");
    Application->CancelHint();
    Application->SetHintShortPause(50);
}

TEST_F(PagerLayout, CaptionSizeAndResolutionSizeTheTabs) {
    const TRect normal = pager->TabRect(0);
    pager->SetTavoFontSize(12);
    const TRect larger = pager->TabRect(0);
    EXPECT_GT(larger.Width(), normal.Width() + 20);
    pager->SetTavoFontSize(8);
    pager->ChangeScale(144, 96);
    EXPECT_EQ(pager->TabSettings()->Height(), 42);
    EXPECT_EQ(pager->TabSettings()->StartMargin(), 3);
    EXPECT_EQ(pager->TabRect(0).Bottom, 42);
    EXPECT_NEAR(pager->TabRect(0).Width(), normal.Width() * 3 / 2, 8);
    pager->ChangeScale(96, 144);
    EXPECT_EQ(pager->TabRect(0), normal);
}

TEST_F(PagerLayout, DisabledPagesCannotBeChosen) {
    ImageListPtr images = SolidImages(16, {clRed, clBlue});
    ImageListPtr greyed = SolidImages(16, {clGreen, clGreen});
    pager->SetImages(images.get());
    pager->SetShowNonSelectedTabs(true);
    pages[1]->SetImageIndex(1);
    pages[1]->SetEnabled(false);
    auto pic = Picture(*form);
    EXPECT_EQ(CountOfColor(*pic, clBlue), 0);  // greyed from Images
    EXPECT_GT(CountOfColor(*pic, clGrayText), 0);
    pager->SetDisabledImages(greyed.get());
    EXPECT_EQ(CountOfColor(*Picture(*form), clGreen), 16 * 16);
    int clicks = 0;
    pager->OnTabClick = TTabEvent::Lambda([&](TObject*, int) { ++clicks; });
    ClickAt(*form, pager->TabRect(1).Left + 3, 10);
    EXPECT_EQ(pager->ActivePage(), pages[0]);
    EXPECT_EQ(clicks, 0);
    greyed.reset();
    EXPECT_EQ(pager->DisabledImages(), nullptr);
}

TEST_F(PagerLayout, TabClicksAreReportedByButton) {
    std::vector<std::string> seen;
    pager->OnTabClick =
        TTabEvent::Lambda([&](TObject*, int i) { seen.push_back("click " + std::to_string(i)); });
    pager->OnTabRightClick =
        TTabEvent::Lambda([&](TObject*, int i) { seen.push_back("right " + std::to_string(i)); });
    pager->OnTabDblClick =
        TTabEvent::Lambda([&](TObject*, int i) { seen.push_back("double " + std::to_string(i)); });
    pager->OnClosedPage =
        TTabEvent::Lambda([&](TObject*, int i) { seen.push_back("closed " + std::to_string(i)); });
    const int x = pager->TabRect(2).Left + 3;
    ClickAt(*form, x, 10);
    form->SendMouseInput(WM_RBUTTONDOWN, x - 3 + pager->TabRect(1).Left - pager->TabRect(2).Left, 10);
    form->SendMouseInput(WM_LBUTTONDBLCLK, x, 10);
    form->SendMouseInput(WM_LBUTTONUP, x, 10);
    ClickAt(*form, 395, 10);  // beyond the tabs
    pager->ClosePage(0);
    EXPECT_EQ(seen, (std::vector<std::string>{"click 2", "right 1", "double 2", "click 2", "closed 0"}));
    EXPECT_EQ(pager->ActivePage(), pages[2]);
}

TEST_F(PagerLayout, OwnerDrawnTabsReplaceThePagersPainting) {
    pager->OnDrawTab = TDrawTabEvent::Lambda([&](TObject*, int, TRect r) {
        pager->Canvas()->Brush()->SetColor(clLime);
        pager->Canvas()->FillRect(r);
    });
    auto pic = Picture(*form);
    EXPECT_EQ(CountOfColor(*pic, colors.TabSelected), 0);
    EXPECT_EQ(BoundsOfColor(*pic, clLime), Rect(2, 2, pager->TabRect(2).Right, 28));
}

TEST(PagerStyler, SharedStylerColoursEveryPagerThatUsesIt) {
    FormPtr form = MakeForm(400, 100);
    auto* styler = Create<TAdvOfficePagerStyler>(form.get());
    TAdvOfficePager* pagers[2];
    for (int i = 0; i < 2; ++i) {
        pagers[i] = Create<TAdvOfficePager>(form.get());
        pagers[i]->SetParent(form.get());
        pagers[i]->SetBounds(i * 200, 0, 200, 100);
        Create<TAdvOfficePage>(form.get())->SetAdvOfficePager(pagers[i]);
        pagers[i]->SetAdvOfficePagerStyler(styler);
    }
    styler->SetTabColorSelected(clFuchsia);
    auto pic = Picture(*form);
    EXPECT_EQ(BoundsOfColor(*pic, clFuchsia)->Left, pagers[0]->TabRect(0).Left + 1);  // inside the border
    EXPECT_EQ(BoundsOfColor(*pic, clFuchsia)->Right, 200 + pagers[1]->TabRect(0).Right - 1);
    // A style handed to the styler (by the form's styler) recolours both pagers.
    styler->SetComponentStyle(tsDark);
    pic = Picture(*form);
    EXPECT_EQ(CountOfColor(*pic, clFuchsia), 0);
    EXPECT_EQ(PixelAt(*pic, 210, 10), TMSStyleColors(tsDark).Selected);
    styler->Free();
    EXPECT_EQ(pagers[0]->AdvOfficePagerStyler(), nullptr);
    EXPECT_EQ(PixelAt(*Picture(*form), 210, 10), TMSStyleColors(tsLight).Selected);
}

TEST_F(PagerLayout, TabCheckBoxesTurnOverWithoutChoosingThePage) {
    const int plain = pager->TabRect(1).Width();
    pages[1]->SetShowCheckBox(true);
    EXPECT_EQ(pager->TabRect(1).Width(), plain + 11 + 3);
    const TRect box = pager->CheckBoxRect(1);
    EXPECT_EQ(box, Bounds(pager->TabRect(1).Left + 6, 2 + (26 - 11) / 2, 11, 11));
    EXPECT_TRUE(pager->CheckBoxRect(0).IsEmpty());
    std::vector<int> clicked;
    pager->OnTabCheckBoxClick = TTabEvent::Lambda([&](TObject*, int i) { clicked.push_back(i); });
    auto inBox = [&] { return CountOfColor(*Picture(*form), colors.Text); };
    const int unticked = inBox();
    ClickAt(*form, box.Left + 5, box.Top + 5);
    EXPECT_TRUE(pages[1]->Checked());
    EXPECT_EQ(clicked, std::vector<int>{1});
    EXPECT_EQ(pager->ActivePage(), pages[0]);
    EXPECT_GT(inBox(), unticked);  // the tick
    ClickAt(*form, box.Left + 5, box.Top + 5);
    EXPECT_FALSE(pages[1]->Checked());
}

TEST_F(PagerLayout, TheInsertButtonAddsAPage) {
    EXPECT_TRUE(pager->InsertButtonRect().IsEmpty());
    std::vector<TAdvOfficePage*> inserted;
    pager->OnInsertPage =
        TInsertPageEvent::Lambda([&](TObject*, TAdvOfficePage* p) { inserted.push_back(p); });
    const TRect plus = pager->InsertButtonRect();
    EXPECT_EQ(plus, Rect(pager->TabRect(2).Right + 2, 2, pager->TabRect(2).Right + 2 + 26, 28));
    EXPECT_EQ(BoundsOfColor(*Picture(*form), colors.Text)->Right, plus.Left + 13 + 8 + 1);  // the plus sign
    ClickAt(*form, plus.Left + 5, plus.Top + 5);
    ASSERT_EQ(inserted.size(), 1u);
    EXPECT_EQ(pager->AdvPageCount(), 4);
    EXPECT_EQ(pager->ActivePage(), inserted[0]);
    EXPECT_EQ(inserted[0]->Owner(), form.get());
    EXPECT_GT(pager->InsertButtonRect().Left, plus.Left);
}

TEST_F(PagerLayout, AltAndATabsKeyChooseItsPage) {
    pages[2]->SetCaption("P&lots");
    form->SendCharInput(U'w', ssAlt);
    EXPECT_EQ(pager->ActivePage(), pages[0]);  // only with ShowShortCutHints
    pager->SetShowShortCutHints(true);
    form->SendCharInput(U'W', ssAlt);
    EXPECT_EQ(pager->ActivePage(), pages[1]);  // the first letter, in either case
    form->SendCharInput(U'l', ssAlt);
    EXPECT_EQ(pager->ActivePage(), pages[2]);  // the accelerator
    pages[0]->SetEnabled(false);
    form->SendCharInput(U'c', ssAlt);
    EXPECT_EQ(pager->ActivePage(), pages[2]);
}

TEST_F(PagerLayout, ARowTooLongScrollsToTheChosenTabWithItsButtons) {
    EXPECT_TRUE(pager->NavButtonRect(nbNext).IsEmpty());  // everything fits
    pager->SetWidth(150);
    const TRect last = pager->NavButtonRect(nbLast);
    EXPECT_EQ(last, Rect(150 - 15, 2, 150 - 1, 28));
    EXPECT_EQ(pager->NavButtonRect(nbFirst).Left, 150 - 4 * 14 - 1);
    const auto marks = BoundsOfColor(*Picture(*form), colors.Text);
    ASSERT_TRUE(marks);
    EXPECT_GE(marks->Right, last.Left);  // the buttons' arrows, after the captions
    std::vector<std::string> seen;
    pager->OnNextClick = TNotifyEvent::Lambda([&](TObject*) { seen.push_back("next"); });
    pager->OnLastClick = TNotifyEvent::Lambda([&](TObject*) { seen.push_back("last"); });
    pager->OnFirstClick = TNotifyEvent::Lambda([&](TObject*) { seen.push_back("first"); });
    pager->OnPrevClick = TNotifyEvent::Lambda([&](TObject*) { seen.push_back("prev"); });
    auto click = [&](TNavButton b) {
        const TRect r = pager->NavButtonRect(b);
        ClickAt(*form, r.Left + 5, r.Top + 5);
    };
    click(nbNext);
    EXPECT_EQ(pager->ActivePage(), pages[1]);
    click(nbLast);
    EXPECT_EQ(pager->ActivePage(), pages[2]);
    // The row has scrolled: the first tab is hidden and the last one ends before the buttons.
    EXPECT_TRUE(pager->TabRect(0).IsEmpty());
    EXPECT_LE(pager->TabRect(2).Right, pager->NavButtonRect(nbFirst).Left);
    click(nbPrev);
    click(nbFirst);
    EXPECT_EQ(pager->ActivePage(), pages[0]);
    EXPECT_EQ(pager->TabRect(0).Left, 2);
    pages[1]->SetEnabled(false);
    click(nbNext);
    EXPECT_EQ(pager->ActivePage(), pages[2]);  // over the disabled page
    EXPECT_EQ(seen, (std::vector<std::string>{"next", "last", "prev", "first", "next"}));
}

TEST_F(PagerLayout, ThePageListPopsUpEveryPageToChooseFrom) {
    EXPECT_TRUE(pager->PageListButtonRect().IsEmpty());
    auto* menu = Create<TPopupMenu>(form.get());
    pager->SetPageListMenu(menu);
    const TRect button = pager->PageListButtonRect();
    EXPECT_EQ(button, Rect(400 - 15, 2, 400 - 1, 28));
    int clicks = 0;
    pager->OnPageListClick = TNotifyEvent::Lambda([&](TObject*) { ++clicks; });
    ClickAt(*form, button.Left + 5, button.Top + 5);
    EXPECT_EQ(clicks, 1);
    ASSERT_TRUE(menu->PoppedUp());
    ASSERT_EQ(menu->Items()->Count(), 3);
    EXPECT_EQ(menu->Items()->Items(2)->Caption(), "Plots");
    menu->Items()->Items(2)->Click();
    EXPECT_EQ(pager->ActivePage(), pages[2]);
    // A second popup lists the pages afresh.
    pages[0]->SetCaption("Lines");
    menu->ClosePopup();
    ClickAt(*form, button.Left + 5, button.Top + 5);
    EXPECT_EQ(menu->Items()->Count(), 3);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), "Lines");
    menu->ClosePopup();
    menu->Free();
    EXPECT_EQ(pager->PageListMenu(), nullptr);
    EXPECT_TRUE(pager->PageListButtonRect().IsEmpty());
}

TEST_F(PagerLayout, TheClosedListOpensAClosedPageAgain) {
    auto* menu = Create<TPopupMenu>(form.get());
    pager->SetClosedListMenu(menu);
    pager->ClosePage(1);
    EXPECT_EQ(pager->ClosedPageCount(), 1);
    int clicks = 0;
    pager->OnClosedListClick = TNotifyEvent::Lambda([&](TObject*) { ++clicks; });
    const TRect button = pager->ClosedListButtonRect();
    ClickAt(*form, button.Left + 5, button.Top + 5);
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(menu->Items()->Count(), 1);
    EXPECT_EQ(menu->Items()->Items(0)->Caption(), "Words");
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(pager->ClosedPageCount(), 0);
    EXPECT_EQ(pager->AdvPageCount(), 3);
    EXPECT_EQ(pager->AdvPages(2), pages[1]);  // back at the end, and chosen
    EXPECT_EQ(pager->ActivePage(), pages[1]);
    EXPECT_TRUE(pages[1]->Visible());
    // A closed page that is freed leaves the list.
    pager->ClosePage(0);
    pages[0]->Free();
    EXPECT_EQ(pager->ClosedPageCount(), 0);
    EXPECT_THROW(pager->OpenClosedPage(0), EListError);
}

TEST_F(PagerLayout, LeavingThePagerPutsOutTheGlow) {
    int left = -1;
    pager->OnTabMouseLeave = TTabEvent::Lambda([&](TObject*, int i) { left = i; });
    MoveTo(pager->TabRect(1).Left + 3, 10);
    EXPECT_GT(CountOfColor(*Picture(*form), colors.Glow), 0);
    pager->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(CountOfColor(*Picture(*form), colors.Glow), 0);
}

namespace {

// A pager beside two plain panels on a form, to dock between.
struct PagerDocking : ::testing::Test {
    FormPtr form = MakeForm(400, 300);
    TAdvOfficePager* pager = Create<TAdvOfficePager>(form.get());
    TAdvOfficePage* one = Create<TAdvOfficePage>(form.get());
    TAdvOfficePage* two = Create<TAdvOfficePage>(form.get());
    std::vector<std::string> log;

    void SetUp() override {
        pager->SetParent(form.get());
        pager->SetBounds(0, 0, 250, 200);
        one->SetCaption("One");
        one->SetAdvOfficePager(pager);
        two->SetCaption("Two");
        two->SetAdvOfficePager(pager);
    }
    TPanel* Panel(const char* caption, TRect bounds) {
        auto* panel = Create<TPanel>(form.get());
        panel->SetCaption(caption);
        panel->SetParent(form.get());
        panel->SetBoundsRect(bounds);
        return panel;
    }
    void Drag(TPoint from, TPoint to) {
        form->SendMouseInput(WM_LBUTTONDOWN, from.X, from.Y);
        form->SendMouseInput(WM_MOUSEMOVE, to.X, to.Y);
        form->SendMouseInput(WM_LBUTTONUP, to.X, to.Y);
    }
};

}  // namespace

TEST_F(PagerDocking, AControlDockedOnThePagerGetsAPageOfItsOwn) {
    TPanel* tool = Panel("Tool", Rect(300, 10, 360, 50));
    tool->SetDragMode(dmAutomatic);
    tool->SetDragKind(dkDock);
    pager->OnTabDock = TTabDockEvent::Lambda([&](TObject*, TControl* c, TAdvOfficePage* p) {
        log.push_back(c->Caption() + " on " + p->Caption());
    });
    Drag(Point(310, 20), Point(200, 10));  // onto the tab row, beyond the tabs
    EXPECT_EQ(pager->AdvPageCount(), 2);   // not a dock site yet
    EXPECT_EQ(tool->Parent(), form.get());

    pager->SetDockSite(true);
    Drag(Point(310, 20), Point(200, 10));
    ASSERT_EQ(pager->AdvPageCount(), 3);
    TAdvOfficePage* page = pager->AdvPages(2);
    EXPECT_EQ(page->Caption(), "Tool");
    EXPECT_EQ(tool->Parent(), page);
    EXPECT_EQ(tool->Align(), alClient);
    EXPECT_EQ(pager->ActivePage(), page);
    EXPECT_EQ(log, std::vector<std::string>{"Tool on Tool"});
}

TEST_F(PagerDocking, APageIsDraggedOffByItsTabToAnotherSite) {
    TPanel* site = Panel("Site", Rect(270, 100, 390, 290));
    site->SetDockSite(true);
    two->SetDragKind(dkDock);
    bool allow = false;
    pager->OnTabUnDocking = TTabUnDockingEvent::Lambda([&](TObject*, TAdvOfficePage* p, bool& a) {
        log.push_back("undocking " + p->Caption());
        a = allow;
    });
    pager->OnTabUnDock = TTabUnDockEvent::Lambda(
        [&](TObject*, TAdvOfficePage* p) { log.push_back("undocked " + p->Caption()); });
    const TRect tab = pager->TabRect(1);
    Drag(Point(tab.Left + 4, tab.Top + 4), Point(330, 200));
    EXPECT_EQ(pager->AdvPageCount(), 2);  // refused: only chosen
    EXPECT_EQ(pager->ActivePage(), two);

    allow = true;
    Drag(Point(tab.Left + 4, tab.Top + 4), Point(330, 200));
    EXPECT_EQ(two->Parent(), site);
    EXPECT_EQ(two->AdvOfficePager(), nullptr);
    EXPECT_EQ(pager->AdvPageCount(), 1);
    EXPECT_EQ(pager->ActivePage(), one);
    EXPECT_EQ(log, (std::vector<std::string>{"undocking Two", "undocking Two", "undocked Two"}));

    // Docked back onto the pager, it is a page again.
    pager->SetDockSite(true);
    two->SetDragMode(dmAutomatic);
    Drag(Point(two->ClientOrigin().X + 5, two->ClientOrigin().Y + 5), Point(200, 10));
    EXPECT_EQ(two->AdvOfficePager(), pager);
    EXPECT_EQ(pager->AdvPageCount(), 2);
    EXPECT_EQ(pager->ActivePage(), two);
}

TEST_F(PagerLayout, TheCloseButtonMayStandAtTheStartOfTheTab) {
    pages[2]->SetCaption("");  // so that the only caption in the text colour is the second tab's
    pager->SetCloseOnTab(true);
    pager->SetShowCloseOnNonSelectedTabs(true);
    const TRect tab = pager->TabRect(1);
    EXPECT_EQ(pager->CloseButtonRect(1).Right, tab.Right - 6);
    auto caption = BoundsOfColor(*Picture(*form), colors.Text);
    ASSERT_TRUE(caption);
    const int atRight = caption->Left;
    pager->SetCloseOnTabPosition(cpLeft);
    const TRect close = pager->CloseButtonRect(1);
    EXPECT_EQ(close, Bounds(tab.Left + 6, tab.Top + (tab.Height() - 9) / 2, 9, 9));
    caption = BoundsOfColor(*Picture(*form), colors.Text);
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->Left, close.Left);  // the cross, in the caption's colour, comes first
    EXPECT_GT(CountOfColor(*Picture(*form), colors.Text), 0);
    pages[1]->SetShowCheckBox(true);
    EXPECT_EQ(pager->CheckBoxRect(1).Left, close.Right + 3);
    EXPECT_GT(atRight, close.Left);
    ClickAt(*form, close.Left + 4, close.Top + 4);
    EXPECT_EQ(pager->AdvPageCount(), 2);
    EXPECT_EQ(pages[1]->AdvOfficePager(), nullptr);
}
