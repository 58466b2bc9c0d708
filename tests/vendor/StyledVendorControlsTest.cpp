#include "framework/controls/Panel.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"
#include "support/SolidImages.h"
#include "vendor/AdvControls.h"
#include "vendor/AdvFormStyler.h"
#include "vendor/AdvMenuStyler.h"
#include "vendor/AdvOfficePager.h"
#include "vendor/AdvOfficeTabSet.h"
#include "vendor/AdvProgressBar.h"
#include "vendor/AdvSmoothButton.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

// A styled component that records the styles it is given.
class TStyleRecorder : public TComponent, public ITMSStyle {
public:
    using TComponent::TComponent;
    void SetComponentStyle(TTMSStyle AStyle) override { styles.push_back(AStyle); }
    std::vector<TTMSStyle> styles;
};

struct FormStyler : ::testing::Test {
    FormPtr form = MakeForm();
    TAdvFormStyler* styler = Create<TAdvFormStyler>(form.get());
    int changes = 0;
    void SetUp() override {
        styler->OnChange = TNotifyEvent::Lambda([this](TObject*) { ++changes; });
    }
};

TEST_F(FormStyler, ANewStyleReachesEveryStyledComponentThenIsReported) {
    auto* direct = Create<TStyleRecorder>(form.get());
    auto* holder = Create<TPanel>(form.get());
    auto* nested = Create<TStyleRecorder>(holder);  // owned below the form
    styler->OnChange = TNotifyEvent::Lambda([&](TObject*) {
        ++changes;
        EXPECT_EQ(nested->styles.size(), 1u);  // the components first, then the report
    });
    styler->SetStyle(tsDark);
    EXPECT_EQ(direct->styles, std::vector<TTMSStyle>{tsDark});
    EXPECT_EQ(nested->styles, std::vector<TTMSStyle>{tsDark});
    EXPECT_EQ(changes, 1);
    styler->SetStyle(tsDark);  // the style it has: nothing happens
    EXPECT_EQ(direct->styles.size(), 1u);
    EXPECT_EQ(changes, 1);
}

TEST_F(FormStyler, WhileLoadingTheComponentsWaitUntilLoaded) {
    auto* recorder = Create<TStyleRecorder>(form.get());
    styler->BeginLoading();
    styler->SetStyle(tsBlue);
    EXPECT_TRUE(recorder->styles.empty());
    styler->EndReading();
    styler->FinishLoading();
    EXPECT_EQ(recorder->styles, std::vector<TTMSStyle>{tsBlue});
}

TEST_F(FormStyler, StyledVendorControlsRepaintInTheNewColours) {
    auto* tabs = Create<TAdvOfficeTabSet>(form.get());
    tabs->SetParent(form.get());
    tabs->SetBounds(0, 0, 200, 30);
    auto* bar = Create<TAdvProgressBar>(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(0, 40, 100, 20);
    bar->SetPosition(100);
    bar->SetShowPercentage(false);
    styler->SetStyle(tsOlive);
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 150, 15, TMSStyleColors(tsOlive).Face));
    EXPECT_TRUE(RectIs(*pic, Rect(1, 41, 99, 59), TMSStyleColors(tsOlive).Selected));
    EXPECT_TRUE(PixelIs(*pic, 0, 40, TMSStyleColors(tsOlive).Border));
}

struct Corrections : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    template <class T> T* Add(int top, int height) {
        T* c = Create<T>(form.get());
        c->SetParent(form.get());
        c->SetBounds(0, top, 300, height);
        return c;
    }
};

TEST_F(Corrections, TabSetTabsGrowWithTheScale) {
    auto* tabs = Add<TAdvOfficeTabSet>(0, 60);
    tabs->AdvOfficeTabs()->Add("Words");
    tabs->AdvOfficeTabs()->Add("Lists");
    EXPECT_EQ(tabs->ActiveTabIndex(), 0);
    EXPECT_EQ(tabs->TabRect(0).Height(), 26);
    tabs->CorrectForScreenResolucao(1.5f);
    EXPECT_EQ(tabs->TabRect(1).Height(), 39);
    auto pic = Picture(*form);
    TRect inside = tabs->TabRect(0);  // the active tab's face, inside its border
    inside.Inflate(-1, -1);
    EXPECT_EQ(BoundsOfColor(*pic, TMSStyleColors(tsLight).Selected), inside);
    ClickAt(*form, tabs->TabRect(1).Left + 3, 20);
    EXPECT_EQ(tabs->ActiveTabIndex(), 1);
    tabs->AdvOfficeTabs()->Clear();
    EXPECT_EQ(tabs->ActiveTabIndex(), -1);
}

