#include "controls/StyledListbox.h"
#include "framework/controls/FileCtrl.h"
#include "framework/rtl/FormatSettings.h"
#include "sibling/Generalruntime2const.h"
#include "sibling/Tms_utils.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;
using namespace testsupport;

namespace {

// A list box on a form, with helpers that compare an item's pixels with a reference painting.
class StyledListboxPaint : public ::testing::Test {
protected:
    FormPtr form = MakeForm(220, 120);
    TStyledListbox* list = nullptr;

    void SetUp() override {
        list = Create<TStyledListbox>(form.get());
        list->SetBorderStyle(bsNone);
        list->SetBounds(0, 0, 200, 100);
        list->SetParent(form.get());
    }

    TRect ItemRect(int index) const { return list->ItemRect(index); }

    // The item as it should look: background, then each text at its x, in the item's colours.
    std::unique_ptr<TBitmap, TFreeDeleter>
    Expected(int index, const std::vector<std::pair<int, std::string>>& texts, bool selected = false) {
        const TRect r = ItemRect(index);
        std::unique_ptr<TBitmap, TFreeDeleter> bmp(Create<TBitmap>());
        bmp->SetSize(r.Width(), r.Height());
        TCanvas& c = *bmp->Canvas();
        c.Font()->Assign(list->Font());
        c.Font()->SetColor(selected ? list->_SelectedTextColour() : list->_TextColour());
        c.Brush()->SetColor(selected ? list->_SelectedColour() : list->_BackgroundColour());
        c.FillRect(Rect(0, 0, r.Width(), r.Height()));
        for (const auto& [x, text] : texts)
            c.TextOut(x, 0, text);
        return bmp;
    }

    // The x at which the list box puts a right-aligned text: one "." short of the right edge.
    int RightAligned(const std::string& text) const {
        return ItemRect(0).Right - list->Canvas()->TextWidth(text + ".");
    }

    ::testing::AssertionResult ItemLooksLike(int index, const TBitmap& expected) {
        Application->ProcessMessages();
        const TRect r = ItemRect(index);
        TBitmap& surface = *list->Surface();
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                if (PixelAt(surface, r.Left + x, r.Top + y) != PixelAt(expected, x, y)) {
                    SaveForInspection(surface, "actual");
                    SaveForInspection(expected, "expected");
                    return ::testing::AssertionFailure()
                           << "item " << index << " differs at (" << x << ", " << y
                           << "): " << DescribeColor(PixelAt(surface, r.Left + x, r.Top + y))
                           << " instead of " << DescribeColor(PixelAt(expected, x, y));
                }
        return ::testing::AssertionSuccess();
    }
};

}  // namespace

TEST_F(StyledListboxPaint, ANumericTextIsPaintedAsANumberAndTheValueIsNot) {
    list->SetShowValues(true);
    list->Items()->AddObject("42", TStrings::IntToObject(7));
    EXPECT_TRUE(ItemLooksLike(0, *Expected(0, {{RightAligned("42"), "42"}})));
}

TEST_F(StyledListboxPaint, AFractionIsPaintedWithTwoDecimalsAndThousands) {
    ASSERT_EQ(FormatSettings.ThousandSeparator, ',');
    list->Items()->Add("1234.5");
    EXPECT_TRUE(ItemLooksLike(0, *Expected(0, {{RightAligned("1,234.50"), "1,234.50"}})));
}

TEST_F(StyledListboxPaint, ReservedValuesPaintNothingOrTheNotApplicableText) {
    list->Items()->Add("-999998");
    list->Items()->Add("-999999");
    EXPECT_TRUE(ItemLooksLike(0, *Expected(0, {})));
    const std::string na(sibling::_LMNonApplicable);
    EXPECT_TRUE(ItemLooksLike(1, *Expected(1, {{RightAligned(na), na}})));
}

TEST_F(StyledListboxPaint, ShowValuesTakesTheValueFromTheItemsObject) {
    list->Items()->AddObject("apple", TStrings::IntToObject(57));
    EXPECT_TRUE(ItemLooksLike(0, *Expected(0, {{2, "apple"}})));
    list->SetShowValues(true);
    EXPECT_TRUE(ItemLooksLike(0, *Expected(0, {{2, "apple"}, {RightAligned("57"), "57"}})));
}

TEST_F(StyledListboxPaint, AHandlerSuppliesTextAndValueAndShowValuesPlaysNoPart) {
    list->SetShowValues(true);
    list->Items()->AddObject("ignored", TStrings::IntToObject(57));
    list->Items()->Add("ignored too");
    list->SetOnGetStringAndInt(
        sibling::TOnGetStringAndInt::Lambda([](TObject*, int index, sibling::TStringAndIntegerRec& rec) {
            rec.S = index == 0 ? "pear" : "plum";
            rec.I = index == 0 ? kNoValue : 12;
        }));
    EXPECT_TRUE(ItemLooksLike(0, *Expected(0, {{2, "pear"}})));
    EXPECT_TRUE(ItemLooksLike(1, *Expected(1, {{2, "plum"}, {RightAligned("12"), "12"}})));
}

