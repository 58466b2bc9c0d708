#include "vendor/AdvTreeView.h"

#include "framework/rtl/Exceptions.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace vendor;
using namespace testsupport;

namespace {

struct TreeViews : ::testing::Test {
    FormPtr form = MakeForm(300, 200);
    TAdvTreeView* tree = Create<TAdvTreeView>(form.get());

    void SetUp() override {
        tree->SetParent(form.get());
        tree->SetBounds(0, 0, 300, 200);  // client 298 x 198 inside the one-pixel border
    }
    // Two top-level nodes; the first has two children, the second of which has one.
    void Build() {
        TAdvTreeViewNode* a = tree->AddNode();
        a->SetText(0, "a");
        a->AddChild()->SetText(0, "a1");
        TAdvTreeViewNode* a2 = a->AddChild();
        a2->SetText(0, "a2");
        a2->AddChild()->SetText(0, "a2x");
        tree->AddNode()->SetText(0, "b");
    }
    std::vector<std::string> Walk() {
        std::vector<std::string> texts;
        for (auto* n = tree->GetFirstRootVirtualNode(); n; n = tree->GetNextVirtualNode(n))
            texts.push_back(tree->GetNodeText(n, 0));
        return texts;
    }
};

}  // namespace

TEST_F(TreeViews, VirtualNodesComeDepthFirstWhetherExpandedOrNot) {
    Build();
    EXPECT_EQ(Walk(), (std::vector<std::string>{"a", "a1", "a2", "a2x", "b"}));
    TAdvTreeViewVirtualNode* a = tree->GetFirstRootVirtualNode();
    EXPECT_EQ(a->ParentNode, nullptr);
    EXPECT_EQ(a->Children, 2);
    EXPECT_EQ(a->TotalChildren, 3);
    TAdvTreeViewVirtualNode* a2x =
        tree->GetNextVirtualNode(tree->GetNextVirtualNode(tree->GetNextVirtualNode(a)));
    EXPECT_EQ(a2x->Level, 2);
    EXPECT_EQ(a2x->ParentNode->ParentNode, a);
    EXPECT_EQ(a2x->ParentNode->Index, 1);
}

TEST_F(TreeViews, RowsAreTheNodesUnderExpandedParents) {
    Build();
    EXPECT_EQ(tree->RowCount(), 2);
    EXPECT_EQ(tree->NodeAtRow(1)->Node, tree->Nodes(1));
    tree->Nodes(0)->SetExpanded(true);
    EXPECT_EQ(tree->RowCount(), 4);
    tree->Nodes(0)->Child(1)->SetExpanded(true);
    EXPECT_EQ(tree->RowCount(), 5);
    tree->Nodes(0)->SetExpanded(false);  // the grandchild's own state is kept for later
    EXPECT_EQ(tree->RowCount(), 2);
    tree->ExpandVirtualNode(tree->GetFirstRootVirtualNode());
    EXPECT_EQ(tree->NodeAtRow(3)->Node->Text(0), "a2x");
    EXPECT_EQ(tree->NodeAtRow(5), nullptr);
}

TEST_F(TreeViews, TheTextCallbackHasTheLastWord) {
    Build();
    tree->OnGetNodeText = TAdvTreeViewGetNodeTextEvent::Lambda(
        [](TObject*, TAdvTreeViewVirtualNode* n, int column, TAdvTreeViewNodeTextMode, std::string& text) {
            text += "/" + std::to_string(n->Level) + "/" + std::to_string(column);
        });
    EXPECT_EQ(tree->GetNodeText(tree->GetFirstRootVirtualNode(), 1), "/0/1");  // no text of its own
    EXPECT_EQ(Walk()[3], "a2x/2/0");
}