TEST_F(Corrections, OfficeCheckMarkFollowsTheImageHeight) {
    auto* check = Add<TAdvOfficeCheckBox>(0, 17);
    check->SetChecked(true);
    check->CorrectForScreenResImageHeight(16);  // never below the design's 13
    EXPECT_EQ(check->MarkSize(), 13);
    check->CorrectForScreenResImageHeight(32);
    EXPECT_EQ(check->MarkSize(), 21);
    EXPECT_EQ(check->Height(), 25);
    auto pic = Picture(*form);
    // The filled centre of a 21-pixel mark, a quarter in from each side.
    EXPECT_EQ(BoundsOfColor(*pic, clWindowText), Rect(5, 7, 16, 18));
}

TEST_F(Corrections, PagerTabRowAndProgressTextFollowTheScale) {
    auto* pager = Add<TAdvOfficePager>(0, 150);
    auto* page = Create<TAdvOfficePage>(form.get());
    page->SetAdvOfficePager(pager);
    pager->CorrectForScreenResolucao(2.0f);
    EXPECT_EQ(pager->TabHeight(), 56);
    EXPECT_EQ(page->Top(), 56);
    pager->SetTransparent(true);  // the tab row shows the form, whatever the style
    pager->SetComponentStyle(tsDark);
    EXPECT_EQ(pager->Color(), form->Color());
    pager->SetTransparent(false);
    EXPECT_EQ(pager->Color(), TMSStyleColors(tsDark).Face);
    auto* bar = Add<TAdvProgressBar>(160, 30);
    bar->CorrectForScreenResolucao(1.5f);
    EXPECT_EQ(bar->Font()->Height(), -16);  // 16.5 to the even neighbour
}

TEST_F(Corrections, PagerClosesPagesFromTheirTabs) {
    auto* pager = Add<TAdvOfficePager>(0, 150);
    auto* one = Create<TAdvOfficePage>(form.get());
    one->SetCaption("One");
    one->SetAdvOfficePager(pager);
    auto* two = Create<TAdvOfficePage>(form.get());
    two->SetCaption("Two");
    two->SetAdvOfficePager(pager);
    pager->SetCloseOnTab(true);
    EXPECT_TRUE(pager->CloseButtonRect(1).IsEmpty());  // only the active tab has one
    int changes = 0;
    pager->OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    const TRect close = pager->CloseButtonRect(0);
    ClickAt(*form, close.Left + 2, close.Top + 2);
    EXPECT_EQ(pager->AdvPageCount(), 1);
    EXPECT_FALSE(one->Visible());
    EXPECT_EQ(pager->ActivePage(), two);
    EXPECT_EQ(changes, 1);
    pager->SetFreeOnClose(true);
    pager->OnClosePage = TClosePageEvent::Lambda([](TObject*, int, bool& allow) { allow = false; });
    EXPECT_FALSE(pager->ClosePage(0));
    pager->OnClosePage = nullptr;
    const int owned = form->ComponentCount();
    EXPECT_TRUE(pager->ClosePage(0));
    EXPECT_EQ(form->ComponentCount(), owned - 1);
    EXPECT_EQ(pager->ActivePage(), nullptr);
}

TEST(MenuStyler, PaintsItemsAtItsCorrectedHeight) {
    std::unique_ptr<TMainMenu, TFreeDeleter> menu(Create<TMainMenu>(nullptr));
    for (const char* caption : {"Open", "-", "Save"}) {
        auto* item = Create<TMenuItem>(nullptr);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    std::unique_ptr<TAdvMenuStyler, TFreeDeleter> styler(Create<TAdvMenuStyler>(nullptr));
    styler->CorrectForScreenResolucao(1.5f);
    EXPECT_EQ(styler->ItemHeight(), 33);
    TBitmap target(200, 100);
    const TPoint extent = styler->MenuExtent(menu->Items(), *target.Canvas());
    EXPECT_EQ(extent.Y, 33 + 7 + 33 + 2);
    styler->PaintMenu(menu->Items(), *target.Canvas(), 0, 0, 2);
    // The selected item's row, inside the frame.
    EXPECT_EQ(BoundsOfColor(target, TMSStyleColors(tsLight).Selected), Rect(1, 41, extent.X - 1, 74));
}

TEST(SmoothButton, PaintsItsImageInItsFace) {
    FormPtr form = MakeForm(200, 60);
    ImageListPtr images = SolidImages(16, {clRed});
    auto* button = Create<TAdvSmoothButton>(form.get());
    button->SetParent(form.get());
    button->SetImages(images.get());
    button->SetImageIndex(0);
    button->SetCaption("Go");
    auto pic = Picture(*form);
    EXPECT_EQ(BoundsOfColor(*pic, clRed), Rect(5, 10, 21, 26));
    images.reset();
    EXPECT_EQ(button->Images(), nullptr);
}

}  // namespace
