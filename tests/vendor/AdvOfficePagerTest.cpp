#include "vendor/AdvOfficePager.h"

#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"

#include <gtest/gtest.h>

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