TEST_F(TreeViews, ACallbackTreeNeedsNoCollection) {
    // Three top-level nodes with n children each for the n-th; texts come from the callback.
    tree->OnGetNumberOfNodes =
        TAdvTreeViewGetNumberOfNodesEvent::Lambda([](TObject*, TAdvTreeViewVirtualNode* n, int& count) {
            count = !n ? 3 : n->Level == 0 ? n->Index : 0;
        });
    tree->OnGetNodeText = TAdvTreeViewGetNodeTextEvent::Lambda(
        [](TObject*, TAdvTreeViewVirtualNode* n, int, TAdvTreeViewNodeTextMode, std::string& text) {
            text = n->ParentNode ? std::to_string(n->ParentNode->Index) + "." + std::to_string(n->Index)
                                 : std::to_string(n->Index);
        });
    EXPECT_EQ(tree->TotalNodeCount(), 6);
    EXPECT_EQ(Walk(), (std::vector<std::string>{"0", "1", "1.0", "2", "2.0", "2.1"}));
    EXPECT_EQ(tree->GetFirstRootVirtualNode()->Node, nullptr);
    tree->ExpandAll();
    EXPECT_EQ(tree->RowCount(), 6);
}

TEST_F(TreeViews, ClicksExpandAndSelectKeysMove) {
    Build();
    tree->AddColumn("Name", 150);
    int selections = 0;
    tree->OnSelectNode = TNotifyEvent::Lambda([&](TObject*) { ++selections; });
    const TRect row0 = tree->RowRect(0);
    EXPECT_EQ(row0.Top, 24);                   // under the header
    ClickAt(*form, 1 + 8, 1 + row0.Top + 10);  // on the expander of "a"
    EXPECT_TRUE(tree->Nodes(0)->Expanded());
    EXPECT_EQ(tree->SelectedVirtualNode(), nullptr);
    ClickAt(*form, 1 + 100, 1 + tree->RowRect(2).Top + 5);
    EXPECT_EQ(tree->SelectedVirtualNode()->Node, tree->Nodes(0)->Child(1));
    std::uint16_t key = VK_DOWN;
    tree->Perform(WM_KEYDOWN, key);
    EXPECT_EQ(tree->SelectedVirtualNode()->Node, tree->Nodes(1));
    key = VK_UP;
    tree->Perform(WM_KEYDOWN, key);
    key = VK_RIGHT;
    tree->Perform(WM_KEYDOWN, key);
    EXPECT_TRUE(tree->Nodes(0)->Child(1)->Expanded());
    EXPECT_EQ(selections, 3);
    // Selecting a hidden node opens its parents.
    tree->Nodes(0)->SetExpanded(false);
    tree->SelectVirtualNode(tree->GetNextVirtualNode(
        tree->GetNextVirtualNode(tree->GetNextVirtualNode(tree->GetFirstRootVirtualNode()))));
    EXPECT_TRUE(tree->Nodes(0)->Expanded());
    EXPECT_EQ(tree->SelectedVirtualNode()->Node->Text(0), "a2x");
}

TEST_F(TreeViews, SelectionOutlivesAddedNodes) {
    Build();
    tree->SelectVirtualNode(tree->GetFirstRootVirtualNode());
    tree->AddNode();
    ASSERT_NE(tree->SelectedVirtualNode(), nullptr);
    EXPECT_EQ(tree->SelectedVirtualNode()->Node, tree->Nodes(0));
    EXPECT_THROW(tree->Nodes(3), EListError);
}

TEST_F(TreeViews, PaintsHeaderGradientSelectionAndBorderInTheirColours) {
    Build();
    tree->AddColumn("Name", 150);
    tree->SetBorderColor(clRed);
    auto& header = tree->ColumnsAppearance();
    header.Fill = {fkGradient, clYellow, clBlack, clWhite};
    auto& nodes = tree->NodesAppearance();
    nodes.SelectedFill = {fkSolid, clLime, clLime, clLime};
    nodes.SelectedStroke.Color = clBlue;
    tree->SelectVirtualNode(tree->GetFirstRootVirtualNode());
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 0, 0, clRed));  // the border
    EXPECT_TRUE(PixelIs(*pic, 299, 199, clRed));
    EXPECT_TRUE(PixelIs(*pic, 1 + 10, 1 + 0, clBlack));  // gradient from black at the top...
    const TColor nearBottom = PixelAt(*pic, 1 + 10, 1 + 22);
    EXPECT_GT(GetRValue(nearBottom), 200);                 // ...to white at the bottom
    EXPECT_TRUE(PixelIs(*pic, 1 + 200, 1 + 5, clYellow));  // beyond the columns: the plain colour
    const TRect row = tree->RowRect(0);
    EXPECT_TRUE(PixelIs(*pic, 1 + 130, 1 + row.Top + 5, clLime));
    EXPECT_TRUE(PixelIs(*pic, 1 + 130, 1 + row.Top, clBlue));  // the selected row's outline
    EXPECT_TRUE(PixelIs(*pic, 1 + 130, 1 + tree->RowRect(1).Top + 5, clWindow));
}

