#include "controls/ColourListBoxesAndCombos.h"
#include "framework/classes/Palette.h"
#include "framework/controls/DrawText.h"
#include "framework/forms/TextForms.h"
#include "sibling/Colour_utils.h"
#include "sibling/Tms_utils.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;
using namespace testsupport;

namespace {

constexpr TColor kBlue = 0x00FF0000;

// Every test gets its own shared table and leaves the process's table as it found it.
class SharedTable : public ::testing::Test {
protected:
    TColorArray saved = sibling::MyColourArray;
    void TearDown() override { sibling::MyColourArray = saved; }
    static void Use(TColorArray table) { sibling::MyColourArray = std::move(table); }
};

class ColourListbox : public SharedTable {
protected:
    FormPtr form = MakeForm(200, 150);
    TColourSharingListbox* list = nullptr;
    int w = 0;  // width of "M": the marker strip and the gap before the text

    void SetUp() override {
        Use({{kBlue, "blue"}, {clYellow, "yellow"}, {clWindow, "window"}, {clNone, "none"}});
        list = MakeList();
        w = list->Canvas()->TextWidth("M");
    }
    TColourSharingListbox* MakeList(int left = 0) {
        auto* l = Create<TColourSharingListbox>(form.get());
        l->SetBorderStyle(bsNone);
        l->SetBounds(left, 0, 160, 100);
        l->SetParent(form.get());
        l->HandleNeeded();
        return l;
    }
    int SwatchRight() { return w + 1 + std::min(list->Canvas()->TextWidth("99999999"), 160 / 4); }
    // The item's row as it should look: white, the blue swatch, then the text in black.
    std::unique_ptr<TBitmap, TFreeDeleter> Expected(int index, TColor swatch, const std::string& text) {
        std::unique_ptr<TBitmap, TFreeDeleter> bmp(Create<TBitmap>());
        bmp->SetSize(160, 16);
        TCanvas& c = *bmp->Canvas();
        c.Brush()->SetColor(clWhite);
        c.FillRect(Rect(0, 0, 160, 16));
        c.Brush()->SetColor(swatch);
        c.FillRect(Rect(w + 1, 1, SwatchRight(), 15));
        c.Font()->Assign(list->Font());
        c.Font()->SetColor(clBlack);
        c.Brush()->SetStyle(bsClear);
        c.TextOut(SwatchRight() + w, 2, text);
        (void)index;
        return bmp;
    }
    ::testing::AssertionResult RowIs(const TBitmap& pic, int index, const TBitmap& expected) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 160; ++x)
                if (PixelAt(pic, x, index * 16 + y) != PixelAt(expected, x, y)) {
                    SaveForInspection(pic, "actual");
                    return ::testing::AssertionFailure()
                           << "pixel (" << x << ", " << index * 16 + y << ") is "
                           << DescribeColor(PixelAt(pic, x, index * 16 + y)) << ", expected "
                           << DescribeColor(PixelAt(expected, x, y));
                }
        return ::testing::AssertionSuccess();
    }
};

}  // namespace

TEST_F(ColourListbox, WritesNumberHexAndNameBesideTheSwatch) {
    list->SetShowText(ShowSet({ts_index, ts_hex, ts_description}));
    auto pic = Picture(*form);
    EXPECT_TRUE(RowIs(*pic, 0, *Expected(0, kBlue, "001 00FF0000 blue")));
}

TEST_F(ColourListbox, SystemColourIsWrittenAsItsUnsignedValue) {
    list->SetShowText(ShowSet({ts_hex}));
    auto pic = Picture(*form);
    EXPECT_TRUE(RowIs(*pic, 2, *Expected(2, ColorToRGB(clWindow), "FF000005")));
}

TEST_F(ColourListbox, WithoutTextOnlyTheSwatchIsPainted) {
    list->SetShowText(0);
    auto pic = Picture(*form);
    EXPECT_TRUE(RowIs(*pic, 0, *Expected(0, kBlue, "")));
    EXPECT_EQ(BoundsOfColor(*pic, kBlue), Rect(w + 1, 1, SwatchRight(), 15));
}

