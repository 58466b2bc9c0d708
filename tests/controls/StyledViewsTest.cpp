#include "controls/StyledViews.h"

#include "framework/controls/Menus.h"
#include "framework/rtl/Rounding.h"
#include "sibling/My_tmsstylebase.h"
#include "sibling/Tms_utils.h"
#include "sibling/Tool_image_basics.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;
using namespace vendor;
using namespace sibling;
using namespace testsupport;

namespace {

// Keeps the process-wide style and image height as a test found them.
struct GlobalsKept {
    TTMSStyle style = Global_TMSStyle;
    int imageHeight = GlobalImageHeight;
    ~GlobalsKept() {
        Global_TMSStyle = style;
        GlobalImageHeight = imageHeight;
    }
};

// The first column's text from the node, the rest as "r<column>".
TAdvTreeViewGetNodeTextEvent NodeTexts() {
    return TAdvTreeViewGetNodeTextEvent::Lambda(
        [](TObject*, TAdvTreeViewVirtualNode* node, int column, TAdvTreeViewNodeTextMode, std::string& text) {
            text = column == 0 && node->Node ? node->Node->Text(0) : "r" + std::to_string(column);
        });
}

struct TreeText : ::testing::Test {
    FormPtr form = MakeForm();
    TMyAdvTreeView* styled = Create<TMyAdvTreeView>(form.get());
    TAdvTreeView* source = Create<TAdvTreeView>(form.get());
};

struct ViewStyles : ::testing::Test {
    GlobalsKept kept;
    FormPtr form = MakeForm(300, 200);
};

}  // namespace

TEST_F(TreeText, ColumnsWithoutNodesGiveTheHeaderLineAlone) {
    source->AddColumn("A", 50);
    source->AddColumn("B", 50);
    EXPECT_EQ(styled->AllStringsOfTreeview(source, NodeTexts()), "A\tB\r\n");
}

TEST_F(TreeText, AnEmptyTreeGivesAnEmptyHeaderLine) {
    EXPECT_EQ(styled->AllStringsOfTreeview(source, NodeTexts()), "\r\n");
    source->AddNode();  // without columns a node has only its number
    EXPECT_EQ(styled->AllStringsOfTreeview(source, NodeTexts()), "\r\n1\r\n");
}

TEST_F(TreeText, OneNodeLineHasItsNumberAndEveryColumn) {
    source->AddColumn("A", 50);
    source->AddColumn("B", 50);
    source->AddNode();
    auto xy = TAdvTreeViewGetNodeTextEvent::Lambda([](TObject*, TAdvTreeViewVirtualNode*, int column,
                                                      TAdvTreeViewNodeTextMode,
                                                      std::string& text) { text = column == 0 ? "x" : "y"; });
    EXPECT_EQ(styled->AllStringsOfTreeview(source, xy), "A\tB\r\n1\tx\ty\r\n");
}

TEST_F(TreeText, OnlyTopLevelNodesAreNumberedCollapsedChildrenIncluded) {
    source->AddColumn("Word", 50);
    source->AddColumn("Count", 50);
    TAdvTreeViewNode* a = source->AddNode();
    a->SetText(0, "a");
    TAdvTreeViewNode* a1 = a->AddChild();
    a1->SetText(0, "a1");
    a1->AddChild()->SetText(0, "a1x");
    source->AddNode()->SetText(0, "b");
    EXPECT_EQ(styled->AllStringsOfTreeview(source, NodeTexts()),
              "Word\tCount\r\n1\ta\tr1\r\n \ta1\tr1\r\n \ta1x\tr1\r\n2\tb\tr1\r\n");
}

TEST_F(TreeText, TheCallbackSeesTheStyledTreeAndThePreviousText) {
    source->AddColumn("A", 50);
    source->AddColumn("Last", 50);
    source->AddNode();
    std::vector<std::string> seen;
    std::vector<TObject*> senders;
    auto keep =
        TAdvTreeViewGetNodeTextEvent::Lambda([&](TObject* sender, TAdvTreeViewVirtualNode*, int column,
                                                 TAdvTreeViewNodeTextMode mode, std::string& text) {
            EXPECT_EQ(mode, tmDrawing);
            senders.push_back(sender);
            seen.push_back(text);
            text = "c" + std::to_string(column);
        });
    EXPECT_EQ(styled->AllStringsOfTreeview(source, keep), "A\tLast\r\n1\tc0\tc1\r\n");
    EXPECT_EQ(seen, (std::vector<std::string>{"Last", "c0"}));
    EXPECT_EQ(senders, (std::vector<TObject*>{styled, styled}));
}