TEST_F(StyledListboxPaint, SelectedItemsTakeTheSelectionColours) {
    list->Items()->Add("apple");
    list->SetItemIndex(0);
    EXPECT_TRUE(ItemLooksLike(0, *Expected(0, {{2, "apple"}}, true)));
}

TEST_F(StyledListboxPaint, ALongPathIsShortenedWhileItsFullWidthIsRecorded) {
    const std::string path = "/home/reader/corpora/newspapers/nineteen-nineties/guardian-1994.txt";
    list->Items()->Add(path);
    Application->ProcessMessages();
    const int full = list->Canvas()->TextWidth(path);
    ASSERT_GT(full, ItemRect(0).Width());
    EXPECT_EQ(list->MaxWidthOfStrings(), full);
    const std::string shortened = MinimizeName(path, *list->Canvas(), ItemRect(0).Width());
    EXPECT_NE(shortened, path);
    EXPECT_EQ(shortened.substr(0, 4), "/...");
    EXPECT_TRUE(ItemLooksLike(0, *Expected(0, {{2, shortened}})));
    list->SetMaxWidthOfStrings(0);  // the host may reset it; painting records it again
    list->Repaint();
    EXPECT_EQ(list->MaxWidthOfStrings(), full);
}

TEST_F(StyledListboxPaint, TheStripBelowTheLastItemIsClearedAndAnEmptyListPaintsNothing) {
    list->HandleNeeded();
    TCanvas& canvas = *list->Canvas();
    auto junk = [&] {
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(list->ClientRect());
    };
    junk();
    list->StandardDrawItem(list, 0, ItemRect(0), 0);  // no items: nothing painted
    EXPECT_TRUE(RectIs(*list->Surface(), list->ClientRect(), clRed));

    list->Items()->Add("only");
    junk();
    list->StandardDrawItem(list, 0, ItemRect(0), 0);
    const TColor back = ColorToRGB(list->Color());
    EXPECT_TRUE(RectIs(*list->Surface(), Rect(0, ItemRect(0).Bottom, 200, 100), back));
    list->StandardDrawItem(list, 5, ItemRect(0), 0);  // out of range: nothing, no error
}

TEST_F(StyledListboxPaint, TheVariantWithoutADrawEventPaintsLikeTheBase) {
    auto* variant = Create<TStyledListboxOwnerDrawnFixed>(form.get());
    variant->SetBorderStyle(bsNone);
    variant->SetBounds(0, 0, 200, 100);
    variant->SetParent(form.get());
    for (auto* box : {static_cast<TStyledListbox*>(list), static_cast<TStyledListbox*>(variant)}) {
        box->Items()->AddObject("apple", TStrings::IntToObject(3));
        box->Items()->Add("2.5");
        box->Items()->Add("/a/very/long/path/to/some/file/that/does/not/fit/in/the/item.txt");
        box->SetShowValues(true);
        box->SetItemIndex(1);
    }
    variant->OnDrawItem = nullptr;
    Application->ProcessMessages();
    EXPECT_EQ(variant->ItemHeight(), list->ItemHeight());
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(PixelAt(*variant->Surface(), x, y), PixelAt(*list->Surface(), x, y)) << x << "," << y;
}

TEST_F(StyledListboxPaint, ClearingTheBaseClassDrawEventGivesTheFrameworksItems) {
    list->Items()->Add("42");
    list->OnDrawItem = nullptr;
    Application->ProcessMessages();
    // The framework's own item: text two pixels in from the left, not right-aligned.
    auto ink = BoundsOfChanges(*list->Surface(), ColorToRGB(list->Color()));
    ASSERT_TRUE(ink.has_value());
    EXPECT_LT(ink->Left, 10);
}

TEST(StyledListboxStyle, AStyleChangeThroughTheInterfaceRepaintsInTheNewColours) {
    FormPtr form = MakeForm(220, 120);
    auto* list = Create<TStyledListbox>(form.get());
    list->SetBounds(0, 0, 200, 100);
    list->SetParent(form.get());
    list->Items()->Add("apple");
    list->SetItemIndex(0);
    auto before = Picture(*form);
    EXPECT_TRUE(PixelIs(*before, 100, 50, sibling::GetABaseTMSBackgroundColour(vendor::tsLight)));

    vendor::ITMSStyle* styled = vendor::SupportsTMSStyle(list);
    ASSERT_NE(styled, nullptr);
    styled->SetComponentStyle(vendor::tsDark);
    auto after = Picture(*form);
    EXPECT_TRUE(PixelIs(*after, 100, 50, sibling::GetABaseTMSBackgroundColour(vendor::tsDark)));
    EXPECT_TRUE(PixelIs(*after, 190, 5, sibling::GetABaseTMSHighlightBackgroundColour(vendor::tsDark)));
    EXPECT_EQ(list->Color(), sibling::GetABaseTMSBackgroundColour(vendor::tsDark));
}