TEST_F(ColourListbox, DefaultColourIsMarkedInTheLeftStrip) {
    const TColor marker = GetHighLightColor(clBlack, 19);
    auto markedRows = [&](const TBitmap& pic) {
        std::vector<int> rows;
        for (int row = 0; row < 4; ++row) {
            int n = 0;
            for (int y = row * 16; y < row * 16 + 16; ++y)
                for (int x = 0; x < w; ++x)
                    n += PixelAt(pic, x, y) == marker;
            if (n > 0)
                rows.push_back(row);
        }
        return rows;
    };
    // Left at "no colour", only an entry of that very value is marked.
    auto pic = Picture(*form);
    EXPECT_EQ(markedRows(*pic), std::vector<int>{3});
    list->SetDefaultColour(clYellow);
    pic = Picture(*form);
    EXPECT_EQ(markedRows(*pic), std::vector<int>{3});  // no repaint of its own
    list->Invalidate();
    pic = Picture(*form);
    EXPECT_EQ(markedRows(*pic), std::vector<int>{1});
    EXPECT_TRUE(PixelIs(*pic, w / 2, 16 + 8, marker));  // filled at its centre
    EXPECT_TRUE(PixelIs(*pic, w + 3, 16 + 8, clYellow));
    list->SetShowText(0);  // the marker stays without any text
    pic = Picture(*form);
    EXPECT_EQ(markedRows(*pic), std::vector<int>{1});
}

TEST_F(ColourListbox, SelectedItemTakesTheStyleColours) {
    list->SetComponentStyle(vendor::tsDark);
    list->SetItemIndex(1);
    auto pic = Picture(*form);
    const TColor selectedBack = sibling::GetABaseTMSHighlightBackgroundColour(vendor::tsDark);
    const TColor back = sibling::GetABaseTMSBackgroundColour(vendor::tsDark);
    EXPECT_TRUE(PixelIs(*pic, 158, 16 + 8, selectedBack));
    EXPECT_TRUE(PixelIs(*pic, 158, 8, back));
    EXPECT_TRUE(PixelIs(*pic, w + 3, 16 + 8, clYellow));
    EXPECT_GT(CountOfColor(*pic, sibling::GetABaseTMSHighlightedTextColour(vendor::tsDark)), 0);
}

TEST_F(ColourListbox, NothingIsPaintedBeyondTheTable) {
    list->SetCount(10);  // more items than entries
    auto pic = Picture(*form);
    // Left of the scroll bar that ten items need.
    EXPECT_TRUE(list->WindowStyle() & WS_VSCROLL);
    EXPECT_TRUE(
        RectIs(*pic, Rect(0, 4 * 16 + 3, list->ClientOrigin().X + list->ClientWidth(), 100), clWindow));
    list->SetUseSharedArray(false);
    sibling::MyColourArray.clear();  // the own copy still paints its four entries
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, w + 3, 8, kBlue));
}

TEST_F(ColourListbox, ItemCountIsTheSharedTablesAndHandlerIsReplaced) {
    int designCalls = 0;
    auto* other = Create<TColourSharingListbox>(form.get());
    other->OnDrawItem =
        TDrawItemEvent::Lambda([&](TWinControl*, int, TRect, TOwnerDrawState) { ++designCalls; });
    other->SetParent(form.get());
    Picture(*form);
    EXPECT_EQ(designCalls, 0);
    EXPECT_EQ(other->Count(), 4);
    EXPECT_EQ(other->Style(), lbVirtualOwnerDraw);
    EXPECT_EQ(other->Items()->Count(), 4);
}

TEST_F(ColourListbox, SelectingByColour) {
    Use({{kBlue, "blue"}, {clRed, "red"}, {kBlue, "blue again"}, {clWhite, "white"}});
    list->SetSelectedColour(kBlue);
    EXPECT_EQ(list->ItemIndex(), 0);  // the lower of two
    list->SetSelectedColour(RGB(250, 250, 240));
    EXPECT_EQ(list->ItemIndex(), 3);  // the nearest
    EXPECT_EQ(list->SelectedColourName(), "white");
    list->SetItemIndex(-1);
    EXPECT_EQ(list->SelectedColour(), 0);
    EXPECT_EQ(list->SelectedColourName(), "");
    EXPECT_EQ(list->GetAColour(99), 0);
}