TEST_F(TreeViews, PaintingAMillionNodesAsksOnlyForTheRowsOnScreen) {
    tree->OnGetNumberOfNodes = TAdvTreeViewGetNumberOfNodesEvent::Lambda(
        [](TObject*, TAdvTreeViewVirtualNode* n, int& count) { count = n ? 0 : 1000000; });
    int asked = 0;
    tree->OnGetNodeText = TAdvTreeViewGetNodeTextEvent::Lambda(
        [&](TObject*, TAdvTreeViewVirtualNode* n, int, TAdvTreeViewNodeTextMode, std::string& text) {
            ++asked;
            text = std::to_string(n->Index);
        });
    Picture(*form);
    tree->SetTopRow(999999);
    EXPECT_EQ(tree->TopRow(), 1000000 - tree->VisibleRowCount());
    asked = 0;
    Picture(*form);
    EXPECT_EQ(asked, tree->VisibleRowCount());  // no partial row: the page ends on the last node
}

TEST_F(TreeViews, ANewResolutionScalesColumnsRowsAndIndents) {
    Build();
    tree->AddColumn("Word", 100);
    const TRect row = tree->RowRect(1);
    form->ChangeScale(144, 96);
    EXPECT_EQ(tree->Columns(0)->Width, 150);
    EXPECT_EQ(tree->ColumnsAppearance().TopSize, 36);
    EXPECT_EQ(tree->NodesAppearance().LevelIndent, 24);
    EXPECT_EQ(tree->RowRect(1).Height(), row.Height() * 3 / 2);
    EXPECT_EQ(tree->RowRect(1).Top, 36 + row.Height() * 3 / 2);
}

// A chain of nodes far deeper than the stack could follow node by node is freed and cleared
// whole: by ClearNodes, by freeing the tree, and one left in a node that goes with its tree.
TEST_F(TreeViews, AVeryDeepTreeIsClearedAndFreed) {
    constexpr int kDepth = 200000;
    for (int round = 0; round < 2; ++round) {
        TAdvTreeViewNode* node = tree->AddNode();
        for (int i = 0; i < kDepth; ++i)
            node = node->AddChild();
        node->SetText(0, "deepest");
        EXPECT_EQ(tree->NodeCount(), 1);
        if (round == 0)
            tree->ClearNodes();
    }
    EXPECT_EQ(tree->NodeCount(), 1);
    tree->Free();
    tree = nullptr;
    EXPECT_EQ(form->ComponentCount(), 0);
    // Nodes still to walk after clearing: a fresh tree starts empty.
    auto* fresh = Create<TAdvTreeView>(form.get());
    EXPECT_EQ(fresh->NodeCount(), 0);
}

// The rows shown by expanded parents decide the vertical bar.
TEST_F(TreeViews, BarsFollowTheRowsAndTheColumns) {
    tree->AddColumn("Word", 150);
    for (int i = 0; i < 30; ++i)
        tree->AddNode()->SetText(0, "node " + std::to_string(i));
    Picture(*form);
    EXPECT_EQ(tree->WindowStyle(), WS_VSCROLL);
    tree->Perform(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(tree->TopRow(), tree->VisibleRowCount());
    tree->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(tree->TopRow(), 30 - tree->VisibleRowCount());
    tree->AddColumn("Count", 300);  // now wider than the view
    Picture(*form);
    EXPECT_EQ(tree->WindowStyle(), WS_HSCROLL | WS_VSCROLL);
    tree->Perform(WM_HSCROLL, SB_RIGHT);
    TScrollInfo info;
    tree->GetScrollInfo(SB_HORZ, info);
    EXPECT_EQ(info.nPos, 450 - tree->ClientWidth());
}