TEST(StyledListboxStyle, ConstructionReachesADescendantsStyleOverride) {
    struct TRecordingList : TStyledListbox {
        using TStyledListbox::TStyledListbox;
        std::vector<int> styles;
        void SetComponentStyle(vendor::TTMSStyle AStyle) override {
            styles.push_back(AStyle);
            TStyledListbox::SetComponentStyle(AStyle);
        }
    };
    FormPtr form = MakeForm();
    auto* list = Create<TRecordingList>(form.get());
    EXPECT_EQ(list->styles, std::vector<int>{0});
    EXPECT_EQ(list->Style(), lbOwnerDrawFixed);
    EXPECT_EQ(list->ItemHeight(), 16);
}

TEST(StyledListboxHeights, ItemHeightsFollowTheFont) {
    FormPtr form = MakeForm();
    auto* list = Create<TStyledListbox>(form.get());
    list->SetParent(form.get());
    list->Font()->SetSize(16);
    list->MySetItemHeight();
    EXPECT_EQ(list->ItemHeight(), list->Canvas()->TextHeight("gh") * 5 / 4);
    list->CorrectForScreenResolucao(1.5f);  // back to the parent's 8-point font
    EXPECT_TRUE(list->ParentFont());
    EXPECT_EQ(list->ItemHeight(), 16);

    auto* variant = Create<TStyledListboxOwnerDrawnFixed>(form.get());
    variant->SetItemHeight(40);
    variant->SetParent(form.get());
    variant->HandleNeeded();  // creating the window sets the item height
    EXPECT_EQ(variant->ItemHeight(), 16);
    variant->Items()->Add("x");
    variant->SetStyle(lbOwnerDrawVariable);  // measured: round(13 * 1.2) = 16
    EXPECT_EQ(variant->ItemRect(0).Height(), 16);
}

// A list that holds more than it shows has its bar in its style's colours, as thick as the
// resolution asks: the light and the dark style, at 96 and 144 pixels per inch.
TEST_F(StyledListboxPaint, ItsScrollBarIsDrawnInItsStyleAtTheResolution) {
    for (int i = 0; i < 40; ++i)
        list->Items()->Add("word " + std::to_string(i));
    for (const int ppi : {96, 144}) {
        for (const vendor::TTMSStyle style : {vendor::tsLight, vendor::tsDark}) {
            SCOPED_TRACE(::testing::Message() << ppi << " " << static_cast<int>(style));
            Screen->SetPixelsPerInch(ppi);
            list->SetComponentStyle(style);
            auto pic = Picture(*form);
            const int clientWidth = list->ClientWidth();
            Screen->SetPixelsPerInch(96);
            const int t = ScrollBarSize(ppi);
            const TScrollBarColors colours = sibling::GetABaseTMSScrollBarColours(style);
            ASSERT_EQ(clientWidth, 200 - t);
            const int x = 200 - t;
            EXPECT_TRUE(PixelIs(*pic, x + t / 2, t / 2, colours.Arrow));        // the up arrow's glyph
            EXPECT_TRUE(PixelIs(*pic, x + 2, 2, colours.Face));                 // its face
            EXPECT_TRUE(PixelIs(*pic, x, t / 2, colours.Edge));                 // its edge
            EXPECT_TRUE(PixelIs(*pic, x + t / 2, 100 - t - 3, colours.Track));  // the track
            EXPECT_TRUE(PixelIs(*pic, x + t / 2, t + 3, colours.Face));         // the thumb
            EXPECT_TRUE(PixelIs(*pic, x - 1, 90, list->_BackgroundColour()));
        }
    }
    // The styles' bars differ, and each style's thumb stands out from its track.
    EXPECT_NE(sibling::GetABaseTMSScrollBarColours(vendor::tsLight),
              sibling::GetABaseTMSScrollBarColours(vendor::tsDark));
    for (const vendor::TTMSStyle style : {vendor::tsLight, vendor::tsDark}) {
        const TScrollBarColors c = sibling::GetABaseTMSScrollBarColours(style);
        EXPECT_GE(sibling::ContrastRatio(c.Arrow, c.Face), 3.0);
        EXPECT_NE(c.Face, c.Track);
    }
}