TEST_F(ColourListbox, SortingThroughOnePickerReordersEverySharingPicker) {
    auto* sharing = MakeList(0);
    auto* own = MakeList(0);
    own->SetUseSharedArray(false);
    list->SortTheColours(stName);
    EXPECT_EQ(NameOfAColour(0, true, {}), "blue");
    EXPECT_EQ(sibling::MyColourArray[1].Name, "none");
    EXPECT_EQ(sharing->GetAColour(1), clNone);
    EXPECT_EQ(own->GetAColour(1), clYellow);  // its snapshot keeps its order
    own->SortTheColours(stValue);
    EXPECT_EQ(sibling::MyColourArray[1].Name, "none");  // the own sort leaves the shared table
    EXPECT_EQ(own->GetAColour(0), clYellow);
    own->SetUseSharedArray(true);
    EXPECT_EQ(own->GetAColour(1), clNone);
    own->SetUseSharedArray(false);  // a new snapshot, of the shared order now
    EXPECT_EQ(own->GetAColour(1), clNone);
}

TEST_F(ColourListbox, SortedComparesWithTheFirstWebNamedColour) {
    const TColor snow = WebNamedColors()[0].Value;
    Use({});
    EXPECT_FALSE(list->Sorted());
    Use({{snow, "a snow"}, {clBlack, "z black"}});
    list->SortTheColours(stName);
    EXPECT_FALSE(list->Sorted());
    list->SortTheColours(stLuminance);
    EXPECT_TRUE(list->Sorted());
    list->SetUseSharedArray(false);
    list->SortTheColours(stName);
    EXPECT_TRUE(list->Sorted());  // always the shared table's answer
}

TEST_F(ColourListbox, ResolutionCorrectionScalesTheItemHeightOnce) {
    Screen->SetPixelsPerInch(144);
    list->CorrectForScreenResolucao(1.5f);
    EXPECT_EQ(list->ItemHeight(), 24);  // 16 at 144 pixels per inch, the resolution counted once
    list->SetItemHeight(30);
    list->CorrectForScreenResolucao(1.5f);
    EXPECT_EQ(list->ItemHeight(), 30);  // nothing changed since the last correction
    Screen->SetPixelsPerInch(96);
    list->CorrectForScreenResolucao(1.03125f);  // 16.5 goes to the even 16
    EXPECT_EQ(list->ItemHeight(), 16);
    list->CorrectForScreenResolucao(1.09375f);  // 17.5 goes to 18
    EXPECT_EQ(list->ItemHeight(), 18);
}

TEST(ColourPickersRegistration, BothClassesInOneCallOnSamples) {
    ClearPalette();
    ColourListBoxesAndCombos::Register();
    const auto& entries = PaletteEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Class->ClassName(), "TColourSharingListbox");
    EXPECT_EQ(entries[1].Class->ClassName(), "TColourSharingCombo");
    EXPECT_EQ(entries[1].Page, "Samples");
    std::unique_ptr<TComponent, TFreeDeleter> made(FindClass("TColourSharingCombo")->CreateInstance(nullptr));
    EXPECT_TRUE(made->Is<TColourSharingCombo>());
    ClearPalette();
}

// --- The combo --------------------------------------------------------------------------------

namespace {

class ColourCombo : public SharedTable {
protected:
    FormPtr form = MakeForm(300, 200);
    TColourSharingCombo* combo = nullptr;
    void SetUp() override {
        Use({{clYellow, "yellow"}, {clNavy, "navy"}, {clWindow, "window"}, {kBlue, "blue"}});
        combo = Create<TColourSharingCombo>(form.get());
        combo->SetParent(form.get());
        combo->SetItemHeight(15);
        combo->SetBounds(100, 50, 120, 21);
    }
    // The label sized by hand, so the signed halves can be checked.
    TLabel* FixedLabel(int width, int height) {
        combo->SetLabelCaption("Colour");
        TLabel* label = combo->Label();
        label->SetAutoSize(false);
        label->SetBounds(label->Left(), label->Top(), width, height);
        return label;
    }
    int CaptionWidth(const std::string& caption) {
        TRect r = Rect(0, 0, 1000, 255);
        DrawText(*combo->Label()->Canvas(), caption, r, DT_CALCRECT | DT_HIDEPREFIX);
        return r.Right;
    }
    // The top-left pixel of the field's swatch, in the form's picture.
    TPoint SwatchCorner() const { return Point(combo->Left() + 2 + 1 + 1, combo->Top() + 2 + 1 + 1); }
};

}  // namespace