TEST_F(ViewStyles, TreeTakesTheGlobalStyleWhateverItIsGiven) {
    Global_TMSStyle = tsDark;
    auto* tree = Create<TMyAdvTreeView>(form.get());
    tree->SetParent(form.get());
    tree->SetBounds(0, 0, 300, 200);
    tree->AddColumn("Word", 120);
    tree->AddNode()->SetText(0, "one");
    tree->AddNode()->SetText(0, "two");
    tree->SelectVirtualNode(tree->GetFirstRootVirtualNode());
    tree->SetComponentStyle(tsLight);
    const TColor border = GetABaseTMSGradientBackgroundDarkColour(tsDark);
    EXPECT_EQ(tree->BorderColor(), border);
    EXPECT_EQ(tree->Stroke().Color, border);
    EXPECT_EQ(tree->NodesAppearance().SelectedStroke.Color, border);
    EXPECT_EQ(tree->ColumnsAppearance().Fill.EndColor, GetABaseTMSGradientBackgroundLightColour(tsDark));
    EXPECT_EQ(tree->ColumnsAppearance().TopFontColor, GetABaseTMSTextColour(tsDark));
    EXPECT_EQ(tree->NodesAppearance().SelectedFontColor, GetABaseTMSHighlightedTextColour(tsDark));

    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 0, 0, border));
    EXPECT_TRUE(PixelIs(*pic, 1 + 10, 1, border));  // the header's gradient starts dark
    EXPECT_TRUE(PixelIs(*pic, 1 + 200, 1 + 5, GetABaseTMSBackgroundColour(tsDark)));  // past the columns
    const TRect selected = tree->RowRect(0), plain = tree->RowRect(1);
    EXPECT_TRUE(PixelIs(*pic, 1 + 100, 1 + selected.Top + 3, GetABaseTMSHighlightBackgroundColour(tsDark)));
    EXPECT_TRUE(PixelIs(*pic, 1 + 100, 1 + plain.Top + 3, GetABaseTMSBackgroundColour(tsDark)));
    // Node texts in the style's text colour.
    EXPECT_GT(CountOfColor(*pic, GetABaseTMSTextColour(tsDark)), 0);

    // A later style change repaints in the new colours.
    Global_TMSStyle = tsOlive;
    tree->SetComponentStyle(tsDark);
    auto olive = Picture(*form);
    EXPECT_TRUE(PixelIs(*olive, 1 + 100, 1 + plain.Top + 3, GetABaseTMSBackgroundColour(tsOlive)));
}

TEST_F(ViewStyles, ListViewTakesTheGlobalStyleAndAlwaysTheWindowColour) {
    Global_TMSStyle = tsBlue;
    GlobalImageHeight = 24;
    auto* list = Create<TMyAdvListView>(form.get());
    list->SetParent(form.get());
    list->SetBounds(0, 0, 300, 200);
    list->AddColumn("Word", 120);
    list->AddItem("one");
    list->AddItem("two");
    list->SetItemIndex(1);
    EXPECT_FALSE(list->OwnerDraw());  // the vendor's look until the style is applied
    list->SetComponentStyle(tsDark);
    EXPECT_TRUE(list->OwnerDraw());
    EXPECT_TRUE(list->HeaderOwnerDraw());
    EXPECT_EQ(list->Color(), clWindow);
    EXPECT_EQ(list->HeaderFont()->Color(), GetABaseTMSScrollTextColour(tsBlue));
    EXPECT_EQ(list->Font()->Color(), GetABaseTMSTextColour(tsBlue));
    EXPECT_EQ(list->SelectionTextColor(), GetABaseTMSHighlightedTextColour(tsBlue));
    EXPECT_EQ(list->ItemHeight(), 22);  // 21.6

    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 1 + 250, 1 + 2, GetABaseTMSScrollDarkBackgroundColour(tsBlue)));
    EXPECT_TRUE(
        PixelIs(*pic, 1 + 250, 1 + list->ItemRect(1).Top + 2, GetABaseTMSHighlightBackgroundColour(tsBlue)));
    EXPECT_TRUE(PixelIs(*pic, 1 + 250, 1 + list->ItemRect(0).Top + 2, clWindow));

    GlobalImageHeight = 16;
    Global_TMSStyle = tsDark;
    list->SetComponentStyle(tsLight);
    EXPECT_EQ(list->ItemHeight(), 14);   // 14.4
    EXPECT_EQ(list->Color(), clWindow);  // even for the dark style
    EXPECT_EQ(list->SelectionColor(), GetABaseTMSHighlightBackgroundColour(tsDark));
}

// The tree publishes its popup menu, and a right click on a node pops it up there.
TEST(StyledTreeMenu, ARightClickOnTheTreePopsUpItsMenu) {
    FormPtr form = MakeForm(300, 200);
    auto* tree = Create<TMyAdvTreeView>(form.get());
    tree->SetParent(form.get());
    tree->SetBounds(0, 0, 300, 200);
    tree->AddColumn("Word", 120);
    tree->AddNode()->SetText(0, "one");
    auto* menu = Create<TPopupMenu>(form.get());
    auto* item = Create<TMenuItem>(menu);
    item->SetCaption("Copy");
    menu->Items()->Add(item);
    ASSERT_NE(GetPropInfo(tree, "PopupMenu"), nullptr);
    SetObjectProp(tree, "PopupMenu", menu);
    EXPECT_EQ(tree->PopupMenu(), menu);
    form->SendMouseInput(WM_RBUTTONDOWN, 50, 40);
    form->SendMouseInput(WM_RBUTTONUP, 50, 40);
    ASSERT_TRUE(menu->PoppedUp());
    EXPECT_EQ(menu->PopupComponent(), tree);
    EXPECT_EQ(menu->PopupList()->Left(), 50);
    menu->ClosePopup();
}

// Every column keeps its cell in the header, an untitled one too, so the header stays over the
// node lines' cells when the export is opened as a table.
TEST_F(TreeText, UntitledColumnsKeepTheirPlaceInTheHeader) {
    source->AddColumn("", 50);
    source->AddColumn("B", 50);
    source->AddColumn("", 50);
    source->AddNode();
    EXPECT_EQ(styled->AllStringsOfTreeview(source, NodeTexts()), "\tB\t\r\n1\t\tr1\tr2\r\n");
}

// Without a text callback the export still gives the tree's shape, every cell empty.
TEST_F(TreeText, WithoutACallbackTheCellsAreEmpty) {
    source->AddColumn("A", 50);
    source->AddColumn("B", 50);
    source->AddNode()->AddChild();
    source->AddNode();
    EXPECT_EQ(styled->AllStringsOfTreeview(source, TAdvTreeViewGetNodeTextEvent()),
              "A\tB\r\n1\t\t\r\n \t\t\r\n2\t\t\r\n");
}