TEST_F(ColourCombo, LabelBesideTheComboEndsAtTheMargin) {
    combo->SetLabelCaption("&Colour");
    ASSERT_EQ(combo->Height(), 21);
    const int cw = CaptionWidth("&Colour");
    EXPECT_EQ(cw, combo->Label()->Canvas()->TextWidth("Colour"));  // the ampersand takes no room
    EXPECT_EQ(combo->Label()->Left(), 100 - cw - 4);
    EXPECT_EQ(combo->Label()->Top(), 50);
    EXPECT_EQ(combo->Label()->Caption(), "&Colour");
    EXPECT_EQ(combo->Label()->FocusControl(), combo);
}

TEST_F(ColourCombo, AllTenPositions) {
    TLabel* label = FixedLabel(61, 13);
    const int cw = CaptionWidth("Colour");
    struct Case {
        TLabelPosition pos;
        int left, top;
    };
    const Case cases[] = {
        {lpLeftTop, 100 - cw - 4, 50},  {lpLeftCenter, 100 - cw - 4, 54}, {lpLeftBottom, 100 - cw - 4, 58},
        {lpTopLeft, 100, 50 - 13 - 4},  {lpBottomLeft, 100, 75},          {lpLeftTopLeft, 96, 50},
        {lpLeftCenterLeft, 96, 54},     {lpLeftBottomLeft, 96, 58},       {lpTopCenter, 100 + 29, 33},
        {lpBottomCenter, 100 + 29, 75},
    };
    for (const Case& c : cases) {
        combo->SetLabelPosition(c.pos);
        EXPECT_EQ(label->Left(), c.left) << c.pos;
        EXPECT_EQ(label->Top(), c.top) << c.pos;
    }
}

TEST_F(ColourCombo, HalvesOfNegativeDifferencesTruncateTowardZero) {
    TLabel* label = FixedLabel(61, 30);
    combo->SetLabelPosition(lpLeftCenter);
    EXPECT_EQ(label->Top(), 50 - 4);
    combo->SetBounds(100, 50, 50, 21);
    combo->SetLabelPosition(lpTopCenter);
    EXPECT_EQ(label->Left(), 100 - 5);
    label->SetWidth(40);
    combo->SetLabelMargin(4);  // re-places the label
    EXPECT_EQ(label->Left(), 100 + 5);
    combo->SetLabelPosition(lpLeftTopLeft);
    EXPECT_EQ(label->Left(), 96);  // whatever the caption's length
}

TEST_F(ColourCombo, AlignedComboMakesRoomForItsLabel) {
    combo->SetLabelCaption("Colour");
    combo->SetLabelPosition(lpTopLeft);
    combo->SetAlign(alTop);
    const int lh = combo->Label()->Height();
    EXPECT_EQ(combo->Top(), lh);
    EXPECT_EQ(combo->Label()->Top() + lh, combo->Top() - combo->LabelMargin());

    combo->SetLabelPosition(lpLeftTop);
    combo->SetAlign(alNone);
    combo->SetAlign(alBottom);
    const int lw = combo->Label()->Width();
    EXPECT_EQ(combo->Left(), lw + 4);
    EXPECT_EQ(combo->Width(), 300 - lw - 4);
}

TEST_F(ColourCombo, EmptyCaptionCreatesTheLabel) {
    EXPECT_EQ(combo->Label(), nullptr);
    EXPECT_EQ(combo->GetLabelCaption(), "");
    combo->SetLabelMargin(9);  // no label yet: only stored
    combo->SetLabelCaption("");
    ASSERT_NE(combo->Label(), nullptr);
    EXPECT_EQ(combo->Label()->Parent(), form.get());
    EXPECT_EQ(combo->Label()->Top(), 50);
}

TEST_F(ColourCombo, LoadedDisabledShowsADisabledLabelUntilAlwaysEnabled) {
    auto* loaded = Create<TColourSharingCombo>(form.get());
    loaded->BeginLoading();
    loaded->SetParent(form.get());
    loaded->SetEnabled(false);
    loaded->SetLabelCaption("Loaded");
    loaded->SetBounds(100, 120, 100, 0);
    loaded->FinishLoading();
    ASSERT_NE(loaded->Label(), nullptr);
    EXPECT_FALSE(loaded->Label()->Enabled());
    loaded->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(loaded->Label()->Enabled());
    loaded->SetLabelAlwaysEnabled(false);
    EXPECT_TRUE(loaded->Label()->Enabled());
    loaded->SetEnabled(true);
    loaded->SetEnabled(false);
    EXPECT_TRUE(loaded->Label()->Enabled());
}

TEST_F(ColourCombo, LabelFontFollowsTheComboUntilLoadedWithoutParentFont) {
    combo->SetLabelCaption("Colour");
    auto* font = Create<TFont>();
    font->SetSize(14);
    combo->SetLabelFont(font);
    EXPECT_EQ(combo->Label()->Font()->Size(), combo->Font()->Size());  // not loaded yet
    combo->BeginLoading();
    combo->SetParentFont(false);
    combo->FinishLoading();
    combo->SetLabelFont(font);
    EXPECT_EQ(combo->Label()->Font()->Size(), 14);
    font->Free();
}

TEST_F(ColourCombo, SwatchFramesFollowTheColourAndTheState) {
    combo->SetItemHeight(16);
    const TPoint p = SwatchCorner();
    combo->SetSelectedColour(clYellow);
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, p.X, p.Y, clBlack));
    EXPECT_TRUE(PixelIs(*pic, p.X + 1, p.Y + 1, clYellow));
    combo->SetSelectedColour(clNavy);
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, p.X, p.Y, clNavy));  // no visible frame
    combo->SetFocus();                             // a focused field shows its entry selected
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, p.X, p.Y, clWhite));
    EXPECT_TRUE(PixelIs(*pic, p.X + 1, p.Y + 1, clNavy));
    combo->SetSelectedColour(clWindow);  // judged by its current value, white
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, p.X, p.Y, clBlack));
    SetSysColor(COLOR_WINDOW, RGB(0, 0, 64));
    combo->Invalidate();
    pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, p.X, p.Y, clWhite));
    ResetSysColors();
}

TEST_F(ColourCombo, OpenListPaintsEverySwatchAndAClickChooses) {
    combo->SetItemHeight(16);
    combo->SetDroppedDown(true);
    auto pic = Picture(*form);
    const int top = combo->Top() + combo->Height() + 1;  // inside the list's frame
    const int left = combo->Left() + 1;
    EXPECT_TRUE(PixelIs(*pic, left + 2, top + 2, clYellow));
    EXPECT_TRUE(PixelIs(*pic, left + 2, top + 16 + 2, clNavy));
    EXPECT_TRUE(PixelIs(*pic, left + 2, top + 48 + 2, kBlue));
    ClickAt(*form, left + 40, top + 48 + 8);
    EXPECT_EQ(combo->SelectedColour(), kBlue);
    EXPECT_EQ(combo->SelectedColourName(), "blue");
}

TEST_F(ColourCombo, EntriesComeFromTheSharedTableThroughGetColours) {
    auto* other = Create<TColourSharingCombo>(form.get());
    int designCalls = 0;
    other->OnGetColors = TGetColorsEvent::Lambda([&](TCustomColorBox*, TStrings*) { ++designCalls; });
    other->SetUseSharedArray(false);
    other->SetParent(form.get());
    other->HandleNeeded();
    EXPECT_EQ(designCalls, 0);
    ASSERT_EQ(other->Items()->Count(), 4);
    EXPECT_EQ(other->Items()->Strings(3), " ");
    EXPECT_EQ(other->Style(), ColorBoxStyles({cbCustomColors}));
    EXPECT_EQ(other->SelectedColour(), 0);
    EXPECT_EQ(other->SelectedColourName(), "");
}

TEST_F(ColourCombo, SharingFollowsTheListBoxRules) {
    auto* own = Create<TColourSharingCombo>(form.get());
    own->SetParent(form.get());
    own->SetUseSharedArray(false);
    combo->SortTheColours(stName);
    EXPECT_EQ(combo->GetAColour(0), kBlue);
    EXPECT_EQ(own->GetAColour(0), clYellow);
    own->SetUseSharedArray(true);
    EXPECT_EQ(own->GetAColour(0), kBlue);
}

TEST_F(ColourCombo, FreeingTheFormOrTheComboLeavesNothingDangling) {
    combo->SetLabelCaption("Colour");
    auto* second = Create<TColourSharingCombo>(form.get());
    second->SetParent(form.get());
    second->SetLabelCaption("Other");
    second->Free();
    EXPECT_EQ(form->ControlCount(), 2);  // the first combo and its label
    form.reset();                        // the label goes with the form's controls first
}

// --- Selections made before the entries exist ---------------------------------------------------

// The list paints its entries itself, always as a virtual owner-drawn list: its colour and its
// style are not published, so a description cannot name them.
TEST_F(ColourListbox, ColourAndStyleAreNotPublished) {
    EXPECT_EQ(GetPropInfo(list, "Color"), nullptr);
    EXPECT_EQ(GetPropInfo(list, "Style"), nullptr);
    EXPECT_EQ(GetPropInfo(list, "Count"), nullptr);  // the table's length, set with the window
    EXPECT_NE(GetPropInfo(list, "ItemHeight"), nullptr);
    EXPECT_NE(GetPropInfo(list, "ParentColor"), nullptr);
    EXPECT_NE(GetPropInfo(list, "ShowText"), nullptr);
    list->SetName("Colours");
    const std::string text = WriteTextForm(form.get());
    EXPECT_EQ(text.find("    Color ="), std::string::npos) << text;
    EXPECT_EQ(text.find("    Style ="), std::string::npos) << text;
    RegisterClass(&TColourSharingListbox::ClassInfo());
    EXPECT_THROW(
        ReadTextForm(
            "object F: TForm\n  object L: TColourSharingListbox\n    Style = lbStandard\n  end\nend\n",
            MakeForm().get(), "list.txt"),
        ETextFormError);
}

// A picker that has no parent yet cannot build its entries; a colour chosen then is kept and
// chosen once it has them.
TEST_F(ColourListbox, AListWithoutAParentKeepsAColourUntilItHasEntries) {
    auto* loose = Create<TColourSharingListbox>(form.get());
    loose->SetSelectedColour(clYellow);
    EXPECT_EQ(loose->SelectedColour(), clYellow);
    loose->SetParent(form.get());
    loose->HandleNeeded();
    EXPECT_EQ(loose->ItemIndex(), 1);
    EXPECT_EQ(loose->SelectedColour(), clYellow);
}

TEST_F(ColourCombo, AComboWithoutAParentKeepsAColourUntilItHasEntries) {
    auto* loose = Create<TColourSharingCombo>(form.get());
    loose->SetSelectedColour(clWindow);
    EXPECT_EQ(loose->SelectedColour(), clWindow);
    loose->SetParent(form.get());
    loose->HandleNeeded();
    EXPECT_EQ(loose->ItemIndex(), 2);
    EXPECT_EQ(loose->SelectedColour(), clWindow);
    // An index chosen by hand before the window is made is kept the same way, and the later
    // choice wins over an earlier colour.
    auto* byIndex = Create<TColourSharingCombo>(form.get());
    byIndex->SetSelectedColour(clYellow);
    byIndex->SetParent(form.get());
    byIndex->SetItemIndex(3);
    byIndex->HandleNeeded();
    EXPECT_EQ(byIndex->ItemIndex(), 3);
    EXPECT_EQ(byIndex->SelectedColour(), kBlue);
}

// A shown form written and read again selects the same entries, whichever way they were chosen.
TEST_F(ColourCombo, SelectionsSurviveARoundTripOfAShownForm) {
    RegisterClass(&TColourSharingCombo::ClassInfo());
    RegisterClass(&TColourSharingListbox::ClassInfo());
    combo->SetName("Combo");
    auto* first = Create<TColourSharingCombo>(form.get());
    first->SetName("First");
    first->SetParent(form.get());
    auto* list = Create<TColourSharingListbox>(form.get());
    list->SetName("List");
    list->SetParent(form.get());
    form->Show();
    form->PaintInvalid();  // every window made
    combo->SetItemIndex(1);
    first->SetItemIndex(0);
    list->SetSelectedColour(kBlue);
    const std::string text = WriteTextForm(form.get());
    FormPtr again = MakeForm(300, 200);
    ReadTextForm(text, again.get(), "shown.txt");
    again->Show();
    again->PaintInvalid();
    EXPECT_EQ(As<TColourSharingCombo>(again->FindComponent("Combo"))->ItemIndex(), 1) << text;
    EXPECT_EQ(As<TColourSharingCombo>(again->FindComponent("Combo"))->SelectedColour(), clNavy);
    EXPECT_EQ(As<TColourSharingCombo>(again->FindComponent("First"))->ItemIndex(), 0) << text;
    EXPECT_EQ(As<TColourSharingListbox>(again->FindComponent("List"))->ItemIndex(), 3) << text;
}
